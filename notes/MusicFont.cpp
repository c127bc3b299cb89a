// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes/MusicFont.h"

#include <QBitmap>
#include <QCollator>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRawFont>
#include <QStandardPaths>

#include <array>

namespace {

// The glyphs by their names in the font, in the order of MusicFont::Glyph.
constexpr std::array<const char *, 7> GlyphNames = {"clefs.G",
                                                    "clefs.F",
                                                    "clefs.C",
                                                    "noteheads.s2",
                                                    "accidentals.sharp",
                                                    "accidentals.flat",
                                                    "accidentals.natural"};

// The font's em is the height of its staff: four staff spaces.
constexpr qreal SpacesPerEm = 4;
// The design size whose strokes suit the program's bold glyphs best; the
// outlines scale freely.
const char FontName[] = "emmentaler-20";

// Where the font's OTF file and the SVG version that names its glyphs lie:
// <data dir>/lilypond/<version>/fonts/{otf,svg}/. The newest version wins.
QString findFontFile()
{
    const QStringList dataDirs =
        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    QCollator byVersion;
    byVersion.setNumericMode(true);
    for (const QString &dataDir : dataDirs) {
        QStringList versions = QDir(dataDir + QStringLiteral("/lilypond"))
                                   .entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        std::sort(versions.begin(), versions.end(),
                  [&](const QString &a, const QString &b) { return byVersion.compare(a, b) > 0; });
        for (const QString &version : versions) {
            const QString fonts =
                dataDir + QStringLiteral("/lilypond/") + version + QStringLiteral("/fonts/");
            const QString otf =
                fonts + QStringLiteral("otf/") + QLatin1String(FontName) + QStringLiteral(".otf");
            if (QFile::exists(otf) &&
                QFile::exists(fonts + QStringLiteral("svg/") + QLatin1String(FontName) +
                              QStringLiteral(".svg")))
                return otf;
        }
    }
    return QString();
}

QString svgBeside(const QString &otf)
{
    QString svg = otf;
    svg.replace(svg.lastIndexOf(QStringLiteral("/otf/")), 5, QStringLiteral("/svg/"));
    svg.chop(4);
    return svg + QStringLiteral(".svg");
}

// The value of attribute name inside tag, or an empty array.
QByteArray attribute(const QByteArray &tag, const QByteArray &name)
{
    const QByteArray key = ' ' + name + "=\"";
    const int from = tag.indexOf(key);
    if (from < 0)
        return QByteArray();
    const int start = from + key.size();
    const int end = tag.indexOf('"', start);
    return end < 0 ? QByteArray() : tag.mid(start, end - start);
}

// The code point that the SVG font gives the glyph called name, or 0. The
// SVG writes it as a character reference (&#xe085;) or as the character.
char32_t codePoint(const QByteArray &svg, const char *name)
{
    const int at = svg.indexOf(QByteArray("glyph-name=\"") + name + '"');
    if (at < 0)
        return 0;
    const int start = svg.lastIndexOf("<glyph", at);
    const int end = svg.indexOf('>', at);
    if (start < 0 || end < 0)
        return 0;
    const QByteArray value = attribute(svg.mid(start, end - start), "unicode");
    bool ok = false;
    char32_t cp = 0;
    if (value.startsWith("&#x") && value.endsWith(';'))
        cp = value.mid(3, value.size() - 4).toUInt(&ok, 16);
    else if (value.startsWith("&#") && value.endsWith(';'))
        cp = value.mid(2, value.size() - 3).toUInt(&ok, 10);
    else if (const QList<uint> ucs4 = QString::fromUtf8(value).toUcs4(); ucs4.size() == 1)
        return ucs4.first();
    return ok ? cp : 0;
}

struct Outlines
{
    QString file;
    std::array<QPainterPath, GlyphNames.size()> glyphs;
};

Outlines load()
{
    Outlines outlines;
    outlines.file = findFontFile();
    if (outlines.file.isEmpty())
        return outlines;
    QFile svgFile(svgBeside(outlines.file));
    if (!svgFile.open(QIODevice::ReadOnly))
        return outlines;
    const QByteArray svg = svgFile.readAll();
    constexpr qreal PixelSize = 1000;
    const QRawFont font(outlines.file, PixelSize);
    if (!font.isValid())
        return outlines;
    const QTransform toSpaces =
        QTransform::fromScale(SpacesPerEm / PixelSize, SpacesPerEm / PixelSize);
    for (size_t i = 0; i < GlyphNames.size(); ++i) {
        const char32_t cp = codePoint(svg, GlyphNames[i]);
        if (cp == 0)
            continue;
        const QList<quint32> indexes = font.glyphIndexesForString(QString::fromUcs4(&cp, 1));
        if (indexes.size() == 1 && indexes.first() != 0)
            outlines.glyphs[i] = toSpaces.map(font.pathForGlyph(indexes.first()));
    }
    return outlines;
}

const Outlines &outlines()
{
    // Loaded on first use: only a zoomed or high-density screen needs them.
    static const Outlines loaded = load();
    return loaded;
}

} // namespace

namespace MusicFont {

QPainterPath glyph(Glyph which)
{
    return outlines().glyphs[size_t(which)];
}

QString fontFile()
{
    return outlines().file;
}

QPainterPath traced(const QBitmap &bitmap)
{
    const QImage image = bitmap.toImage().convertToFormat(QImage::Format_Mono);
    QPainterPath path;
    for (int y = 0; y < image.height(); ++y) {
        int x = 0;
        while (x < image.width()) {
            if (image.pixelIndex(x, y) == 0) {
                ++x;
                continue;
            }
            const int run = x;
            while (x < image.width() && image.pixelIndex(x, y) != 0)
                ++x;
            path.addRect(run, y, x - run, 1);
        }
    }
    return path.simplified();
}

QPainterPath fitted(const QPainterPath &path, const QRectF &box, bool keepAspect)
{
    const QRectF from = path.boundingRect();
    if (from.isEmpty())
        return path;
    const qreal sy = box.height() / from.height();
    const qreal sx = keepAspect ? sy : box.width() / from.width();
    const qreal dx = box.center().x() - from.center().x() * sx;
    const qreal dy = box.center().y() - from.center().y() * sy;
    return QTransform(sx, 0, 0, sy, dx, dy).map(path);
}

} // namespace MusicFont
