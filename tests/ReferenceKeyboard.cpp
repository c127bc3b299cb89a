// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReferenceKeyboard.h"

#include "ReferenceRaster.h"

#include <algorithm>

using namespace ReferenceRaster;

namespace {

// Per white key of two octaves, semitones above the lowest key for its left,
// middle and right third: in the upper zone where the black keys hang, and
// in the lower zone (or the whole key while black keys are off).
struct KeyRow
{
    int upper[3];
    int lower[3];
};
const KeyRow KeyRows[14] = {
    {{0, 0, 1}, {0, 0, 0}},       {{1, 2, 3}, {2, 2, 2}},       {{3, 4, 4}, {4, 4, 4}},
    {{5, 5, 6}, {5, 5, 5}},       {{6, 7, 8}, {7, 7, 7}},       {{8, 9, 10}, {9, 9, 9}},
    {{10, 11, 11}, {11, 11, 11}}, {{12, 12, 13}, {12, 12, 12}}, {{13, 14, 15}, {14, 14, 14}},
    {{15, 16, 16}, {16, 16, 16}}, {{17, 17, 18}, {17, 17, 17}}, {{18, 19, 20}, {19, 19, 19}},
    {{20, 21, 22}, {21, 21, 21}}, {{22, 23, 23}, {23, 23, 23}},
};

} // namespace

namespace ReferenceKeyboard {

Layout layout(int width, int height, int whiteKeys)
{
    Layout l;
    l.keyWidth = std::min((width - 20) / whiteKeys, 30);
    l.keyHeight = std::min(height - 20, 80);
    l.left = (width - whiteKeys * l.keyWidth) / 2;
    l.top = (height - l.keyHeight) / 2;
    l.blackWidth = 2 * l.keyWidth / 3;
    l.blackHeight = 2 * l.keyHeight / 3;
    return l;
}

QImage render(int width, int height, int whiteKeys)
{
    QImage image = blank(width, height);
    const Layout l = layout(width, height, whiteKeys);
    for (int i = 0; i < whiteKeys; ++i)
        rectangleOutline(image, l.left + i * l.keyWidth, l.top, l.keyWidth, l.keyHeight, Black);
    for (int i = 0; i < whiteKeys; ++i) {
        // Black keys follow C, D, F, G and A.
        if (i % 7 != 2 && i % 7 != 6)
            filledRectangle(image, l.left + i * l.keyWidth + l.blackWidth, l.top, l.blackWidth,
                            l.blackHeight, Black);
    }
    const int right = l.left + whiteKeys * l.keyWidth;
    const int bottom = l.top + l.keyHeight;
    horizontalLine(image, l.left + 1, right, bottom, Gray);
    horizontalLine(image, l.left + 2, right + 1, bottom + 1, Gray);
    verticalLine(image, right, bottom, l.top + 1, Gray);
    verticalLine(image, right + 1, bottom + 1, l.top + 2, Gray);
    return image;
}

QList<int> notesAt(int width, int height, int whiteKeys, int baseNote, bool blackKeys, int x, int y)
{
    const Layout l = layout(width, height, whiteKeys);
    const int kw = l.keyWidth;
    if (x < l.left || x >= l.left + whiteKeys * kw || y < l.top || y > l.top + l.keyHeight)
        return {};
    const int key = (x - l.left) / kw;
    const int within = x - l.left - key * kw;
    const KeyRow &row = KeyRows[key];
    const int *zone = blackKeys && y < l.top + l.blackHeight ? row.upper : row.lower;
    const int third = kw / 3;
    if (third > 0 && within < 3 * third)
        return {baseNote + zone[within / third]};
    QList<int> anyOfRow;
    for (int t = 0; t < 3; ++t) {
        if (!anyOfRow.contains(baseNote + zone[t]))
            anyOfRow << baseNote + zone[t];
    }
    return anyOfRow;
}

} // namespace ReferenceKeyboard
