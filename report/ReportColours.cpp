// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ReportColours.h"

#include "notes/Ink.h"

#include <QPalette>

#include <algorithm>
#include <cmath>

namespace ReportColours {

namespace {

constexpr int RedHue = 0;
constexpr int GreenHue = 125;
constexpr int NoteSaturation = 200;
constexpr int NoteLightness = 128;
constexpr int LightnessStep = 4;

} // namespace

QColor paper(const QPalette &palette)
{
    return palette.color(QPalette::Base);
}

QColor ink(const QPalette &palette)
{
    QPalette onPaper = palette;
    onPaper.setColor(QPalette::Window, paper(palette));
    onPaper.setColor(QPalette::Active, QPalette::WindowText,
                     palette.color(QPalette::Active, QPalette::Text));
    return Ink::forPalette(onPaper).text;
}

QColor readable(const QColor &colour, const QColor &background, qreal ratio)
{
    // Which way holds more contrast: towards black or towards white.
    const bool darken =
        Ink::contrast(Qt::black, background) >= Ink::contrast(Qt::white, background);
    const QColor hsl = colour.toHsl();
    int lightness = hsl.lightness();
    QColor c = colour;
    while (Ink::contrast(c, background) < ratio && lightness > 0 && lightness < 255) {
        lightness = std::clamp(lightness + (darken ? -LightnessStep : LightnessStep), 0, 255);
        c = QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), lightness);
    }
    return c;
}

// Most notes stand between half and all right: the hue follows the square
// of the accuracy, so that those shares spread from orange to green.
QColor forAccuracy(qreal accuracy, const QColor &background)
{
    const qreal a = std::clamp(accuracy, 0.0, 1.0);
    const int hue = int(std::lround(RedHue + a * a * (GreenHue - RedHue)));
    return readable(QColor::fromHsl(hue, NoteSaturation, NoteLightness), background,
                    GraphicContrast);
}

QColor neverAsked(const QColor &background)
{
    return readable(QColor::fromHsl(0, 0, NoteLightness), background, GraphicContrast);
}

} // namespace ReportColours
