// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakeClock.h"

#include "app/Challenge.h"
#include "app/VKControl.h"
#include "staff/VKTest.h"

#include <QTest>

// Plays one-minute challenges in a window as a learner at the computer
// keyboard would, on a clock the test moves: no timer decides anything, the
// test calls what the timers would once the clock has reached their moment.
namespace ChallengeDriver {

// The lower letter row, C to B: a one-octave keyboard judges by the name.
constexpr Qt::Key RowKeys[12] = {Qt::Key_Z, Qt::Key_S, Qt::Key_X, Qt::Key_D, Qt::Key_C, Qt::Key_V,
                                 Qt::Key_G, Qt::Key_B, Qt::Key_H, Qt::Key_N, Qt::Key_J, Qt::Key_M};

// Starts a challenge on clock and counts it in; the minute begins at the
// clock's CountInMs.
inline void countIn(VKControl &w, FakeClock &clock)
{
    w.challenge()->setClock(&clock);
    clock.setMs(0);
    w.startChallenge();
    clock.setMs(Challenge::CountInMs);
    w.challenge()->endCountIn();
}

// The key of the note shown, or the one a semitone above it.
inline void answer(VKControl &w, bool right)
{
    const int note = w.staffView()->currentTestNote()->midi();
    QTest::keyClick(&w, RowKeys[(note + (right ? 0 : 1)) % 12]);
}

// At ms into the minute.
inline void answerAt(VKControl &w, FakeClock &clock, qint64 ms, bool right)
{
    clock.setMs(Challenge::CountInMs + ms);
    answer(w, right);
}

// The whole minute run out, as its timer would end it.
inline void runOut(VKControl &w, FakeClock &clock)
{
    clock.setMs(Challenge::CountInMs + Challenge::MinuteMs);
    w.challenge()->endMinute();
}

} // namespace ChallengeDriver
