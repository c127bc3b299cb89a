// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/SoundNames.h"

#include <QFileInfo>

#include <array>

namespace {

constexpr std::array<const char *, 12> PitchNames = {"C",  "Cs", "D",  "Eb", "E",  "F",
                                                     "Fs", "G",  "Gs", "A",  "Bb", "B"};
constexpr int SemitonesPerOctave = 12;
// MIDI's octave -1 starts at key 0, so octave n at 12 (n + 1).
constexpr int OctaveOffset = 1;
const QString SoundFolder = QStringLiteral("velkaro/");
const QString SoundSuffix = QStringLiteral(".wav");

bool isPianoKey(int midi)
{
    return midi >= LowestPianoKey && midi <= HighestPianoKey;
}

QString fileNameOf(int midi)
{
    return QLatin1String(PitchNames[size_t(midi % SemitonesPerOctave)]) +
           QString::number(midi / SemitonesPerOctave - OctaveOffset);
}

} // namespace

QString soundNameOf(int midi)
{
    if (!isPianoKey(midi))
        return QString();
    return SoundFolder + fileNameOf(midi);
}

std::optional<int> pianoKeyOfSoundFile(const QString &path)
{
    const QFileInfo file(path);
    if (file.suffix() != SoundSuffix.mid(1))
        return std::nullopt;
    const QString name = file.completeBaseName();
    for (int pitch = 0; pitch < SemitonesPerOctave; ++pitch) {
        const QLatin1String spelled(PitchNames[size_t(pitch)]);
        if (!name.startsWith(spelled))
            continue;
        const QString octaveText = name.mid(spelled.size());
        bool isNumber = false;
        const int octave = octaveText.toInt(&isNumber);
        // "C4" but not "C+4" or "C04": the name as soundNameOf spells it.
        if (!isNumber || octaveText != QString::number(octave))
            continue;
        const int midi = (octave + OctaveOffset) * SemitonesPerOctave + pitch;
        if (isPianoKey(midi))
            return midi;
    }
    return std::nullopt;
}

QString soundFileBeside(const QString &path, int midi)
{
    return QFileInfo(path).path() + QLatin1Char('/') + fileNameOf(midi) + SoundSuffix;
}
