// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/PeakLimiter.h"

#include <algorithm>
#include <cstdlib>

namespace {

// After a loud passage the gain rises back with a time constant of 2^12
// frames (93 ms): fast enough to leave the next note its full level, slow
// enough not to pump on every wave of a ringing chord.
constexpr int ReleaseShift = 12;

} // namespace

PeakLimiter::PeakLimiter()
{
    reset();
}

void PeakLimiter::reset()
{
    m_planned.fill(Unity);
    m_oldest = 0;
}

qint64 PeakLimiter::requiredGain(qint32 sample)
{
    const qint64 magnitude = std::abs(qint64(sample));
    if (magnitude <= Ceiling)
        return Unity;
    return (qint64(Ceiling) << FractionBits) / magnitude;
}

// The gain applied to frame i is the average of the planned gains of frames
// i - L + 1 to i, and the plan of frame k is at most the lowest gain any of
// frames k to k + L - 1 requires (L the look-ahead; lower still while the
// gain rises back after a loud passage). So each gain in that average is at
// most what frame i requires, and so is the average: no frame passes the
// ceiling, and a step in the plan becomes a straight glide L frames long.
void PeakLimiter::process(const qint32 *mix, int frames, qint16 *out)
{
    constexpr int L = LookAheadFrames;
    const int known = frames + L - 1;
    m_required.resize(size_t(known));
    for (int j = 0; j < known; ++j)
        m_required[size_t(j)] = requiredGain(mix[j]);

    // The plans of the last L - 1 frames were made before this block was
    // known, and their windows reach into it: lower them where a note that
    // has started since needs less gain.
    qint64 lowest = Unity;
    for (int h = 0; h < L - 1; ++h) {
        lowest = std::min(lowest, m_required[size_t(h)]);
        qint64 &plan = m_planned[size_t((m_oldest + 1 + h) % L)];
        plan = std::min(plan, lowest);
    }
    qint64 newest = m_planned[size_t((m_oldest + L - 1) % L)];
    qint64 sum = 0;
    for (qint64 plan : m_planned)
        sum += plan;
    sum -= m_planned[size_t(m_oldest)];

    // The lowest required gain over the window [k, k + L - 1], kept in a queue
    // of frames whose required gains rise from front to back.
    m_window.clear();
    size_t front = 0;
    for (int j = 0; j < known; ++j) {
        const qint64 required = m_required[size_t(j)];
        while (m_window.size() > front && m_required[size_t(m_window.back())] >= required)
            m_window.pop_back();
        m_window.push_back(j);
        const int k = j - (L - 1);
        if (k < 0)
            continue;
        if (m_window[front] < k)
            ++front;

        const qint64 released = newest + ((Unity - newest) >> ReleaseShift) + 1;
        newest = std::min({m_required[size_t(m_window[front])], released, Unity});
        m_planned[size_t(m_oldest)] = newest;
        sum += newest;
        const qint64 gain = sum / L;
        m_oldest = (m_oldest + 1) % L;
        sum -= m_planned[size_t(m_oldest)];

        const qint64 magnitude = std::abs(qint64(mix[k]));
        const auto scaled = qint16((magnitude * gain) >> FractionBits);
        out[k] = mix[k] < 0 ? qint16(-scaled) : scaled;
    }
}
