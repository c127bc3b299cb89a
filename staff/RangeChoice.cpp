// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "staff/RangeChoice.h"

#include "notes/Note.h"

namespace {

// The staff steps of the notes that need no more than this many ledger
// lines: from the space below the last line under the staff to the space
// above the last line over it.
constexpr int lowestStepWith(int ledgerLines)
{
    return -2 * ledgerLines;
}
constexpr int highestStepWith(int ledgerLines)
{
    return Note::TopLineStep + 1 + 2 * ledgerLines;
}

int ledgerLinesOf(RangePreset preset)
{
    switch (preset) {
    case RangePreset::TwoLedgerLines:
        return 2;
    case RangePreset::FourLedgerLines:
        return 4;
    case RangePreset::Staff:
    case RangePreset::ClefOctaves:
    case RangePreset::Own:
        break;
    }
    return 0;
}

} // namespace

RangeChoice RangeChoice::ownRange(NoteRange range)
{
    RangeChoice choice;
    choice.preset = RangePreset::Own;
    choice.own = range;
    choice.ownTreble = range.intersected(grandStaffPart(Clef::Treble));
    choice.ownBass = range.intersected(grandStaffPart(Clef::Bass));
    return choice;
}

NoteRange RangeChoice::grandStaffPart(Clef staff)
{
    return staff == Clef::Bass ? NoteRange(PianoLowest, MiddleC - 1)
                               : NoteRange(MiddleC, PianoHighest);
}

NoteRange RangeChoice::presetOn(RangePreset preset, ClefMode mode, Clef staff)
{
    const bool grand = mode == ClefMode::Both;
    const NoteRange limit = grand ? grandStaffPart(staff) : NoteRange::piano();
    if (preset == RangePreset::ClefOctaves) {
        const int lowest = lowestTestNote(mode);
        return NoteRange(lowest, lowest + testNoteCount(mode) - 1).intersected(limit);
    }
    const int lines = ledgerLinesOf(preset);
    return NoteRange(Clefs::noteAtStep(staff, lowestStepWith(lines)).midi(),
                     Clefs::noteAtStep(staff, highestStepWith(lines)).midi())
        .intersected(limit);
}

NoteRange RangeChoice::on(ClefMode mode, Clef staff) const
{
    if (preset != RangePreset::Own)
        return presetOn(preset, mode, staff);
    if (mode != ClefMode::Both)
        return own;
    return (staff == Clef::Bass ? ownBass : ownTreble).intersected(grandStaffPart(staff));
}

QList<int> RangeChoice::pitches(ClefMode mode) const
{
    QList<int> keys;
    const auto add = [&keys](NoteRange range) {
        for (int midi = range.low(); midi <= range.high(); ++midi)
            keys << midi;
    };
    if (mode == ClefMode::Both) {
        add(on(mode, Clef::Bass));
        add(on(mode, Clef::Treble));
    } else {
        add(on(mode, clefFor(mode, MiddleC)));
    }
    return keys;
}

NoteRange RangeChoice::span(ClefMode mode) const
{
    if (mode != ClefMode::Both)
        return on(mode, clefFor(mode, MiddleC));
    return on(mode, Clef::Bass).united(on(mode, Clef::Treble));
}
