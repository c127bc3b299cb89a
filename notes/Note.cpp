// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes/Note.h"

#include "notes/MusicFont.h"

#include <QBitmap>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include <utility>

namespace {

// Glyphs in XBM layout: two bytes per row, least significant bit leftmost.
const uchar note_bits[] = {0xE0, 0x01, 0xF8, 0x03, 0xFC, 0x07, 0xFE, 0x07, 0xFF, 0x07,
                           0xFF, 0x07, 0xFF, 0x03, 0xFF, 0x01, 0xFE, 0x00, 0x3C, 0x00};

const uchar flat_bits[] = {0x04, 0x00, 0x04, 0x00, 0x04, 0x00, 0x04, 0x00, 0x04, 0x00,
                           0x04, 0x00, 0x04, 0x00, 0x04, 0x00, 0x04, 0x00, 0x04, 0x00,
                           0x34, 0x00, 0x7C, 0x00, 0xCC, 0x00, 0x84, 0x00, 0x84, 0x00,
                           0xC4, 0x00, 0x44, 0x00, 0x34, 0x00, 0x1C, 0x00, 0x04, 0x00};

const uchar sharp_bits[] = {0x00, 0x00, 0x40, 0x00, 0x40, 0x00, 0x48, 0x00, 0x48, 0x00,
                            0xC8, 0x01, 0xF8, 0x00, 0x7C, 0x00, 0x4E, 0x00, 0x48, 0x00,
                            0x48, 0x00, 0xC8, 0x01, 0xF8, 0x00, 0x7C, 0x00, 0x4E, 0x00,
                            0x48, 0x00, 0x48, 0x00, 0x48, 0x00, 0x08, 0x00, 0x00, 0x00};

constexpr QSize NoteGlyphSize(NoteWidth, 10);
constexpr QSize SignGlyphSize(10, 20);
// Where the signs' bitmaps have ink: the sharp's strokes and bars, the flat's
// stem and bowl.
constexpr QRectF SharpInk(1, 1, 8, 18);
constexpr QRectF FlatInk(2, 0, 6, 20);

// Sign offsets from the head's top-left corner.
constexpr int SignDx = -9;
constexpr int SharpDy = -4;
constexpr int FlatDy = -8;

// Staff steps: 1, 3, ... 9 are the five lines, counted from the bottom one.
constexpr int LineGap = 2 * StaffPitch;
constexpr int TopLineStep = 9;
constexpr int BassShift = 12; // bass staff steps are treble positions moved up by 12

// Ledger lines run two pixels either side of the head.
constexpr int LedgerLeft = -2;
constexpr int LedgerRight = NoteWidth + 2;

// Stems start inside the head: at its right side two rows down in the
// treble clef, at its left edge in its middle row in the bass clef.
constexpr int TrebleStemDx = 9;
constexpr int TrebleStemDy = 2;
constexpr int BassStemDy = 5;

// The cross over a wrong note spans the head and three pixels either side.
constexpr int CrossLeft = -3;
constexpr int CrossRight = NoteWidth + 3;
constexpr int CrossHeight = 10;
constexpr int CrossPenWidth = 2;

void drawLedgerLine(QPainter &painter, const PixelScale &scale, int x, int row)
{
    painter.fillRect(scale.cells(x + LedgerLeft, row, LedgerRight - LedgerLeft + 1, 1), Qt::black);
}

// Lines for a note above or below the staff, whose bottom line is at row y.
void drawLedgerLines(QPainter &painter, const PixelScale &scale, int y, int x, int step)
{
    const int topLine = y - (TopLineStep - 1) * StaffPitch;
    if (step < 0) {
        // Down to the note and never beyond it: a note in a space below the
        // staff hangs from the line above it.
        for (int i = 1; i <= (1 - step) / 2; ++i)
            drawLedgerLine(painter, scale, x, y + LineGap * i);
    } else if (step > TopLineStep + 1) {
        // Up to the note: a note in a space above the staff has none over it.
        for (int i = 1; i <= (step - TopLineStep) / 2; ++i)
            drawLedgerLine(painter, scale, x, topLine - LineGap * i);
    }
}

// The stem's direction depends on the clef alone, never on the note's height.
// Both of its end points are drawn.
void drawStem(QPainter &painter, const PixelScale &scale, int x, int top, bool treble)
{
    if (treble) {
        const int foot = top + TrebleStemDy;
        painter.fillRect(
            scale.cells(x + TrebleStemDx, foot - NoteLineLength, 1, NoteLineLength + 1), Qt::black);
    } else {
        painter.fillRect(scale.cells(x, top + BassStemDy, 1, NoteLineLength + 1), Qt::black);
    }
}

// Leaves the painter with the red pen, so the label that follows is red too.
void drawCross(QPainter &painter, const PixelScale &scale, int x, int top)
{
    const QPointF a(x + CrossLeft, top), b(x + CrossRight, top + CrossHeight);
    const QPointF c(x + CrossLeft, top + CrossHeight), d(x + CrossRight, top);
    if (scale.isOne()) {
        painter.setPen(QPen(Qt::red, CrossPenWidth));
        painter.drawLine(a, b);
        painter.drawLine(c, d);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::red, CrossPenWidth * scale.factor()));
    painter.drawLine(scale.map(a), scale.map(b));
    painter.drawLine(scale.map(c), scale.map(d));
    painter.restore();
    painter.setPen(QPen(Qt::red, CrossPenWidth));
}

