// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/Note.h"

#include <QMap>

// Note numbers: 12 * (octave - 1) + semitone, so C2 = 12, middle C = 36,
// A4 = 45 and B5 = 59 (24 below the MIDI numbering of the same pitch).
constexpr int LowestNote = 12;
constexpr int HighestNote = 59;
constexpr int MiddleC = 36;
// A clef's test notes: its two octaves, from C4 or C2.
constexpr int NotesPerClef = 24;

// The same pitch in the MIDI numbering (60 = middle C), which the answer log
// and MIDI keyboards use.
constexpr int MidiOffset = 24;
constexpr int toMidi(int note)
{
    return note + MidiOffset;
}
constexpr int fromMidi(int midi)
{
    return midi - MidiOffset;
}

// The program-wide catalogue, keyed by note number; filled once at start-up.
extern QMap<int, Note> notes;

// Writes the 48 entries C2 to B5 into map, overwriting those keys only.
void initNotes(QMap<int, Note> &map);
