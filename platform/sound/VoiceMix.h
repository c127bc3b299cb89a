// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/sound/PeakLimiter.h"

#include <QList>

#include <vector>

// The notes that sound, and their mix: each note plays its decoded sample
// once, and the sum of them goes through a PeakLimiter, so that however many
// notes ring together the output stays under full scale. Knows nothing of
// streams or threads; SoundMixer feeds it and writes what it renders.
class VoiceMix
{
public:
    // Notes ringing together; a trainer plays one or two at a time, and a
    // burst of taps beyond this drops the oldest note.
    static constexpr int MaxVoices = 16;

    // Starts samples after delayFrames frames of the next block rendered.
    void add(const QList<qint16> &samples, qsizetype delayFrames);
    // Writes the next `frames` samples of the mix to out.
    void render(qint16 *out, int frames);
    // Notes ringing, fading out or waiting to start.
    int voiceCount() const { return int(m_voices.size()); }
    bool isEmpty() const { return m_voices.empty(); }
    // Silences every note at once, for a stream that has been closed.
    void clear();

private:
    struct Voice
    {
        QList<qint16> samples;
        // Frames played so far; negative while the note waits for its start.
        qsizetype position = 0;
        // Frames left of the fade-out of a dropped note; -1 while it rings.
        int fadeLeft = -1;
    };

    static void accumulate(const Voice &voice, qint32 *sum, int frames);
    static void advance(Voice &voice, int frames);

    std::vector<Voice> m_voices;
    std::vector<qint32> m_sum;
    PeakLimiter m_limiter;
};
