// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/AnswerLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QThread>
#include <QVariant>

namespace {

// The first bytes of every SQLite database file, its final zero included.
constexpr char SqliteMagic[] = "SQLite format 3";

// SQLite's result codes, as the driver reports them in nativeErrorCode().
constexpr int SqliteBusy = 5;
constexpr int SqliteLocked = 6;
constexpr int SqliteCorrupt = 11;
constexpr int SqliteNotADatabase = 26;

// Another program writing to the same file holds it for a commit's length;
// wait that long rather than fail.
constexpr char ConnectOptions[] = "QSQLITE_BUSY_TIMEOUT=2000";

// Answers between two copies of the journal into the file, some 2.3 MB.
constexpr int CheckpointEvery = 256;
// The page cache of the connection that records.
constexpr int CacheKiB = 256;
// The journal file is cut back to this size when it starts afresh.
constexpr qint64 JournalLimitBytes = 4 * 1024 * 1024;

// How often, and how far apart, a refused switch to the write-ahead log is
// tried again.
constexpr int WalAttempts = 50;
constexpr unsigned long WalRetryMs = 20;

// Answers that could not be written because another program held the file
// are kept and written with the next ones, up to this many.
constexpr int MaxPending = 1000;

const char *const Schema[] = {
    "CREATE TABLE IF NOT EXISTS answers ("
    " id INTEGER PRIMARY KEY,"
    " at TEXT NOT NULL,"
    " session INTEGER NOT NULL,"
    " clef TEXT NOT NULL,"
    " note INTEGER NOT NULL,"
    " flat INTEGER NOT NULL DEFAULT 0,"
    " answer INTEGER,"
    " correct INTEGER NOT NULL,"
    " response_ms INTEGER,"
    " source TEXT,"
    " interval_ms INTEGER)",
    // The drill reads each note's newest answers.
    "CREATE INDEX IF NOT EXISTS answers_by_note ON answers (note, id)",
    // One row per test run: when it began and when its last answer fell or
    // it was switched off.
    "CREATE TABLE IF NOT EXISTS sessions ("
    " id INTEGER PRIMARY KEY,"
    " started_at TEXT NOT NULL,"
    " ended_at TEXT)",
};

int sqliteCode(const QSqlError &error)
{
    return error.nativeErrorCode().toInt();
}

bool isContention(const QSqlError &error)
{
    const int code = sqliteCode(error);
    return code == SqliteBusy || code == SqliteLocked;
}

QString timestamp(const QDateTime &t)
{
    return t.toUTC().toString(Qt::ISODateWithMs);
}

QVariant orNull(const std::optional<int> &value)
{
    return value ? QVariant(*value) : QVariant(QMetaType(QMetaType::Int));
}

} // namespace

AnswerLog::AnswerLog(const QString &path, QObject *parent)
    : QObject(parent), m_path(path),
      m_connection(QStringLiteral("velkaro-log-%1").arg(quintptr(this), 0, 16))
{}

AnswerLog::~AnswerLog()
{
    m_journalThread.quit();
    m_journalThread.wait();
    closeConnection();
}

// The journal is copied into the file at the end of every test run, and
// every CheckpointEvery answers of a long run, on the other thread. Answers
// that come faster than that copy can finish between them (a test at an
// interval of a few milliseconds) would still let it grow without end, since
// the journal starts afresh only after a copy that caught up with the last
// answer: once it is twice the length it is kept to, this connection copies
// it itself, between two answers.
void AnswerLog::keepJournalShort()
{
    m_sinceCheckpoint = 0;
    if (QFileInfo(m_path + QStringLiteral("-wal")).size() <= 2 * JournalLimitBytes) {
        checkpointSoon();
        return;
    }
    QSqlQuery(QSqlDatabase::database(m_connection))
        .exec(QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)"));
}

