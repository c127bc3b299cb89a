// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/History.h"

#include <QDate>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QTimeZone>

#include <limits>
#include <optional>

// The figures behind the progress window, worked out from the answer log's
// rows: how each note stands, how practice went day by day or week by week,
// and the totals. Plain functions of their arguments, without the file.
namespace ProgressFigures {

// A note's standing is judged on this many of its newest answers.
constexpr int RecentAnswers = 10;
// A chart covering more days than this shows weeks instead of days.
constexpr int LongestDailyRange = 31;
// The chart looks back this many days at most, the recent totals this many.
constexpr int ChartDays = 90;
constexpr int RecentDays = 7;

struct NoteFigures
{
    int answers = 0; // every answer to the note
    int right = 0;
    int recent = 0; // of the newest RecentAnswers
    int recentRight = 0;
    // The median time of the right answers among the recent ones: how fast
    // the note is read when it is read right.
    std::optional<int> medianMs;

    std::optional<qreal> accuracy() const;
};

// Every note that has answers, by MIDI number.
QHash<int, NoteFigures> byNote(const QList<LoggedAnswer> &answers);

// The middle value, or the mean of the two middle ones rounded; none for no values.
std::optional<int> median(QList<int> values);

enum class Period { Day, Week };

struct PeriodFigures
{
    QDate first; // the period's first day
    QDate last;
    int answers = 0;
    int right = 0;
    qint64 testMs = 0;           // time spent in tests begun in the period
    std::optional<int> medianMs; // of the period's right answers
    // The most right notes in a complete one-minute challenge begun in the
    // period; none without one.
    std::optional<int> challengeBest;

    std::optional<qreal> accuracy() const;
    // Answers per minute of test time; none without answers or time.
    std::optional<qreal> notesPerMinute() const;
};

// Days for a range of up to LongestDailyRange days, else weeks.
Period periodFor(QDate from, QDate to);

// The days from..to (local days of zone), one entry per day or per week;
// weeks are counted back from to, so the last one ends there. Every period
// is listed, also those without answers.
QList<PeriodFigures> byPeriod(const History &history, QDate from, QDate to, Period period,
                              const QTimeZone &zone = QTimeZone::systemTimeZone());

struct Totals
{
    int answers = 0;
    int right = 0;
    qint64 testMs = 0;
    int tests = 0;      // test runs with answers
    int longestRun = 0; // right answers in a row, in the order given

    std::optional<qreal> share() const;
};

// The answers given at sinceMs or later and the test runs they belong to.
Totals totals(const History &history, qint64 sinceMs = std::numeric_limits<qint64>::min());

// One-minute challenges: runs of the kind ChallengeKind that last exactly
// ChallengeMs from their start. A run whose row in `sessions` ends sooner
// was ended early (or the program stopped during it) and never counts as a
// best.
constexpr char ChallengeKind[] = "challenge";
constexpr qint64 ChallengeMs = 60 * 1000;

// What a best is kept for: the clef, the key (with or without the notes
// outside it), the range and how notes are drawn, as the run's settings
// name them ("treble", "G", "clef", "random").
struct ChallengeSettings
{
    QString clef;
    QString key;
    QString range;
    QString notes;
    bool chromatic = false;

    static ChallengeSettings of(const QJsonObject &settings);
    friend bool operator==(const ChallengeSettings &a, const ChallengeSettings &b)
    {
        return a.clef == b.clef && a.key == b.key && a.chromatic == b.chromatic &&
               a.range == b.range && a.notes == b.notes;
    }
    friend bool operator!=(const ChallengeSettings &a, const ChallengeSettings &b)
    {
        return !(a == b);
    }
};

struct ChallengeFigures
{
    qint64 session = 0;
    qint64 startMs = 0;
    qint64 lengthMs = 0; // to its end, or to its last answer when nothing ended it
    ChallengeSettings settings;
    int right = 0;
    int wrong = 0;
    std::optional<int> medianMs; // of the right answers' times

    bool isComplete() const { return lengthMs >= ChallengeMs; }
    // A complete challenge's right notes; an early end's as many more as a
    // minute would have held at its pace. None for a challenge of no length.
    std::optional<qreal> rightPerMinute() const;
};

// The figures of a challenge from its verdicts: how many were right and
// wrong, and the median time of the right ones.
ChallengeFigures challengeOf(const QList<LoggedAnswer> &answers);

// Every challenge with a row in `sessions`, in the order begun.
QList<ChallengeFigures> challenges(const History &history);

struct ChallengeBest
{
    ChallengeSettings settings;
    int right = 0;
    qint64 atMs = 0;   // when the challenge that set it began
    int complete = 0;  // complete challenges with these settings
    qint64 lastMs = 0; // when the newest of them began
};

// The best complete challenge for each of the settings tried, those tried
// last first; the earliest of equal bests is the one that set it.
QList<ChallengeBest> challengeBests(const QList<ChallengeFigures> &challenges);

// The most right notes in a complete challenge with these settings.
std::optional<int> bestRight(const QList<ChallengeFigures> &challenges,
                             const ChallengeSettings &settings);

} // namespace ProgressFigures