QBitmap *selfMaskedBitmap(const uchar *bits, QSize size)
{
    auto *bm = new QBitmap(QBitmap::fromData(size, bits, QImage::Format_MonoLSB));
    bm->setMask(*bm);
    return bm;
}

struct Outlines
{
    QPainterPath head;
    QPainterPath sharp;
    QPainterPath flat;
};

// The glyphs' outlines, relative to their bitmaps' top-left corners. They
// fill the box the bitmap's ink fills, so the look stays the same; the head,
// and the signs with it, moves down half a pixel to sit centred on its line
// or space, which the bitmap can only do to the nearest pixel.
Outlines makeOutlines()
{
    using namespace MusicFont;
    Outlines o;
    o.head = fitted(glyph(NoteHead), QRectF(0, 0.5, NoteGlyphSize.width(), NoteGlyphSize.height()),
                    false);
    o.sharp = fitted(glyph(Sharp), SharpInk.translated(0, 0.5), true);
    o.flat = fitted(glyph(Flat), FlatInk.translated(0, 0.5), true);
    if (o.head.isEmpty() || o.sharp.isEmpty() || o.flat.isEmpty()) {
        // No music font: the bitmaps' own pixels, sharp-edged at any size.
        o.head = traced(QBitmap::fromData(NoteGlyphSize, note_bits, QImage::Format_MonoLSB));
        o.sharp = traced(QBitmap::fromData(SignGlyphSize, sharp_bits, QImage::Format_MonoLSB));
        o.flat = traced(QBitmap::fromData(SignGlyphSize, flat_bits, QImage::Format_MonoLSB));
    }
    return o;
}

const Outlines &outlines()
{
    static const Outlines made = makeOutlines();
    return made;
}

// A glyph whose bitmap has its top-left corner at (x, y): the bitmap itself
// at its own size, else its smooth outline.
void drawGlyph(QPainter &painter, const PixelScale &scale, int x, int y, const QBitmap &bitmap,
               QPainterPath Outlines::*outline)
{
    if (scale.isOne()) {
        painter.drawPixmap(x, y, bitmap);
        return;
    }
    const bool smooth = painter.testRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(scale.transform(x, y).map(outlines().*outline), Qt::black);
    painter.setRenderHint(QPainter::Antialiasing, smooth);
}

} // namespace

QBitmap *Note::noteBm = nullptr;
QBitmap *Note::flatBm = nullptr;
QBitmap *Note::sharpBm = nullptr;

Note::Note() : Note('D', 0, 0, 0, QString()) {}

Note::Note(char name, int offset, int frequency, int position, QString file)
    : m_name(name), m_offset(offset), m_frequency(frequency), m_position(position),
      m_file(std::move(file)), m_fileLatin1(m_file.toLatin1())
{}

Note::Note(const Note &other) = default;
Note &Note::operator=(const Note &other) = default;

Note::~Note()
{
    releaseGlyphs();
}

QPainterPath Note::headOutline()
{
    return outlines().head;
}

QPainterPath Note::sharpOutline()
{
    return outlines().sharp.translated(SignDx, SharpDy);
}

void Note::createGlyphs()
{
    noteBm = selfMaskedBitmap(note_bits, NoteGlyphSize);
    flatBm = selfMaskedBitmap(flat_bits, SignGlyphSize);
    sharpBm = selfMaskedBitmap(sharp_bits, SignGlyphSize);
    // The catalogue outlives the application object, and a pixmap must not
    // die after it: release the glyphs while the application still exists.
    static bool cleanupRegistered = false;
    if (!cleanupRegistered) {
        qAddPostRoutine(&Note::releaseGlyphs);
        cleanupRegistered = true;
    }
}

void Note::releaseGlyphs()
{
    if (!noteBm)
        return;
    if (!QGuiApplication::instance()) {
        // Too late to free pixmap data safely; the process is ending anyway.
        noteBm = flatBm = sharpBm = nullptr;
        return;
    }
    delete noteBm;
    delete flatBm;
    delete sharpBm;
    noteBm = flatBm = sharpBm = nullptr;
}

void Note::draw(int y, int x, bool treble, QPainter &painter, bool correct, bool flat,
                const PixelScale &scale)
{
    if (!noteBm)
        createGlyphs();

    painter.setPen(QPen(Qt::black, 1));

    const bool blackKey = m_offset == 1;
    const bool writtenFlat = blackKey && flat;
    // Written as a flat, a black key stands at the step of the natural above.
    const int step = (treble ? m_position : m_position + BassShift) + (writtenFlat ? 1 : 0);
    const int top = y - StaffPitch * step;

    if (blackKey) {
        if (writtenFlat)
            drawGlyph(painter, scale, x + SignDx, top + FlatDy, *flatBm, &Outlines::flat);
        else
            drawGlyph(painter, scale, x + SignDx, top + SharpDy, *sharpBm, &Outlines::sharp);
    }
    drawGlyph(painter, scale, x, top, *noteBm, &Outlines::head);
    drawLedgerLines(painter, scale, y, x, step);
    drawStem(painter, scale, x, top, treble);
    if (!correct)
        drawCross(painter, scale, x, top);
}