// Copies the journal's answers into the file proper, so that the journal
// stays short however long a test runs, on a thread and a connection of its
// own: the copy waits for the disk, and the window must not. A passive
// checkpoint never holds up a writer, in this program or another.
void AnswerLog::checkpointSoon()
{
    m_sinceCheckpoint = 0;
    if (!m_journalWorker) {
        m_journalThread.setObjectName(QStringLiteral("velkaro-journal"));
        m_journalWorker = new QObject;
        m_journalWorker->moveToThread(&m_journalThread);
        connect(&m_journalThread, &QThread::finished, m_journalWorker, &QObject::deleteLater);
        m_journalThread.start(QThread::LowPriority);
    }
    const QString path = m_path;
    const QString name = m_connection + QStringLiteral("-journal");
    QMetaObject::invokeMethod(
        m_journalWorker,
        [path, name] {
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
                db.setDatabaseName(path);
                db.setConnectOptions(QLatin1String(ConnectOptions));
                QSqlQuery q(db);
                // The first write after a checkpoint starts the journal afresh,
                // and waits for the disk once: this thread makes that write
                // (the schema version, written again as it is), so that the
                // next answer does not.
                if (db.open() && q.exec(QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)")) &&
                    q.exec(QStringLiteral("PRAGMA user_version")) && q.next()) {
                    const int version = q.value(0).toInt();
                    q.finish();
                    q.exec(QStringLiteral("PRAGMA user_version = %1").arg(version));
                }
            }
            QSqlDatabase::removeDatabase(name);
        },
        Qt::QueuedConnection);
}

QString AnswerLog::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/velkaro/progress.sqlite");
}

void AnswerLog::setPath(const QString &path)
{
    if (m_state == State::Closed)
        m_path = path;
}

AnswerLog::State AnswerLog::open()
{
    if (m_state != State::Closed)
        return m_state;
    QString why;
    m_state = openFile(&why);
    if (m_state == State::Unwritable) {
        closeConnection();
        qWarning("Answers are not recorded in %s: %s", qPrintable(m_path), qPrintable(why));
    }
    return m_state;
}

AnswerLog::State AnswerLog::openFile(QString *why)
{
    const QFileInfo file(m_path);
    if (!QDir().mkpath(file.absolutePath())) {
        *why = QStringLiteral("its folder cannot be made");
        return State::Unwritable;
    }
    // A file that is no database is moved aside before SQLite opens it, so
    // that nothing of it, its journal included, is changed.
    if (!looksLikeDatabase() && !moveAside(why))
        return State::Unwritable;
    if (!openConnection(why))
        return State::Unwritable;
    if (isBroken(why)) {
        closeConnection();
        if (!moveAside(why) || !openConnection(why))
            return State::Unwritable;
    } else if (!why->isEmpty()) {
        // Out of reach for another reason (no permission, say): left as it is.
        return State::Unwritable;
    }

    QSqlQuery version(QSqlDatabase::database(m_connection));
    if (!version.exec(QStringLiteral("PRAGMA user_version")) || !version.next()) {
        *why = version.lastError().text();
        return State::Unwritable;
    }
    const int fileVersion = version.value(0).toInt();
    // A statement left open would keep the journal mode from changing.
    version.finish();
    if (fileVersion > SchemaVersion) {
        closeConnection();
        return State::Newer;
    }
    if (!createSchema(why))
        return State::Unwritable;
    return State::Recording;
}

bool AnswerLog::openConnection(QString *why)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QLatin1String(ConnectOptions));
    if (db.open())
        return true;
    *why = db.lastError().text();
    closeConnection();
    return false;
}

