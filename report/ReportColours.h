// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

class QPalette;

// Colours of the progress pictures, chosen against the background they are
// drawn on, so that they read as well in a dark theme as in a light one.
namespace ReportColours {

// Text and ink need this much contrast to their background; shapes whose
// colour tells something, such as the note heads, this much.
constexpr qreal InkContrast = 4.5;
constexpr qreal GraphicContrast = 3.0;

// The pictures stand on the palette's base colour, as on paper: the ink for
// lines, clefs and text there, as the staff's own ink is chosen.
QColor paper(const QPalette &palette);
QColor ink(const QPalette &palette);

// colour made darker on a light background, or lighter on a dark one, in
// small steps of its lightness, until it has the contrast asked for. Its
// hue stays.
QColor readable(const QColor &colour, const QColor &background, qreal ratio = InkContrast);

// From red for 0 (always wrong) through amber to green for 1 (always
// right), with GraphicContrast to the background.
QColor forAccuracy(qreal accuracy, const QColor &background);

// A note never asked.
QColor neverAsked(const QColor &background);

} // namespace ReportColours
