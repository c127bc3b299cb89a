// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QList>
#include <QStringList>

// Dark runs along one column or row of a grabbed picture: how tests find
// staff lines, ledger lines, stems and heads at any zoom.
namespace InkRuns {

struct Run
{
    int start;
    int end; // one past the last pixel
    qreal middle() const { return (start + end) / 2.0; }
    int length() const { return end - start; }
};

inline bool isInk(QRgb p)
{
    return qGray(p) < 96;
}

// The runs of dark pixels along one column or one row of an image.
inline QList<Run> runs(const QImage &image, int fixed, Qt::Orientation along)
{
    QList<Run> found;
    const int size = along == Qt::Vertical ? image.height() : image.width();
    int start = -1;
    for (int i = 0; i <= size; ++i) {
        const bool ink = i < size && isInk(along == Qt::Vertical ? image.pixel(fixed, i)
                                                                 : image.pixel(i, fixed));
        if (ink && start < 0)
            start = i;
        if (!ink && start >= 0) {
            found << Run{start, i};
            start = -1;
        }
    }
    return found;
}

// The longest run of ink down a column: a clef's stroke rather than the
// staff lines that cross it.
inline Run longestRun(const QImage &image, int column)
{
    Run longest{0, 0};
    for (const Run &r : runs(image, column, Qt::Vertical)) {
        if (r.length() > longest.length())
            longest = r;
    }
    return longest;
}

inline QString describe(const QList<Run> &found)
{
    QStringList parts;
    for (const Run &r : found)
        parts << QStringLiteral("%1-%2").arg(r.start).arg(r.end);
    return parts.join(QLatin1Char(' '));
}

} // namespace InkRuns
