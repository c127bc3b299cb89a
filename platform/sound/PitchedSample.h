// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

#include <cmath>

// A decoded sample and how fast a voice reads it. A key with a file of its
// own reads its sample frame by frame; a key played from a neighbour's file
// reads that file faster or slower by the ratio of their pitches, between
// its frames (see SincInterpolator). The step is in source frames per frame
// played, as a fixed-point number with StepBits fraction bits.
struct PitchedSample
{
    static constexpr int StepBits = 32;
    static constexpr quint64 UnitStep = quint64(1) << StepBits;

    PitchedSample() = default;
    // A sample played as it is, so that a plain list of samples plays too.
    PitchedSample(QList<qint16> decoded, quint64 readStep = UnitStep)
        : samples(std::move(decoded)), step(readStep)
    {}

    // The step that plays a sample `semitones` higher than it was recorded.
    static quint64 stepForSemitones(int semitones)
    {
        return quint64(std::llround(std::exp2(semitones / 12.0) * double(UnitStep)));
    }

    bool isEmpty() const { return samples.isEmpty(); }
    bool isResampled() const { return step != UnitStep; }
    // The frames it lasts when played: every position before the sample's end.
    qsizetype frames() const
    {
        if (!isResampled())
            return samples.size();
        return qsizetype(((quint64(samples.size()) << StepBits) + step - 1) / step);
    }
    // The same key: two keys may share one file, but never at the same step.
    bool isSameSound(const PitchedSample &other) const
    {
        return samples.constData() == other.samples.constData() && step == other.step;
    }

    QList<qint16> samples;
    quint64 step = UnitStep;
};
