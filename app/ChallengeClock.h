// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

// Where a one-minute challenge takes its time from: a steady count of
// milliseconds that measures the minute, and the calendar time (UTC) its
// start is recorded at. The program reads the system's clocks; a test puts
// in one that it moves by hand.
class ChallengeClock
{
public:
    virtual ~ChallengeClock() = default;

    // Milliseconds from any fixed moment; never goes back.
    virtual qint64 steadyMs() const = 0;
    virtual QDateTime utcNow() const = 0;
};
