// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlQuery>

// The record as version 1 made it, for tests and benchmarks of its upgrade:
// its tables exactly as that version created them, in the journal's mode.
namespace VersionOneRecord {

inline bool createTables(QSqlQuery &q)
{
    return q.exec("PRAGMA journal_mode=WAL") &&
           q.exec("CREATE TABLE answers (id INTEGER PRIMARY KEY, at TEXT NOT NULL,"
                  " session INTEGER NOT NULL, clef TEXT NOT NULL, note INTEGER NOT NULL,"
                  " flat INTEGER NOT NULL DEFAULT 0, answer INTEGER, correct INTEGER NOT NULL,"
                  " response_ms INTEGER, source TEXT, interval_ms INTEGER)") &&
           q.exec("CREATE INDEX answers_by_note ON answers (note, id)") &&
           q.exec("CREATE TABLE sessions (id INTEGER PRIMARY KEY, started_at TEXT NOT NULL,"
                  " ended_at TEXT)") &&
           q.exec("PRAGMA user_version = 1");
}

// INSERT INTO answers with a placeholder for each of its eleven columns.
inline const char *const InsertAnswer =
    "INSERT INTO answers VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

} // namespace VersionOneRecord
