// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// One judged test note, as a row of the answer log's table `answers`.
// Notes are MIDI numbers (60 = middle C).
struct Answer
{
    QDateTime at; // when the verdict fell, in UTC
    qint64 session = 0;
    QString clef; // the staff's clef: "treble", "bass", "alto" or "tenor"
    int note = 0;
    bool flat = false;
    std::optional<int> answer; // none on a time-out
    bool correct = false;
    std::optional<int> responseMs; // none on a time-out
    QString source;                // "screen", "keys" or "midi"; empty on a time-out
    int intervalMs = 0;
};

// One of a note's earlier answers, as the drill weighs it.
struct PastAnswer
{
    bool correct = false;
    std::optional<int> responseMs;
};
