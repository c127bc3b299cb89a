// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ChallengeClock.h"
#include "progress/History.h"
#include "progress/ProgressFigures.h"

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QObject>

#include <memory>
#include <optional>

class QTimer;
struct Verdict;

// How a challenge went: its figures, when its minute began and ended, and
// how it stands against the best of earlier complete challenges with the
// same settings.
struct ChallengeResult
{
    ProgressFigures::ChallengeFigures figures;
    QJsonObject settings; // as the record keeps them with the run
    QDateTime startedAt;
    QDateTime endedAt;
    std::optional<int> earlierBest;
    bool newBest = false;
};

// The one-minute challenge: a count-in of three seconds, then exactly one
// minute of notes, each following the last answer at once. It keeps the
// time and the figures and says when each part begins and ends; the window
// drives the staff and the record from what it says.
//
// The minute is measured on the clock's steady time from the end of the
// count-in. Its timers are precise, and each of them acts only once the
// clock has reached its moment (until then it waits for the rest), so a key
// played after the minute is never judged, whenever the timer comes.
class Challenge : public QObject
{
    Q_OBJECT
public:
    enum class State { Idle, CountingIn, Running };
    static constexpr int CountInMs = 3000;
    static constexpr int MinuteMs = int(ProgressFigures::ChallengeMs);
    static constexpr int TickMs = 1000;

    explicit Challenge(QObject *parent = nullptr);
    ~Challenge() override;

    // Takes the time from clock (not owned) from the next start on;
    // nullptr for the system's.
    void setClock(const ChallengeClock *clock);

    State state() const { return m_state; }
    bool isActive() const { return m_state != State::Idle; }
    bool isRunning() const { return m_state == State::Running; }
    QJsonObject settings() const { return m_settings; }
    // The score line: the count-in's seconds, then the time left and the
    // right answers of those given.
    QString line() const;
    // The moment now as the record writes it: the start of the minute and
    // the steady time since, so that a clock set meanwhile moves nothing.
    QDateTime now() const;
    // The figures so far.
    ProgressFigures::ChallengeFigures figures() const;

public slots:
    // Begins the count-in of a challenge with these run settings.
    void start(const QJsonObject &settings);
    // Ends it early: a minute begun is finished and recorded as ended
    // early, a count-in is given up.
    void stop();
    // The best complete challenge with these settings so far, as the record
    // holds it; those of this program's own run count too.
    void knowEarlierBest(std::optional<int> right);
    // A verdict of the minute.
    void count(const Verdict &verdict);
    // Whether a key played now is an answer: not in the count-in, nor once
    // the minute is over, which a late key ends if no timer has yet.
    bool takesAnswer();

    // What the timers call.
    void endCountIn();
    void endMinute();
    void tick();

signals:
    void lineChanged(const QString &line);
    // The minute begins at `at`: the first note is due.
    void minuteStarted(const QDateTime &at);
    // The minute is over, or was ended early.
    void finished(const ChallengeResult &result);
    // Given up in the count-in: nothing was asked.
    void cancelled();

private:
    qint64 elapsed() const;
    void finish(qint64 lengthMs);

    std::unique_ptr<ChallengeClock> m_systemClock;
    const ChallengeClock *m_clock = nullptr;
    State m_state = State::Idle;
    QJsonObject m_settings;
    qint64 m_since = 0; // steady time the count-in or the minute began
    QDateTime m_startedAt;
    QList<LoggedAnswer> m_verdicts;
    std::optional<int> m_earlierBest;
    // The bests of complete challenges in this run of the program, by
    // settings: the record may not have them yet.
    QList<ProgressFigures::ChallengeFigures> m_done;
    QTimer *m_countIn;
    QTimer *m_minute;
    QTimer *m_tick;
};
