// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/WrittenNote.h"
#include "staff/VKTest.h"

#include <cstdlib>

// The handheld's own note numbers, in which the tables of many tests are
// written: 12 x (octave - 1) + semitone, from C2 = 12 to B5 = 59, middle C
// 36, and negative for a black key written as the flat of the letter above.
namespace Handheld {

constexpr int Lowest = 12;
constexpr int Highest = 59;
constexpr int MidiOffset = 24;

inline int midi(int number)
{
    return std::abs(number) + MidiOffset;
}

inline WrittenNote note(int number)
{
    return WrittenNote::fromMidi(midi(number), number < 0);
}

inline int number(const WrittenNote &note)
{
    const int n = note.midi() - MidiOffset;
    return note.alteration() < 0 ? -n : n;
}

// Puts the note numbered so on the staff, as the handheld wrote it.
inline void draw(VKTest &staff, int number)
{
    staff.showNote(note(number));
}

} // namespace Handheld
