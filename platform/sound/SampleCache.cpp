// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/SampleCache.h"

#include "platform/sound/SoundNames.h"
#include "platform/sound/WavReader.h"

#include <QFileInfo>
#include <QMutexLocker>

namespace {
// A key without a file is played from one a semitone away, first the one
// above, whose frames are read more slowly and so can fold nothing back
// into hearing; the interpolator is made for steps up to a semitone.
constexpr int NeighbourSemitones[] = {+1, -1};
} // namespace

QString SampleCache::sourceOf(const QString &path, quint64 *step)
{
    *step = PitchedSample::UnitStep;
    if (QFileInfo(path).isFile())
        return path;
    const std::optional<int> key = pianoKeyOfSoundFile(path);
    if (!key)
        return QString();
    for (int semitones : NeighbourSemitones) {
        const QString neighbour = soundFileBeside(path, *key + semitones);
        if (QFileInfo(neighbour).isFile()) {
            *step = PitchedSample::stepForSemitones(-semitones);
            return neighbour;
        }
    }
    return QString();
}

PitchedSample SampleCache::load(const QString &path)
{
    {
        QMutexLocker lock(&m_mutex);
        const auto it = m_sounds.constFind(path);
        if (it != m_sounds.constEnd())
            return *it;
    }
    quint64 step = PitchedSample::UnitStep;
    const QString file = sourceOf(path, &step);
    QString error = QStringLiteral("no such file");
    const QList<qint16> samples = file.isEmpty() ? QList<qint16>() : decode(file, &error);
    const PitchedSample sound(samples, step);
    QMutexLocker lock(&m_mutex);
    // Two threads may have loaded the same path at once; the first one in
    // keeps its result, and only it reports a failure.
    const auto it = m_sounds.constFind(path);
    if (it != m_sounds.constEnd())
        return *it;
    m_sounds.insert(path, sound);
    if (sound.isEmpty())
        qWarning("Cannot play sound file %s: %s", qPrintable(path), qPrintable(error));
    return sound;
}

// A file that two keys share is decoded once; its samples are counted once.
QList<qint16> SampleCache::decode(const QString &file, QString *error)
{
    {
        QMutexLocker lock(&m_mutex);
        const auto it = m_files.constFind(file);
        if (it != m_files.constEnd()) {
            *error = QStringLiteral("%1 cannot be decoded").arg(file);
            return *it;
        }
    }
    const QList<qint16> samples = WavReader::readMono(file, error);
    QMutexLocker lock(&m_mutex);
    const auto it = m_files.constFind(file);
    if (it != m_files.constEnd())
        return *it;
    m_files.insert(file, samples);
    m_bytes += samples.size() * qint64(sizeof(qint16));
    return samples;
}

bool SampleCache::isKnown(const QString &path) const
{
    QMutexLocker lock(&m_mutex);
    return m_sounds.contains(path);
}

void SampleCache::markMissing(const QString &path)
{
    QMutexLocker lock(&m_mutex);
    if (m_sounds.contains(path))
        return;
    m_sounds.insert(path, {});
    qWarning("Sound file not found: %s", qPrintable(path));
}

qint64 SampleCache::bytes() const
{
    QMutexLocker lock(&m_mutex);
    return m_bytes;
}
