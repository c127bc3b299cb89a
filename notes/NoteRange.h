// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/Catalogue.h"

#include <QMetaType>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <optional>

// The keys from one to another, both included, as MIDI numbers: the notes
// a test draws from. A range whose lowest key lies above its highest holds
// none.
class NoteRange
{
public:
    // No keys at all.
    constexpr NoteRange() = default;
    constexpr NoteRange(int low, int high) : m_low(low), m_high(high) {}
    // The whole piano, A0 to C8.
    static constexpr NoteRange piano() { return NoteRange(PianoLowest, PianoHighest); }

    constexpr int low() const { return m_low; }
    constexpr int high() const { return m_high; }
    constexpr bool isEmpty() const { return m_low > m_high; }
    constexpr int size() const { return isEmpty() ? 0 : m_high - m_low + 1; }
    constexpr bool contains(int midi) const { return midi >= m_low && midi <= m_high; }
    constexpr bool contains(const NoteRange &other) const
    {
        return other.isEmpty() || (contains(other.m_low) && contains(other.m_high));
    }
    // The keys both ranges hold.
    constexpr NoteRange intersected(const NoteRange &other) const
    {
        return NoteRange(std::max(m_low, other.m_low), std::min(m_high, other.m_high));
    }
    // From the lowest key of either to the highest of either.
    constexpr NoteRange united(const NoteRange &other) const
    {
        if (isEmpty())
            return other;
        if (other.isEmpty())
            return *this;
        return NoteRange(std::min(m_low, other.m_low), std::max(m_high, other.m_high));
    }

    // "A3-C6": each end as a white key's letter or a black key's sharp.
    QString text() const;
    // The reverse, taking any spelling of either end ("Bb3-F#5", "a3-c6");
    // none for text that names no range of the piano's keys, lowest first.
    static std::optional<NoteRange> fromText(QStringView text);
    // One end as the learner writes it ("C4", "F#4", "Bb3"); none for text
    // that names no key of the piano.
    static std::optional<int> keyFromText(QStringView text);
    static QString keyText(int midi);

    friend constexpr bool operator==(const NoteRange &a, const NoteRange &b)
    {
        return (a.isEmpty() && b.isEmpty()) || (a.m_low == b.m_low && a.m_high == b.m_high);
    }
    friend constexpr bool operator!=(const NoteRange &a, const NoteRange &b) { return !(a == b); }

private:
    int m_low = 1;
    int m_high = 0;
};
Q_DECLARE_METATYPE(NoteRange)
