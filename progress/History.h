// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

// One row of the answer log as the progress figures read it: the columns
// they need, with the time as milliseconds since the epoch (UTC).
struct LoggedAnswer
{
    qint64 id = 0;
    qint64 atMs = 0;
    qint64 session = 0;
    int note = 0; // MIDI number
    int key = 0;  // the key signature: sharps positive, flats negative
    bool correct = false;
    std::optional<int> responseMs; // none on a time-out
    int intervalMs = 0;
};

// One test run, from the log's table `sessions`.
struct TestSession
{
    qint64 startMs = 0;
    std::optional<qint64> endMs; // none while nothing ended it
    QString kind = QStringLiteral("test");
    QJsonObject settings; // the run's settings, as the record keeps them
};

// What the progress window shows is worked out from this: every answer in
// the order of writing, and the test runs by number. Rows written by other
// programs may name sessions that have no row of their own.
struct History
{
    QList<LoggedAnswer> answers;
    QHash<qint64, TestSession> sessions;
};
