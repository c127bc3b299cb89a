// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <array>
#include <vector>

// Keeps a mix of notes under full scale by turning its volume down, never by
// cutting or bending the wave. The gain is planned from a short look-ahead of
// the mix, which the caller can give without delaying anything because every
// note is a recording whose coming samples are known. Where the mix would
// pass the ceiling the gain glides down over the look-ahead and is there in
// time, then rises again slowly once the loud part has passed. A mix that
// stays under the ceiling (a single note) comes out bit for bit unchanged.
class PeakLimiter
{
public:
    // How far ahead the gain is planned, and so the time it takes to glide
    // down: about 3 ms, short enough not to duck a note audibly early.
    static constexpr int LookAheadFrames = 128;
    // The loudest sample that comes out: -1.5 dBFS.
    static constexpr qint32 Ceiling = 27570;

    PeakLimiter();

    // Writes `frames` samples to out. mix holds frames + LookAheadFrames - 1
    // values: the block itself, then as much of the mix that follows it as is
    // known now. What follows may change by the next call (a note starts);
    // the gain then still keeps every written sample under the ceiling.
    void process(const qint32 *mix, int frames, qint16 *out);
    // Back to full gain, for a mix that starts afresh.
    void reset();

private:
    // Gains are fixed-point fractions of Unity, so that full gain multiplies
    // exactly and the guarantee above holds without rounding slack.
    static constexpr int FractionBits = 30;
    static constexpr qint64 Unity = qint64(1) << FractionBits;

    static qint64 requiredGain(qint32 sample);

    // The planned gains of the last LookAheadFrames frames, a ring whose
    // oldest entry is at m_oldest; their average is the gain applied.
    std::array<qint64, LookAheadFrames> m_planned{};
    int m_oldest = 0;
    std::vector<qint64> m_required;
    std::vector<int> m_window;
};
