// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QRect>
#include <QTransform>

#include <algorithm>
#include <cmath>

// Maps the staff's and the keyboard's pixel grid, laid out for a 240-pixel
// handheld screen, onto device pixels at any zoom and device pixel ratio.
//
// A run of n grid pixels becomes round(n x factor) device pixels, never
// fewer than one, centred where the run falls. So every line of the same
// width is equally thick, every edge lands on a whole device pixel, and at
// factor 1 every pixel stays exactly where it is.
class PixelScale
{
public:
    constexpr explicit PixelScale(qreal factor = 1) : m_factor(factor) {}

    constexpr qreal factor() const { return m_factor; }
    constexpr bool isOne() const { return m_factor == 1; }

    // Device pixels of a run of n grid pixels.
    int length(int n) const { return std::max(1, int(std::floor(n * m_factor + 0.5))); }
    // First device pixel of the run of n grid pixels that starts at a.
    int start(int a, int n) const
    {
        return int(std::floor((a + n / 2.0) * m_factor - length(n) / 2.0 + 0.5));
    }
    // The device pixels of the grid cells [x, x + w) x [y, y + h).
    QRect cells(int x, int y, int w, int h) const
    {
        return QRect(start(x, w), start(y, h), length(w), length(h));
    }
    QRect cells(const QRect &grid) const
    {
        return cells(grid.x(), grid.y(), grid.width(), grid.height());
    }

    // A point of the grid, unsnapped, for shapes drawn smooth.
    QPointF map(QPointF p) const { return p * m_factor; }
    // Grid to device, with the grid origin at (x, y) of the grid.
    QTransform transform(qreal x = 0, qreal y = 0) const
    {
        return QTransform(m_factor, 0, 0, m_factor, x * m_factor, y * m_factor);
    }

private:
    qreal m_factor;
};
