// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QList>
#include <QRect>

class QFont;

// What the staff strip must look like, worked out from the written layout
// of the staff and of one note, without the program's own code or tables.
namespace ReferenceStaff {

constexpr int Height = 120;
constexpr int BottomLine = 85;
constexpr int LabelBoxWidth = 13;
constexpr int LabelBoxHeight = 12;

struct Slot
{
    int note; // signed: -k is black key k written as a flat
    bool right = true;
};

// A clef image alone, black on the window colour.
QImage clef(bool treble);

int slotX(int slot);
// Where a slot's letter may put ink: 13 pixels from the slot's left edge, in
// the strip's bottom rows.
QRect labelBox(int slot);
QChar labelLetter(int note);

// Which way a stem goes: up on the head's right as in the treble clef, or
// down on its left as in the bass clef.
enum class Stem { ForClef, Up, Down };

// One note as it is drawn with the bottom staff line at row y and the head's
// left edge at column x; number is a catalogue key.
void drawNote(QImage &image, int y, int x, bool treble, int number, bool right, bool flat,
              Stem stem = Stem::ForClef);

// How a note is shown on the strip: whole with its clef's stem, whole with
// its stem turned (where the clef's would leave the strip), or not at all.
// Worked out by drawing the note on a taller picture and looking for ink
// beyond the strip.
enum class Shown { Whole, Turned, Not };
Shown shown(bool treble, int number, bool right, bool flat);

// The whole strip. With a label font, each slot's letter follows its note,
// in black or, for a wrong note, in red.
QImage render(int width, bool treble, const QList<Slot> &row, const QFont *labelFont = nullptr);

// The empty strip with a key signature of this many sharps (positive) or
// flats (negative), and where the head of the first note of a row stands
// after it.
QImage renderSignature(int width, bool treble, int fifths);
int firstSlotAfterSignature(int fifths);

} // namespace ReferenceStaff
