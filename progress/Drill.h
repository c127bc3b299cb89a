// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/NoteChooser.h"
#include "progress/Answer.h"

#include <QHash>
#include <QList>

#include <random>

// "More of those I miss": a test's notes drawn with weights from each note's
// recent answers. A note weighs one, plus three for each miss (wrong or
// timed out) among its last eight answers, plus one for each right answer
// slower than SlowMs and for each of the eight it has not had yet. A note
// missed during the drill comes back within the next five notes.
class Drill : public NoteChooser
{
public:
    static constexpr int Memory = 8; // answers per note that count
    static constexpr int MissWeight = 3;
    static constexpr int SlowWeight = 1;
    static constexpr int SlowMs = 2500;
    // A missed note comes back after between ComebackSoonest and
    // ComebackLatest notes, counting itself: always within the next five.
    static constexpr int ComebackSoonest = 2;
    static constexpr int ComebackLatest = 4;
    static constexpr int ComebackWithin = 5;

    explicit Drill(unsigned int seed = std::random_device()());

    // The answers of the log, newest first, by MIDI note number: in one key,
    // the history of each note as that key writes it.
    void setHistory(const QHash<int, QList<PastAnswer>> &byMidiNote);
    int weight(int note) const;

    int next(const QList<int> &pitches) override;
    void judged(int note, bool correct, std::optional<int> responseMs) override;

private:
    struct Comeback
    {
        int note;
        int dueIn; // draws from now; 1 is the next
    };
    bool slotTaken(int dueIn) const;

    QHash<int, QList<PastAnswer>> m_history; // by MIDI number, newest first
    QList<Comeback> m_comebacks;
    std::mt19937 m_random;
};
