// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QObject>

#include <cstdio>
#include <ctime>

// Shared by the start-up probes: the monotonic clock in nanoseconds, the
// process's peak resident memory, and a watcher that reports the first
// paint of a widget.
namespace FirstPaint {

inline long long nowNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

// Peak resident set size in KiB, as the kernel counts it.
inline long long peakRssKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const auto lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// Prints "paint <ns>" once, when the watched widget is first painted, then
// calls done.
class Watcher : public QObject
{
public:
    template <typename Done> Watcher(QObject *watched, Done done) : m_done(done)
    {
        watched->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            std::printf("paint %lld\n", nowNs());
            std::fflush(stdout);
            watched->removeEventFilter(this);
            m_done();
        }
        return false;
    }

private:
    std::function<void()> m_done;
    bool m_seen = false;
};

} // namespace FirstPaint
