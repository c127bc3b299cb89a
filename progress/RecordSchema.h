// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/Answer.h"

#include <QString>
#include <QStringList>
#include <QVariant>

class QSqlQuery;

// The record's format in one place: its tables' columns in order, with what
// an answer puts in each. The log writes by it, the export and the Progress
// window read by its names, and tests write their histories through it.
namespace RecordSchema {

// Kept in PRAGMA user_version.
constexpr int Version = 2;
// Kept in PRAGMA application_id: the bytes "VKRO".
constexpr qint32 ApplicationId = 1447776847;

struct Column
{
    const char *name;
    const char *declaration;
    int since; // the format version that brought it
    // What an answer writes there; null for the row's own number.
    QVariant (*value)(const Answer &);
};

// The table `answers`, in its order: new columns always come last, since
// the CSV export writes every column as the file has them.
extern const Column AnswerColumns[];
extern const int AnswerColumnCount;

// Every statement that makes an empty file a record of this version, in order.
QStringList createStatements();
// The names of the columns of `answers` that a version brought, in order.
QStringList answerColumnNames(int upToVersion = Version);
// INSERT INTO answers with a placeholder for every column but the id.
QString insertAnswer();
// Binds an answer's values to insertAnswer()'s placeholders.
void bindAnswer(QSqlQuery &query, const Answer &answer);
// A time as the record keeps it: UTC, ISO 8601 with milliseconds.
QString timestamp(const QDateTime &t);

} // namespace RecordSchema
