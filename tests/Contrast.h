// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QImage>
#include <QRect>

#include <algorithm>
#include <cmath>

// Contrast as the web's accessibility guidelines measure it, taken from
// grabbed pictures: relative luminance of the sRGB colours, and the ratio
// (L1 + 0.05) / (L2 + 0.05) of the lighter to the darker.
namespace Contrast {

inline double luminance(QRgb colour)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) +
           0.0722 * linear(qBlue(colour));
}

inline double ratio(QRgb a, QRgb b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Red enough to be read as the red of a wrong answer.
inline bool isRed(QRgb colour)
{
    return qRed(colour) > qGreen(colour) + 60 && qRed(colour) > qBlue(colour) + 60;
}

// Black text stands out from it better than white.
inline bool isLight(QRgb colour)
{
    return ratio(colour, qRgb(0, 0, 0)) > ratio(colour, qRgb(255, 255, 255));
}

// The colour most pixels of rect have among those that wanted accepts; 0
// when it accepts none. Where a shape's edges are smoothed, its own colour
// is still the commonest.
template <typename Wanted> QRgb commonest(const QImage &image, const QRect &rect, Wanted wanted)
{
    QHash<QRgb, int> counts;
    const QRect inside = rect & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (wanted(p))
                ++counts[p];
        }
    }
    QRgb best = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            best = it.key();
        }
    }
    return best;
}

// The pixel of rect that stands out most from ground: for smoothed text,
// the colour it is written in.
inline QRgb strongest(const QImage &image, const QRect &rect, QRgb ground)
{
    QRgb best = ground;
    const QRect inside = rect & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (ratio(p, ground) > ratio(best, ground))
                best = p;
        }
    }
    return best;
}

} // namespace Contrast
