// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes/Ink.h"

#include <QPalette>

#include <algorithm>
#include <cmath>

namespace {

constexpr qreal TextContrast = 4.5; // for text and thin lines
constexpr qreal MarkContrast = 3;   // for marks of some size, such as the crosses
// White keys take the window's colour only where it is as light as paper;
// on anything darker they get a light colour of their own.
constexpr qreal PaperContrast = 12;
const QColor KeyIvory(0xef, 0xef, 0xef);

qreal linear(qreal channel)
{
    return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

// A ground that black stands out on better than white.
bool isLight(const QColor &ground)
{
    return Ink::contrast(ground, Qt::black) >= Ink::contrast(ground, Qt::white);
}

// The palette's colour where it stands out enough; otherwise the least
// mixture of it with black or white, whichever the ground is the more
// unlike, that does. Either end stands out from any ground by 4.58:1 or
// more, so there is always one.
QColor readable(const QColor &wanted, const QColor &ground, qreal least)
{
    if (Ink::contrast(wanted, ground) >= least)
        return wanted;
    const QColor end = isLight(ground) ? QColor(Qt::black) : QColor(Qt::white);
    const auto mix = [&](int share) { // share of end, in 256ths
        const auto channel = [share](int from, int to) {
            return from + ((to - from) * share + 128) / 256;
        };
        return QColor(channel(wanted.red(), end.red()), channel(wanted.green(), end.green()),
                      channel(wanted.blue(), end.blue()));
    };
    int low = 0;
    int high = 256;
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        if (Ink::contrast(mix(middle), ground) >= least)
            high = middle;
        else
            low = middle;
    }
    return mix(high);
}

} // namespace

Ink Ink::forPalette(const QPalette &palette)
{
    Ink ink;
    ink.ground = palette.color(QPalette::Window);
    ink.text =
        readable(palette.color(QPalette::Active, QPalette::WindowText), ink.ground, TextContrast);
    ink.mark = readable(ink.mark, ink.ground, MarkContrast);
    ink.warning = readable(ink.warning, ink.ground, TextContrast);
    ink.whiteKey = contrast(ink.ground, ink.blackKey) >= PaperContrast ? ink.ground : KeyIvory;
    // A gray edge reads as a shadow on a light ground; on a dark one it
    // would be a glow.
    ink.shadow = isLight(ink.ground) ? QColor(Qt::gray) : ink.ground.darker(200);
    return ink;
}

qreal Ink::luminance(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

qreal Ink::contrast(const QColor &a, const QColor &b)
{
    const qreal la = luminance(a);
    const qreal lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
