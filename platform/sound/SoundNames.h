// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// The sounds of the piano's 88 keys, A0 to C8, by MIDI number (60 is middle
// C). A key's sound is called "velkaro/" + pitch + octave, the pitch spelled
// C Cs D Eb E F Fs G Gs A Bb B and the octave MIDI's, which starts at C:
// "velkaro/A0", "velkaro/Cs4", "velkaro/C8". Resource::findSound makes a
// path of the name; the sound plays whether or not the build rendered a
// file of that name (see SampleCache).

constexpr int LowestPianoKey = 21;
constexpr int HighestPianoKey = 108;

// The name of the key's sound, or an empty string for a number off the
// keyboard.
QString soundNameOf(int midi);

// The key whose sound the file at path holds, by the file's name
// (".../Cs4.wav" is 61), or nothing for a name of another form.
std::optional<int> pianoKeyOfSoundFile(const QString &path);

// The path of the key's sound file in the folder of path.
QString soundFileBeside(const QString &path, int midi);
