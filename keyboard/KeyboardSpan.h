// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keyboard/KeyboardGeometry.h"
#include "notes/ClefMode.h"
#include "notes/NoteRange.h"

#include <algorithm>

// The keys the on-screen keyboard shows: one, two or four octaves from a C,
// or a piano's 88 keys from A0 to C8.
struct KeyboardSpan
{
    static constexpr int Semitones = 12;
    static constexpr int PianoWhiteKeys = 52; // A0 and B0, then seven octaves from C1, and C8
    static constexpr int LowestC = 24;        // C1, the lowest C a keyboard of octaves starts at

    int firstNote = MiddleC;
    int whiteKeys = KeyboardGeometry::OneOctave;

    constexpr int lastNote() const
    {
        return whiteKeys == PianoWhiteKeys
                   ? PianoHighest
                   : firstNote + whiteKeys / KeyboardGeometry::OneOctave * Semitones - 1;
    }
    constexpr NoteRange keys() const { return NoteRange(firstNote, lastNote()); }

    // What the keyboard shows for the size chosen (as white keys), the clef
    // and the test's range. It starts from the clef's C (C2 for four
    // octaves and on the grand staff, whose keyboard has at least four);
    // where the range does not lie within those keys, from the C at or
    // below the range's lowest note, as far as the piano allows. Where it
    // still does not fit, the keyboard widens to the next size that holds
    // it, except for one octave, whose keys answer the notes of every
    // octave.
    static constexpr KeyboardSpan choose(int chosenWhiteKeys, ClefMode mode, NoteRange range)
    {
        int keys = chosenWhiteKeys;
        if (mode == ClefMode::Both)
            keys = std::max(keys, int(KeyboardGeometry::FourOctaves));
        for (;;) {
            const KeyboardSpan span = placed(keys, mode, range);
            if (keys == KeyboardGeometry::OneOctave || keys >= PianoWhiteKeys ||
                span.keys().contains(range))
                return span;
            keys = keys < KeyboardGeometry::TwoOctaves    ? KeyboardGeometry::TwoOctaves
                   : keys < KeyboardGeometry::FourOctaves ? KeyboardGeometry::FourOctaves
                                                          : PianoWhiteKeys;
        }
    }

private:
    static constexpr KeyboardSpan placed(int keys, ClefMode mode, NoteRange range)
    {
        if (keys >= PianoWhiteKeys)
            return KeyboardSpan{PianoLowest, PianoWhiteKeys};
        const int home =
            keys >= KeyboardGeometry::FourOctaves ? MiddleC - 2 * Semitones : lowestTestNote(mode);
        KeyboardSpan span{home, keys};
        if (range.isEmpty() || span.keys().contains(range))
            return span;
        const int octaves = keys / KeyboardGeometry::OneOctave;
        const int lowC = range.low() - range.low() % Semitones;
        span.firstNote = std::clamp(lowC, LowestC, PianoHighest - octaves * Semitones);
        return span;
    }
};
