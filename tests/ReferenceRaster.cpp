// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReferenceRaster.h"

#include <QDir>

#include <algorithm>
#include <cstdlib>

namespace ReferenceRaster {

QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Background);
    return image;
}

void plot(QImage &image, int x, int y, QRgb colour)
{
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height())
        image.setPixel(x, y, colour);
}

void horizontalLine(QImage &image, int x1, int x2, int y, QRgb colour)
{
    for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x)
        plot(image, x, y, colour);
}

void verticalLine(QImage &image, int x, int y1, int y2, QRgb colour)
{
    for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
        plot(image, x, y, colour);
}

void thickVerticalLine(QImage &image, int x, int y1, int y2, QRgb colour)
{
    verticalLine(image, x - 1, std::min(y1, y2) - 1, std::max(y1, y2), colour);
    verticalLine(image, x, std::min(y1, y2) - 1, std::max(y1, y2), colour);
}

void rectangleOutline(QImage &image, int x, int y, int w, int h, QRgb colour)
{
    horizontalLine(image, x, x + w, y, colour);
    horizontalLine(image, x, x + w, y + h, colour);
    verticalLine(image, x, y, y + h, colour);
    verticalLine(image, x + w, y, y + h, colour);
}

void filledRectangle(QImage &image, int x, int y, int w, int h, QRgb colour)
{
    for (int row = y; row <= y + h; ++row)
        horizontalLine(image, x, x + w, row, colour);
}

void stamp(QImage &image, int x, int y, const char *const *rows, int rowCount, QRgb colour)
{
    for (int r = 0; r < rowCount; ++r) {
        for (int c = 0; rows[r][c]; ++c) {
            if (rows[r][c] == '#')
                plot(image, x + c, y + r, colour);
        }
    }
}

QString differences(const QImage &actual, const QImage &expected, const QRegion &skip,
                    int tolerance, const QString &tag)
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    QString first;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (skip.contains(QPoint(x, y)))
                continue;
            const QRgb p = a.pixel(x, y);
            const QRgb q = expected.pixel(x, y);
            const int worst =
                std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q))});
            if (worst <= tolerance)
                continue;
            if (count++ == 0)
                first = QStringLiteral("first at (%1, %2): #%3, expected #%4")
                            .arg(x)
                            .arg(y)
                            .arg(p & 0xffffff, 6, 16, QLatin1Char('0'))
                            .arg(q & 0xffffff, 6, 16, QLatin1Char('0'));
        }
    }
    if (count == 0)
        return QString();
    const QString dumpDir = qEnvironmentVariable("VELKARO_PIXEL_DUMP");
    if (!dumpDir.isEmpty() && !tag.isEmpty()) {
        QDir().mkpath(dumpDir);
        a.save(dumpDir + QLatin1Char('/') + tag + QStringLiteral("-actual.png"));
        expected.save(dumpDir + QLatin1Char('/') + tag + QStringLiteral("-expected.png"));
    }
    return QStringLiteral("%1 pixels differ, %2").arg(count).arg(first);
}

} // namespace ReferenceRaster
