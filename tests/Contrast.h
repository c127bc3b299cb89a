// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QImage>

#include <algorithm>
#include <cmath>

// Contrast as the web's accessibility guidelines define it, measured on
// grabbed pictures: (L1 + 0.05) / (L2 + 0.05) of the relative luminances.
namespace Contrast {

inline double luminance(QRgb c)
{
    const auto linear = [](int v) {
        const double x = v / 255.0;
        return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

inline double ratio(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

inline bool isRed(QRgb c)
{
    return qRed(c) > qGreen(c) + 60 && qRed(c) > qBlue(c) + 60;
}

// Black stands out from it better than white.
inline bool isLight(QRgb c)
{
    return ratio(c, qRgb(0, 0, 0)) > ratio(c, qRgb(255, 255, 255));
}

// The commonest colour in rect of those wanted accepts, 0 if none: a shape's
// own colour, whose smoothed edges are each rarer.
template <typename Wanted> QRgb commonest(const QImage &image, QRect rect, Wanted wanted)
{
    QHash<QRgb, int> counts;
    rect &= image.rect();
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (wanted(image.pixel(x, y)))
                ++counts[image.pixel(x, y)];
        }
    }
    const auto best = std::max_element(counts.cbegin(), counts.cend());
    return best == counts.cend() ? 0 : best.key();
}

// The pixel in rect that stands out most from ground: smoothed text's own colour.
inline QRgb strongest(const QImage &image, QRect rect, QRgb ground)
{
    QRgb best = ground;
    rect &= image.rect();
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (ratio(image.pixel(x, y), ground) > ratio(best, ground))
                best = image.pixel(x, y);
        }
    }
    return best;
}

} // namespace Contrast
