// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The pitch of a piano note, by which the build tunes the samples and the
// tests check every key. Plain C++: the build runs it before anything else
// exists.
//
// A piano string is stiff, so its partials run sharp of whole multiples of
// its fundamental: the n-th sounds at n f0 sqrt(1 + B n^2). The pitch is the
// fundamental f0. Where the fundamental is clearly there (a tenth of the
// strongest partial's magnitude or more), its own peak is the pitch. The
// lowest notes carry almost none of it: there f0 comes from the partials
// that are there, fitted to that law by least squares.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace NotePitch {

constexpr int Rate = 44100;
// The stretch measured: half a second, after the hammer's noise, which has
// no pitch.
constexpr int FromMs = 30;
constexpr int LengthMs = 500;
// The partials looked at: the first eight, up to 5 kHz.
constexpr int MaxPartials = 8;
constexpr double HighestPartialHz = 5000.0;
// Each is looked for within a quarter tone of n times the nominal pitch, on
// a grid of 5 cents, then on one of half a cent around the best point.
constexpr double SearchCents = 50.0;
constexpr double CoarseStepCents = 5.0;
constexpr double StepCents = 0.5;
// A partial weaker than this share of the strongest one is left out.
constexpr double PresentShare = 0.1;

// Magnitudes of the Hann-windowed discrete Fourier transform of a stretch of
// audio at any frequency (Goertzel's algorithm).
class Spectrum
{
public:
    Spectrum(const int16_t *samples, size_t count) : m_windowed(count)
    {
        for (size_t i = 0; i < count; ++i) {
            const double hann = 0.5 - 0.5 * std::cos(2.0 * M_PI * double(i) / double(count - 1));
            m_windowed[i] = samples[i] / 32768.0 * hann;
        }
    }

    double at(double hz) const
    {
        const double coefficient = 2.0 * std::cos(2.0 * M_PI * hz / Rate);
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

struct Partial
{
    int number = 0;
    double hz = 0.0;
    double magnitude = 0.0;
};

// The strongest peak within SearchCents of hz, refined by a parabola through
// the best point of the fine grid and its neighbours.
inline Partial peakNear(const Spectrum &spectrum, int number, double hz)
{
    const auto at = [&](double cents) { return spectrum.at(hz * std::exp2(cents / 1200.0)); };
    double coarse = 0.0;
    double best = -1.0;
    for (double c = -SearchCents; c <= SearchCents; c += CoarseStepCents) {
        const double m = at(c);
        if (m > best) {
            best = m;
            coarse = c;
        }
    }
    std::vector<double> values;
    double bestCents = coarse;
    best = -1.0;
    for (double c = coarse - CoarseStepCents; c <= coarse + CoarseStepCents; c += StepCents) {
        const double m = at(c);
        values.push_back(m);
        if (m > best) {
            best = m;
            bestCents = c;
        }
    }
    const auto index = size_t(std::lround((bestCents - coarse + CoarseStepCents) / StepCents));
    if (index > 0 && index + 1 < values.size()) {
        const double a = values[index - 1];
        const double b = values[index];
        const double c = values[index + 1];
        const double denominator = a - 2.0 * b + c;
        if (denominator < 0.0)
            bestCents += 0.5 * (a - c) / denominator * StepCents;
    }
    return {number, hz * std::exp2(bestCents / 1200.0), best};
}

// The fundamental of a note in Hz, from the stretch above of a note that
// starts at samples[0], its nominal pitch within a quarter tone; 0 for a
// note too short or silent.
inline double of(const int16_t *samples, size_t count, double nominalHz)
{
    const auto from = size_t(Rate) * FromMs / 1000;
    const auto length = size_t(Rate) * LengthMs / 1000;
    if (count < from + length || nominalHz <= 0.0)
        return 0.0;
    const Spectrum spectrum(samples + from, length);
    const int partials = std::clamp(int(HighestPartialHz / nominalHz), 1, MaxPartials);
    std::vector<Partial> found;
    double strongest = 0.0;
    for (int n = 1; n <= partials; ++n) {
        found.push_back(peakNear(spectrum, n, n * nominalHz));
        strongest = std::max(strongest, found.back().magnitude);
    }
    if (strongest <= 0.0)
        return 0.0;
    if (found.front().magnitude >= PresentShare * strongest)
        return found.front().hz;
    // (f_n / n)^2 = f0^2 + f0^2 B n^2: a straight line over n^2, whose value
    // at 0 is f0^2. Stronger partials are measured more surely and weigh more.
    double w = 0.0, x = 0.0, y = 0.0, xx = 0.0, xy = 0.0;
    int used = 0;
    for (const Partial &p : found) {
        if (p.magnitude < PresentShare * strongest)
            continue;
        const double weight = p.magnitude * p.magnitude;
        const double n2 = double(p.number) * p.number;
        const double f2 = (p.hz / p.number) * (p.hz / p.number);
        w += weight;
        x += weight * n2;
        y += weight * f2;
        xx += weight * n2 * n2;
        xy += weight * n2 * f2;
        ++used;
    }
    const double determinant = w * xx - x * x;
    if (used < 2 || determinant <= 0.0)
        return std::sqrt(y / w);
    return std::sqrt(std::max((y * xx - x * xy) / determinant, 0.0));
}

} // namespace NotePitch
