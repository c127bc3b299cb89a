// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/Answer.h"
#include "progress/ForgetReport.h"
#include "progress/History.h"
#include "progress/RecordFile.h"
#include "progress/RecordSchema.h"

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class RecordQueries;
class RecordWriter;

// The learner's record: every judged test note, one row of the table
// `answers` in an SQLite file. The window asks here; the file is written by
// a writer on its own thread (RecordWriter) and read for the drill through
// a connection of its own (RecordQueries).
//
// Each answer is committed as it is written (WAL journal, synchronous
// NORMAL): a program killed afterwards loses nothing. Several programs may
// record into one file at once.
class AnswerLog : public QObject
{
    Q_OBJECT
public:
    // The format this version writes, kept in PRAGMA user_version.
    static constexpr int SchemaVersion = RecordSchema::Version;

    enum class State {
        Closed,     // not opened yet
        Opening,    // being opened: answers wait for it
        Recording,  // answers are written
        Newer,      // the file comes from a newer version: left untouched
        Unwritable, // the file or its folder cannot be written
        NotOurs,    // not a record of this program, or broken: left as it is
    };

    // A file that is not a record, or is broken, is moved aside and a new
    // record started when path is the default record's; any other is left
    // alone (the learner chose it).
    explicit AnswerLog(const QString &path, QObject *parent = nullptr);
    // Finishes the writes asked for; see finishWrites().
    ~AnswerLog() override;

    // $XDG_DATA_HOME/velkaro/progress.sqlite, ~/.local/share/velkaro/ by default.
    static QString defaultPath();

    // Opens the file on the writer's thread; opened() tells how it went.
    // Answers recorded meanwhile wait for it.
    void openInBackground();
    // The same, waiting for the outcome. Returns the state reached.
    State open();
    State state() const { return m_state; }
    bool isRecording() const { return m_state == State::Recording; }
    // Where the record is; after it was written again, its new place.
    QString path() const { return m_path; }
    // Another file, for a log not opened yet.
    void setPath(const QString &path);
    // Where a broken file went when opening moved it aside; empty otherwise.
    QString movedAside() const { return m_movedAside; }
    // The copy of a version-1 record kept before it was upgraded; empty otherwise.
    QString keptCopy() const { return m_keptCopy; }

    // A run begins or ends; answers in between share a session number,
    // which is unique in the file even with other programs writing to it
    // and never given again. settings: the run's settings as JSON; at: the
    // moment it begins or ends (UTC), now when null.
    void beginSession(const QString &kind = QStringLiteral("test"),
                      const QJsonObject &settings = QJsonObject(),
                      const QDateTime &at = QDateTime());
    void endSession(const QDateTime &at = QDateTime());
    // The number of the run of the last answer written; 0 before one.
    qint64 currentSession() const { return m_session; }

    // Hands one answer to the writer (its session is filled in there); it
    // is written in order, however long another program holds the file.
    // False when the record is not being written.
    bool record(Answer answer);

    // Empties the record; forgotten() tells how it went.
    void forget();

    // Writes asked for and not done yet.
    int pendingWrites() const;
    // Waits until every write asked for is done, at most timeoutMs (-1: no
    // limit), and delivers their signals. False when time ran out.
    bool finishWrites(int timeoutMs = -1);
    // Gives up the writes still waiting (another program never lets go).
    void abandonWrites();

    // The newest answers to each note from lowest to highest (MIDI numbers),
    // at most perNote each, newest first; rows written by other programs
    // count the same.
    QHash<int, QList<PastAnswer>> recentAnswers(int lowest, int highest, int perNote) const;
    // The same within one key signature.
    QHash<int, QList<PastAnswer>> recentAnswers(int key, int lowest, int highest,
                                                int perNote) const;
    // The one-minute challenges in the record, with their answers; none
    // while it is not being written.
    History challenges() const;

signals:
    void opened(AnswerLog::State state);
    // Committed to the file, with its session number.
    void recorded(const Answer &answer);
    // Recording stopped because the file could not be written any more.
    void stopped();
    // The record had gone from its path: it was written again, every row
    // kept, at path; beside is set when another file stood at the old path
    // and the record went beside it.
    void writtenAgain(const QString &path, bool beside);
    void forgotten(const ForgetReport &report);
    // Every write asked for is done.
    void allWritten();

private:
    void takeOpening(RecordFile::State state, const QString &path, const QString &movedAside,
                     const QString &keptCopy, const QString &why);
    void start();

    QString m_path;
    State m_state = State::Closed;
    QString m_movedAside;
    QString m_keptCopy;
    qint64 m_session = 0;
    std::unique_ptr<RecordWriter> m_writer;
    std::unique_ptr<RecordQueries> m_queries;
};
