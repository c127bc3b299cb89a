// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/ClassReport.h"

#include "classroom/ClassSchema.h"
#include "notes/WrittenNote.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace {

constexpr qreal MsPerMinute = 60 * 1000;
constexpr int HighestMidi = 127;

// One pass over the answers, by test run, then by pupil; the test runs'
// rows give their length where they have an end. Members of the pupils'
// group without rows get a line too: every one for the teacher, only
// itself for a pupil, who learns nothing of the others, not even a name.
const char Totals[] = R"(
WITH runs AS (
    SELECT pupil, machine, session, count(*) AS answers, sum(correct) AS right_answers,
           count(*) FILTER (WHERE at >= ?) AS recent,
           coalesce(sum(correct) FILTER (WHERE at >= ?), 0) AS recent_right,
           min(at - coalesce(response_ms, interval_ms, 0) * interval '1 millisecond') AS shown,
           max(at) AS last
    FROM answers GROUP BY pupil, machine, session),
pupils AS (
    SELECT r.pupil, sum(r.answers) AS answers, sum(r.right_answers) AS right_answers,
           sum(r.recent) AS recent, sum(r.recent_right) AS recent_right,
           sum(CASE WHEN s.ended_at >= s.started_at
                    THEN extract(epoch FROM s.ended_at - s.started_at)
                    ELSE greatest(extract(epoch FROM r.last - r.shown), 0) END) * 1000 AS test_ms
    FROM runs r LEFT JOIN sessions s
        ON s.pupil = r.pupil AND s.machine = r.machine AND s.local_id = r.session
    GROUP BY r.pupil)
SELECT pupil, answers, right_answers, round(test_ms), recent, recent_right FROM pupils
UNION ALL
SELECT m.rolname, 0, 0, 0, 0, 0
FROM pg_auth_members am JOIN pg_roles m ON m.oid = am.member JOIN pg_roles g ON g.oid = am.roleid
WHERE g.rolname = current_database() || '_pupils'
  AND (?::boolean OR m.rolname = current_user)
  AND NOT EXISTS (SELECT FROM pupils p WHERE p.pupil = m.rolname)
)";

// Each note's newest answers, found through the index on (pupil, note, at):
// a few thousand short index reads instead of sorting every answer.
const char Missed[] = R"(
WITH RECURSIVE pupils(pupil) AS (
    (SELECT pupil FROM answers ORDER BY pupil LIMIT 1)
    UNION ALL
    SELECT (SELECT a.pupil FROM answers a WHERE a.pupil > p.pupil ORDER BY a.pupil LIMIT 1)
    FROM pupils p WHERE p.pupil IS NOT NULL)
SELECT p.pupil, n.note, last_ten.missed
FROM pupils p CROSS JOIN generate_series(0, ?) AS n(note)
CROSS JOIN LATERAL (
    SELECT count(*) FILTER (WHERE t.correct = 0) AS missed FROM (
        SELECT a.correct FROM answers a WHERE a.pupil = p.pupil AND a.note = n.note
        ORDER BY a.at DESC, a.id DESC LIMIT ?) t) last_ten
WHERE p.pupil IS NOT NULL AND last_ten.missed > 0
ORDER BY p.pupil, last_ten.missed DESC, n.note
)";

std::optional<qreal> ratio(qint64 part, qint64 whole)
{
    if (whole <= 0)
        return std::nullopt;
    return qreal(part) / whole;
}

QString percent(std::optional<qreal> share)
{
    return share ? QString::number(*share * 100, 'f', 1) : QString();
}

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

std::optional<qreal> PupilFigures::rightShare() const
{
    return ratio(right, answers);
}

std::optional<qreal> PupilFigures::recentRightShare() const
{
    return ratio(recentRight, recentAnswers);
}

std::optional<qreal> PupilFigures::rightPerMinute() const
{
    if (answers == 0 || testMs <= 0)
        return std::nullopt;
    return right * MsPerMinute / testMs;
}

