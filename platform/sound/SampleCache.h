// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QMutex>
#include <QString>

// Decoded sound files by path, shared by the loading thread, the GUI thread
// and the mixer's thread. Decoding happens outside the lock, so a slow file
// never holds up a look-up. A file that cannot be decoded is remembered, and
// reported once.
class SampleCache
{
public:
    // The samples of path, decoding the file on first use. Empty when the
    // file cannot be read; the first such failure writes one warning.
    QList<qint16> load(const QString &path);
    // True when path has been loaded or has failed to load.
    bool isKnown(const QString &path) const;
    // Records that path is missing, with the warning, unless it is known.
    void markMissing(const QString &path);
    // Bytes held by decoded samples.
    qint64 bytes() const;

private:
    mutable QMutex m_mutex;
    // A failed file maps to an empty list.
    QHash<QString, QList<qint16>> m_samples;
    qint64 m_bytes = 0;
};
