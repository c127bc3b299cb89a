// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/ProgressFigures.h"

#include <QDateTime>

#include <algorithm>

namespace ProgressFigures {

namespace {

constexpr qint64 MsPerDay = 24 * 60 * 60 * 1000;
constexpr qint64 MsPerMinute = 60 * 1000;
constexpr int DaysPerWeek = 7;
// Zones change their offset on a quarter hour at the finest.
constexpr qint64 OffsetSteadyMs = 15 * 60 * 1000;

// The local day of a moment. The rows come in time order, so the zone's
// offset is looked up once per quarter hour of them, not once per row.
class LocalDays
{
public:
    explicit LocalDays(const QTimeZone &zone) : m_zone(zone) {}

    QDate day(qint64 ms)
    {
        const qint64 bucket = ms >= 0 ? ms / OffsetSteadyMs : (ms + 1) / OffsetSteadyMs - 1;
        if (bucket != m_bucket) {
            m_bucket = bucket;
            m_offsetMs =
                qint64(m_zone.offsetFromUtc(QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc()))) *
                1000;
        }
        const qint64 local = ms + m_offsetMs;
        const qint64 days = local >= 0 ? local / MsPerDay : (local + 1) / MsPerDay - 1;
        return QDate(1970, 1, 1).addDays(days);
    }

private:
    QTimeZone m_zone;
    qint64 m_bucket = std::numeric_limits<qint64>::min();
    qint64 m_offsetMs = 0;
};

struct Span
{
    qint64 startMs = 0;
    qint64 lengthMs = 0;
};

// How long each test run with answers lasted: from its row in `sessions`
// where it has one, else from the first note's appearance (its verdict less
// the time it took) to the last verdict.
QHash<qint64, Span> sessionSpans(const History &history)
{
    QHash<qint64, Span> spans;
    QHash<qint64, qint64> lastAt;
    for (const LoggedAnswer &a : history.answers) {
        auto last = lastAt.find(a.session);
        if (last == lastAt.end()) {
            const qint64 shown = a.atMs - (a.responseMs ? *a.responseMs : a.intervalMs);
            spans.insert(a.session, Span{shown, 0});
            lastAt.insert(a.session, a.atMs);
        } else {
            spans[a.session].startMs = std::min(spans[a.session].startMs, a.atMs);
            *last = std::max(*last, a.atMs);
        }
    }
    for (auto it = spans.begin(); it != spans.end(); ++it) {
        const auto row = history.sessions.constFind(it.key());
        if (row != history.sessions.cend() && row->endMs && *row->endMs >= row->startMs) {
            it->startMs = row->startMs;
            it->lengthMs = *row->endMs - row->startMs;
        } else {
            it->lengthMs = std::max<qint64>(0, lastAt.value(it.key()) - it->startMs);
        }
    }
    return spans;
}

std::optional<qreal> ratio(int part, int whole)
{
    if (whole <= 0)
        return std::nullopt;
    return qreal(part) / whole;
}

} // namespace

std::optional<qreal> NoteFigures::accuracy() const
{
    return ratio(recentRight, recent);
}

std::optional<qreal> PeriodFigures::accuracy() const
{
    return ratio(right, answers);
}

std::optional<qreal> PeriodFigures::notesPerMinute() const
{
    if (answers == 0 || testMs <= 0)
        return std::nullopt;
    return answers * qreal(MsPerMinute) / testMs;
}

std::optional<qreal> Totals::share() const
{
    return ratio(right, answers);
}

std::optional<int> median(QList<int> values)
{
    if (values.isEmpty())
        return std::nullopt;
    const qsizetype middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + middle, values.end());
    if (values.size() % 2 == 1)
        return values.at(middle);
    const int upper = values.at(middle);
    const int lower = *std::max_element(values.begin(), values.begin() + middle);
    return int((qint64(lower) + upper + 1) / 2);
}

QHash<int, NoteFigures> byNote(const QList<LoggedAnswer> &answers)
{
    QHash<int, NoteFigures> figures;
    QHash<int, QList<int>> recentTimes;
    // Newest first, so the first RecentAnswers seen of a note are its recent ones.
    for (auto it = answers.crbegin(); it != answers.crend(); ++it) {
        NoteFigures &f = figures[it->note];
        ++f.answers;
        f.right += it->correct;
        if (f.recent < RecentAnswers) {
            ++f.recent;
            if (it->correct) {
                ++f.recentRight;
                if (it->responseMs)
                    recentTimes[it->note].append(*it->responseMs);
            }
        }
    }
    for (auto it = recentTimes.cbegin(); it != recentTimes.cend(); ++it)
        figures[it.key()].medianMs = median(it.value());
    return figures;
}

Period periodFor(QDate from, QDate to)
{
    return from.daysTo(to) < LongestDailyRange ? Period::Day : Period::Week;
}

