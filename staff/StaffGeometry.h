// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/Note.h"

// Pixel layout of the staff strip.
namespace StaffGeometry {

constexpr int Height = 120; // fixed height of the strip
// Rows a zoomed staff gains under the strip: room for the lines of notes
// below the staff, which a MIDI keyboard reaches in either clef.
constexpr int DesktopRoomBelow = 10;
constexpr int BottomLineBelowMiddle = 25; // bottom staff line, below the strip's middle
constexpr int LineGap = 2 * StaffPitch;
constexpr int StaffLines = 5;
constexpr int TrebleClefAboveMiddle = 30; // top of the treble clef image
constexpr int BassClefAboveMiddle = 13;   // top of the bass clef image
constexpr int BarLineWidth = 2;
constexpr int BarLineInset = 1; // bar lines stand this far in from either edge
constexpr int FirstSlotX = 35;  // head of the first note
constexpr int SlotWidth = 20;
constexpr int LabelGap = 2; // least room between the names of neighbouring notes
constexpr int InitialSlots = 15;

// How many notes fit in a row on a staff this wide (never fewer than one).
constexpr int capacityFor(int width)
{
    const int fit = (width - FirstSlotX) / SlotWidth;
    return fit < 1 ? 1 : fit;
}

constexpr int slotX(int slot)
{
    return FirstSlotX + SlotWidth * slot;
}

} // namespace StaffGeometry
