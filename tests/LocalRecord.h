// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/WrittenNote.h"
#include "progress/Answer.h"
#include "progress/RecordSchema.h"

#include <QAtomicInteger>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

// A learner's local record of the program's format, made and written
// through its column list as the program's writer does: WAL journal, one transaction per
// answer. Used from one thread at a time, as a connection must be.
class LocalRecord
{
public:
    explicit LocalRecord(const QString &path)
        : m_name(QStringLiteral("local-record-%1").arg(++serial()))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        m_ok = db.open();
        QSqlQuery q(db);
        m_ok = m_ok && q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) &&
               q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
        // A record made before is written on, as the program goes on with it.
        const bool made = m_ok && q.exec(QStringLiteral("PRAGMA user_version")) && q.next() &&
                          q.value(0).toInt() > 0;
        for (const QString &statement : RecordSchema::createStatements())
            m_ok = m_ok && (made || q.exec(statement));
        m_ok =
            m_ok &&
            q.exec(QStringLiteral("PRAGMA application_id = %1").arg(RecordSchema::ApplicationId)) &&
            q.exec(QStringLiteral("PRAGMA user_version = %1").arg(RecordSchema::Version));
    }
    ~LocalRecord()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    LocalRecord(const LocalRecord &) = delete;
    LocalRecord &operator=(const LocalRecord &) = delete;

    bool isOk() const { return m_ok; }

    // Writes the record at `from` again, whole, at `to`, as the program
    // does when its file vanishes: a consistent copy, its journal's rows
    // included, with every row's number.
    static bool writeAgain(const QString &from, const QString &to)
    {
        bool ok = false;
        {
            LocalRecord record(from);
            QSqlQuery q(QSqlDatabase::database(record.m_name));
            q.prepare(QStringLiteral("VACUUM INTO ?"));
            q.addBindValue(to);
            ok = record.isOk() && q.exec();
        }
        return ok;
    }

    static QString stamp(const QDateTime &t) { return RecordSchema::timestamp(t); }

    qint64 beginSession(const QDateTime &start, const QString &kind = QStringLiteral("test"),
                        const QString &settings = QStringLiteral("{\"interval\":5000}"))
    {
        QSqlQuery q(QSqlDatabase::database(m_name));
        q.prepare(QStringLiteral("INSERT INTO sessions (started_at, kind, settings)"
                                 " VALUES (?, ?, ?)"));
        q.addBindValue(stamp(start));
        q.addBindValue(kind);
        q.addBindValue(settings);
        m_ok = q.exec() && m_ok;
        return q.lastInsertId().toLongLong();
    }
    void endSession(qint64 id, const QDateTime &end)
    {
        QSqlQuery q(QSqlDatabase::database(m_name));
        q.prepare(QStringLiteral("UPDATE sessions SET ended_at = ? WHERE id = ?"));
        q.addBindValue(stamp(end));
        q.addBindValue(id);
        m_ok = q.exec() && m_ok;
    }

    qint64 add(const Answer &a)
    {
        QSqlQuery q(QSqlDatabase::database(m_name));
        q.prepare(RecordSchema::insertAnswer());
        RecordSchema::bindAnswer(q, a);
        m_ok = q.exec() && m_ok;
        return q.lastInsertId().toLongLong();
    }

    // An answer to note at the given time, right in responseMs or missed.
    static Answer answer(const QDateTime &at, qint64 session, int note, bool correct,
                         int responseMs = 1000)
    {
        Answer a;
        a.at = at;
        a.session = session;
        a.clef = QStringLiteral("treble");
        a.written = WrittenNote::fromMidi(note);
        a.correct = correct;
        a.answer = correct ? note : note + 1;
        a.responseMs = responseMs;
        a.source = QStringLiteral("keys");
        a.intervalMs = 5000;
        return a;
    }

private:
    static QAtomicInteger<quint64> &serial()
    {
        static QAtomicInteger<quint64> counter;
        return counter;
    }

    QString m_name;
    bool m_ok = false;
};
