// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/Note.h"

#include <QList>

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

// The 48 notes C2 to B5, made once and never changed: they are looked up,
// never inserted.
class NoteCatalogue
{
public:
    NoteCatalogue();

    // The note with this number, or nullptr when there is none.
    const Note *find(int number) const;
    bool contains(int number) const { return find(number) != nullptr; }
    // The note with this number; a number outside the catalogue gets an
    // empty record (and the catalogue stays as it is).
    const Note &operator[](int number) const;

    int size() const { return int(m_notes.size()); }
    // In order of their numbers, from LowestNote.
    QList<Note>::const_iterator begin() const { return m_notes.cbegin(); }
    QList<Note>::const_iterator end() const { return m_notes.cend(); }

private:
    QList<Note> m_notes;
};

// The program-wide catalogue.
extern const NoteCatalogue notes;