void AnswerLog::closeConnection()
{
    m_insert.reset();
    m_touchSession.reset();
    if (!QSqlDatabase::contains(m_connection))
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

bool AnswerLog::looksLikeDatabase() const
{
    QFile file(m_path);
    if (!file.exists() || file.size() == 0)
        return true;
    // Unreadable files are not judged here: opening them fails on its own.
    if (!file.open(QIODevice::ReadOnly))
        return true;
    return file.read(sizeof(SqliteMagic)) == QByteArray(SqliteMagic, sizeof(SqliteMagic));
}

// A file that is no database at all fails its first statement; one that is
// damaged fails SQLite's quick integrity check (every page and row read and
// checked, without the slower cross-check of indexes against their tables:
// some 20 ms for a record of 100,000 answers). Any other failure is reported in why,
// with false: the file may be sound and only out of reach.
bool AnswerLog::isBroken(QString *why)
{
    QSqlQuery check(QSqlDatabase::database(m_connection));
    if (!check.exec(QStringLiteral("PRAGMA quick_check"))) {
        const int code = sqliteCode(check.lastError());
        *why = check.lastError().text();
        return code == SqliteNotADatabase || code == SqliteCorrupt;
    }
    if (!check.next())
        return false;
    const QString verdict = check.value(0).toString();
    if (verdict == QLatin1String("ok"))
        return false;
    *why = verdict;
    return true;
}

// The broken file keeps its journal beside it: neither may meet the fresh
// file, whose journal would otherwise be taken from the old one.
bool AnswerLog::moveAside(QString *why)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = m_path + QStringLiteral(".broken-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target =
            m_path + QStringLiteral(".broken-") + stamp + QLatin1Char('-') + QString::number(n);
    if (!QFile::rename(m_path, target)) {
        *why = QStringLiteral("it cannot be read and cannot be moved aside");
        return false;
    }
    for (const char *suffix : {"-wal", "-shm"}) {
        if (QFileInfo::exists(m_path + QLatin1String(suffix)))
            QFile::rename(m_path + QLatin1String(suffix), target + QLatin1String(suffix));
    }
    m_movedAside = target;
    return true;
}

// Two programs switching one fresh file to the write-ahead log at the same
// moment would wait for each other for ever: SQLite refuses one of them at
// once instead of waiting, and that one tries again.
bool AnswerLog::useWriteAheadLog(QSqlQuery *q)
{
    for (int attempt = 0; attempt < WalAttempts; ++attempt) {
        if (q->exec(QStringLiteral("PRAGMA journal_mode=WAL")))
            return true;
        if (!isContention(q->lastError()))
            return false;
        QThread::msleep(WalRetryMs);
    }
    return false;
}

bool AnswerLog::createSchema(QString *why)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection);
    QSqlQuery q(db);
    // The journal mode is the file's; synchronous is this connection's, and
    // so is checkpointing, which waits for the disk: it is done on a thread
    // of its own (see checkpointSoon), never while an answer is recorded.
    // Recording only appends: a small page cache serves it.
    if (!useWriteAheadLog(&q) || !q.exec(QStringLiteral("PRAGMA synchronous=NORMAL")) ||
        !q.exec(QStringLiteral("PRAGMA wal_autocheckpoint=0")) ||
        !q.exec(QStringLiteral("PRAGMA cache_size=-%1").arg(CacheKiB)) ||
        !q.exec(QStringLiteral("PRAGMA journal_size_limit=%1").arg(JournalLimitBytes))) {
        *why = q.lastError().text();
        return false;
    }
    // Under the write lock at once: another program may be creating it too.
    bool ok = q.exec(QStringLiteral("BEGIN IMMEDIATE"));
    for (const char *statement : Schema)
        ok = ok && q.exec(QLatin1String(statement));
    ok = ok && q.exec(QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion)) &&
         q.exec(QStringLiteral("COMMIT"));
    if (!ok) {
        *why = q.lastError().text();
        q.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    m_insert = std::make_unique<QSqlQuery>(db);
    m_touchSession = std::make_unique<QSqlQuery>(db);
    return m_insert->prepare(QStringLiteral(
               "INSERT INTO answers (at, session, clef, note, flat, answer, correct, "
               "response_ms, source, interval_ms) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")) &&
           m_touchSession->prepare(QStringLiteral("UPDATE sessions SET ended_at = ? WHERE id = ?"));
}

void AnswerLog::beginSession()
{
    m_sessionStart = QDateTime::currentDateTimeUtc();
    m_session = 0;
}

void AnswerLog::endSession()
{
    if (isRecording())
        writePending();
    if (m_session != 0 && isRecording()) {
        m_touchSession->addBindValue(timestamp(QDateTime::currentDateTimeUtc()));
        m_touchSession->addBindValue(m_session);
        m_touchSession->exec();
        checkpointSoon();
    }
    m_session = 0;
    m_sessionStart = QDateTime();
}

// The next number above every one in the file, answers written by other
// programs included, taken under the write lock so that two programs never
// take the same.
bool AnswerLog::allocateSession()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection);
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    const bool ok = q.exec(QStringLiteral("SELECT max(ifnull((SELECT max(id) FROM sessions), 0),"
                                          " ifnull((SELECT max(session) FROM answers), 0)) + 1")) &&
                    q.next();
    const qint64 session = ok ? q.value(0).toLongLong() : 0;
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO sessions (id, started_at) VALUES (?, ?)"));
    insert.addBindValue(session);
    insert.addBindValue(
        timestamp(m_sessionStart.isValid() ? m_sessionStart : QDateTime::currentDateTimeUtc()));
    if (!ok || !insert.exec() || !q.exec(QStringLiteral("COMMIT"))) {
        q.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    m_session = session;
    return true;
}

