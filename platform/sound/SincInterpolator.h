// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

#include <vector>

// Reads a sample between its frames, for keys played from a neighbour's
// file a semitone away. The value at a point is the sample's frames around
// it weighed by a sinc, the ideal band limit at half the rate, shaped by a
// Kaiser window (beta 8.6) over Taps frames. The kernel is tabled at Phases
// points between two frames and interpolated between them.
//
// Why this one: read faster by a semitone, what lay between 20.8 kHz and the
// band's edge folds back, but no lower than 20.7 kHz, out of hearing; read
// slower, the images of the band must go. Both ask for a flat band up to
// some 18 kHz and a stop from 26 kHz on, and a window of 32 frames gives
// that with a stop some 85 dB down (bench_sound prints what it measures).
// At a whole frame the kernel is 1 there and 0 at every other frame, so
// a sample read at its own pitch comes out unchanged.
class SincInterpolator
{
public:
    static constexpr int Taps = 32;
    static constexpr int Phases = 256;
    // Positions are fixed-point numbers of frames with this many fraction bits.
    static constexpr int FractionBits = 32;

    // The one table, made on first use.
    static const SincInterpolator &instance();

    // Writes `count` frames to out, read from samples at position, position
    // + step and so on, rounded; the sample is silent outside its frames.
    void read(const QList<qint16> &samples, quint64 position, quint64 step, qint32 *out,
              qsizetype count) const;

private:
    SincInterpolator();
    float valueAt(const qint16 *frames, qsizetype size, quint64 position) const;

    // Phases + 1 rows of Taps weights: row p for a point p / Phases of a
    // frame after frame i, weighing frames i - Taps / 2 + 1 to i + Taps / 2.
    std::vector<float> m_table;
};
