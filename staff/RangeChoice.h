// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/ClefMode.h"
#include "notes/NoteRange.h"

#include <QList>

// The notes a test draws from, as the learner chose them: one of the
// presets, which each clef works out for its own staff, or a range of the
// learner's own, one per staff on the grand staff.
enum class RangePreset { ClefOctaves, Staff, TwoLedgerLines, FourLedgerLines, Own };

struct RangeChoice
{
    RangePreset preset = RangePreset::ClefOctaves;
    // The learner's own: for a single staff, and for the grand staff's
    // treble staff (keys from middle C up) and bass staff (keys below it).
    // On the grand staff an empty range leaves its staff without test notes.
    NoteRange own{MiddleC, MiddleC + NotesPerClef - 1};
    NoteRange ownTreble{MiddleC, MiddleC + NotesPerClef - 1};
    NoteRange ownBass{MiddleC - NotesPerClef, MiddleC - 1};

    // The learner's own range on every staff, split at middle C for the
    // grand staff.
    static RangeChoice ownRange(NoteRange range);

    // The keys a staff of this mode draws from: the single staff's (staff
    // is then that clef's own), or one of the grand staff's two.
    NoteRange on(ClefMode mode, Clef staff) const;
    // Every key the test draws from, lowest first.
    QList<int> pitches(ClefMode mode) const;
    // From the lowest of those keys to the highest.
    NoteRange span(ClefMode mode) const;

    // The keys a preset covers on a staff of this clef, within limit: the
    // notes written with at most its number of ledger lines.
    static NoteRange presetOn(RangePreset preset, ClefMode mode, Clef staff);
    // The keys each grand staff's staff may hold.
    static NoteRange grandStaffPart(Clef staff);

    friend bool operator==(const RangeChoice &a, const RangeChoice &b)
    {
        return a.preset == b.preset && a.own == b.own && a.ownTreble == b.ownTreble &&
               a.ownBass == b.ownBass;
    }
    friend bool operator!=(const RangeChoice &a, const RangeChoice &b) { return !(a == b); }
};
Q_DECLARE_METATYPE(RangeChoice)
