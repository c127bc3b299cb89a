// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/Note.h"

// Pixel layout of the staff strip.
namespace StaffGeometry {

constexpr int Height = 120; // fixed height of the strip
// Rows a zoomed staff gains above and under the strip, for the notes beyond
// the staff that a MIDI keyboard reaches: under the treble staff, C3 with
// its four ledger lines; over the bass staff, C sharp 5 over four ledger
// lines, and under it C2 with its stem. (Notes above the treble staff and
// below the bass staff go no further than the strip does.)
constexpr int TrebleRoomBelow = 16;
constexpr int BassRoomAbove = 10;
constexpr int BassRoomBelow = 12;
constexpr int BottomLineBelowMiddle = 25; // bottom staff line, below the strip's middle
constexpr int LineGap = 2 * StaffPitch;
constexpr int StaffLines = 5;
constexpr int TrebleClefAboveMiddle = 30; // top of the treble clef image
constexpr int BassClefAboveMiddle = 13;   // top of the bass clef image
// The C clef, a line gap to a staff space of the music font's, is 27 columns
// wide: it starts a column clear of the bar line, and what follows it (the
// key signature, the first note) moves right by the columns it takes
// beyond the treble clef.
constexpr int CClefLeft = 3;
constexpr int CClefExtraRoom = 5;
constexpr int BarLineWidth = 2;
constexpr int BarLineInset = 1; // bar lines stand this far in from either edge
constexpr int FirstSlotX = 35;  // head of the first note
constexpr int SlotWidth = 20;
constexpr int LabelGap = 2; // least room between the names of neighbouring notes
constexpr int InitialSlots = 15;

// A key signature stands after the clef: its signs where the sign of a head
// at these columns would stand, the first SignatureHeadFromClef right of
// the clef's left edge, and each next one an advance further; the first
// note of a row moves right by the signature's room.
constexpr int SignatureHeadFromClef = 38;
constexpr int SharpAdvance = 9;
constexpr int FlatAdvance = 8;
constexpr int SignatureGap = 4;

constexpr int signatureAdvance(int fifths)
{
    return fifths > 0 ? SharpAdvance : FlatAdvance;
}
constexpr int signatureRoom(int fifths)
{
    const int signs = fifths < 0 ? -fifths : fifths;
    return signs == 0 ? 0 : signs * signatureAdvance(fifths) + SignatureGap;
}

// The grand staff: a brace and a common bar line at the left, the treble
// staff over the bass staff with room for C4's ledger line and B3 between
// them, for B5 and its stem above, for C2 with its stem below, and the names
// under it all.
constexpr int GrandHeight = 240;
constexpr int GrandTrebleBottomLine = 90;
constexpr int GrandBassBottomLine = 170;
constexpr int GrandBraceLeft = 1;
constexpr int GrandBraceWidth = 9;
constexpr int GrandBarLineX = 12; // the common bar line covers this column and the one before
constexpr int GrandClefX = 14;
constexpr int GrandFirstSlotX = 50;

// How many notes fit in a row on a staff this wide (never fewer than one).
constexpr int capacityFor(int width, int firstSlotX = FirstSlotX)
{
    const int fit = (width - firstSlotX) / SlotWidth;
    return fit < 1 ? 1 : fit;
}

constexpr int slotX(int slot, int firstSlotX = FirstSlotX)
{
    return firstSlotX + SlotWidth * slot;
}

} // namespace StaffGeometry
