// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/SoundEngine.h"

#include "platform/sound/SoundMixer.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>

namespace {
SoundEngine *theEngine = nullptr;
constexpr unsigned long StreamSettleMs = 100;
} // namespace

SoundEngine *SoundEngine::instance()
{
    if (!theEngine) {
        theEngine = new SoundEngine;
        // Post routines run first thing in the application object's
        // destructor, while the sound server connection is still there.
        qAddPostRoutine(&SoundEngine::destroyInstance);
    }
    return theEngine;
}

void SoundEngine::destroyInstance()
{
    delete theEngine;
    theEngine = nullptr;
}

SoundEngine::SoundEngine()
{
    m_mixerThread.setObjectName(QStringLiteral("velkaro-mixer"));
    m_mixer = new SoundMixer(&m_cache);
    m_mixer->moveToThread(&m_mixerThread);
    // Emitted by the new thread itself, which the call must reach.
    connect(&m_mixerThread, &QThread::started, m_mixer, &SoundMixer::askForRealTime,
            Qt::DirectConnection);
    m_mixerThread.start(QThread::TimeCriticalPriority);
}

SoundEngine::~SoundEngine()
{
    m_stopLoading = true;
    for (QThread *loader : std::as_const(m_loaders)) {
        loader->wait();
        delete loader;
    }
    // Their "finished" calls may be queued already; this object is going.
    QCoreApplication::removePostedEvents(this);
    bool streamsPending = false;
    QMetaObject::invokeMethod(
        m_mixer, [this, &streamsPending] { streamsPending = m_mixer->close(); },
        Qt::BlockingQueuedConnection);
    // The sound server may still answer for a stream just closed, and Qt 6.4
    // neither waits for those answers when it deletes the stream (with the
    // mixer, below) nor when it frees its connection at exit: give them time
    // to arrive first.
    if (streamsPending)
        QThread::msleep(StreamSettleMs);
    // Deleting a stream runs an event loop of its own: do it in the mixer's
    // thread, where nothing else is left to deliver.
    QMetaObject::invokeMethod(m_mixer, &SoundMixer::releaseStoppedStreams,
                              Qt::BlockingQueuedConnection);
    m_mixerThread.quit();
    m_mixerThread.wait();
    delete m_mixer;
}

bool SoundEngine::available()
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

void SoundEngine::prepareOutput()
{
    if (m_outputPrepared)
        return;
    m_outputPrepared = true;
    QMetaObject::invokeMethod(m_mixer, &SoundMixer::prepare, Qt::QueuedConnection);
}

// Checked here rather than in the mixer so that the warning about a missing
// file comes at once, from the thread that asked; the cache makes it the
// only one. A key without a file of its own is playable from its neighbour's.
bool SoundEngine::isPlayable(const QString &path)
{
    quint64 step = 0;
    if (!m_cache.isKnown(path) && SampleCache::sourceOf(path, &step).isEmpty()) {
        m_cache.markMissing(path);
        return false;
    }
    prepareOutput();
    return true;
}

void SoundEngine::play(const QString &path)
{
    if (isPlayable(path))
        m_mixer->start(path);
}

void SoundEngine::strike(const QString &path, int velocity)
{
    if (isPlayable(path))
        m_mixer->strike(path, velocity);
}

void SoundEngine::release(const QString &path)
{
    m_mixer->release(path);
}

void SoundEngine::setSustain(bool down)
{
    m_mixer->setSustain(down);
}

void SoundEngine::preload(const QStringList &paths)
{
    if (available())
        prepareOutput();
    QThread *loader = QThread::create([this, paths] {
        for (const QString &path : paths) {
            if (m_stopLoading)
                return;
            if (m_cache.isKnown(path))
                continue;
            quint64 step = 0;
            if (!SampleCache::sourceOf(path, &step).isEmpty())
                m_cache.load(path);
            else
                m_cache.markMissing(path);
        }
    });
    loader->setObjectName(QStringLiteral("velkaro-loader"));
    m_loaders.append(loader);
    connect(loader, &QThread::finished, this, [this, loader] {
        m_loaders.removeOne(loader);
        loader->deleteLater();
        emit preloadFinished();
    });
    loader->start(QThread::LowPriority);
}

int SoundEngine::liveVoices() const
{
    return m_mixer->liveVoices();
}
