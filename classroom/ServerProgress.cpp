// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/ServerProgress.h"

#include "classroom/ClassConnection.h"
#include "progress/AnswerColumns.h"
#include "progress/CsvExport.h"

#include <QHash>
#include <QIODevice>
#include <QJsonDocument>
#include <QPair>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace {

// Times as the local record writes them: UTC, ISO 8601 with milliseconds.
const char CsvQuery[] =
    "SELECT id, pupil, machine, local_id,"
    " to_char(at AT TIME ZONE 'UTC', 'YYYY-MM-DD\"T\"HH24:MI:SS.MS\"Z\"') AS at, session, clef,"
    " note, flat, answer, correct, response_ms, source, interval_ms, key, written"
    " FROM answers WHERE ?::text IS NULL OR pupil = ? ORDER BY pupil, at, id";

QVariant pupilOrNull(const QString &pupil)
{
    return pupil.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(pupil);
}

} // namespace

ServerProgress::ServerProgress(const ClassUrl &url, const QString &pupil)
    : m_url(url), m_pupil(pupil)
{}

QString ServerProgress::description() const
{
    return m_pupil.isEmpty() ? m_url.text() : tr("%1 on %2").arg(m_pupil, m_url.text());
}

bool ServerProgress::load()
{
    ClassConnection server(m_url);
    if (!server.open()) {
        m_error = server.errorString();
        return false;
    }
    QSqlQuery q(server.database());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT machine, session, round(extract(epoch FROM at) * 1000),"
                             " note, correct, response_ms, interval_ms, key FROM answers"
                             " WHERE ?::text IS NULL OR pupil = ? ORDER BY at, id"));
    q.addBindValue(pupilOrNull(m_pupil));
    q.addBindValue(pupilOrNull(m_pupil));
    if (!q.exec()) {
        m_error = server.failure(q.lastError().text());
        return false;
    }
    // Each computer numbers its test runs itself.
    QHash<QPair<QString, qint64>, qint64> runs;
    const auto run = [&runs](const QString &machine, qint64 session) {
        const QPair<QString, qint64> key(machine, session);
        auto it = runs.constFind(key);
        if (it == runs.cend())
            it = runs.insert(key, runs.size() + 1);
        return *it;
    };
    History history;
    while (q.next()) {
        LoggedAnswer a;
        a.id = history.answers.size() + 1;
        a.session = run(q.value(0).toString(), q.value(1).toLongLong());
        a.atMs = q.value(2).toLongLong();
        AnswerColumns::readVerdict(q, 3, a);
        history.answers.append(a);
    }
    q.prepare(
        QStringLiteral("SELECT machine, local_id, round(extract(epoch FROM started_at) * 1000),"
                       " round(extract(epoch FROM ended_at) * 1000), kind, settings FROM sessions"
                       " WHERE ?::text IS NULL OR pupil = ?"));
    q.addBindValue(pupilOrNull(m_pupil));
    q.addBindValue(pupilOrNull(m_pupil));
    if (!q.exec()) {
        m_error = server.failure(q.lastError().text());
        return false;
    }
    while (q.next()) {
        const auto it = runs.constFind({q.value(0).toString(), q.value(1).toLongLong()});
        if (it == runs.cend())
            continue;
        TestSession s;
        s.startMs = q.value(2).toLongLong();
        if (!q.value(3).isNull())
            s.endMs = q.value(3).toLongLong();
        s.kind = q.value(4).toString();
        s.settings = QJsonDocument::fromJson(q.value(5).toString().toUtf8()).object();
        history.sessions.insert(*it, s);
    }
    m_history = history;
    m_error.clear();
    return true;
}

std::optional<bool> ServerProgress::hasAnswer(qint64 id)
{
    return id >= 1 && id <= m_history.answers.size();
}

bool ServerProgress::readAnswers(QList<LoggedAnswer> &into, qint64 afterId)
{
    for (qsizetype i = std::max<qint64>(afterId, 0); i < m_history.answers.size(); ++i)
        into.append(m_history.answers.at(i));
    return true;
}

bool ServerProgress::exportCsv(const QString &target, QString *error, qint64 *rows)
{
    return CsvExport::write(
        [this](QIODevice &out, QString *why, qint64 *count) { return writeCsv(out, why, count); },
        target, error, rows);
}

bool ServerProgress::writeCsv(QIODevice &out, QString *error, qint64 *rows)
{
    ClassConnection server(m_url);
    if (!server.open()) {
        *error = server.errorString();
        return false;
    }
    QSqlQuery q(server.database());
    // Row by row, so that a whole class's answers need not fit in memory.
    q.setForwardOnly(true);
    q.prepare(QLatin1String(CsvQuery));
    q.addBindValue(pupilOrNull(m_pupil));
    q.addBindValue(pupilOrNull(m_pupil));
    if (!q.exec()) {
        *error = server.failure(q.lastError().text());
        return false;
    }
    const QSqlRecord record = q.record();
    QStringList header;
    for (int i = 0; i < record.count(); ++i)
        header << record.fieldName(i);
    switch (CsvExport::writeRows(out, header, q, rows)) {
    case CsvExport::RowsWritten::All:
        return true;
    case CsvExport::RowsWritten::DeviceFailed:
        *error = out.errorString();
        return false;
    case CsvExport::RowsWritten::QueryFailed:
        break;
    }
    *error = server.failure(q.lastError().text());
    return false;
}
