// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

#include <vector>

// Reads a sample between its frames, for keys played from a neighbour's
// file a semitone away: a polyphase windowed sinc. The value at a point is
// the Taps frames around it, weighed by a sinc that cuts off at 20.2 kHz,
// shaped by a Kaiser window (beta 8.6). The weights are tabled for Phases
// points between two frames and interpolated between neighbouring points.
//
// Why this one. Read a semitone faster, a file's frequencies rise by 6%:
// what lay above 20.8 kHz passes the stream's band edge and folds back, and
// so do the images of the band that the kernel lets through; read slower,
// the images fold back too. A kernel that stops everything above 22.75 kHz
// keeps every fold-back above 20 kHz, out of hearing, and one flat to 18 kHz
// keeps the piano whole (its samples hold only noise, 45 dB and more down,
// above 16 kHz). 48 frames give both: the band within 0.001 dB up to 16 kHz
// and every fold-back or image below 20 kHz some 95 dB under its tone, for
// about 2 ms of one core per second of a voice (bench_sound prints what it
// measures). 32 frames let fold-backs through 43 dB down; 64 cost a third
// more for nothing audible.
class SincInterpolator
{
public:
    static constexpr int Taps = 48;
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
    static double weight(double t);
    float valueAt(const qint16 *frames, qsizetype size, quint64 position) const;

    // For each of the Phases points p / Phases of a frame after frame i, the
    // weights of frames i - Taps / 2 + 1 to i + Taps / 2, then how much each
    // changes up to the next point.
    std::vector<float> m_table;
};
