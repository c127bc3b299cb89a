// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/SincInterpolator.h"

#include "platform/sound/WavReader.h"

#include <array>
#include <cmath>

namespace {

constexpr double KaiserBeta = 8.6;
// The middle of the kernel's fall from its band to its stop, as a fraction
// of the rate.
constexpr double CutOff = 20200.0 / WavReader::SampleRate;
// Running sums kept apart in the inner loop.
constexpr int Lanes = 8;
static_assert(SincInterpolator::Taps % Lanes == 0);
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

// The kernel's weight for a frame t frames from the point read.
double SincInterpolator::weight(double t)
{
    const double r = t / HalfTaps;
    if (std::abs(r) >= 1.0)
        return 0.0;
    const double x = 2.0 * CutOff * t;
    const double sinc = x == 0.0 ? 1.0 : std::sin(M_PI * x) / (M_PI * x);
    return 2.0 * CutOff * sinc * besselI0(KaiserBeta * std::sqrt(1.0 - r * r)) /
           besselI0(KaiserBeta);
}

SincInterpolator::SincInterpolator() : m_table(size_t(Phases) * 2 * Taps)
{
    for (int phase = 0; phase < Phases; ++phase) {
        float *weights = m_table.data() + size_t(phase) * 2 * Taps;
        for (int tap = 0; tap < Taps; ++tap) {
            const double t = tap - (HalfTaps - 1) - double(phase) / Phases;
            const double here = weight(t);
            weights[tap] = float(here);
            weights[Taps + tap] = float(weight(t - 1.0 / Phases) - here);
        }
    }
}

float SincInterpolator::valueAt(const qint16 *frames, qsizetype size, quint64 position) const
{
    const auto whole = qsizetype(position >> FractionBits);
    const quint64 fraction = position & FractionMask;
    const auto phase = size_t(fraction >> BetweenBits);
    const float between = float(fraction & ((quint64(1) << BetweenBits) - 1)) * BetweenScale;
    const float *weights = m_table.data() + phase * 2 * Taps;
    const float *slopes = weights + Taps;
    const qsizetype first = whole - (HalfTaps - 1);
    if (first >= 0 && first + Taps <= size) {
        // Independent running sums, which the compiler can keep in one
        // vector register and add in parallel.
        std::array<float, Lanes> sums{};
        const qint16 *x = frames + first;
        for (int tap = 0; tap < Taps; tap += Lanes) {
            for (int lane = 0; lane < Lanes; ++lane) {
                const int t = tap + lane;
                sums[size_t(lane)] += float(x[t]) * (weights[t] + between * slopes[t]);
            }
        }
        float sum = 0.0f;
        for (float lane : sums)
            sum += lane;
        return sum;
    }
    // Near either end: the frames beyond it are silence.
    float sum = 0.0f;
    for (int tap = 0; tap < Taps; ++tap) {
        const qsizetype i = first + tap;
        if (i >= 0 && i < size)
            sum += float(frames[i]) * (weights[tap] + between * slopes[tap]);
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
