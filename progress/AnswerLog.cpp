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
#include <QVariant>

namespace {

// SQLite's result codes, as the driver reports them in nativeErrorCode().
constexpr int SqliteBusy = 5;
constexpr int SqliteLocked = 6;
constexpr int SqliteCorrupt = 11;
constexpr int SqliteNotADatabase = 26;

// Another program writing to the same file holds it for a commit's length;
// wait that long rather than fail.
constexpr char ConnectOptions[] = "QSQLITE_BUSY_TIMEOUT=2000";

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
    closeConnection();
}

QString AnswerLog::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/velkaro/progress.sqlite");
}

AnswerLog::State AnswerLog::open()
{
    if (m_state != State::Closed)
        return m_state;
    m_state = State::Unwritable;
    const QFileInfo file(m_path);
    if (!QDir().mkpath(file.absolutePath()))
        return m_state;
    if (!openConnection())
        return m_state;
    QString why;
    if (isBroken(&why)) {
        closeConnection();
        if (!moveAside() || !openConnection())
            return m_state;
    } else if (!why.isEmpty()) {
        // Unreadable for another reason (no permission, say): leave it be.
        closeConnection();
        return m_state;
    }

    QSqlQuery version(QSqlDatabase::database(m_connection));
    if (!version.exec(QStringLiteral("PRAGMA user_version")) || !version.next()) {
        closeConnection();
        return m_state;
    }
    const int fileVersion = version.value(0).toInt();
    // A statement left open keeps a read transaction open, and the journal
    // mode of a fresh file cannot change inside one.
    version.finish();
    if (fileVersion > SchemaVersion) {
        closeConnection();
        m_state = State::Newer;
        return m_state;
    }
    if (!createSchema()) {
        closeConnection();
        return m_state;
    }
    m_state = State::Recording;
    return m_state;
}

bool AnswerLog::openConnection()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QLatin1String(ConnectOptions));
    if (db.open())
        return true;
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

// A file that is no database at all fails its first statement; one that is
// damaged fails the integrity check. Any other failure is reported in why,
// with false: the file may be sound and only out of reach.
bool AnswerLog::isBroken(QString *why)
{
    QSqlQuery check(QSqlDatabase::database(m_connection));
    if (!check.exec(QStringLiteral("PRAGMA integrity_check"))) {
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
bool AnswerLog::moveAside()
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = m_path + QStringLiteral(".broken-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target =
            m_path + QStringLiteral(".broken-") + stamp + QLatin1Char('-') + QString::number(n);
    if (!QFile::rename(m_path, target))
        return false;
    for (const char *suffix : {"-wal", "-shm"}) {
        if (QFileInfo::exists(m_path + QLatin1String(suffix)))
            QFile::rename(m_path + QLatin1String(suffix), target + QLatin1String(suffix));
    }
    m_movedAside = target;
    return true;
}

bool AnswerLog::createSchema()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection);
    QSqlQuery q(db);
    // The journal mode is the file's; synchronous is this connection's.
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) ||
        !q.exec(QStringLiteral("PRAGMA synchronous=NORMAL")))
        return false;
    if (!db.transaction())
        return false;
    for (const char *statement : Schema) {
        if (!q.exec(QLatin1String(statement))) {
            db.rollback();
            return false;
        }
    }
    if (!q.exec(QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion)) || !db.commit()) {
        db.rollback();
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
    if (!QSqlDatabase::contains(m_connection))
        return recent;
    QSqlQuery q(QSqlDatabase::database(m_connection));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT note, correct, response_ms FROM ("
                             " SELECT note, correct, response_ms,"
                             " row_number() OVER (PARTITION BY note ORDER BY id DESC) AS newest"
                             " FROM answers WHERE note BETWEEN ? AND ?)"
                             " WHERE newest <= ? ORDER BY note, newest"));
    q.addBindValue(lowest);
    q.addBindValue(highest);
    q.addBindValue(perNote);
    if (!q.exec())
        return recent;
    while (q.next()) {
        PastAnswer past;
        past.correct = q.value(1).toInt() != 0;
        if (!q.value(2).isNull())
            past.responseMs = q.value(2).toInt();
        recent[q.value(0).toInt()].append(past);
    }
    return recent;
}
