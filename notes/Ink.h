// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

class QPalette;

// The colours music is drawn in, chosen for the desktop's palette so that it
// reads in every theme. Ink stands on the window colour at 4.5:1 or more and
// the red of wrong answers at 3:1 or more; a piano's white keys stay light
// and its black keys black, whatever the ground. Under the toolkit's default
// light palette these are the handheld's colours: black ink, pure red marks,
// white keys of the window's colour and a gray shadow.
struct Ink
{
    QColor ground = QColor(0xef, 0xef, 0xef);  // what everything stands on
    QColor text = Qt::black;                   // lines, clefs, notes and names
    QColor mark = Qt::red;                     // the crosses and names of wrong answers
    QColor warning = QColor(0xb0, 0x00, 0x20); // text that says something went wrong
    QColor whiteKey = QColor(0xef, 0xef, 0xef);
    QColor blackKey = Qt::black;
    QColor keyEdge = Qt::black;
    QColor shadow = Qt::gray; // along the keyboard's bottom and right edges

    // The colours for a widget with this palette. The ink follows the
    // palette's text colour of an active window, so music does not fade when
    // the window loses the focus.
    static Ink forPalette(const QPalette &palette);

    // Relative luminance and contrast ratio as the web's accessibility
    // guidelines define them: 1 for equal colours, 21 for black on white.
    static qreal luminance(const QColor &colour);
    static qreal contrast(const QColor &a, const QColor &b);
};
