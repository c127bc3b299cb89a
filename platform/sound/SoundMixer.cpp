// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/SoundMixer.h"

#include "platform/sound/SampleCache.h"
#include "platform/sound/WavReader.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QMutexLocker>
#include <QTimer>

#include <algorithm>

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
// A dropped note fades out over this many frames (5 ms) instead of clicking.
constexpr int FadeFrames = WavReader::SampleRate / 200;
// Notes asked for together are spread out as they were asked, but never
// further apart than this: a stalled thread must not delay a note for long.
constexpr qsizetype MaxDelayFrames = WavReader::SampleRate / 20;
// Requests beyond this many are dropped, oldest first: they would only push
// one another out of the voices.
constexpr size_t MaxPendingRequests = 2 * SoundMixer::MaxVoices;
// Notes that overlap can add up beyond full scale. Above the knee the sum is
// bent smoothly towards full scale instead of being clipped.
constexpr qint32 LimiterKnee = 24576;
constexpr qint32 LimiterRange = 32767 - LimiterKnee;

qint16 limit(qint32 sum)
{
    const qint32 magnitude = sum < 0 ? -sum : sum;
    if (magnitude <= LimiterKnee)
        return qint16(sum);
    const qint64 over = magnitude - LimiterKnee;
    const auto bent = qint32(LimiterKnee + over * LimiterRange / (over + LimiterRange));
    return qint16(sum < 0 ? -bent : bent);
}

} // namespace

SoundMixer::SoundMixer(SampleCache *cache) : m_cache(cache) {}

SoundMixer::~SoundMixer() = default;

void SoundMixer::start(const QString &path)
{
    bool wake = false;
    {
        QMutexLocker lock(&m_requestMutex);
        wake = m_requests.empty();
        if (m_requests.size() >= MaxPendingRequests)
            m_requests.erase(m_requests.begin());
        m_requests.push_back({path, Clock::now()});
    }
    // One wake-up serves every request that arrives before the mixer runs.
    if (wake)
        QMetaObject::invokeMethod(this, &SoundMixer::service, Qt::QueuedConnection);
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
        QAudioSink *stopped = m_sink;
        QTimer::singleShot(RetireStoppedSinkMs, stopped, [stopped] { delete stopped; });
    }
    m_sink = nullptr;
    m_device = nullptr;
    m_voices.clear();
    setLive();
    return !findChildren<QAudioSink *>(Qt::FindDirectChildrenOnly).isEmpty();
}

void SoundMixer::releaseStoppedStreams()
{
    qDeleteAll(findChildren<QAudioSink *>(Qt::FindDirectChildrenOnly));
}

void SoundMixer::takeRequests()
{
    std::vector<Request> requests;
    {
        QMutexLocker lock(&m_requestMutex);
        requests.swap(m_requests);
    }
    if (requests.empty())
        return;
    const Clock::time_point first = requests.front().time;
    for (const Request &request : requests) {
        const QList<qint16> samples = m_cache->load(request.path);
        if (samples.isEmpty())
            continue;
        const auto delay = std::chrono::duration<double>(request.time - first).count();
        addVoice(samples, std::min(qsizetype(delay * WavReader::SampleRate), MaxDelayFrames));
    }
}

void SoundMixer::addVoice(const QList<qint16> &samples, qsizetype delayFrames)
{
    // A key struck again damps its string, as on a piano.
    int ringing = 0;
    for (Voice &voice : m_voices) {
        if (voice.fadeLeft >= 0)
            continue;
        if (voice.samples.constData() == samples.constData())
            voice.fadeLeft = FadeFrames;
        else
            ++ringing;
    }
    // Voices are kept oldest first; past the limit the oldest ringing note goes.
    for (Voice &voice : m_voices) {
        if (ringing < MaxVoices)
            break;
        if (voice.fadeLeft < 0) {
            voice.fadeLeft = FadeFrames;
            --ringing;
        }
    }
    // Fading notes are short-lived, but a burst could pile them up.
    while (m_voices.size() >= size_t(2 * MaxVoices)) {
        const auto fading = std::find_if(m_voices.begin(), m_voices.end(),
                                         [](const Voice &v) { return v.fadeLeft >= 0; });
        m_voices.erase(fading != m_voices.end() ? fading : m_voices.begin());
    }
    m_voices.push_back({samples, -delayFrames, -1});
}

void SoundMixer::service()
{
    if (!m_sink)
        open();
    takeRequests();
    if (m_sink->state() == QAudio::StoppedState) {
        // The server refused or dropped the stream; try again with the next note.
        close();
        return;
    }
    if (m_voices.empty()) {
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
        mix(frames);
        m_device->write(reinterpret_cast<const char *>(m_out.data()),
                        qint64(frames) * BytesPerFrame);
    }
    setLive();
    if (!m_timer->isActive())
        m_timer->start();
}

void SoundMixer::mix(int frames)
{
    m_sum.assign(size_t(frames), 0);
    for (Voice &voice : m_voices) {
        int i = 0;
        if (voice.position < 0) {
            const auto wait = int(std::min<qsizetype>(-voice.position, frames));
            voice.position += wait;
            i = wait;
        }
        const qint16 *data = voice.samples.constData();
        const qsizetype size = voice.samples.size();
        for (; i < frames && voice.position < size && voice.fadeLeft != 0; ++i) {
            qint32 value = data[voice.position++];
            if (voice.fadeLeft > 0)
                value = value * voice.fadeLeft-- / FadeFrames;
            m_sum[size_t(i)] += value;
        }
    }
    m_voices.erase(std::remove_if(m_voices.begin(), m_voices.end(),
                                  [](const Voice &v) {
                                      return v.position >= v.samples.size() || v.fadeLeft == 0;
                                  }),
                   m_voices.end());
    m_out.resize(size_t(frames));
    std::transform(m_sum.begin(), m_sum.end(), m_out.begin(), limit);
}

void SoundMixer::setLive()
{
    m_liveVoices.store(int(m_voices.size()));
}
