// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// Decodes the program's sound files: RIFF WAV with 16-bit PCM at the mixer's
// rate. Stereo is mixed down to mono. Anything else is refused rather than
// converted, since every file the program ships is already in this form.
class WavReader
{
public:
    static constexpr int SampleRate = 44100;

    // The file's frames as mono samples; empty, with *error set, on failure.
    static QList<qint16> readMono(const QString &path, QString *error);
    // The same for a file already in memory.
    static QList<qint16> decodeMono(const QByteArray &data, QString *error);
};
