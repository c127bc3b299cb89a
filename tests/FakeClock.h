// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ChallengeClock.h"

// A challenge's clock that moves only when the test moves it: steady time
// and calendar time go on together from the moment given.
class FakeClock : public ChallengeClock
{
public:
    explicit FakeClock(const QDateTime &start) : m_start(start) {}

    qint64 steadyMs() const override { return m_ms; }
    QDateTime utcNow() const override { return m_start.addMSecs(m_ms); }

    void setMs(qint64 ms) { m_ms = ms; }
    void advance(qint64 ms) { m_ms += ms; }

private:
    QDateTime m_start;
    qint64 m_ms = 0;
};
