// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/Answer.h"
#include "progress/History.h"

#include <QHash>
#include <QList>
#include <QString>

// What the drill reads from the record, on the window's thread through a
// read-only connection of its own: readers of the journal never wait for a
// writer, in this program or another. Rows written by other programs count
// the same.
class RecordQueries
{
public:
    explicit RecordQueries(const QString &path);
    ~RecordQueries();
    RecordQueries(const RecordQueries &) = delete;
    RecordQueries &operator=(const RecordQueries &) = delete;

    // Reads another file from the next query on.
    void setPath(const QString &path);

    // The newest answers to each note from lowest to highest (MIDI numbers),
    // at most perNote each, newest first.
    QHash<int, QList<PastAnswer>> recentAnswers(int lowest, int highest, int perNote);
    // The same within one key signature (sharps positive, flats negative).
    // In a key other than C major each pitch has one spelling, so this is
    // the history of each note as written in that key.
    QHash<int, QList<PastAnswer>> recentAnswers(int key, int lowest, int highest, int perNote);
    // The one-minute challenges: their rows in `sessions` and their answers.
    History challenges();

private:
    QHash<int, QList<PastAnswer>> read(const QString &sql, std::optional<int> key, int lowest,
                                       int highest, int perNote);
    bool connect();
    void close();

    QString m_path;
    QString m_connection;
};
