// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/RecordQueries.h"

#include "progress/AnswerColumns.h"
#include "progress/ProgressFigures.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

namespace {
// Readers wait only while the journal's index is rebuilt after a crash.
constexpr char ConnectOptions[] = "QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=100";
} // namespace

RecordQueries::RecordQueries(const QString &path)
    : m_path(path), m_connection(QStringLiteral("velkaro-queries-%1").arg(quintptr(this), 0, 16))
{}

RecordQueries::~RecordQueries()
{
    close();
}

void RecordQueries::setPath(const QString &path)
{
    if (path == m_path)
        return;
    close();
    m_path = path;
}

bool RecordQueries::connect()
{
    if (QSqlDatabase::contains(m_connection))
        return QSqlDatabase::database(m_connection, false).isOpen();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QLatin1String(ConnectOptions));
    return db.open();
}

void RecordQueries::close()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

QHash<int, QList<PastAnswer>> RecordQueries::recentAnswers(int lowest, int highest, int perNote)
{
    return read(QStringLiteral("SELECT correct, response_ms FROM answers WHERE note = ?"
                               " ORDER BY id DESC LIMIT ?"),
                std::nullopt, lowest, highest, perNote);
}

QHash<int, QList<PastAnswer>> RecordQueries::recentAnswers(int key, int lowest, int highest,
                                                           int perNote)
{
    return read(QStringLiteral("SELECT correct, response_ms FROM answers WHERE key = ?"
                               " AND note = ? ORDER BY id DESC LIMIT ?"),
                key, lowest, highest, perNote);
}

namespace {
qint64 epochMs(const QVariant &stamp)
{
    return QDateTime::fromString(stamp.toString(), Qt::ISODateWithMs).toMSecsSinceEpoch();
}
} // namespace

// The answers are found through their runs' numbers, which no index holds:
// one pass over the answers, tens of milliseconds for a long record, read
// while a challenge counts in.
History RecordQueries::challenges()
{
    History found;
    if (!connect())
        return found;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT id, started_at, ended_at, settings FROM sessions"
                             " WHERE kind = ?"));
    q.addBindValue(QLatin1String(ProgressFigures::ChallengeKind));
    if (!q.exec())
        return found;
    while (q.next()) {
        TestSession s;
        s.startMs = epochMs(q.value(1));
        if (!q.value(2).isNull())
            s.endMs = epochMs(q.value(2));
        s.kind = QLatin1String(ProgressFigures::ChallengeKind);
        s.settings = QJsonDocument::fromJson(q.value(3).toString().toUtf8()).object();
        found.sessions.insert(q.value(0).toLongLong(), s);
    }
    if (found.sessions.isEmpty())
        return found;
    q.prepare(QStringLiteral("SELECT a.id, a.at, a.session, a.note, a.correct, a.response_ms,"
                             " a.interval_ms, a.key FROM answers a JOIN sessions s"
                             " ON s.id = a.session WHERE s.kind = ? ORDER BY a.id"));
    q.addBindValue(QLatin1String(ProgressFigures::ChallengeKind));
    if (!q.exec())
        return found;
    while (q.next()) {
        LoggedAnswer a;
        a.id = q.value(0).toLongLong();
        a.atMs = epochMs(q.value(1));
        a.session = q.value(2).toLongLong();
        AnswerColumns::readVerdict(q, 3, a);
        found.answers.append(a);
    }
    return found;
}

// One short walk of an index per note, however long the record.
QHash<int, QList<PastAnswer>> RecordQueries::read(const QString &sql, std::optional<int> key,
                                                  int lowest, int highest, int perNote)
{
    QHash<int, QList<PastAnswer>> recent;
    if (!connect())
        return recent;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        return recent;
    for (int note = lowest; note <= highest; ++note) {
        if (key)
            q.addBindValue(*key);
        q.addBindValue(note);
        q.addBindValue(perNote);
        if (!q.exec())
            return recent;
        while (q.next()) {
            PastAnswer past;
            past.correct = q.value(0).toInt() != 0;
            if (!q.value(1).isNull())
                past.responseMs = q.value(1).toInt();
            recent[note].append(past);
        }
    }
    return recent;
}
