// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/Catalogue.h"

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
