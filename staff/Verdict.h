// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/Clef.h"
#include "notes/KeySignature.h"
#include "notes/NoteSource.h"
#include "notes/WrittenNote.h"

#include <optional>

// A test note judged: what was shown, in which clef and key, what was
// played, from where and how soon, and whether it was right.
struct Verdict
{
    WrittenNote shown;
    Clef clef = Clef::Treble; // the staff it was written on
    KeySignature key;
    std::optional<int> answer; // the key played, as a MIDI number; none on a time-out
    std::optional<NoteSource> source;
    bool correct = false;
    std::optional<int> responseMs; // none on a time-out
    int intervalMs = 0;
};
