// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPainterPath>
#include <QRectF>
#include <QString>

class QBitmap;

// Smooth outlines of the clefs, the note head and the accidentals, for
// drawing them larger than their bitmaps without blocky edges. They come
// from the Emmentaler music font that LilyPond installs, looked up by glyph
// name, since the font's code points move between its versions.
namespace MusicFont {

enum Glyph { TrebleClef, BassClef, CClef, NoteHead, Sharp, Flat, Natural };

// The glyph in staff spaces (one staff space is 1.0), y growing downwards,
// with the font's origin: a clef's origin lies on its line (G, F or C), an
// accidental's and a note head's on the note's line. Empty when the font is
// not installed.
QPainterPath glyph(Glyph which);

// The font file the outlines come from, or an empty string.
QString fontFile();

// The set pixels of a bitmap as one outline, one unit per pixel: the shape
// of last resort where the font is missing.
QPainterPath traced(const QBitmap &bitmap);

// path scaled and moved so that its bounding box fills box; with keepAspect,
// scaled alike in both directions to box's height and centred across it.
QPainterPath fitted(const QPainterPath &path, const QRectF &box, bool keepAspect);

} // namespace MusicFont
