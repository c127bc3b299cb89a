// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBitmap>
#include <QPainterPath>
#include <QRect>

// The glyphs every note is drawn with: the note head and the flat, sharp
// and natural signs, each as a bitmap for the handheld's own size and as an outline for
// any other. One set serves the whole program; it is made at its first use,
// once the application object exists, and released just before that object
// goes, since pixmaps must not outlive it.
class NoteGlyphs
{
public:
    struct Glyph
    {
        QBitmap bitmap;       // masked by itself: only its set bits paint
        QPainterPath outline; // relative to the bitmap's top-left corner
    };

    // Where the signs' bitmaps have ink, from their top-left corners: the
    // sharp's strokes and bars, the flat's stem and bowl, the natural's
    // strokes.
    static constexpr QRect SharpInk{1, 1, 8, 18};
    static constexpr QRect FlatInk{2, 0, 6, 20};
    static constexpr QRect NaturalInk{3, 1, 4, 18};

    static const NoteGlyphs &instance();
    // Whether the set exists now.
    static bool exist();

    Glyph head;
    Glyph flat;
    Glyph sharp;
    Glyph natural;

private:
    NoteGlyphs();
    static void release();
};
