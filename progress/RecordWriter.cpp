// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/RecordWriter.h"

#include "progress/RecordSchema.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QVariant>

namespace {

// SQLite's result codes, as the driver reports them in nativeErrorCode().
constexpr int SqliteBusy = 5;
constexpr int SqliteLocked = 6;

// Between two tries at a file another program holds; SQLite itself waits a
// little on every try (see RecordFile).
constexpr unsigned long BusyPauseMs = 50;
// Answers between two copies of the journal into the file, some 2.3 MB.
constexpr int CheckpointEvery = 256;
// Answers that queued up (while another program held the file, or in a test
// at an interval of a millisecond) are written this many to a transaction.
constexpr size_t BatchLimit = 256;

bool isContention(const QSqlError &error)
{
    const int code = error.nativeErrorCode().toInt();
    return code == SqliteBusy || code == SqliteLocked;
}

} // namespace

RecordWriter::RecordWriter(const QString &path, bool rescue, QObject *parent)
    : QObject(parent), m_openedAt(path),
      m_file(std::make_unique<RecordFile>(
          path, QStringLiteral("velkaro-writer-%1").arg(quintptr(this), 0, 16), rescue))
{}

RecordWriter::~RecordWriter()
{
    if (!m_thread)
        return;
    {
        QMutexLocker lock(&m_mutex);
        m_quit = true;
        m_wake.wakeAll();
    }
    m_thread->wait();
    delete m_thread;
}

template <typename Emit> void RecordWriter::tell(Emit emission)
{
    QMetaObject::invokeMethod(this, emission, Qt::QueuedConnection);
}

void RecordWriter::start()
{
    if (m_thread)
        return;
    enqueue({Job::Open, {}, {}, {}, {}});
    m_thread = QThread::create([this] { run(); });
    m_thread->setObjectName(QStringLiteral("velkaro-record"));
    m_thread->start();
}

RecordFile::State RecordWriter::waitForOpen()
{
    QMutexLocker lock(&m_mutex);
    while (m_thread && !m_openDone && !m_abandoned)
        m_progress.wait(&m_mutex);
    return m_openState;
}

void RecordWriter::enqueue(Job job)
{
    QMutexLocker lock(&m_mutex);
    if (m_abandoned)
        return;
    m_queue.push_back(std::move(job));
    m_wake.wakeAll();
}

void RecordWriter::beginSession(const QString &kind, const QJsonObject &settings,
                                const QDateTime &at)
{
    enqueue({Job::Begin, {}, kind, settings, at.isNull() ? QDateTime::currentDateTimeUtc() : at});
}

void RecordWriter::record(const Answer &answer)
{
    Job job{Job::Record, answer, {}, {}, {}};
    if (job.answer.at.isNull())
        job.answer.at = QDateTime::currentDateTimeUtc();
    enqueue(std::move(job));
}

void RecordWriter::endSession(const QDateTime &at)
{
    enqueue({Job::End, {}, {}, {}, at.isNull() ? QDateTime::currentDateTimeUtc() : at});
}

void RecordWriter::forget()
{
    enqueue({Job::Forget, {}, {}, {}, {}});
}

int RecordWriter::pending() const
{
    QMutexLocker lock(&m_mutex);
    return int(m_queue.size());
}

bool RecordWriter::waitUntilDone(int timeoutMs)
{
    bool finished = true;
    {
        QMutexLocker lock(&m_mutex);
        const QDeadlineTimer deadline(timeoutMs < 0 ? QDeadlineTimer::Forever
                                                    : QDeadlineTimer(timeoutMs));
        while (m_thread && !m_queue.empty() && !m_abandoned && finished)
            finished = m_progress.wait(&m_mutex, deadline);
        finished = m_queue.empty() || m_abandoned;
    }
    if (thread() == QThread::currentThread())
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    return finished;
}

void RecordWriter::abandon()
{
    QMutexLocker lock(&m_mutex);
    m_abandoned = true;
    m_wake.wakeAll();
    m_progress.wakeAll();
}

