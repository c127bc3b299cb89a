// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/Answer.h"
#include "progress/ForgetReport.h"
#include "progress/RecordFile.h"

#include <QJsonObject>
#include <QMutex>
#include <QObject>
#include <QWaitCondition>

#include <deque>
#include <memory>
#include <vector>

class QThread;

// Writes the record on a thread and a connection of its own, in the order
// asked: opening it, test runs, answers, forgetting. Nothing here waits for
// the file on the caller's thread: another program holding the write lock,
// for any length of time, only delays the writing, and the writer tries
// again until the lock goes. What it has to say comes as signals on the
// thread that made it.
class RecordWriter : public QObject
{
    Q_OBJECT
public:
    // rescue: see RecordFile.
    RecordWriter(const QString &path, bool rescue, QObject *parent = nullptr);
    // Finishes what is asked, unless abandon() was called.
    ~RecordWriter() override;

    // Starts the thread, which opens the file first.
    void start();
    // Blocks until the file is opened, or could not be; its state.
    RecordFile::State waitForOpen();

    // A run begins or ends at the moment given (UTC), or now when it is null.
    void beginSession(const QString &kind, const QJsonObject &settings,
                      const QDateTime &at = QDateTime());
    void record(const Answer &answer);
    void endSession(const QDateTime &at = QDateTime());
    void forget();

    // Writes asked for and not done yet.
    int pending() const;
    // Blocks until every write asked for is done, at most timeoutMs (-1: no
    // limit); then delivers their signals. False when time ran out.
    bool waitUntilDone(int timeoutMs = -1);
    // Gives up what is still waiting, and stops trying.
    void abandon();

signals:
    void opened(RecordFile::State state, const QString &path, const QString &movedAside,
                const QString &keptCopy, const QString &why);
    // Committed, with its session number.
    void written(const Answer &answer);
    // The path no longer named the record: it was written again at path,
    // beside the file now standing where it was when beside is set.
    void writtenAgain(const QString &path, bool beside);
    // The file cannot be written any more: nothing more is written.
    void failed(const QString &why);
    void forgotten(const ForgetReport &report);
    // Every write asked for is done.
    void done();

private:
    struct Job
    {
        enum Type { Open, Begin, Record, End, Forget } type;
        Answer answer;
        QString kind;
        QJsonObject settings;
        QDateTime at;
    };
    enum class Outcome { Done, Busy, Failed };

    void enqueue(Job job);
    void run();
    Outcome perform(Job &job);
    Outcome open();
    Outcome keepHere();
    Outcome writeAnswers(std::vector<Answer> &answers);
    Outcome endRun(const QDateTime &at);
    Outcome forgetAll();
    Outcome fail(const QString &why);
    void checkpoint();
    QStringList copiesBeside() const;
    // Runs a signal's emission on the thread that made the writer.
    template <typename Emit> void tell(Emit emission);

    QString m_openedAt;
    std::unique_ptr<RecordFile> m_file;
    QThread *m_thread = nullptr;

    mutable QMutex m_mutex;
    QWaitCondition m_wake;
    QWaitCondition m_progress;
    std::deque<Job> m_queue;
    bool m_quit = false;
    bool m_abandoned = false;
    bool m_openDone = false;
    RecordFile::State m_openState = RecordFile::State::Closed;

    // The writer thread's own: the run being recorded.
    bool m_usable = false;
    qint64 m_session = 0;
    QString m_kind;
    QJsonObject m_settings;
    QDateTime m_sessionStart;
    int m_sinceCheckpoint = 0;
};
