// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/WrittenNote.h"

#include <QDateTime>
#include <QString>

#include <optional>

// One judged test note, as a row of the record's table `answers`. Pitches
// are MIDI numbers (60 = middle C).
struct Answer
{
    QDateTime at; // when the verdict fell, in UTC
    qint64 session = 0;
    QString clef; // the staff the note stood on: "treble", "bass", "alto" or "tenor"
    // The note as written; the row's `note` is its sounding pitch and `flat`
    // whether it was written with a flat.
    WrittenNote written;
    int key = 0;               // the key signature: sharps positive, flats negative
    std::optional<int> answer; // none on a time-out
    bool correct = false;
    std::optional<int> responseMs; // none on a time-out
    QString source;                // "screen", "keys" or "midi"; empty on a time-out
    int intervalMs = 0;

    int note() const { return written.midi(); }
    bool flat() const { return written.alteration() < 0; }
};

// One of a note's earlier answers, as the drill weighs it.
struct PastAnswer
{
    bool correct = false;
    std::optional<int> responseMs;
};
