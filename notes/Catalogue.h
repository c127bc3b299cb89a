// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/Note.h"

#include <QList>

// Keys are MIDI numbers: middle C is 60, A4 (440 Hz) is 69. The catalogue
// holds the 88 keys of a piano.
constexpr int PianoLowest = 21;   // A0
constexpr int PianoHighest = 108; // C8
// The grand staff's four octaves, and the keys of the handheld's
// catalogue.
constexpr int LowestNote = 36;  // C2
constexpr int HighestNote = 83; // B5
constexpr int MiddleC = 60;
// A clef's test notes unless the learner chooses others: its two octaves,
// from C4, C3 or C2.
constexpr int NotesPerClef = 24;

// The 88 keys A0 to C8, made once and never changed: they are looked up,
// never inserted.
class NoteCatalogue
{
public:
    NoteCatalogue();

    // The key with this MIDI number, or nullptr when there is none.
    const Note *find(int number) const;
    bool contains(int number) const { return find(number) != nullptr; }
    // The key with this MIDI number; a number outside the catalogue gets an
    // empty record (and the catalogue stays as it is).
    const Note &operator[](int number) const;

    int size() const { return int(m_notes.size()); }
    // In order of their numbers, from PianoLowest.
    QList<Note>::const_iterator begin() const { return m_notes.cbegin(); }
    QList<Note>::const_iterator end() const { return m_notes.cend(); }

private:
    QList<Note> m_notes;
};

// The program-wide catalogue.
extern const NoteCatalogue notes;