void RecordWriter::run()
{
    QMutexLocker lock(&m_mutex);
    for (;;) {
        while (m_queue.empty() && !m_quit)
            m_wake.wait(&m_mutex);
        if (m_queue.empty() || m_abandoned)
            break;
        Job job = m_queue.front();
        std::vector<Answer> answers;
        for (auto it = m_queue.cbegin();
             it != m_queue.cend() && it->type == Job::Record && answers.size() < BatchLimit; ++it)
            answers.push_back(it->answer);
        lock.unlock();
        const Outcome outcome = answers.empty() ? perform(job) : writeAnswers(answers);
        lock.relock();
        if (outcome == Outcome::Busy) {
            if (!m_abandoned)
                m_wake.wait(&m_mutex, BusyPauseMs);
            continue;
        }
        m_queue.erase(m_queue.begin(),
                      m_queue.begin() + qsizetype(std::max<size_t>(1, answers.size())));
        if (m_queue.empty()) {
            m_progress.wakeAll();
            tell([this] { emit done(); });
        }
    }
    m_queue.clear();
    m_progress.wakeAll();
    lock.unlock();
    m_file->close();
}

RecordWriter::Outcome RecordWriter::perform(Job &job)
{
    if (job.type == Job::Open)
        return open();
    // After a failure the rest is dropped: the learner has been told once.
    if (!m_usable)
        return Outcome::Done;
    switch (job.type) {
    case Job::Begin:
        m_kind = job.kind;
        m_settings = job.settings;
        m_sessionStart = job.at;
        m_session = 0;
        return Outcome::Done;
    case Job::Record:
        break;
    case Job::End:
        return endRun(job.at);
    case Job::Forget:
        return forgetAll();
    case Job::Open:
        break;
    }
    return Outcome::Done;
}

RecordWriter::Outcome RecordWriter::open()
{
    QString why;
    const RecordFile::State state = m_file->open(&why);
    if (state == RecordFile::State::Busy)
        return Outcome::Busy;
    m_usable = state == RecordFile::State::Open;
    // Told before a waiter wakes, so that it finds the news delivered.
    tell([this, state, path = m_file->path(), moved = m_file->movedAside(),
          kept = m_file->keptCopy(), why] { emit opened(state, path, moved, kept, why); });
    QMutexLocker lock(&m_mutex);
    m_openState = state;
    m_openDone = true;
    m_progress.wakeAll();
    return Outcome::Done;
}

// Every write first makes sure it goes where the record is.
RecordWriter::Outcome RecordWriter::keepHere()
{
    const RecordFile::Whereabouts where = m_file->whereabouts();
    if (where == RecordFile::Whereabouts::Here)
        return Outcome::Done;
    const QString before = m_file->path();
    QString why;
    if (!m_file->writeAgain(where, &why))
        return fail(why);
    tell([this, path = m_file->path(), beside = m_file->path() != before] {
        emit writtenAgain(path, beside);
    });
    return Outcome::Done;
}

// The run's row is written with its first answer, in the same transaction,
// so that a run without answers leaves nothing behind. The write lock is
// taken at once: a transaction that only reads first could find its
// snapshot outdated by another writer and fail without waiting.
RecordWriter::Outcome RecordWriter::writeAnswers(std::vector<Answer> &answers)
{
    // After a failure the rest is dropped: the learner has been told once.
    if (!m_usable)
        return Outcome::Done;
    if (keepHere() == Outcome::Failed)
        return Outcome::Failed;
    QSqlDatabase db = m_file->database();
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return isContention(q.lastError()) ? Outcome::Busy : fail(q.lastError().text());
    const qint64 session = m_session;
    bool ok = true;
    if (m_session == 0) {
        ok = q.prepare(
            QStringLiteral("INSERT INTO sessions (started_at, kind, settings) VALUES (?, ?, ?)"));
        q.addBindValue(RecordSchema::timestamp(m_sessionStart.isValid() ? m_sessionStart
                                                                        : answers.front().at));
        q.addBindValue(m_kind.isEmpty() ? QStringLiteral("test") : m_kind);
        q.addBindValue(QString::fromUtf8(QJsonDocument(m_settings).toJson(QJsonDocument::Compact)));
        ok = ok && q.exec();
        if (ok)
            m_session = q.lastInsertId().toLongLong();
    }
    QSqlQuery insert(db);
    ok = ok && insert.prepare(RecordSchema::insertAnswer());
    for (Answer &answer : answers) {
        answer.session = m_session;
        RecordSchema::bindAnswer(insert, answer);
        ok = ok && insert.exec();
    }
    QSqlQuery touch(db);
    ok = ok && touch.prepare(QStringLiteral("UPDATE sessions SET ended_at = ? WHERE id = ?"));
    touch.addBindValue(RecordSchema::timestamp(answers.back().at));
    touch.addBindValue(m_session);
    ok = ok && touch.exec() && q.exec(QStringLiteral("COMMIT"));
    if (!ok) {
        const QSqlError error = q.lastError().isValid()        ? q.lastError()
                                : insert.lastError().isValid() ? insert.lastError()
                                                               : touch.lastError();
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        m_session = session;
        return isContention(error) ? Outcome::Busy : fail(error.text());
    }
    for (const Answer &answer : answers)
        tell([this, answer] { emit written(answer); });
    m_sinceCheckpoint += int(answers.size());
    if (m_sinceCheckpoint >= CheckpointEvery)
        checkpoint();
    return Outcome::Done;
}

