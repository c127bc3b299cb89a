// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/sound/PeakLimiter.h"
#include "platform/sound/PitchedSample.h"

#include <limits>
#include <vector>

// The notes that sound, and their mix: each note plays its decoded sample
// once, and the sum of them goes through a PeakLimiter, so that however many
// notes ring together the output stays under full scale. Knows nothing of
// streams or threads; SoundMixer feeds it and writes what it renders.
//
// A note is either played out (a tap, a test note) or held by its key (a
// MIDI or computer key): a held note sounds at its velocity's level, and
// when its key is let go a damper silences it within a quarter of a second,
// as on a piano, unless the sustain pedal is down; when the pedal comes up,
// every note whose key is up is damped the same way. A key played from its
// neighbour's file reads it between frames (SincInterpolator) and lasts as
// many frames as it reads; starting, fading and damping count those frames,
// so it behaves as a key of its own.
class VoiceMix
{
public:
    // Notes ringing together; a trainer plays one or two at a time, and a
    // burst of taps beyond this drops the oldest note.
    static constexpr int MaxVoices = 16;
    // The velocity that plays a sample at its own level, as taps do.
    static constexpr int FullVelocity = 127;

    VoiceMix();

    // Starts sound after delayFrames frames of the next block rendered,
    // played out at full level. Returns the delay the note starts after: the
    // one asked for, or, for a note that would push the mix over the
    // limiter's ceiling before its look-ahead could see it coming, the first
    // frame that look-ahead sees (under 3 ms later).
    qsizetype add(const PitchedSample &sound, qsizetype delayFrames);
    // The same for a key struck at velocity (1 to 127) and held: damped when
    // release() or the pedal lets it go.
    qsizetype strike(const PitchedSample &sound, qsizetype delayFrames, int velocity);
    // The key that struck this sound is let go, delayFrames into the next
    // block.
    void release(const PitchedSample &sound, qsizetype delayFrames);
    // The sustain pedal goes down or comes up, delayFrames into the next block.
    void setSustain(bool down, qsizetype delayFrames);
    bool sustained() const { return m_sustain; }

    // Writes the next `frames` samples of the mix to out.
    void render(qint16 *out, int frames);
    // Notes ringing, fading out or waiting to start.
    int voiceCount() const { return int(m_voices.size()); }
    bool isEmpty() const { return m_voices.empty(); }
    // Silences every note at once, for a stream that has been closed. The
    // pedal stays where it is.
    void clear();

    // A velocity's gain as a fraction of 2^GainBits: full gain at 127, the
    // square of the velocity above a floor some 36 dB down at velocity 1.
    static constexpr int GainBits = 16;
    static qint32 velocityGain(int velocity);

private:
    enum class Hold {
        None,  // plays out, or is being damped already
        Key,   // its key is down
        Pedal, // its key is up and the pedal holds it
    };
    static constexpr qsizetype NotDamped = std::numeric_limits<qsizetype>::max() / 2;

    struct Voice
    {
        PitchedSample sound;
        // The frames it plays in all.
        qsizetype length = 0;
        // Frames played so far; negative while the note waits for its start.
        qsizetype position = 0;
        // Frames left of the fade-out of a dropped note; -1 while it rings.
        int fadeLeft = -1;
        qint32 gain = qint32(1) << GainBits;
        Hold hold = Hold::None;
        // The frame played from which the damper acts.
        qsizetype dampFrom = NotDamped;
    };

    qsizetype start(const PitchedSample &sound, qsizetype delayFrames, qint32 gain, Hold hold);
    qsizetype delaySeenByTheLimiter(const Voice &note);
    static void damp(Voice &voice, qsizetype delayFrames);
    void accumulate(const Voice &voice, qint32 *sum, int frames);
    template <typename Frame>
    static void addPlayed(const Voice &voice, const Frame *played, qsizetype from, qint32 *target,
                          qsizetype count);
    static void advance(Voice &voice, int frames);
    static bool finished(const Voice &voice);

    std::vector<Voice> m_voices;
    std::vector<qint32> m_sum;
    std::vector<qint32> m_ringing;
    // What a resampled voice reads for the stretch being mixed.
    std::vector<qint32> m_read;
    bool m_sustain = false;
    PeakLimiter m_limiter;
};