bool AnswerLog::record(Answer answer)
{
    if (!isRecording())
        return false;
    if (m_session == 0 && !allocateSession()) {
        fail();
        return false;
    }
    answer.session = m_session;
    if (answer.at.isNull())
        answer.at = QDateTime::currentDateTimeUtc();
    m_pending.append(answer);
    return writePending();
}

// Answers held back while another program held the file go first, in order.
bool AnswerLog::writePending()
{
    while (!m_pending.isEmpty()) {
        QSqlError error;
        if (!writeAnswer(m_pending.first(), &error)) {
            if (isContention(error) && m_pending.size() <= MaxPending)
                return true;
            fail();
            return false;
        }
        if (++m_sinceCheckpoint >= CheckpointEvery)
            keepJournalShort();
        emit recorded(m_pending.takeFirst());
    }
    return true;
}

bool AnswerLog::writeAnswer(const Answer &a, QSqlError *error)
{
    QSqlQuery q(QSqlDatabase::database(m_connection));
    // The write lock at once: a transaction that only reads first could
    // find its snapshot outdated by another writer and fail without waiting.
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        *error = q.lastError();
        return false;
    }
    const QString at = timestamp(a.at);
    m_insert->addBindValue(at);
    m_insert->addBindValue(a.session);
    m_insert->addBindValue(a.clef);
    m_insert->addBindValue(a.note);
    m_insert->addBindValue(a.flat ? 1 : 0);
    m_insert->addBindValue(orNull(a.answer));
    m_insert->addBindValue(a.correct ? 1 : 0);
    m_insert->addBindValue(orNull(a.responseMs));
    m_insert->addBindValue(a.source.isEmpty() ? QVariant(QMetaType(QMetaType::QString))
                                              : QVariant(a.source));
    m_insert->addBindValue(a.intervalMs);
    m_touchSession->addBindValue(at);
    m_touchSession->addBindValue(a.session);
    if (!m_insert->exec())
        *error = m_insert->lastError();
    else if (!m_touchSession->exec())
        *error = m_touchSession->lastError();
    else if (!q.exec(QStringLiteral("COMMIT")))
        *error = q.lastError();
    else
        return true;
    q.exec(QStringLiteral("ROLLBACK"));
    return false;
}

void AnswerLog::fail()
{
    closeConnection();
    m_state = State::Unwritable;
    emit stopped();
}

bool AnswerLog::forget()
{
    if (!isRecording())
        return false;
    QSqlQuery q(QSqlDatabase::database(m_connection));
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    if (!q.exec(QStringLiteral("DELETE FROM answers")) ||
        !q.exec(QStringLiteral("DELETE FROM sessions")) || !q.exec(QStringLiteral("COMMIT"))) {
        q.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    m_pending.clear();
    if (m_session != 0) {
        m_session = 0;
        m_sessionStart = QDateTime::currentDateTimeUtc();
    }
    // The rows are gone; their bytes should not linger in free pages or the
    // journal either. Another program reading just now only delays this.
    q.exec(QStringLiteral("VACUUM"));
    q.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    return true;
}

QHash<int, QList<PastAnswer>> AnswerLog::recentAnswers(int lowest, int highest, int perNote) const
{
    QHash<int, QList<PastAnswer>> recent;
    if (!isRecording())
        return recent;
    // One short walk of the index per note, however long the record.
    QSqlQuery q(QSqlDatabase::database(m_connection));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT correct, response_ms FROM answers WHERE note = ?"
                             " ORDER BY id DESC LIMIT ?"));
    for (int note = lowest; note <= highest; ++note) {
        q.addBindValue(note);
        q.addBindValue(perNote);
        if (!q.exec())
            return recent;
        while (q.next()) {
            PastAnswer past;
            past.correct = q.value(0).toInt() != 0;
            if (!q.value(1).isNull())
                past.responseMs = q.value(1).toInt();
            recent[note].append(past);
        }
    }
    return recent;
}
