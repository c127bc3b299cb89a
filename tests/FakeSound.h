// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/sound/QSound.h"
#include "platform/sound/SoundOutput.h"

#include <QStringList>

// Stands in for the sound output: records what it was asked to play.
class FakeSound : public SoundOutput
{
public:
    FakeSound() { QSound::setOutput(this); }
    ~FakeSound() override { QSound::setOutput(nullptr); }

    bool available() override
    {
        ++availabilityQueries;
        return soundPresent;
    }
    void play(const QString &path) override { played << path; }

    bool soundPresent = true;
    int availabilityQueries = 0;
    QStringList played;
};
