// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <limits>
#include <vector>

// Measurements on mono 16-bit audio for the sound tests and benchmarks.
namespace AudioAnalysis {

constexpr double Rate = 44100.0;

inline double cents(double frequency, double reference)
{
    return 1200.0 * std::log2(frequency / reference);
}

// Magnitudes of the Hann-windowed discrete Fourier transform of a stretch of
// audio at any frequency, scaled so that a full-scale sine gives about 0.5.
class Spectrum
{
public:
    explicit Spectrum(const QList<qint16> &samples) : m_windowed(size_t(samples.size()))
    {
        const qsizetype n = samples.size();
        for (qsizetype i = 0; i < n; ++i) {
            const double hann = 0.5 - 0.5 * std::cos(2.0 * M_PI * double(i) / double(n - 1));
            m_windowed[size_t(i)] = samples[i] / 32768.0 * hann;
        }
    }

    double at(double frequency) const
    {
        if (m_windowed.empty())
            return 0.0;
        const double coefficient = 2.0 * std::cos(2.0 * M_PI * frequency / Rate);
        double s1 = 0.0;
        double s2 = 0.0;
        for (double x : m_windowed) {
            const double s0 = x + coefficient * s1 - s2;
            s2 = s1;
            s1 = s0;
        }
        const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
        return std::sqrt(std::max(power, 0.0)) / (double(m_windowed.size()) / 2.0);
    }

private:
    std::vector<double> m_windowed;
};

inline double magnitudeAt(const QList<qint16> &samples, double frequency)
{
    return Spectrum(samples).at(frequency);
}

// A first estimate of the fundamental, to within a few cents. The strongest
// component between lowest and highest, on a 10-cent grid, may be a harmonic
// rather than the fundamental; a piano note has nothing below its
// fundamental, so the lowest of its subharmonics that still carries a real
// share of the strongest magnitude is the fundamental.
inline double roughFundamental(const QList<qint16> &samples, double lowest, double highest)
{
    constexpr double GridCents = 10.0;
    constexpr int MaxSubharmonic = 4;
    constexpr double RealShare = 0.1;
    const Spectrum spectrum(samples);
    double strongest = 0.0;
    double strongestMagnitude = 0.0;
    for (double f = lowest; f <= highest; f *= std::exp2(GridCents / 1200.0)) {
        const double m = spectrum.at(f);
        if (m > strongestMagnitude) {
            strongestMagnitude = m;
            strongest = f;
        }
    }
    for (int k = MaxSubharmonic; k > 1; --k) {
        const double candidate = strongest / k;
        if (candidate >= lowest && spectrum.at(candidate) >= RealShare * strongestMagnitude)
            return candidate;
    }
    return strongest;
}

// The fundamental to a fraction of a cent: the rough estimate, then the peak
// of the spectrum within a few grid steps of it, found on a fine grid and
// refined by a parabola through the three best points.
inline double fundamental(const QList<qint16> &samples, double lowest, double highest)
{
    const double rough = roughFundamental(samples, lowest, highest);
    if (rough <= 0.0)
        return 0.0;
    constexpr double SearchCents = 20.0;
    constexpr double StepCents = 0.5;
    double bestCents = 0.0;
    double best = -1.0;
    const Spectrum spectrum(samples);
    std::vector<double> values;
    for (double c = -SearchCents; c <= SearchCents; c += StepCents) {
        const double m = spectrum.at(rough * std::exp2(c / 1200.0));
        values.push_back(m);
        if (m > best) {
            best = m;
            bestCents = c;
        }
    }
    const auto index = size_t(std::lround((bestCents + SearchCents) / StepCents));
    if (index > 0 && index + 1 < values.size()) {
        const double a = values[index - 1];
        const double b = values[index];
        const double c = values[index + 1];
        const double denominator = a - 2.0 * b + c;
        if (denominator < 0.0)
            bestCents += 0.5 * (a - c) / denominator * StepCents;
    }
    return rough * std::exp2(bestCents / 1200.0);
}

// The plain level of a stretch of audio in dBFS, its mean square relative
// to full scale; silence gives -200.
inline double level(const QList<qint16> &samples)
{
    double sum = 0.0;
    for (qint16 s : samples)
        sum += double(s) * s;
    if (sum <= 0.0)
        return -200.0;
    return 10.0 * std::log10(sum / double(samples.size()) / (32768.0 * 32768.0));
}

inline int peak(const QList<qint16> &samples)
{
    int p = 0;
    for (qint16 s : samples)
        p = std::max(p, std::abs(int(s)));
    return p;
}

// Whether the sink ran dry within a sound: a stream that its writer fills
// too late makes the sink play digital silence until it resumes, and may
// lose some of what came late. That leaves a run of exact zeros between
// loud frames, which no piano note has: at a zero crossing a wave stays at
// zero for a frame or two. What such a take holds is not what was played.
inline bool hasDropout(const QList<qint16> &heard)
{
    // Eight frames of zeros, with sound (-54 dBFS or more) in the 16 frames
    // on either side.
    constexpr qsizetype DropoutFrames = 8;
    constexpr qsizetype EdgeFrames = 16;
    constexpr int EdgeLevel = 64;
    const auto soundIn = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = std::max<qsizetype>(from, 0); i < std::min(to, heard.size()); ++i) {
            if (std::abs(int(heard[i])) >= EdgeLevel)
                return true;
        }
        return false;
    };
    for (qsizetype i = 0; i < heard.size(); ++i) {
        if (heard[i] != 0)
            continue;
        qsizetype end = i;
        while (end < heard.size() && heard[end] == 0)
            ++end;
        if (end - i >= DropoutFrames && soundIn(i - EdgeFrames, i) &&
            soundIn(end, end + EdgeFrames))
            return true;
        i = end;
    }
    return false;
}

