// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/SoundMixer.h"

#include "platform/sound/SampleCache.h"
#include "platform/sound/WavReader.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>

#include <sched.h>
#include <sys/resource.h>

namespace {

constexpr int BytesPerFrame = int(sizeof(qint16));
// The stream's buffer. The server grants about three quarters of what is
// asked, here some 9 ms: a note that starts while others ring waits that long
// at most, and the mixer's thread must come back within that time or the
// stream runs dry and the note has a gap. Measured with both cores busy, 8 ms
// asked for broke up most notes, 12 ms about one in twenty, 14 ms none, with
// 9 ms median latency then; 12 ms keeps that median clearly under 10 ms.
constexpr int BufferMs = 12;
constexpr int BufferBytes = WavReader::SampleRate * BufferMs / 1000 * BytesPerFrame;
// How often the mixer tops up the buffer while notes sound.
constexpr int ServiceIntervalMs = 1;
// How long a stopped stream is kept before it is deleted.
constexpr int RetireStoppedSinkMs = 1000;
// Notes asked for together are spread out as they were asked, but never
// further apart than this: a stalled thread must not delay a note for long.
constexpr qsizetype MaxDelayFrames = WavReader::SampleRate / 20;
// The real-time priority asked for: below the sound server's own (5 by
// default), whose threads must still come first.
constexpr int RealTimePriority = 4;

} // namespace

SoundMixer::SoundMixer(SampleCache *cache) : m_cache(cache) {}

SoundMixer::~SoundMixer() = default;

void SoundMixer::start(const QString &path)
{
    ask(Action::Play, path);
}

void SoundMixer::strike(const QString &path, int velocity)
{
    ask(Action::Strike, path, velocity);
}

void SoundMixer::release(const QString &path)
{
    ask(Action::Release, path);
}

void SoundMixer::setSustain(bool down)
{
    ask(down ? Action::SustainDown : Action::SustainUp);
}

void SoundMixer::ask(Action action, const QString &path, int velocity)
{
    // One wake-up serves every request that arrives before the mixer runs.
    if (m_requests.ask(action, path, velocity))
        QMetaObject::invokeMethod(this, &SoundMixer::service, Qt::QueuedConnection);
}

