// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

// Records what reaches the test sound server's silent sink, through its
// monitor source, with `parec` in a child process. A thread of its own reads
// the pipe, so each block of samples is stamped with the moment it arrived
// however busy the GUI thread is; times are QElapsedTimer::msecsSinceReference
// in nanoseconds, the clock the benchmarks stamp taps with.
class MonitorRecorder
{
public:
    static constexpr int Rate = 44100;
    // A fresh silent sink drops the first two seconds or so of a recording.
    static constexpr int WarmUpMs = 2100;

    struct Block
    {
        qint64 endFrame;  // frames recorded up to and including this block
        qint64 arrivalNs; // when the block reached this process
    };

    ~MonitorRecorder() { stop(); }

    // Starts parec on out.monitor; false when it cannot be started.
    bool start(int latencyMs = 2)
    {
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addclose(&actions, fds[1]);
        const QByteArray latency = "--latency-msec=" + QByteArray::number(latencyMs);
        char *const argv[] = {const_cast<char *>("parec"),
                              const_cast<char *>("-d"),
                              const_cast<char *>("out.monitor"),
                              const_cast<char *>("--raw"),
                              const_cast<char *>("--format=s16le"),
                              const_cast<char *>("--channels=1"),
                              const_cast<char *>("--rate=44100"),
                              const_cast<char *>(latency.constData()),
                              nullptr};
        const int spawned = posix_spawnp(&m_pid, "parec", &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        if (spawned != 0) {
            close(fds[0]);
            m_pid = 0;
            return false;
        }
        m_fd = fds[0];
        m_reader = QThread::create([this] { readLoop(); });
        m_reader->start(QThread::TimeCriticalPriority);
        return true;
    }

    void stop()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
            m_pid = 0;
        }
        m_stop = true;
        if (m_reader) {
            m_reader->wait();
            delete m_reader;
            m_reader = nullptr;
        }
        if (m_fd >= 0) {
            close(m_fd);
            m_fd = -1;
        }
    }

    // The clock that arrival times use; callers stamp their own events with it.
    static qint64 now()
    {
        static QElapsedTimer clock = [] {
            QElapsedTimer t;
            t.start();
            return t;
        }();
        return clock.nsecsElapsed();
    }

    qint64 frames() const
    {
        QMutexLocker lock(&m_mutex);
        return m_samples.size();
    }

    // Samples [from, from + count), or fewer where the recording ends.
    QList<qint16> samples(qint64 from, qint64 count) const
    {
        QMutexLocker lock(&m_mutex);
        from = qBound<qint64>(0, from, m_samples.size());
        return m_samples.mid(from, qMin<qint64>(count, m_samples.size() - from));
    }

    // Waits until at least n frames are recorded; false on timeout or when
    // the recorder has stopped.
    bool waitForFrames(qint64 n, int timeoutMs) const
    {
        QElapsedTimer timer;
        timer.start();
        while (frames() < n) {
            if (timer.elapsed() > timeoutMs || m_finished)
                return false;
            QThread::msleep(5);
        }
        return true;
    }

    // The arrival time of the block holding frame.
    qint64 arrivalOf(qint64 frame) const
    {
        QMutexLocker lock(&m_mutex);
        const auto it =
            std::upper_bound(m_blocks.cbegin(), m_blocks.cend(), frame,
                             [](qint64 f, const Block &block) { return f < block.endFrame; });
        return it == m_blocks.cend() ? -1 : it->arrivalNs;
    }

    // The median number of frames per block read from parec.
    qint64 medianBlockFrames() const
    {
        QMutexLocker lock(&m_mutex);
        if (m_blocks.isEmpty())
            return 0;
        QList<qint64> sizes;
        qint64 previous = 0;
        for (const Block &block : m_blocks) {
            sizes << block.endFrame - previous;
            previous = block.endFrame;
        }
        std::sort(sizes.begin(), sizes.end());
        return sizes.at(sizes.size() / 2);
    }

private:
    void readLoop()
    {
        char buffer[8192];
        int carry = -1; // a byte of a frame split across two reads
        while (!m_stop) {
            pollfd p{m_fd, POLLIN, 0};
            const int ready = poll(&p, 1, 50);
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready <= 0)
                continue;
            const ssize_t n = read(m_fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            const qint64 arrival = now();
            QMutexLocker lock(&m_mutex);
            ssize_t i = 0;
            if (carry >= 0) {
                m_samples.append(qint16(quint8(carry) | (quint8(buffer[0]) << 8)));
                carry = -1;
                i = 1;
            }
            for (; i + 1 < n; i += 2)
                m_samples.append(qint16(quint8(buffer[i]) | (quint8(buffer[i + 1]) << 8)));
            if (i < n)
                carry = quint8(buffer[i]);
            m_blocks.append({m_samples.size(), arrival});
        }
        m_finished = true;
    }

    pid_t m_pid = 0;
    int m_fd = -1;
    QThread *m_reader = nullptr;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_finished{false};
    mutable QMutex m_mutex;
    QList<qint16> m_samples;
    QList<Block> m_blocks;
};
