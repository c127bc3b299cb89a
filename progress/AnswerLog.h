// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/Answer.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QThread>

#include <memory>

class QSqlError;
class QSqlQuery;

// The learner's record: every judged test note, one row of the table
// `answers` in an SQLite file. This class opens the file and owns its
// schema; every statement that writes to it is here.
//
// Each answer is committed as it is recorded (WAL journal, synchronous
// NORMAL): a program killed afterwards loses nothing, and a commit costs a
// write to the journal, no wait for the disk. Several programs may record
// into one file at once.
class AnswerLog : public QObject
{
    Q_OBJECT
public:
    // The schema this version writes, kept in PRAGMA user_version.
    static constexpr int SchemaVersion = 1;

    enum class State {
        Closed,     // not opened yet
        Recording,  // answers are written
        Newer,      // the file comes from a newer version: left untouched
        Unwritable, // the file or its folder cannot be written
    };

    explicit AnswerLog(const QString &path, QObject *parent = nullptr);
    ~AnswerLog() override;

    // $XDG_DATA_HOME/velkaro/progress.sqlite, ~/.local/share/velkaro/ by default.
    static QString defaultPath();

    // Opens the file, creating it and its folder when needed. A file that is
    // not a database or fails its integrity check is renamed aside (see
    // movedAside()) and a fresh one started. Returns the state reached.
    State open();
    State state() const { return m_state; }
    bool isRecording() const { return m_state == State::Recording; }
    QString path() const { return m_path; }
    // Another file, for a log not opened yet.
    void setPath(const QString &path);
    // Where a broken file went when open() moved it aside; empty otherwise.
    QString movedAside() const { return m_movedAside; }

    // A test run begins or ends; answers in between share a session number,
    // which is unique in the file even with other programs writing to it.
    void beginSession();
    void endSession();
    qint64 currentSession() const { return m_session; }

    // Writes one answer (its session is filled in here). False when nothing
    // could be written; the first such failure stops recording and is
    // announced by stopped().
    bool record(Answer answer);

    // Empties the record: every answer and test run in the file goes, also
    // those other programs wrote, and the space they took is cleared. A test
    // that is running goes on under a new number from its next answer.
    bool forget();

    // The newest answers to each note from lowest to highest (MIDI numbers),
    // at most perNote each, newest first; rows written by other programs
    // count the same.
    QHash<int, QList<PastAnswer>> recentAnswers(int lowest, int highest, int perNote) const;

signals:
    void recorded(const Answer &answer);
    // Recording stopped because the file could not be written any more.
    void stopped();

private:
    State openFile(QString *why);
    bool openConnection(QString *why);
    void closeConnection();
    bool looksLikeDatabase() const;
    bool isBroken(QString *why);
    bool moveAside(QString *why);
    static bool useWriteAheadLog(QSqlQuery *q);
    bool createSchema(QString *why);
    bool allocateSession();
    bool writePending();
    bool writeAnswer(const Answer &answer, QSqlError *error);
    void fail();
    void keepJournalShort();
    void checkpointSoon();

    QString m_path;
    QString m_connection;
    State m_state = State::Closed;
    QString m_movedAside;
    // When the current test run began; its row is written with its first answer.
    QDateTime m_sessionStart;
    qint64 m_session = 0;
    std::unique_ptr<QSqlQuery> m_insert;
    std::unique_ptr<QSqlQuery> m_touchSession;
    // Answers waiting while another program holds the file.
    QList<Answer> m_pending;
    // Where the journal is copied into the file, off the window's thread.
    QThread m_journalThread;
    QObject *m_journalWorker = nullptr;
    int m_sinceCheckpoint = 0;
};
