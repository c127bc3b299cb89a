// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes/Note.h"

#include "notes/NoteGlyphs.h"

#include <QPainter>
#include <QPainterPath>

#include <cstdlib>
#include <utility>

namespace {

constexpr int NoteHeight = 10;    // rows of the note-head glyph
constexpr QSize SignSize(10, 20); // the sharp's and the flat's glyphs

// Sign offsets from the head's top-left corner.
constexpr int SignDx = -9;
constexpr int SharpDy = -4;
constexpr int FlatDy = -8;
// A double sharp or flat is its sign twice, the second this far left of the first.
constexpr int DoubleSignDx = -7;

// Staff steps: 1, 3, ... 9 are the five lines, counted from the bottom one.
constexpr int LineGap = 2 * StaffPitch;
constexpr int TopLineStep = Note::TopLineStep;
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

void drawLedgerLine(QPainter &painter, const PixelScale &scale, int x, int row, const QColor &ink)
{
    painter.fillRect(scale.cells(x + LedgerLeft, row, LedgerRight - LedgerLeft + 1, 1), ink);
}

// Lines for a note above or below the staff, whose bottom line is at row y.
void drawLedgerLines(QPainter &painter, const PixelScale &scale, int y, int x, int step,
                     const QColor &ink)
{
    const int topLine = y - (TopLineStep - 1) * StaffPitch;
    // Down to the note and never beyond it: a note in a space below the
    // staff hangs from the line above it, and one in a space above the
    // staff has none over it.
    for (int i = 1; i <= Note::ledgerLines(step); ++i)
        drawLedgerLine(painter, scale, x, step < 0 ? y + LineGap * i : topLine - LineGap * i, ink);
}

// An up stem rises from the head's right side, a down stem falls from its
// left edge; both of its end points are drawn.
QRect stemCells(int x, int top, bool up)
{
    if (up)
        return QRect(x + TrebleStemDx, top + TrebleStemDy - NoteLineLength, 1, NoteLineLength + 1);
    return QRect(x, top + BassStemDy, 1, NoteLineLength + 1);
}

bool stemGoesUp(bool treble, Note::Stem stem)
{
    return stem == Note::Stem::ForClef ? treble : stem == Note::Stem::Up;
}

// Leaves the painter with the mark's pen, so the label that follows is red too.
void drawCross(QPainter &painter, const PixelScale &scale, int x, int top, const QColor &mark)
{
    const QPointF a(x + CrossLeft, top), b(x + CrossRight, top + CrossHeight);
    const QPointF c(x + CrossLeft, top + CrossHeight), d(x + CrossRight, top);
    if (scale.isOne()) {
        painter.setPen(QPen(mark, CrossPenWidth));
        painter.drawLine(a, b);
        painter.drawLine(c, d);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(mark, CrossPenWidth * scale.factor()));
    painter.drawLine(scale.map(a), scale.map(b));
    painter.drawLine(scale.map(c), scale.map(d));
    painter.restore();
    painter.setPen(QPen(mark, CrossPenWidth));
}

// A glyph whose bitmap has its top-left corner at (x, y): the bitmap itself
// at its own size, else its smooth outline.
void drawGlyph(QPainter &painter, const PixelScale &scale, int x, int y,
               const NoteGlyphs::Glyph &glyph, const QColor &ink)
{
    if (scale.isOne()) {
        painter.drawPixmap(x, y, glyph.bitmap);
        return;
    }
    const bool smooth = painter.testRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(scale.transform(x, y).map(glyph.outline), ink);
    painter.setRenderHint(QPainter::Antialiasing, smooth);
}

} // namespace

Note::Note() : Note('D', 0, 0, 0, QString()) {}

Note::Note(char name, int offset, int frequency, int position, QString file)
    : m_name(name), m_offset(offset), m_frequency(frequency), m_position(position),
      m_file(std::move(file)), m_fileLatin1(m_file.toLatin1())
{}

void Note::draw(int y, int x, bool treble, QPainter &painter, bool correct, bool flat,
                const PixelScale &scale, const Ink &ink, Stem stem) const
{
    drawPlaced(y, x, placed(treble, correct, flat, stem), painter, scale, ink);
}

QRect Note::extent(int y, int x, bool treble, bool correct, bool flat, Stem stem) const
{
    return placedExtent(y, x, placed(treble, correct, flat, stem));
}

