// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Pixel layout of the on-screen keyboard, computed for a widget size and a
// white-key count. Painting draws from it and taps are tested against it.
struct KeyboardGeometry
{
    static constexpr int Height = 80;     // fixed height of the strip
    static constexpr int SideMargin = 10; // least room either side of the keys
    static constexpr int MaxKeyWidth = 30;
    static constexpr int MaxKeyHeight = 80;
    static constexpr int OneOctave = 7; // white keys per octave
    static constexpr int TwoOctaves = 2 * OneOctave;
    static constexpr int FourOctaves = 4 * OneOctave; // the grand staff's C2 to B5
    static constexpr int ShadowWidth = 2;
    // The bar under the keys that the computer keyboard's two rows play:
    // its distance below the keys, its thickness, and the gap between its
    // two octaves.
    static constexpr int RowsBarBelow = 4;
    static constexpr int RowsBarHeight = 3;
    static constexpr int RowsBarGap = 2;

    int kbLeft = 0;
    int kbTop = 0;
    int keyWidth = 0;
    int keyHeight = 0;
    int blackWidth = 0;
    int blackHeight = 0;

    static constexpr KeyboardGeometry compute(int width, int height, int whiteKeys)
    {
        KeyboardGeometry g;
        g.keyWidth = whiteKeys > 0 ? (width - 2 * SideMargin) / whiteKeys : 0;
        if (g.keyWidth > MaxKeyWidth)
            g.keyWidth = MaxKeyWidth;
        g.keyHeight = height - 2 * SideMargin;
        if (g.keyHeight > MaxKeyHeight)
            g.keyHeight = MaxKeyHeight;
        g.kbLeft = (width - whiteKeys * g.keyWidth) / 2;
        g.kbTop = (height - g.keyHeight) / 2;
        g.blackWidth = (2 * g.keyWidth) / 3;
        g.blackHeight = (2 * g.keyHeight) / 3;
        return g;
    }

    // Right edge of the last white key.
    constexpr int right(int whiteKeys) const { return kbLeft + whiteKeys * keyWidth; }
    constexpr int bottom() const { return kbTop + keyHeight; }
};
