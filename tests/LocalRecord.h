// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/WrittenNote.h"
#include "progress/Answer.h"

#include <QAtomicInteger>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

// A learner's local record of format version 2, made from its DDL and
// written as the program's writer does: WAL journal, one transaction per
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
        const char *const schema[] = {
            "PRAGMA journal_mode=WAL",
            "PRAGMA synchronous=NORMAL",
            "CREATE TABLE IF NOT EXISTS answers (id INTEGER PRIMARY KEY AUTOINCREMENT,"
            " at TEXT NOT NULL, session INTEGER NOT NULL, clef TEXT NOT NULL,"
            " note INTEGER NOT NULL, flat INTEGER NOT NULL DEFAULT 0, answer INTEGER,"
            " correct INTEGER NOT NULL, response_ms INTEGER, source TEXT, interval_ms INTEGER,"
            " key INTEGER NOT NULL DEFAULT 0, written TEXT NOT NULL)",
            "CREATE INDEX IF NOT EXISTS answers_by_note ON answers (note, id)",
            "CREATE INDEX IF NOT EXISTS answers_by_key ON answers (key, note, id)",
            "CREATE TABLE IF NOT EXISTS sessions (id INTEGER PRIMARY KEY AUTOINCREMENT,"
            " started_at TEXT NOT NULL, ended_at TEXT, kind TEXT NOT NULL DEFAULT 'test',"
            " settings TEXT)",
            "PRAGMA application_id = 1447776847",
            "PRAGMA user_version = 2"};
        for (const char *statement : schema)
            m_ok = m_ok && q.exec(QLatin1String(statement));
    }
    ~LocalRecord()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    LocalRecord(const LocalRecord &) = delete;
    LocalRecord &operator=(const LocalRecord &) = delete;

    bool isOk() const { return m_ok; }

    static QString stamp(const QDateTime &t) { return t.toUTC().toString(Qt::ISODateWithMs); }

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
        q.prepare(QStringLiteral("INSERT INTO answers (at, session, clef, note, flat, answer,"
                                 " correct, response_ms, source, interval_ms, key, written)"
                                 " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?)"));
        q.addBindValue(stamp(a.at));
        q.addBindValue(a.session);
        q.addBindValue(a.clef);
        q.addBindValue(a.note);
        q.addBindValue(a.flat ? 1 : 0);
        q.addBindValue(a.answer ? QVariant(*a.answer) : QVariant(QMetaType(QMetaType::Int)));
        q.addBindValue(a.correct ? 1 : 0);
        q.addBindValue(a.responseMs ? QVariant(*a.responseMs)
                                    : QVariant(QMetaType(QMetaType::Int)));
        q.addBindValue(a.source.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : a.source);
        q.addBindValue(a.intervalMs);
        q.addBindValue(WrittenNote::fromMidi(a.note, a.flat).text());
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
        a.note = note;
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
