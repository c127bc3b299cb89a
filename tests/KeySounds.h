// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Resource.h"
#include "platform/sound/PitchedSample.h"
#include "platform/sound/SampleCache.h"
#include "platform/sound/SoundNames.h"
#include "platform/sound/VoiceMix.h"

#include <QHash>
#include <QList>
#include <QPair>

#include <cmath>

// The piano's keys as the program sounds them, for the sound tests and
// benchmarks: looked up by name as QSound is asked for them, and played
// through the mixer, without a sound server.
namespace KeySounds {

constexpr int MidiA4 = 69;

inline double equalTempered(int midi)
{
    return 440.0 * std::exp2((midi - MidiA4) / 12.0);
}

// One cache for the test program, as the program has one.
inline SampleCache &cache()
{
    static SampleCache shared;
    return shared;
}

inline QString pathOf(int midi)
{
    return Resource::findSound(soundNameOf(midi));
}

// What the mixer reads for the key.
inline PitchedSample of(int midi)
{
    return cache().load(pathOf(midi));
}

// The mix of sound alone, struck at velocity and left to play out, from its
// start to its end, rendered in blocks of `block` frames.
inline QList<qint16> played(const PitchedSample &sound, int velocity = VoiceMix::FullVelocity,
                            int block = 441)
{
    VoiceMix mix;
    mix.strike(sound, 0, velocity);
    QList<qint16> out;
    while (!mix.isEmpty()) {
        const qsizetype at = out.size();
        out.resize(at + block);
        mix.render(out.data() + at, block);
    }
    return out.first(sound.frames());
}

// What the mixer plays for the key alone, struck at velocity: rendered once
// per test program, since rendering all 88 keys is what takes the time
// (most of all in a build for the sanitizers).
inline const QList<qint16> &playedKey(int midi, int velocity = VoiceMix::FullVelocity)
{
    static QHash<QPair<int, int>, QList<qint16>> rendered;
    const QPair<int, int> which(midi, velocity);
    auto it = rendered.find(which);
    if (it == rendered.end())
        it = rendered.insert(which, played(of(midi), velocity));
    return *it;
}

} // namespace KeySounds
