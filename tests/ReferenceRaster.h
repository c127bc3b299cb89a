// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRegion>
#include <QString>

// Pixel setting for the reference images. Lines and rectangles are set pixel
// by pixel from what the raster painter is known to cover, so that a
// reference image is built by another route than the widget's own painting.
namespace ReferenceRaster {

constexpr QRgb Background = 0xffefefef; // the palette's window colour
constexpr QRgb Black = 0xff000000;
constexpr QRgb Gray = 0xffa0a0a4; // the toolkit's predefined gray

QImage blank(int width, int height);
void plot(QImage &image, int x, int y, QRgb colour); // clipped to the image

// A 1-pixel line covers both of its end points.
void horizontalLine(QImage &image, int x1, int x2, int y, QRgb colour);
void verticalLine(QImage &image, int x, int y1, int y2, QRgb colour);
// A 2-pixel pen along column x covers columns x - 1 and x, and its square
// cap reaches one pixel past the upper end.
void thickVerticalLine(QImage &image, int x, int y1, int y2, QRgb colour);
// An outline rectangle (x, y, w, h) covers (w + 1) x (h + 1) pixels; with a
// brush of the pen's colour, all of them.
void rectangleOutline(QImage &image, int x, int y, int w, int h, QRgb colour);
void filledRectangle(QImage &image, int x, int y, int w, int h, QRgb colour);
// Sets the '#' cells of a picture written as rows of '#' and '.'.
void stamp(QImage &image, int x, int y, const char *const *rows, int rowCount, QRgb colour);

// Empty when the images agree outside skip, where no channel may differ by
// more than tolerance; otherwise says how many pixels differ and where the
// first one is. With VELKARO_PIXEL_DUMP naming a folder, both images are
// saved there as <tag>-actual.png and <tag>-expected.png on a mismatch.
QString differences(const QImage &actual, const QImage &expected, const QRegion &skip = {},
                    int tolerance = 0, const QString &tag = QString());

} // namespace ReferenceRaster
