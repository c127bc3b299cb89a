// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QList>

// What the keyboard must look like and which note a tap on it must give,
// worked out from the written layout and key tables alone.
namespace ReferenceKeyboard {

struct Layout
{
    int left, top, keyWidth, keyHeight, blackWidth, blackHeight;
};

Layout layout(int width, int height, int whiteKeys);
QImage render(int width, int height, int whiteKeys);

// The notes a left-button release at (x, y) may give: none outside the keys,
// one inside a key's thirds, and any of the key's row in the spare pixels
// beyond its thirds or where the thirds have no width.
QList<int> notesAt(int width, int height, int whiteKeys, int baseNote, bool blackKeys, int x,
                   int y);

} // namespace ReferenceKeyboard