RecordWriter::Outcome RecordWriter::endRun(const QDateTime &at)
{
    if (m_session != 0) {
        if (keepHere() == Outcome::Failed)
            return Outcome::Failed;
        QSqlQuery q(m_file->database());
        q.prepare(QStringLiteral("UPDATE sessions SET ended_at = ? WHERE id = ?"));
        q.addBindValue(RecordSchema::timestamp(at));
        q.addBindValue(m_session);
        if (!q.exec())
            return isContention(q.lastError()) ? Outcome::Busy : fail(q.lastError().text());
        checkpoint();
    }
    m_session = 0;
    m_sessionStart = QDateTime();
    return Outcome::Done;
}

// Copies the journal's answers into the file proper, so that the journal
// stays short however long a test runs. A passive checkpoint never holds up
// a writer, in this program or another.
void RecordWriter::checkpoint()
{
    m_sinceCheckpoint = 0;
    QSqlQuery(m_file->database()).exec(QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)"));
}

// Every answer and test run in the file goes, also those other programs
// wrote; the numbers they had are never given again. Their bytes should not
// linger in free pages or the journal either: whether that worked is told,
// since another program reading just then can keep the journal from being
// cleared.
RecordWriter::Outcome RecordWriter::forgetAll()
{
    if (keepHere() == Outcome::Failed)
        return Outcome::Failed;
    QSqlQuery q(m_file->database());
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return isContention(q.lastError()) ? Outcome::Busy : fail(q.lastError().text());
    if (!q.exec(QStringLiteral("DELETE FROM answers")) ||
        !q.exec(QStringLiteral("DELETE FROM sessions")) || !q.exec(QStringLiteral("COMMIT"))) {
        const QSqlError error = q.lastError();
        q.exec(QStringLiteral("ROLLBACK"));
        if (isContention(error))
            return Outcome::Busy;
        ForgetReport report;
        report.copies = copiesBeside();
        tell([this, report] { emit forgotten(report); });
        return Outcome::Done;
    }
    // A run going on goes on under a new number from its next answer.
    if (m_session != 0) {
        m_session = 0;
        m_sessionStart = QDateTime::currentDateTimeUtc();
    }
    ForgetReport report;
    report.emptied = true;
    const bool vacuumed = q.exec(QStringLiteral("VACUUM"));
    report.wiped = vacuumed && q.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")) &&
                   q.next() && q.value(0).toInt() == 0;
    q.finish();
    m_sinceCheckpoint = 0;
    report.copies = copiesBeside();
    tell([this, report] { emit forgotten(report); });
    return Outcome::Done;
}

// Named after the path the record was opened at: a record written again
// beside another file is itself one of those copies.
QStringList RecordWriter::copiesBeside() const
{
    const QFileInfo record(m_openedAt);
    const QString name = record.fileName();
    QStringList copies;
    const QDir folder = record.absoluteDir();
    const QStringList found =
        folder.entryList({name + QStringLiteral(".broken-*"), name + QStringLiteral(".v1*"),
                          name + QStringLiteral(".recovered-*")},
                         QDir::Files, QDir::Name);
    for (const QString &file : found)
        copies << folder.filePath(file);
    return copies;
}

RecordWriter::Outcome RecordWriter::fail(const QString &why)
{
    m_usable = false;
    m_file->close();
    tell([this, why] { emit failed(why); });
    return Outcome::Failed;
}
