// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/sound/QSound.h"
#include "platform/sound/SoundOutput.h"

#include <QList>
#include <QStringList>

// Stands in for the sound output: records what it was asked to play.
class FakeSound : public SoundOutput
{
public:
    // The level of a note that plays out.
    static constexpr int PlayedOut = 0;

    FakeSound() { QSound::setOutput(this); }
    ~FakeSound() override { QSound::setOutput(nullptr); }

    bool available() override
    {
        ++availabilityQueries;
        return soundPresent;
    }
    void play(const QString &path) override
    {
        played << path;
        velocities << PlayedOut;
    }
    void strike(const QString &path, int velocity) override
    {
        played << path;
        velocities << velocity;
    }
    void release(const QString &path) override { released << path; }
    void setSustain(bool down) override { pedal << down; }

    bool soundPresent = true;
    int availabilityQueries = 0;
    // Every note started, played out or struck, with its velocity.
    QStringList played;
    QList<int> velocities;
    QStringList released;
    QList<bool> pedal;
};
