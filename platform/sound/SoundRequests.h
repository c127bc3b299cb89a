// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMutex>
#include <QString>

#include <chrono>
#include <vector>

// What the mixer's thread is asked to do, by any thread, in the order asked.
// A burst of taps can ask for more notes than can ring: past maxStarts note
// starts waiting, the oldest waiting start is dropped, since it would only be
// pushed out of the voices by the ones after it. A key let go and the pedal
// are never dropped: without them a note would ring on. They come one per
// key or pedal movement, and the mixer takes them all each time it runs.
class SoundRequests
{
public:
    using Clock = std::chrono::steady_clock;
    enum class Action { Play, Strike, Release, SustainDown, SustainUp };
    struct Request
    {
        Action action;
        QString path;
        int velocity;
        Clock::time_point time;
    };

    explicit SoundRequests(int maxStarts) : m_maxStarts(maxStarts) {}

    // Any thread. Returns true when nothing was waiting before: the mixer
    // then needs waking, and one wake-up serves everything asked meanwhile.
    bool ask(Action action, const QString &path = QString(), int velocity = 0);
    // The mixer's thread: everything waiting, oldest first.
    std::vector<Request> take();

    static bool isStart(Action action)
    {
        return action == Action::Play || action == Action::Strike;
    }

private:
    const int m_maxStarts;
    QMutex m_mutex;
    std::vector<Request> m_waiting;
    int m_starts = 0;
};