// A user may run real-time threads up to the priority RLIMIT_RTPRIO allows
// (audio groups commonly get it), or at any priority with the privilege to.
// Anywhere else the request fails and the thread runs on as it was. Threads
// started from here do not inherit the policy.
void SoundMixer::askForRealTime()
{
    int priority = RealTimePriority;
    rlimit limit{};
    if (getrlimit(RLIMIT_RTPRIO, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        limit.rlim_cur > 0)
        priority = std::min(priority, int(limit.rlim_cur));
    sched_param parameters{};
    parameters.sched_priority = priority;
    sched_setscheduler(0, SCHED_FIFO | SCHED_RESET_ON_FORK, &parameters);
}

void SoundMixer::prepare()
{
    QMediaDevices::defaultAudioOutput();
}

void SoundMixer::open()
{
    if (m_sink)
        return;
    QAudioFormat format;
    format.setSampleRate(WavReader::SampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    m_sink = new QAudioSink(QMediaDevices::defaultAudioOutput(), format, this);
    m_sink->setBufferSize(BufferBytes);
    m_device = m_sink->start();
    if (!m_timer) {
        m_timer = new QTimer(this);
        m_timer->setTimerType(Qt::PreciseTimer);
        m_timer->setInterval(ServiceIntervalMs);
        connect(m_timer, &QTimer::timeout, this, &SoundMixer::service);
    }
}

bool SoundMixer::close()
{
    if (m_timer)
        m_timer->stop();
    if (m_sink) {
        // Qt 6.4's sink can still be called from the sound server's thread
        // for a moment after it stops; deleting it at once lets that call
        // land in freed memory. It stays, stopped, until the calls are over
        // (or until the mixer goes, which waits for them first).
        m_sink->stop();
        m_stopped.push_back({m_sink, Clock::now()});
        if (!m_retireTimer) {
            m_retireTimer = new QTimer(this);
            m_retireTimer->setSingleShot(true);
            connect(m_retireTimer, &QTimer::timeout, this, &SoundMixer::retireStoppedStreams);
        }
        if (!m_retireTimer->isActive())
            m_retireTimer->start(RetireStoppedSinkMs);
    }
    m_sink = nullptr;
    m_device = nullptr;
    m_mix.clear();
    setLive();
    return !m_stopped.empty();
}

// Deleting a stream runs an event loop of its own, in which this may be
// called again: a stream leaves the list before it is deleted, so that none
// is deleted twice.
void SoundMixer::retireStoppedStreams()
{
    const Clock::time_point due = Clock::now() - std::chrono::milliseconds(RetireStoppedSinkMs);
    while (!m_stopped.empty() && m_stopped.front().stoppedAt <= due) {
        QAudioSink *sink = m_stopped.front().sink;
        m_stopped.erase(m_stopped.begin());
        delete sink;
    }
    if (!m_stopped.empty() && !m_retireTimer->isActive()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            m_stopped.front().stoppedAt - due);
        m_retireTimer->start(int(left.count()) + 1);
    }
}

void SoundMixer::releaseStoppedStreams()
{
    if (m_retireTimer)
        m_retireTimer->stop();
    while (!m_stopped.empty()) {
        QAudioSink *sink = m_stopped.front().sink;
        m_stopped.erase(m_stopped.begin());
        delete sink;
    }
}

void SoundMixer::takeRequests()
{
    const std::vector<SoundRequests::Request> requests = m_requests.take();
    if (requests.empty())
        return;
    const Clock::time_point first = requests.front().time;
    for (const SoundRequests::Request &request : requests) {
        const auto seconds = std::chrono::duration<double>(request.time - first).count();
        const qsizetype delay =
            std::min(qsizetype(seconds * WavReader::SampleRate), MaxDelayFrames);
        switch (request.action) {
        case Action::SustainDown:
        case Action::SustainUp:
            m_mix.setSustain(request.action == Action::SustainDown, delay);
            continue;
        case Action::Release:
            // Only a note that was started can be let go; its file is known.
            if (m_cache->isKnown(request.path))
                m_mix.release(m_cache->load(request.path), delay);
            continue;
        case Action::Play:
        case Action::Strike:
            break;
        }
        const PitchedSample sound = m_cache->load(request.path);
        if (sound.isEmpty())
            continue;
        if (request.action == Action::Strike)
            m_mix.strike(sound, delay, request.velocity);
        else
            m_mix.add(sound, delay);
    }
}

void SoundMixer::service()
{
    takeRequests();
    if (!m_sink) {
        // A key let go or the pedal, while nothing sounds: nothing to play.
        if (m_mix.isEmpty())
            return;
        open();
    }
    if (m_sink->state() == QAudio::StoppedState) {
        // The server refused or dropped the stream; try again with the next note.
        close();
        return;
    }
    if (m_mix.isEmpty()) {
        m_timer->stop();
        // An open stream keeps this thread waking many times a second even in
        // silence, so it is closed once it has played out and opened again
        // for the next note. (Suspending it instead leaves the toolkit's
        // stream with a callback into freed memory when it is deleted.)
        if (m_sink->bytesFree() >= m_sink->bufferSize())
            close();
        else
            QTimer::singleShot(BufferMs, this, &SoundMixer::service);
        setLive();
        return;
    }
    const int frames = int(m_sink->bytesFree() / BytesPerFrame);
    if (frames > 0) {
        m_out.resize(size_t(frames));
        m_mix.render(m_out.data(), frames);
        m_device->write(reinterpret_cast<const char *>(m_out.data()),
                        qint64(frames) * BytesPerFrame);
    }
    setLive();
    if (!m_timer->isActive())
        m_timer->start();
}

void SoundMixer::setLive()
{
    m_liveVoices.store(m_mix.voiceCount());
}
