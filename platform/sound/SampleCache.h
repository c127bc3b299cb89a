// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/sound/PitchedSample.h"

#include <QHash>
#include <QList>
#include <QMutex>
#include <QString>

// Decoded sounds by path, shared by the loading thread, the GUI thread and
// the mixer's thread. Decoding happens outside the lock, so a slow file
// never holds up a look-up. A file that cannot be decoded is remembered, and
// reported once.
//
// The build renders every third key of the piano. A key's path names its
// file whether or not there is one: where there is none, the key sounds
// from the file of the key a semitone above or below it, read at the step
// between their pitches. Both keys then share the one decoded file.
class SampleCache
{
public:
    // The sound of path, decoding its file on first use. Empty when nothing
    // can be read for it; the first such failure writes one warning.
    PitchedSample load(const QString &path);
    // True when path has been loaded or has failed to load.
    bool isKnown(const QString &path) const;
    // Records that path is missing, with the warning, unless it is known.
    void markMissing(const QString &path);
    // Bytes held by decoded samples.
    qint64 bytes() const;

    // The file that sounds path, and the step it is read at: path itself
    // where it exists, else its key's neighbour's file. Empty when neither
    // exists. Looks at the disk.
    static QString sourceOf(const QString &path, quint64 *step);

private:
    QList<qint16> decode(const QString &file, QString *error);

    mutable QMutex m_mutex;
    // A failed path maps to an empty sound.
    QHash<QString, PitchedSample> m_sounds;
    // Decoded files, each held once however many keys it sounds.
    QHash<QString, QList<qint16>> m_files;
    qint64 m_bytes = 0;
};
