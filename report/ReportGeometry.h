// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/Note.h"

// Sizes of the progress window and its staff picture. The picture is laid
// out in the staff's pixel grid (lines StaffPitch * 2 apart, heads NoteWidth
// wide) and scaled to the room it gets.
namespace ReportGeometry {

// The staff picture: two staves of NotesPerStaff notes each.
constexpr int NotesPerStaff = 24;
constexpr int SlotWidth = 28;
constexpr int HeadInSlot = 10; // room for a sharp before the head
constexpr int ClefRoom = 44;   // from the staff's left end to the first slot
constexpr int StaffRight = 8;  // after the last slot
constexpr int ClefX = 6;
constexpr int LineGap = 2 * StaffPitch;
constexpr int StaffLines = 5;
constexpr int StaffTop = 24;   // room above the top line for notes above the staff
constexpr int BelowStaff = 30; // from the bottom line to the figures, past the lowest note
constexpr int FigureRow = 11;
constexpr int FigureFontSize = 9;
constexpr int BlockBottom = 6;
constexpr int StaffGap = 20; // between the staves side by side
constexpr int LedgerOverhang = 2;
// A key's signature after the clef: its first sign where the sign of a head
// at this column would stand, each next one an advance further; the notes
// move right by its room.
constexpr int SignatureHeadX = 43;
constexpr int SharpAdvance = 9;
constexpr int FlatAdvance = 8;
constexpr int SignatureGap = 4;

constexpr int BottomLine = StaffTop + (StaffLines - 1) * LineGap;
constexpr int StaffWidth = ClefRoom + NotesPerStaff * SlotWidth + StaffRight;

// The room a signature of this many sharps (positive) or flats takes.
constexpr int signatureRoom(int fifths)
{
    const int signs = fifths < 0 ? -fifths : fifths;
    return signs == 0 ? 0 : signs * (fifths > 0 ? SharpAdvance : FlatAdvance) + SignatureGap;
}
constexpr int BlockHeight = BottomLine + BelowStaff + FigureRow + BlockBottom;

// The picture is drawn at most this much larger than its grid. The treble
// staff stands above the bass staff, or beside it in a window wide enough
// for this zoom.
constexpr qreal MaxZoom = 1.5;
constexpr qreal SideBySideZoom = 1.3;
constexpr int MinimumPictureWidth = 200;
// The staves stacked take at most this share of the window's height.
constexpr qreal PictureShare = 0.35;

// The window: its share of the screen when first shown, at most, and its
// parts' smallest sizes.
constexpr qreal ScreenShare = 0.9;
constexpr int PreferredWidth = 1500;
constexpr int PreferredHeight = 950;
constexpr int ChartMinimumWidth = 220;
constexpr int ChartMinimumHeight = 220;

} // namespace ReportGeometry
