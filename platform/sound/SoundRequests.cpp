// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/SoundRequests.h"

#include <QMutexLocker>

#include <algorithm>

bool SoundRequests::ask(Action action, const QString &path, int velocity)
{
    QMutexLocker lock(&m_mutex);
    const bool wake = m_waiting.empty();
    if (isStart(action)) {
        if (m_starts >= m_maxStarts) {
            const auto oldest = std::find_if(m_waiting.begin(), m_waiting.end(),
                                             [](const Request &r) { return isStart(r.action); });
            m_waiting.erase(oldest);
            --m_starts;
        }
        ++m_starts;
    }
    m_waiting.push_back({action, path, velocity, Clock::now()});
    return wake;
}

std::vector<SoundRequests::Request> SoundRequests::take()
{
    std::vector<Request> taken;
    QMutexLocker lock(&m_mutex);
    taken.swap(m_waiting);
    m_starts = 0;
    return taken;
}
