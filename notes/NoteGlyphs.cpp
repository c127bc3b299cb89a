// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes/NoteGlyphs.h"

#include "notes/MusicFont.h"
#include "notes/Note.h"

#include <QCoreApplication>

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

// Two strokes, the left one higher, joined by two thick bars rising to the
// right as the sharp's do.
const uchar natural_bits[] = {0x00, 0x00, 0x08, 0x00, 0x08, 0x00, 0x08, 0x00, 0x08, 0x00,
                              0x48, 0x00, 0x68, 0x00, 0x78, 0x00, 0x58, 0x00, 0x48, 0x00,
                              0x48, 0x00, 0x68, 0x00, 0x78, 0x00, 0x58, 0x00, 0x48, 0x00,
                              0x40, 0x00, 0x40, 0x00, 0x40, 0x00, 0x40, 0x00, 0x00, 0x00};

constexpr QSize NoteGlyphSize(NoteWidth, 10);
constexpr QSize SignGlyphSize(10, 20);

NoteGlyphs *made = nullptr;

QBitmap selfMasked(const uchar *bits, QSize size)
{
    QBitmap bm = QBitmap::fromData(size, bits, QImage::Format_MonoLSB);
    bm.setMask(bm);
    return bm;
}

} // namespace

// The outlines fill the box the bitmap's ink fills, so the look stays the
// same; the head, and the signs with it, moves down half a pixel to sit
// centred on its line or space, which the bitmap can only do to the nearest
// pixel.
NoteGlyphs::NoteGlyphs()
{
    using namespace MusicFont;
    head.bitmap = selfMasked(note_bits, NoteGlyphSize);
    flat.bitmap = selfMasked(flat_bits, SignGlyphSize);
    sharp.bitmap = selfMasked(sharp_bits, SignGlyphSize);
    natural.bitmap = selfMasked(natural_bits, SignGlyphSize);
    head.outline = fitted(glyph(NoteHead),
                          QRectF(0, 0.5, NoteGlyphSize.width(), NoteGlyphSize.height()), false);
    sharp.outline = fitted(glyph(Sharp), QRectF(SharpInk).translated(0, 0.5), true);
    flat.outline = fitted(glyph(Flat), QRectF(FlatInk).translated(0, 0.5), true);
    natural.outline = fitted(glyph(Natural), QRectF(NaturalInk).translated(0, 0.5), true);
    if (head.outline.isEmpty() || sharp.outline.isEmpty() || flat.outline.isEmpty() ||
        natural.outline.isEmpty()) {
        // No music font: the bitmaps' own pixels, sharp-edged at any size.
        head.outline = traced(QBitmap::fromData(NoteGlyphSize, note_bits, QImage::Format_MonoLSB));
        sharp.outline =
            traced(QBitmap::fromData(SignGlyphSize, sharp_bits, QImage::Format_MonoLSB));
        flat.outline = traced(QBitmap::fromData(SignGlyphSize, flat_bits, QImage::Format_MonoLSB));
        natural.outline =
            traced(QBitmap::fromData(SignGlyphSize, natural_bits, QImage::Format_MonoLSB));
    }
}

const NoteGlyphs &NoteGlyphs::instance()
{
    if (!made) {
        made = new NoteGlyphs;
        static bool releaseRegistered = false;
        if (!releaseRegistered) {
            qAddPostRoutine(&NoteGlyphs::release);
            releaseRegistered = true;
        }
    }
    return *made;
}

bool NoteGlyphs::exist()
{
    return made != nullptr;
}

void NoteGlyphs::release()
{
    delete made;
    made = nullptr;
}
