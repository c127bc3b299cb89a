// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/Catalogue.h"
#include "notes/Clef.h"

#include <QMetaType>

// What the staff shows: one clef, or both on a grand staff (treble staff
// over bass staff, notes from middle C up on the treble staff).
enum class ClefMode { Treble, Bass, Both };
Q_DECLARE_METATYPE(ClefMode)

// The notes a test draws from: the clef's two octaves, or all four.
constexpr int lowestTestNote(ClefMode mode)
{
    return mode == ClefMode::Treble ? MiddleC : LowestNote;
}
constexpr int testNoteCount(ClefMode mode)
{
    return mode == ClefMode::Both ? HighestNote - LowestNote + 1 : NotesPerClef;
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
    case ClefMode::Both:
        break;
    }
    return midi >= MiddleC ? Clef::Treble : Clef::Bass;
}
