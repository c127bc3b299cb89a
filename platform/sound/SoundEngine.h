// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/sound/SampleCache.h"
#include "platform/sound/SoundOutput.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QThread>

#include <atomic>

class SoundMixer;

// The desktop sound output. Samples are decoded once into memory and mixed
// by a SoundMixer in its own thread into a single stream of the system's
// sound server, which keeps a tap's latency to a few milliseconds and the
// server's stream count at one however fast the taps come.
class SoundEngine : public QObject, public SoundOutput
{
    Q_OBJECT
public:
    // The engine lives until the application object goes, and is torn down
    // just before it.
    static SoundEngine *instance();

    bool available() override;
    void play(const QString &path) override;
    void strike(const QString &path, int velocity) override;
    void release(const QString &path) override;
    void setSustain(bool down) override;
    // Decodes the files in a thread of its own and connects to the sound
    // server, so that the first tap sounds at once; returns at once.
    void preload(const QStringList &paths);

    // Notes being mixed now.
    int liveVoices() const;
    // Memory held by decoded samples.
    qint64 sampleBytes() const { return m_cache.bytes(); }

signals:
    // A preload has decoded all its files.
    void preloadFinished();

private:
    SoundEngine();
    ~SoundEngine() override;
    static void destroyInstance();
    void prepareOutput();
    bool isPlayable(const QString &path);

    SampleCache m_cache;
    QThread m_mixerThread;
    SoundMixer *m_mixer = nullptr;
    bool m_outputPrepared = false;
    QList<QThread *> m_loaders;
    std::atomic<bool> m_stopLoading{false};
};
