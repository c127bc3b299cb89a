// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/RecordSchema.h"

#include <QSqlQuery>

namespace RecordSchema {

namespace {

QVariant orNull(const std::optional<int> &value)
{
    return value ? QVariant(*value) : QVariant(QMetaType(QMetaType::Int));
}

QVariant textOrNull(const QString &text)
{
    return text.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(text);
}

} // namespace

const Column AnswerColumns[] = {
    {"id", "INTEGER PRIMARY KEY AUTOINCREMENT", 1, nullptr},
    {"at", "TEXT NOT NULL", 1, [](const Answer &a) { return QVariant(timestamp(a.at)); }},
    {"session", "INTEGER NOT NULL", 1, [](const Answer &a) { return QVariant(a.session); }},
    {"clef", "TEXT NOT NULL", 1, [](const Answer &a) { return QVariant(a.clef); }},
    {"note", "INTEGER NOT NULL", 1, [](const Answer &a) { return QVariant(a.note()); }},
    {"flat", "INTEGER NOT NULL DEFAULT 0", 1,
     [](const Answer &a) { return QVariant(a.flat() ? 1 : 0); }},
    {"answer", "INTEGER", 1, [](const Answer &a) { return orNull(a.answer); }},
    {"correct", "INTEGER NOT NULL", 1, [](const Answer &a) { return QVariant(a.correct ? 1 : 0); }},
    {"response_ms", "INTEGER", 1, [](const Answer &a) { return orNull(a.responseMs); }},
    {"source", "TEXT", 1, [](const Answer &a) { return textOrNull(a.source); }},
    {"interval_ms", "INTEGER", 1, [](const Answer &a) { return QVariant(a.intervalMs); }},
    {"key", "INTEGER NOT NULL DEFAULT 0", 2, [](const Answer &a) { return QVariant(a.key); }},
    {"written", "TEXT NOT NULL", 2, [](const Answer &a) { return QVariant(a.written.text()); }},
};
const int AnswerColumnCount = int(std::size(AnswerColumns));

QStringList createStatements()
{
    QStringList columns;
    for (const Column &c : AnswerColumns)
        columns << QStringLiteral("%1 %2").arg(QLatin1String(c.name), QLatin1String(c.declaration));
    return {
        QStringLiteral("CREATE TABLE answers (%1)").arg(columns.join(QStringLiteral(", "))),
        // The drill reads each note's newest answers, in any key or in one.
        QStringLiteral("CREATE INDEX answers_by_note ON answers (note, id)"),
        QStringLiteral("CREATE INDEX answers_by_key ON answers (key, note, id)"),
        // One row per test run: when it began, when its last answer fell or
        // it was switched off, what kind of run and with which settings.
        QStringLiteral("CREATE TABLE sessions (id INTEGER PRIMARY KEY AUTOINCREMENT,"
                       " started_at TEXT NOT NULL, ended_at TEXT,"
                       " kind TEXT NOT NULL DEFAULT 'test', settings TEXT)"),
    };
}

QStringList answerColumnNames(int upToVersion)
{
    QStringList names;
    for (const Column &c : AnswerColumns) {
        if (c.since <= upToVersion)
            names << QLatin1String(c.name);
    }
    return names;
}

QString insertAnswer()
{
    QStringList names;
    QStringList marks;
    for (const Column &c : AnswerColumns) {
        if (c.value) {
            names << QLatin1String(c.name);
            marks << QStringLiteral("?");
        }
    }
    return QStringLiteral("INSERT INTO answers (%1) VALUES (%2)")
        .arg(names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
}

void bindAnswer(QSqlQuery &query, const Answer &answer)
{
    for (const Column &c : AnswerColumns) {
        if (c.value)
            query.addBindValue(c.value(answer));
    }
}

QString timestamp(const QDateTime &t)
{
    return t.toUTC().toString(Qt::ISODateWithMs);
}

} // namespace RecordSchema