int Note::step(bool treble, bool flat) const
{
    // Written as a flat, a black key stands at the step of the natural above.
    const bool writtenFlat = m_offset == 1 && flat;
    return (treble ? m_position : m_position + BassShift) + (writtenFlat ? 1 : 0);
}

Note::Placed Note::placed(bool treble, bool correct, bool flat, Stem stem) const
{
    Placed p;
    p.step = step(treble, flat);
    if (m_offset == 1)
        p.sign = flat ? -1 : 1;
    p.stemUp = stemGoesUp(treble, stem);
    p.correct = correct;
    return p;
}

void Note::drawPlaced(int y, int x, const Placed &note, QPainter &painter, const PixelScale &scale,
                      const Ink &ink)
{
    const NoteGlyphs &glyphs = NoteGlyphs::instance();
    painter.setPen(QPen(ink.text, 1));
    const int top = headTop(y, note.step);
    if (note.sign)
        drawSign(*note.sign, x, top, painter, scale, ink);
    drawGlyph(painter, scale, x, top, glyphs.head, ink.text);
    drawLedgerLines(painter, scale, y, x, note.step, ink.text);
    painter.fillRect(scale.cells(stemCells(x, top, note.stemUp)), ink.text);
    if (!note.correct)
        drawCross(painter, scale, x, top, ink.mark);
}

QRect Note::placedExtent(int y, int x, const Placed &note)
{
    const int step = note.step;
    const int top = headTop(y, step);
    QRect covered(x, top, NoteWidth, NoteHeight);
    if (note.sign)
        covered |= signExtent(*note.sign, x, top);
    // Ledger lines run between the staff and the head, which covers the
    // last of them.
    const int topLine = y - (TopLineStep - 1) * StaffPitch;
    const QRect ledger(x + LedgerLeft, 0, LedgerRight - LedgerLeft + 1, 1);
    if (step < 0)
        covered |= ledger.translated(0, y + LineGap);
    else if (step > TopLineStep + 1)
        covered |= ledger.translated(0, topLine - LineGap);
    covered |= stemCells(x, top, note.stemUp);
    // The cross's two-pixel pen reaches a pixel beyond its ends.
    if (!note.correct)
        covered |= QRect(QPoint(x + CrossLeft - 1, top - 1),
                         QPoint(x + CrossRight + 1, top + CrossHeight + 1));
    return covered;
}

void Note::drawSign(int alteration, int x, int top, QPainter &painter, const PixelScale &scale,
                    const Ink &ink)
{
    const NoteGlyphs &glyphs = NoteGlyphs::instance();
    const NoteGlyphs::Glyph &glyph = alteration > 0   ? glyphs.sharp
                                     : alteration < 0 ? glyphs.flat
                                                      : glyphs.natural;
    const int dy = alteration < 0 ? FlatDy : SharpDy;
    painter.setPen(QPen(ink.text, 1));
    drawGlyph(painter, scale, x + SignDx, top + dy, glyph, ink.text);
    if (std::abs(alteration) > 1)
        drawGlyph(painter, scale, x + SignDx + DoubleSignDx, top + dy, glyph, ink.text);
}

QPainterPath Note::signPath(int alteration, qreal x, qreal top)
{
    const NoteGlyphs &glyphs = NoteGlyphs::instance();
    const NoteGlyphs::Glyph &glyph = alteration > 0   ? glyphs.sharp
                                     : alteration < 0 ? glyphs.flat
                                                      : glyphs.natural;
    QPainterPath path =
        glyph.outline.translated(x + SignDx, top + (alteration < 0 ? FlatDy : SharpDy));
    if (std::abs(alteration) > 1)
        path += path.translated(DoubleSignDx, 0);
    return path;
}

QRect Note::signExtent(int alteration, int x, int top)
{
    const QRect ink = alteration > 0   ? NoteGlyphs::SharpInk
                      : alteration < 0 ? NoteGlyphs::FlatInk
                                       : NoteGlyphs::NaturalInk;
    const int dy = alteration < 0 ? FlatDy : SharpDy;
    QRect covered = ink.translated(x + SignDx, top + dy);
    if (std::abs(alteration) > 1)
        covered |= covered.translated(DoubleSignDx, 0);
    return covered;
}
