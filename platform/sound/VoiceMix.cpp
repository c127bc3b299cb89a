// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/VoiceMix.h"

#include "platform/sound/WavReader.h"

#include <algorithm>

namespace {

// A dropped note fades out over this many frames (5 ms) instead of clicking.
constexpr int FadeFrames = WavReader::SampleRate / 200;

} // namespace

void VoiceMix::add(const QList<qint16> &samples, qsizetype delayFrames)
{
    // A key struck again damps its string, as on a piano.
    int ringing = 0;
    for (Voice &voice : m_voices) {
        if (voice.fadeLeft >= 0)
            continue;
        if (voice.samples.constData() == samples.constData())
            voice.fadeLeft = FadeFrames;
        else
            ++ringing;
    }
    // Voices are kept oldest first; past the limit the oldest ringing note goes.
    for (Voice &voice : m_voices) {
        if (ringing < MaxVoices)
            break;
        if (voice.fadeLeft < 0) {
            voice.fadeLeft = FadeFrames;
            --ringing;
        }
    }
    // Fading notes are short-lived, but a burst could pile them up.
    while (m_voices.size() >= size_t(2 * MaxVoices)) {
        const auto fading = std::find_if(m_voices.begin(), m_voices.end(),
                                         [](const Voice &v) { return v.fadeLeft >= 0; });
        m_voices.erase(fading != m_voices.end() ? fading : m_voices.begin());
    }
    m_voices.push_back({samples, -delayFrames, -1});
}

void VoiceMix::render(qint16 *out, int frames)
{
    // The limiter looks ahead into what the voices will play next; the
    // voices move on by the block only.
    const int known = frames + PeakLimiter::LookAheadFrames - 1;
    m_sum.assign(size_t(known), 0);
    for (const Voice &voice : m_voices)
        accumulate(voice, m_sum.data(), known);
    for (Voice &voice : m_voices)
        advance(voice, frames);
    m_voices.erase(std::remove_if(m_voices.begin(), m_voices.end(),
                                  [](const Voice &v) {
                                      return v.position >= v.samples.size() || v.fadeLeft == 0;
                                  }),
                   m_voices.end());
    m_limiter.process(m_sum.data(), frames, out);
}

void VoiceMix::clear()
{
    m_voices.clear();
    m_limiter.reset();
}

// Adds what the voice plays over the next `frames` frames to sum, without
// moving it on.
void VoiceMix::accumulate(const Voice &voice, qint32 *sum, int frames)
{
    const qsizetype wait = std::max<qsizetype>(-voice.position, 0);
    const qsizetype from = std::max<qsizetype>(voice.position, 0);
    qsizetype playing = std::min<qsizetype>(frames - wait, voice.samples.size() - from);
    if (voice.fadeLeft >= 0)
        playing = std::min<qsizetype>(playing, voice.fadeLeft);
    if (playing <= 0)
        return;
    const qint16 *data = voice.samples.constData() + from;
    qint32 *target = sum + wait;
    for (qsizetype i = 0; i < playing; ++i) {
        qint32 value = data[i];
        if (voice.fadeLeft >= 0)
            value = value * qint32(voice.fadeLeft - i) / FadeFrames;
        target[i] += value;
    }
}

void VoiceMix::advance(Voice &voice, int frames)
{
    const qsizetype played =
        std::max<qsizetype>(frames + std::min<qsizetype>(voice.position, 0), 0);
    voice.position += frames;
    if (voice.fadeLeft >= 0)
        voice.fadeLeft = int(std::max<qsizetype>(voice.fadeLeft - played, 0));
}
