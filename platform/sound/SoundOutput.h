// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where QSound sends its requests. The program uses the desktop mixer;
// tests put a recorder in its place.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    // True when sound can be heard at all.
    virtual bool available() = 0;
    // Starts the sound file at path and returns at once.
    virtual void play(const QString &path) = 0;
};
