// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ReportColours.h"

#include <algorithm>
#include <cmath>

namespace ReportColours {

namespace {

constexpr int RedHue = 0;
constexpr int GreenHue = 125;
constexpr int NoteSaturation = 200;
constexpr int NoteLightness = 128;
constexpr int LightnessStep = 4;

qreal linear(qreal channel)
{
    return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

qreal luminance(const QColor &c)
{
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

} // namespace

qreal contrast(const QColor &a, const QColor &b)
{
    const qreal la = luminance(a);
    const qreal lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readable(const QColor &colour, const QColor &background, qreal ratio)
{
    // Which way holds more contrast: towards black or towards white.
    const bool darken = contrast(Qt::black, background) >= contrast(Qt::white, background);
    const QColor hsl = colour.toHsl();
    int lightness = hsl.lightness();
    QColor c = colour;
    while (contrast(c, background) < ratio && lightness > 0 && lightness < 255) {
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
