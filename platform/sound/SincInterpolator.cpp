// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/SincInterpolator.h"

#include <cmath>

namespace {

constexpr double KaiserBeta = 8.6;
constexpr int HalfTaps = SincInterpolator::Taps / 2;
constexpr int PhaseBits = 8;
static_assert(1 << PhaseBits == SincInterpolator::Phases);
constexpr int BetweenBits = SincInterpolator::FractionBits - PhaseBits;
constexpr quint64 FractionMask = (quint64(1) << SincInterpolator::FractionBits) - 1;
constexpr float BetweenScale = 1.0f / float(quint64(1) << BetweenBits);

// The modified Bessel function of the first kind, order 0, by its series.
double besselI0(double x)
{
    double sum = 1.0;
    double term = 1.0;
    for (int k = 1; term > 1e-12 * sum; ++k) {
        term *= (x / (2.0 * k)) * (x / (2.0 * k));
        sum += term;
    }
    return sum;
}

} // namespace

const SincInterpolator &SincInterpolator::instance()
{
    static const SincInterpolator table;
    return table;
}

SincInterpolator::SincInterpolator() : m_table(size_t(Phases + 1) * Taps)
{
    const double scale = besselI0(KaiserBeta);
    for (int phase = 0; phase <= Phases; ++phase) {
        for (int tap = 0; tap < Taps; ++tap) {
            const double t = tap - (HalfTaps - 1) - double(phase) / Phases;
            // Exactly 0 at the other whole frames, where sin() leaves a trace.
            double sinc = t == 0.0 ? 1.0 : std::sin(M_PI * t) / (M_PI * t);
            if (phase == 0 || phase == Phases)
                sinc = t == 0.0 ? 1.0 : 0.0;
            const double r = t / HalfTaps;
            const double window =
                std::abs(r) >= 1.0 ? 0.0 : besselI0(KaiserBeta * std::sqrt(1.0 - r * r)) / scale;
            m_table[size_t(phase * Taps + tap)] = float(sinc * window);
        }
    }
}

float SincInterpolator::valueAt(const qint16 *frames, qsizetype size, quint64 position) const
{
    const auto whole = qsizetype(position >> FractionBits);
    const quint64 fraction = position & FractionMask;
    const auto phase = size_t(fraction >> BetweenBits);
    const float between = float(fraction & ((quint64(1) << BetweenBits) - 1)) * BetweenScale;
    const float *before = m_table.data() + phase * Taps;
    const float *after = before + Taps;
    const qsizetype first = whole - (HalfTaps - 1);
    float sum = 0.0f;
    if (first >= 0 && first + Taps <= size) {
        const qint16 *x = frames + first;
        for (int tap = 0; tap < Taps; ++tap)
            sum += float(x[tap]) * (before[tap] + between * (after[tap] - before[tap]));
        return sum;
    }
    // Near either end: the frames beyond it are silence.
    for (int tap = 0; tap < Taps; ++tap) {
        const qsizetype i = first + tap;
        if (i >= 0 && i < size)
            sum += float(frames[i]) * (before[tap] + between * (after[tap] - before[tap]));
    }
    return sum;
}

void SincInterpolator::read(const QList<qint16> &samples, quint64 position, quint64 step,
                            qint32 *out, qsizetype count) const
{
    const qint16 *frames = samples.constData();
    const qsizetype size = samples.size();
    for (qsizetype i = 0; i < count; ++i, position += step)
        out[i] = qint32(std::lround(valueAt(frames, size, position)));
}
