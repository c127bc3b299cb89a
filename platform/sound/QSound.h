// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class SoundOutput;

// The sound service: asks whether sound can be heard and starts a sound file.
class QSound
{
public:
    static bool available();
    // Starts playback of the file at path and returns at once; overlapping
    // sounds ring together.
    static void play(const QString &path);
    // A key's note: struck at velocity (1 to 127) and damped when the key is
    // let go, unless the sustain pedal holds it (see SoundOutput).
    static void strike(const QString &path, int velocity);
    static void release(const QString &path);
    static void setSustain(bool down);
    // Decodes the given files ahead of their first play, off the GUI thread.
    static void preload(const QStringList &paths);

    // Replaces the output (not owned); nullptr restores the desktop mixer.
    static void setOutput(SoundOutput *output);
    static SoundOutput *output();
};
