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
    // Starts the sound file at path and returns at once; it plays out.
    virtual void play(const QString &path) = 0;
    // Starts it for a key struck at velocity (1 to 127; 127 is play's level)
    // and still held: release() damps it, unless the sustain pedal is down.
    virtual void strike(const QString &path, int velocity) = 0;
    // The key that struck path is let go.
    virtual void release(const QString &path) = 0;
    // The sustain pedal goes down or comes up; coming up damps every struck
    // note whose key is up.
    virtual void setSustain(bool down) = 0;
};