QList<PeriodFigures> byPeriod(const History &history, QDate from, QDate to, Period period,
                              const QTimeZone &zone)
{
    QList<PeriodFigures> periods;
    if (!from.isValid() || !to.isValid() || from > to)
        return periods;
    const int length = period == Period::Day ? 1 : DaysPerWeek;
    for (QDate last = to; last >= from; last = last.addDays(-length)) {
        PeriodFigures p;
        p.last = last;
        p.first = std::max(from, last.addDays(1 - length));
        periods.prepend(p);
    }
    // The period holding a day, or -1 outside the range.
    const auto indexOf = [&](QDate day) -> qsizetype {
        if (day < from || day > to)
            return -1;
        return periods.size() - 1 - day.daysTo(to) / length;
    };

    LocalDays days(zone);
    QList<QList<int>> times(periods.size());
    for (const LoggedAnswer &a : history.answers) {
        const qsizetype i = indexOf(days.day(a.atMs));
        if (i < 0)
            continue;
        ++periods[i].answers;
        if (a.correct) {
            ++periods[i].right;
            if (a.responseMs)
                times[i].append(*a.responseMs);
        }
    }
    for (qsizetype i = 0; i < periods.size(); ++i)
        periods[i].medianMs = median(times.at(i));

    const QHash<qint64, Span> spans = sessionSpans(history);
    for (const Span &span : spans) {
        const qsizetype i = indexOf(days.day(span.startMs));
        if (i >= 0)
            periods[i].testMs += span.lengthMs;
    }
    for (const ChallengeFigures &c : challenges(history)) {
        const qsizetype i = c.isComplete() ? indexOf(days.day(c.startMs)) : -1;
        if (i >= 0)
            periods[i].challengeBest = std::max(periods[i].challengeBest.value_or(0), c.right);
    }
    return periods;
}

Totals totals(const History &history, qint64 sinceMs)
{
    Totals t;
    QSet<qint64> sessions;
    int run = 0;
    for (const LoggedAnswer &a : history.answers) {
        if (a.atMs < sinceMs)
            continue;
        ++t.answers;
        sessions.insert(a.session);
        if (a.correct) {
            ++t.right;
            t.longestRun = std::max(t.longestRun, ++run);
        } else {
            run = 0;
        }
    }
    t.tests = int(sessions.size());
    if (t.tests == 0)
        return t;
    const QHash<qint64, Span> spans = sessionSpans(history);
    for (const qint64 session : std::as_const(sessions))
        t.testMs += spans.value(session).lengthMs;
    return t;
}

ChallengeSettings ChallengeSettings::of(const QJsonObject &settings)
{
    const auto text = [&settings](const char *name) {
        return settings.value(QLatin1String(name)).toString();
    };
    ChallengeSettings s{text("clef"), text("key"), text("range"), text("notes")};
    // In C major every note is drawn anyway: the choice changes nothing.
    s.chromatic =
        settings.value(QLatin1String("chromatic")).toBool() && s.key != QLatin1String("C");
    return s;
}

std::optional<qreal> ChallengeFigures::rightPerMinute() const
{
    if (isComplete())
        return right;
    if (lengthMs <= 0)
        return std::nullopt;
    return right * qreal(MsPerMinute) / lengthMs;
}

ChallengeFigures challengeOf(const QList<LoggedAnswer> &answers)
{
    ChallengeFigures c;
    QList<int> times;
    for (const LoggedAnswer &a : answers) {
        if (!a.correct) {
            ++c.wrong;
            continue;
        }
        ++c.right;
        if (a.responseMs)
            times.append(*a.responseMs);
    }
    c.medianMs = median(times);
    return c;
}

QList<ChallengeFigures> challenges(const History &history)
{
    QHash<qint64, QList<LoggedAnswer>> answers;
    for (auto it = history.sessions.cbegin(); it != history.sessions.cend(); ++it) {
        if (it->kind == QLatin1String(ChallengeKind))
            answers.insert(it.key(), {});
    }
    if (answers.isEmpty())
        return {};
    QHash<qint64, qint64> lastAnswer;
    for (const LoggedAnswer &a : history.answers) {
        const auto own = answers.find(a.session);
        if (own == answers.end())
            continue;
        own->append(a);
        qint64 &last = lastAnswer[a.session];
        last = std::max(last, a.atMs);
    }
    QList<ChallengeFigures> found;
    for (auto it = answers.cbegin(); it != answers.cend(); ++it) {
        const TestSession &row = history.sessions[it.key()];
        ChallengeFigures c = challengeOf(it.value());
        c.session = it.key();
        c.startMs = row.startMs;
        const qint64 end = row.endMs ? *row.endMs : lastAnswer.value(it.key(), row.startMs);
        c.lengthMs = std::max<qint64>(0, end - row.startMs);
        c.settings = ChallengeSettings::of(row.settings);
        found.append(c);
    }
    std::sort(found.begin(), found.end(), [](const ChallengeFigures &a, const ChallengeFigures &b) {
        return a.startMs != b.startMs ? a.startMs < b.startMs : a.session < b.session;
    });
    return found;
}

QList<ChallengeBest> challengeBests(const QList<ChallengeFigures> &challenges)
{
    QList<ChallengeBest> bests;
    for (const ChallengeFigures &c : challenges) {
        if (!c.isComplete())
            continue;
        auto best = std::find_if(bests.begin(), bests.end(),
                                 [&c](const ChallengeBest &b) { return b.settings == c.settings; });
        if (best == bests.end()) {
            bests.append({c.settings, c.right, c.startMs, 0, c.startMs});
            best = bests.end() - 1;
        } else if (c.right > best->right) {
            best->right = c.right;
            best->atMs = c.startMs;
        }
        ++best->complete;
        best->lastMs = std::max(best->lastMs, c.startMs);
    }
    std::stable_sort(
        bests.begin(), bests.end(),
        [](const ChallengeBest &a, const ChallengeBest &b) { return a.lastMs > b.lastMs; });
    return bests;
}

std::optional<int> bestRight(const QList<ChallengeFigures> &challenges,
                             const ChallengeSettings &settings)
{
    std::optional<int> best;
    for (const ChallengeFigures &c : challenges) {
        if (c.isComplete() && c.settings == settings)
            best = std::max(best.value_or(0), c.right);
    }
    return best;
}

} // namespace ProgressFigures
