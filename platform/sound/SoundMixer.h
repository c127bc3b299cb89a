// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/sound/SoundRequests.h"
#include "platform/sound/VoiceMix.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <vector>

class QAudioSink;
class QIODevice;
class QTimer;
class SampleCache;

// Plays the notes that are sounding, mixed by a VoiceMix, into one output
// stream of the sound server. It lives in a thread of its own, so that a busy GUI thread never
// starves the stream, and keeps the stream's buffer short, so that a note
// starts a few milliseconds after it is asked for.
//
// While nothing sounds the mixer writes nothing and its timer is stopped: the
// stream runs dry and waits. The server starts a stream that waits as soon as
// a full buffer arrives, so the first note after a pause is written and heard
// at once; notes that start while others ring wait behind one buffer at most.
class SoundMixer : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxVoices = VoiceMix::MaxVoices;
    // Note starts waiting beyond this many are dropped, oldest first: they
    // would only push one another out of the voices.
    static constexpr int MaxPendingStarts = 2 * MaxVoices;

    explicit SoundMixer(SampleCache *cache);
    ~SoundMixer() override;

    // Any thread: asks for the sound file at path to start as soon as
    // possible. Notes asked for together keep their order and spacing, and
    // so do the requests below.
    void start(const QString &path);
    // Any thread: the same for a key struck at velocity and held (VoiceMix).
    void strike(const QString &path, int velocity);
    // Any thread: the key that struck path is let go.
    void release(const QString &path);
    // Any thread: the sustain pedal goes down or comes up.
    void setSustain(bool down);
    // Any thread: the number of notes being mixed.
    int liveVoices() const { return m_liveVoices.load(); }

    // In the mixer's thread, first thing: makes it a real-time thread where
    // the system allows, so that a busy machine does not starve the stream.
    void askForRealTime();
    // In the mixer's thread: connects to the sound server ahead of the first
    // note, without opening a stream.
    void prepare();
    // In the mixer's thread: opens the stream, and closes it.
    void open();
    // Returns whether a stopped stream is still waiting to be deleted.
    bool close();
    // Deletes the stopped streams now.
    void releaseStoppedStreams();

private:
    using Clock = SoundRequests::Clock;
    using Action = SoundRequests::Action;
    struct StoppedSink
    {
        QAudioSink *sink;
        Clock::time_point stoppedAt;
    };
    void ask(Action action, const QString &path = QString(), int velocity = 0);
    void service();
    void takeRequests();
    void setLive();
    void retireStoppedStreams();

    SampleCache *m_cache;

    // Requests waiting for the mixer's thread.
    SoundRequests m_requests{MaxPendingStarts};

    QAudioSink *m_sink = nullptr;
    QIODevice *m_device = nullptr;
    QTimer *m_timer = nullptr;
    // Stopped streams, oldest first, kept until the sound server is surely
    // done with them.
    std::vector<StoppedSink> m_stopped;
    QTimer *m_retireTimer = nullptr;
    VoiceMix m_mix;
    std::vector<qint16> m_out;
    std::atomic<int> m_liveVoices{0};
};