std::optional<QList<PupilFigures>> ClassReport::read(QSqlDatabase db, const QDateTime &now,
                                                     QString *error)
{
    QString why;
    const std::optional<bool> teacher = ClassSchema::isTeacher(db, &why);
    if (!teacher) {
        *error = tr("The class report could not be read: %1").arg(why);
        return std::nullopt;
    }
    const QDateTime since = now.addDays(-RecentDays);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QLatin1String(Totals));
    q.addBindValue(since.toUTC());
    q.addBindValue(since.toUTC());
    q.addBindValue(*teacher);
    if (!q.exec()) {
        *error = tr("The class report could not be read: %1").arg(q.lastError().text());
        return std::nullopt;
    }
    QList<PupilFigures> pupils;
    while (q.next()) {
        PupilFigures p;
        p.pupil = q.value(0).toString();
        p.answers = q.value(1).toLongLong();
        p.right = q.value(2).toLongLong();
        p.testMs = q.value(3).toLongLong();
        p.recentAnswers = q.value(4).toLongLong();
        p.recentRight = q.value(5).toLongLong();
        pupils.append(p);
    }
    std::sort(pupils.begin(), pupils.end(),
              [](const PupilFigures &a, const PupilFigures &b) { return a.pupil < b.pupil; });

    QHash<QString, qsizetype> byName;
    for (qsizetype i = 0; i < pupils.size(); ++i)
        byName.insert(pupils.at(i).pupil, i);
    q.prepare(QLatin1String(Missed));
    q.addBindValue(HighestMidi);
    q.addBindValue(RecentPerNote);
    if (!q.exec()) {
        *error = tr("The class report could not be read: %1").arg(q.lastError().text());
        return std::nullopt;
    }
    while (q.next()) {
        const auto at = byName.constFind(q.value(0).toString());
        if (at == byName.cend())
            continue;
        QList<int> &missed = pupils[*at].missed;
        if (missed.size() < MissedNotes)
            missed.append(q.value(1).toInt());
    }
    return pupils;
}

QStringList ClassReport::header()
{
    return {tr("Pupil"),      tr("Answers"),     tr("Right %"),
            tr("Right/min"),  tr("Last 7 days"), tr("Last 7 days right %"),
            tr("Missed most")};
}

QStringList ClassReport::cells(const PupilFigures &p)
{
    const std::optional<qreal> perMinute = p.rightPerMinute();
    QStringList notes;
    for (const int note : p.missed)
        notes.append(WrittenNote::fromMidi(note).text());
    return {p.pupil,
            QString::number(p.answers),
            percent(p.rightShare()),
            perMinute ? QString::number(*perMinute, 'f', 1) : QString(),
            QString::number(p.recentAnswers),
            percent(p.recentRightShare()),
            notes.join(QLatin1Char(' '))};
}

QString ClassReport::table(const QList<PupilFigures> &pupils)
{
    QList<QStringList> lines{header()};
    for (const PupilFigures &p : pupils)
        lines.append(cells(p));
    QList<qsizetype> widths(lines.first().size(), 0);
    for (const QStringList &line : std::as_const(lines)) {
        for (qsizetype i = 0; i < line.size(); ++i)
            widths[i] = std::max(widths[i], line.at(i).size());
    }
    QString text;
    for (const QStringList &line : std::as_const(lines)) {
        QStringList padded;
        // Names and notes to the left, figures to the right.
        for (qsizetype i = 0; i < line.size(); ++i) {
            const bool words = i == 0 || i == line.size() - 1;
            padded.append(words ? line.at(i).leftJustified(widths.at(i))
                                : line.at(i).rightJustified(widths.at(i)));
        }
        text += padded.join(QLatin1String("  ")).trimmed() + QLatin1Char('\n');
    }
    return text;
}

QString ClassReport::csv(const QList<PupilFigures> &pupils)
{
    // Column names for scripts, fixed whatever the language.
    QString text = QStringLiteral("pupil,answers,right_percent,right_per_minute,"
                                  "last_7_days_answers,last_7_days_right_percent,missed_most\n");
    for (const PupilFigures &p : pupils) {
        QStringList fields = cells(p);
        for (QString &field : fields)
            field = csvField(field);
        text += fields.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return text;
}
