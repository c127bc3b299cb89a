// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Challenge.h"

#include "staff/Verdict.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int SecondsPerMinute = 60;

class SystemClock : public ChallengeClock
{
public:
    SystemClock() { m_steady.start(); }
    qint64 steadyMs() const override { return m_steady.elapsed(); }
    QDateTime utcNow() const override { return QDateTime::currentDateTimeUtc(); }

private:
    QElapsedTimer m_steady;
};

// Whole seconds left of ms, counted up: a second just begun shows.
qint64 secondsLeft(qint64 ms)
{
    return (std::max<qint64>(0, ms) + 999) / 1000;
}

QTimer *preciseTimer(QObject *parent, bool singleShot)
{
    auto *timer = new QTimer(parent);
    // The minute is a promise to the learner: a coarse timer may fire early.
    timer->setTimerType(Qt::PreciseTimer);
    timer->setSingleShot(singleShot);
    return timer;
}

} // namespace

Challenge::Challenge(QObject *parent)
    : QObject(parent), m_systemClock(std::make_unique<SystemClock>()), m_clock(m_systemClock.get()),
      m_countIn(preciseTimer(this, true)), m_minute(preciseTimer(this, true)),
      m_tick(preciseTimer(this, false))
{
    connect(m_countIn, &QTimer::timeout, this, &Challenge::endCountIn);
    connect(m_minute, &QTimer::timeout, this, &Challenge::endMinute);
    connect(m_tick, &QTimer::timeout, this, &Challenge::tick);
}

Challenge::~Challenge() = default;

void Challenge::setClock(const ChallengeClock *clock)
{
    if (!isActive())
        m_clock = clock ? clock : m_systemClock.get();
}

qint64 Challenge::elapsed() const
{
    return m_clock->steadyMs() - m_since;
}

QString Challenge::line() const
{
    switch (m_state) {
    case State::Idle:
        break;
    case State::CountingIn:
        //: The score line while a one-minute challenge counts in: 3, 2, 1.
        return tr("Get ready\u2026 %1").arg(secondsLeft(CountInMs - elapsed()));
    case State::Running: {
        const qint64 left = secondsLeft(MinuteMs - elapsed());
        const QString time = QStringLiteral("%1:%2")
                                 .arg(left / SecondsPerMinute)
                                 .arg(left % SecondsPerMinute, 2, 10, QLatin1Char('0'));
        const ProgressFigures::ChallengeFigures f = figures();
        //: The score line in a one-minute challenge: the time left, then the
        //: right answers of those given.
        return tr("%1 \u2014 %2 right of %3").arg(time).arg(f.right).arg(f.right + f.wrong);
    }
    }
    return QString();
}

QDateTime Challenge::now() const
{
    if (!isRunning())
        return m_clock->utcNow();
    return m_startedAt.addMSecs(std::min<qint64>(elapsed(), MinuteMs));
}

ProgressFigures::ChallengeFigures Challenge::figures() const
{
    ProgressFigures::ChallengeFigures f = ProgressFigures::challengeOf(m_verdicts);
    f.startMs = m_startedAt.toMSecsSinceEpoch();
    f.lengthMs = isRunning() ? std::min<qint64>(elapsed(), MinuteMs) : 0;
    f.settings = ProgressFigures::ChallengeSettings::of(m_settings);
    return f;
}

void Challenge::start(const QJsonObject &settings)
{
    if (isActive())
        return;
    m_settings = settings;
    m_verdicts.clear();
    m_startedAt = QDateTime();
    m_earlierBest =
        ProgressFigures::bestRight(m_done, ProgressFigures::ChallengeSettings::of(settings));
    m_state = State::CountingIn;
    m_since = m_clock->steadyMs();
    m_countIn->start(CountInMs);
    m_tick->start(TickMs);
    emit lineChanged(line());
}

void Challenge::stop()
{
    if (m_state == State::CountingIn) {
        m_state = State::Idle;
        m_countIn->stop();
        m_tick->stop();
        emit cancelled();
    } else if (m_state == State::Running) {
        finish(std::min<qint64>(elapsed(), MinuteMs));
    }
}

void Challenge::knowEarlierBest(std::optional<int> right)
{
    if (right)
        m_earlierBest = std::max(m_earlierBest.value_or(0), *right);
}

void Challenge::count(const Verdict &verdict)
{
    if (!isRunning())
        return;
    LoggedAnswer a;
    a.correct = verdict.correct;
    a.responseMs = verdict.responseMs;
    m_verdicts.append(a);
    emit lineChanged(line());
}

bool Challenge::takesAnswer()
{
    if (!isRunning())
        return false;
    if (elapsed() < MinuteMs)
        return true;
    endMinute();
    return false;
}

void Challenge::endCountIn()
{
    if (m_state != State::CountingIn)
        return;
    const qint64 rest = CountInMs - elapsed();
    if (rest > 0) {
        m_countIn->start(int(rest));
        return;
    }
    m_state = State::Running;
    m_since = m_clock->steadyMs();
    m_startedAt = m_clock->utcNow();
    m_minute->start(MinuteMs);
    // The line's seconds turn over with the minute's.
    m_tick->start(TickMs);
    emit lineChanged(line());
    emit minuteStarted(m_startedAt);
}

void Challenge::endMinute()
{
    if (!isRunning())
        return;
    const qint64 rest = MinuteMs - elapsed();
    if (rest > 0) {
        m_minute->start(int(rest));
        return;
    }
    finish(MinuteMs);
}

// A tick due with the end of the count-in or the minute may come first.
void Challenge::tick()
{
    if (m_state == State::CountingIn && elapsed() >= CountInMs)
        endCountIn();
    else if (isRunning() && elapsed() >= MinuteMs)
        endMinute();
    else if (isActive())
        emit lineChanged(line());
}

void Challenge::finish(qint64 lengthMs)
{
    ChallengeResult result;
    result.figures = figures();
    result.figures.lengthMs = lengthMs;
    result.settings = m_settings;
    result.startedAt = m_startedAt;
    result.endedAt = m_startedAt.addMSecs(lengthMs);
    result.earlierBest = m_earlierBest;
    result.newBest = result.figures.isComplete() && result.figures.right > 0 &&
                     result.figures.right > m_earlierBest.value_or(0);
    if (result.figures.isComplete())
        m_done.append(result.figures);
    m_state = State::Idle;
    m_countIn->stop();
    m_minute->stop();
    m_tick->stop();
    emit finished(result);
}
