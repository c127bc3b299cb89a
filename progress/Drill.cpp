// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/Drill.h"

#include <algorithm>
#include <vector>

Drill::Drill(unsigned int seed) : m_random(seed) {}

void Drill::setHistory(const QHash<int, QList<PastAnswer>> &byMidiNote)
{
    m_history.clear();
    for (auto it = byMidiNote.cbegin(); it != byMidiNote.cend(); ++it)
        m_history.insert(it.key(), it.value().mid(0, Memory));
}

int Drill::weight(int note) const
{
    const QList<PastAnswer> past = m_history.value(note);
    int weight = 1 + SlowWeight * int(Memory - past.size());
    for (const PastAnswer &answer : past) {
        if (!answer.correct)
            weight += MissWeight;
        else if (!answer.responseMs || *answer.responseMs > SlowMs)
            weight += SlowWeight;
    }
    return weight;
}

int Drill::next(const QList<int> &pitches)
{
    // Comebacks for notes no longer among the test's are dropped.
    m_comebacks.erase(std::remove_if(m_comebacks.begin(), m_comebacks.end(),
                                     [&](const Comeback &c) { return !pitches.contains(c.note); }),
                      m_comebacks.end());
    std::optional<int> chosen;
    for (qsizetype i = 0; i < m_comebacks.size(); ++i) {
        if (m_comebacks[i].dueIn <= 1) {
            chosen = m_comebacks.takeAt(i).note;
            break;
        }
    }
    if (!chosen) {
        std::vector<int> weights;
        for (const int note : pitches)
            weights.push_back(weight(note));
        std::discrete_distribution<int> draw(weights.begin(), weights.end());
        chosen = pitches[draw(m_random)];
    }
    // A note shown ahead of its comeback has come back.
    m_comebacks.erase(std::remove_if(m_comebacks.begin(), m_comebacks.end(),
                                     [&](const Comeback &c) { return c.note == *chosen; }),
                      m_comebacks.end());
    for (Comeback &c : m_comebacks)
        --c.dueIn;
    return *chosen;
}

bool Drill::slotTaken(int dueIn) const
{
    return std::any_of(m_comebacks.begin(), m_comebacks.end(),
                       [dueIn](const Comeback &c) { return c.dueIn == dueIn; });
}

void Drill::judged(int note, bool correct, std::optional<int> responseMs)
{
    QList<PastAnswer> &past = m_history[note];
    past.prepend({correct, responseMs});
    if (past.size() > Memory)
        past.resize(Memory);
    if (correct)
        return;
    for (const Comeback &c : m_comebacks) {
        if (c.note == note)
            return;
    }
    // Each comeback has a draw of its own, so none is pushed past the fifth.
    std::vector<int> free;
    for (int dueIn = ComebackSoonest; dueIn <= ComebackLatest; ++dueIn) {
        if (!slotTaken(dueIn))
            free.push_back(dueIn);
    }
    for (int dueIn = 1; free.empty() && dueIn <= ComebackWithin; ++dueIn) {
        if (!slotTaken(dueIn))
            free.push_back(dueIn);
    }
    if (free.empty())
        return;
    std::uniform_int_distribution<size_t> pick(0, free.size() - 1);
    m_comebacks.append({note, free[pick(m_random)]});
}
