// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes/Note.h"

#include <QBitmap>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>

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

// Sign offsets from the head's top-left corner.
constexpr int SignDx = -9;
constexpr int SharpDy = -4;
constexpr int FlatDy = -8;

// Ledger lines run two pixels either side of the head.
constexpr int LedgerLeft = -2;
constexpr int LedgerRight = NoteWidth + 2;
constexpr int LineGap = 2 * StaffPitch;
constexpr int StaffTopStep = 10;
constexpr int BassShift = 12; // bass staff steps are treble positions moved up by 12

// The cross over a wrong note spans the head and three pixels either side.
constexpr int CrossLeft = -3;
constexpr int CrossRight = NoteWidth + 3;
constexpr int CrossHeight = 10;

QBitmap *selfMaskedBitmap(const uchar *bits, QSize size)
{
    auto *bm = new QBitmap(QBitmap::fromData(size, bits, QImage::Format_MonoLSB));
    bm->setMask(*bm);
    return bm;
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

void Note::draw(int y, int x, bool treble, QPainter &painter, bool correct, bool flat)
{
    if (!noteBm)
        createGlyphs();

    painter.setPen(QPen(Qt::black, 1));

    const bool blackKey = m_offset == 1;
    int step = treble ? m_position : m_position + BassShift;
    if (blackKey && flat)
        ++step; // written as the flat of the natural note above
    const int top = y - StaffPitch * step;

    if (blackKey) {
        if (flat)
            painter.drawPixmap(x + SignDx, top + FlatDy, *flatBm);
        else
            painter.drawPixmap(x + SignDx, top + SharpDy, *sharpBm);
    }
    painter.drawPixmap(x, top, *noteBm);

    if (step < 0) {
        const int lines = 1 - step / 2;
        for (int i = 1; i <= lines; ++i)
            painter.drawLine(x + LedgerLeft, y + LineGap * i, x + LedgerRight, y + LineGap * i);
    } else if (step > StaffTopStep) {
        const int lines = (step - 9) / 2;
        const int staffTop = y - 4 * LineGap;
        for (int i = 1; i <= lines; ++i)
            painter.drawLine(x + LedgerLeft, staffTop - LineGap * i, x + LedgerRight,
                             staffTop - LineGap * i);
    }

    // Stems go up on the right in the treble clef and down on the left in the bass clef.
    if (treble)
        painter.drawLine(x + 9, top + 2, x + 9, top + 2 - NoteLineLength);
    else
        painter.drawLine(x, top + 5, x, top + 5 + NoteLineLength);

    if (!correct) {
        painter.setPen(QPen(Qt::red, 2));
        painter.drawLine(x + CrossLeft, top, x + CrossRight, top + CrossHeight);
        painter.drawLine(x + CrossLeft, top + CrossHeight, x + CrossRight, top);
    }
}
