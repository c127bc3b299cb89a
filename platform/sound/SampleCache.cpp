// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/SampleCache.h"

#include "platform/sound/WavReader.h"

#include <QMutexLocker>

QList<qint16> SampleCache::load(const QString &path)
{
    {
        QMutexLocker lock(&m_mutex);
        const auto it = m_samples.constFind(path);
        if (it != m_samples.constEnd())
            return *it;
    }
    QString error;
    const QList<qint16> samples = WavReader::readMono(path, &error);
    QMutexLocker lock(&m_mutex);
    // Two threads may have decoded the same file at once; the first one in
    // keeps its result, and only it reports a failure.
    const auto it = m_samples.constFind(path);
    if (it != m_samples.constEnd())
        return *it;
    m_samples.insert(path, samples);
    m_bytes += samples.size() * qint64(sizeof(qint16));
    if (samples.isEmpty())
        qWarning("Cannot play sound file %s: %s", qPrintable(path), qPrintable(error));
    return samples;
}

bool SampleCache::isKnown(const QString &path) const
{
    QMutexLocker lock(&m_mutex);
    return m_samples.contains(path);
}

void SampleCache::markMissing(const QString &path)
{
    QMutexLocker lock(&m_mutex);
    if (m_samples.contains(path))
        return;
    m_samples.insert(path, {});
    qWarning("Sound file not found: %s", qPrintable(path));
}

qint64 SampleCache::bytes() const
{
    QMutexLocker lock(&m_mutex);
    return m_bytes;
}
