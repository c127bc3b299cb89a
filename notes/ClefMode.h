// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/Catalogue.h"
#include "notes/Clef.h"

#include <QMetaType>

// What the staff shows: one clef, or both on a grand staff (treble staff
// over bass staff, notes from middle C up on the treble staff).
enum class ClefMode { Treble, Bass, Alto, Tenor, Both };
Q_DECLARE_METATYPE(ClefMode)

// The C an octave below middle C, where the alto and tenor clefs' two
// octaves start.
constexpr int TenorC = MiddleC - 12;

// The notes a test draws from unless the learner chooses others: the
// clef's two octaves around its middle line, or on the grand staff all
// four. The alto and tenor clefs read C3 to B4: a viola's lowest string up
// to where its player turns to the treble clef, and the range a cellist, a
// bassoonist or a trombonist reads in the tenor clef.
constexpr int lowestTestNote(ClefMode mode)
{
    switch (mode) {
    case ClefMode::Treble:
        return MiddleC;
    case ClefMode::Alto:
    case ClefMode::Tenor:
        return TenorC;
    case ClefMode::Bass:
    case ClefMode::Both:
        break;
    }
    return MiddleC - NotesPerClef;
}
constexpr int testNoteCount(ClefMode mode)
{
    return mode == ClefMode::Both ? 2 * NotesPerClef : NotesPerClef;
}

// The staff a pitch is written on: the clef's own, or on the grand staff
// the treble staff from middle C up and the bass staff below it.
constexpr Clef clefFor(ClefMode mode, int midi)
{
    switch (mode) {
    case ClefMode::Treble:
        return Clef::Treble;
    case ClefMode::Bass:
        return Clef::Bass;
    case ClefMode::Alto:
        return Clef::Alto;
    case ClefMode::Tenor:
        return Clef::Tenor;
    case ClefMode::Both:
        break;
    }
    return midi >= MiddleC ? Clef::Treble : Clef::Bass;
}
