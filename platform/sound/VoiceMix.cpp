// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/VoiceMix.h"

#include "platform/sound/SincInterpolator.h"
#include "platform/sound/WavReader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// A dropped note fades out over this many frames (5 ms) instead of clicking.
constexpr int FadeFrames = WavReader::SampleRate / 200;

constexpr qint32 FullGain = qint32(1) << VoiceMix::GainBits;
// Velocity 1 sounds this much quieter than 127.
constexpr double SoftestDb = -36.0;

// The damper takes a note from full level to silence in a quarter of a
// second: a decay with a time constant of 40 ms, bent down to reach zero
// exactly at the end, so the note never stops with a step.
constexpr int DampFrames = WavReader::SampleRate / 4;
constexpr double DampTimeConstantFrames = WavReader::SampleRate * 0.040;

// The damper's gain for each frame after it starts acting, in FullGain units.
const std::vector<qint32> &damperCurve()
{
    static const std::vector<qint32> curve = [] {
        std::vector<qint32> gains(static_cast<size_t>(DampFrames));
        const double end = std::exp(-DampFrames / DampTimeConstantFrames);
        for (int k = 0; k < DampFrames; ++k) {
            const double decay = std::exp(-k / DampTimeConstantFrames);
            gains[size_t(k)] = qint32(std::lround(FullGain * (decay - end) / (1.0 - end)));
        }
        return gains;
    }();
    return curve;
}

} // namespace

// Loudness follows the square of the velocity, as pianists know it from
// most instruments, but never falls below a floor: the softest touch is
// still heard.
qint32 VoiceMix::velocityGain(int velocity)
{
    const double v = double(std::clamp(velocity, 1, FullVelocity)) / FullVelocity;
    const double floor = std::pow(10.0, SoftestDb / 20.0);
    return qint32(std::lround(FullGain * (floor + (1.0 - floor) * v * v)));
}

// The interpolator's table is made here, on the thread that makes the mix,
// rather than by the first resampled note on the mixer's real-time thread.
VoiceMix::VoiceMix()
{
    SincInterpolator::instance();
}

qsizetype VoiceMix::add(const PitchedSample &sound, qsizetype delayFrames)
{
    return start(sound, delayFrames, FullGain, Hold::None);
}

qsizetype VoiceMix::strike(const PitchedSample &sound, qsizetype delayFrames, int velocity)
{
    return start(sound, delayFrames, velocityGain(velocity), Hold::Key);
}

qsizetype VoiceMix::start(const PitchedSample &sound, qsizetype delayFrames, qint32 gain, Hold hold)
{
    // A key struck again damps its string, as on a piano.
    int ringing = 0;
    for (Voice &voice : m_voices) {
        if (voice.fadeLeft >= 0)
            continue;
        if (voice.sound.isSameSound(sound))
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
    Voice voice;
    voice.sound = sound;
    voice.length = sound.frames();
    voice.position = -delayFrames;
    voice.gain = gain;
    voice.hold = hold;
    voice.position = -delaySeenByTheLimiter(voice);
    m_voices.push_back(voice);
    return -voice.position;
}

// The limiter planned the gain of the next block's first LookAheadFrames - 1
// frames while rendering the last block, before this note was known. A note
// starting there that lifts the mix over the ceiling would force the gain
// down at once, a step where there should be a glide: such a note starts
// just after those frames instead, where the look-ahead sees it coming.
// Notes that keep the mix under the ceiling, a note alone among them, start
// when asked.
qsizetype VoiceMix::delaySeenByTheLimiter(const Voice &note)
{
    constexpr int Planned = PeakLimiter::LookAheadFrames - 1;
    const qsizetype delay = -note.position;
    if (delay >= Planned)
        return delay;
    m_ringing.assign(size_t(Planned), 0);
    for (const Voice &voice : m_voices)
        accumulate(voice, m_ringing.data(), Planned);
    m_sum.assign(size_t(Planned), 0);
    accumulate(note, m_sum.data(), Planned);
    for (int i = 0; i < Planned; ++i) {
        const qint32 ringing = std::abs(m_ringing[size_t(i)]);
        const qint32 with = std::abs(m_ringing[size_t(i)] + m_sum[size_t(i)]);
        if (with > PeakLimiter::Ceiling && with > ringing)
            return Planned;
    }
    return delay;
}

void VoiceMix::release(const PitchedSample &sound, qsizetype delayFrames)
{
    for (Voice &voice : m_voices) {
        if (voice.hold != Hold::Key || !voice.sound.isSameSound(sound))
            continue;
        if (m_sustain)
            voice.hold = Hold::Pedal;
        else
            damp(voice, delayFrames);
    }
}

void VoiceMix::setSustain(bool down, qsizetype delayFrames)
{
    m_sustain = down;
    if (down)
        return;
    for (Voice &voice : m_voices) {
        if (voice.hold == Hold::Pedal)
            damp(voice, delayFrames);
    }
}

void VoiceMix::damp(Voice &voice, qsizetype delayFrames)
{
    voice.hold = Hold::None;
    voice.dampFrom = std::max<qsizetype>(voice.position + delayFrames, 0);
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
    m_voices.erase(std::remove_if(m_voices.begin(), m_voices.end(), &VoiceMix::finished),
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
    qsizetype playing = std::min<qsizetype>(frames - wait, voice.length - from);
    if (voice.fadeLeft >= 0)
        playing = std::min<qsizetype>(playing, voice.fadeLeft);
    playing = std::min<qsizetype>(playing, voice.dampFrom + DampFrames - from);
    if (playing <= 0)
        return;
    if (!voice.sound.isResampled()) {
        addPlayed(voice, voice.sound.samples.constData() + from, from, sum + wait, playing);
        return;
    }
    m_read.resize(size_t(playing));
    SincInterpolator::instance().read(voice.sound.samples, quint64(from) * voice.sound.step,
                                      voice.sound.step, m_read.data(), playing);
    addPlayed(voice, m_read.data(), from, sum + wait, playing);
}

// Adds count frames the voice plays from frame `from` on, at its level and
// through its fade or damper.
template <typename Frame>
void VoiceMix::addPlayed(const Voice &voice, const Frame *played, qsizetype from, qint32 *target,
                         qsizetype count)
{
    if (voice.gain == FullGain && voice.fadeLeft < 0 && from + count <= voice.dampFrom) {
        for (qsizetype i = 0; i < count; ++i)
            target[i] += played[i];
        return;
    }
    const std::vector<qint32> &damper = damperCurve();
    for (qsizetype i = 0; i < count; ++i) {
        qint64 gain = voice.gain;
        const qsizetype damped = from + i - voice.dampFrom;
        if (damped >= 0)
            gain = (gain * damper[size_t(damped)]) >> GainBits;
        auto value = qint32((played[i] * gain) >> GainBits);
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

bool VoiceMix::finished(const Voice &voice)
{
    return voice.position >= voice.length || voice.fadeLeft == 0 ||
           voice.position >= voice.dampFrom + DampFrames;
}