// The first frame at or after from whose magnitude reaches threshold, or -1.
inline qsizetype onset(const QList<qint16> &samples, qsizetype from, int threshold)
{
    for (qsizetype i = std::max<qsizetype>(from, 0); i < samples.size(); ++i) {
        if (std::abs(int(samples[i])) >= threshold)
            return i;
    }
    return -1;
}

// The A-weighting curve of IEC 61672 as a power ratio, 1 at 1 kHz, from its
// analog definition: about -19.1 dB at 100 Hz and -2.5 dB at 10 kHz.
inline double aWeighting(double frequency)
{
    const auto curve = [](double f) {
        const double f2 = f * f;
        constexpr double P1 = 20.598997 * 20.598997;
        constexpr double P2 = 107.65265 * 107.65265;
        constexpr double P3 = 737.86223 * 737.86223;
        constexpr double P4 = 12194.217 * 12194.217;
        return P4 * f2 * f2 / ((f2 + P1) * std::sqrt((f2 + P2) * (f2 + P3)) * (f2 + P4));
    };
    const double relative = curve(frequency) / curve(1000.0);
    return relative * relative;
}

// In-place radix-2 fast Fourier transform; the size must be a power of two.
inline void fourierTransform(std::vector<std::complex<double>> &x)
{
    const size_t n = x.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j |= bit;
        if (i < j)
            std::swap(x[i], x[j]);
    }
    for (size_t length = 2; length <= n; length <<= 1) {
        const std::complex<double> step = std::polar(1.0, -2.0 * M_PI / double(length));
        for (size_t start = 0; start < n; start += length) {
            std::complex<double> w = 1.0;
            for (size_t k = 0; k < length / 2; ++k) {
                const std::complex<double> even = x[start + k];
                const std::complex<double> odd = x[start + k + length / 2] * w;
                x[start + k] = even + odd;
                x[start + k + length / 2] = even - odd;
                w *= step;
            }
        }
    }
}

// The A-weighted level of a stretch of audio in dBFS, its mean square
// relative to full scale (a full-scale sine of 1 kHz measures -3.01). The
// weighting is applied in the frequency domain: by Parseval's theorem the
// weighted spectrum's energy is that of the weighted signal.
inline double aWeightedLevel(const QList<qint16> &samples)
{
    if (samples.isEmpty())
        return -std::numeric_limits<double>::infinity();
    size_t n = 1;
    while (n < size_t(samples.size()))
        n <<= 1;
    std::vector<std::complex<double>> x(n);
    for (qsizetype i = 0; i < samples.size(); ++i)
        x[size_t(i)] = samples[i] / 32768.0;
    fourierTransform(x);
    double energy = 0.0;
    for (size_t k = 0; k <= n / 2; ++k) {
        const double weighted = std::norm(x[k]) * aWeighting(double(k) * Rate / double(n));
        energy += (k == 0 || k == n / 2) ? weighted : 2.0 * weighted;
    }
    const double meanSquare = energy / double(n) / double(samples.size());
    return 10.0 * std::log10(meanSquare);
}

} // namespace AudioAnalysis
