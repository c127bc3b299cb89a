// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/RecordFile.h"

#include "progress/ProgressFile.h"
#include "progress/RecordSchema.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QVariant>
#include <QtEndian>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The first bytes of every SQLite database file, its final zero included.
constexpr char SqliteMagic[] = "SQLite format 3";
// The file's header, and where it keeps the application id (big-endian).
constexpr int HeaderBytes = 100;
constexpr int ApplicationIdOffset = 68;

// SQLite's result codes, as the driver reports them in nativeErrorCode().
constexpr int SqliteBusy = 5;
constexpr int SqliteLocked = 6;
constexpr int SqliteCorrupt = 11;
constexpr int SqliteNotADatabase = 26;

// The writer waits this long for another program's lock before it lets its
// queue know and tries again; the window never waits for it.
constexpr char ConnectOptions[] = "QSQLITE_BUSY_TIMEOUT=250";

// The page cache of the connection that records: it only appends.
constexpr int CacheKiB = 256;
// The journal file is cut back to this size when it starts afresh.
constexpr qint64 JournalLimitBytes = 4 * 1024 * 1024;

// How often, and how far apart, a refused switch to the write-ahead log is
// tried again: two programs switching one fresh file at the same moment
// would otherwise wait for each other for ever, so SQLite refuses one.
constexpr int WalAttempts = 50;
constexpr unsigned long WalRetryMs = 20;

bool isContention(const QSqlError &error)
{
    const int code = error.nativeErrorCode().toInt();
    return code == SqliteBusy || code == SqliteLocked;
}

bool exec(QSqlQuery &q, const QString &sql, QString *why)
{
    if (q.exec(sql))
        return true;
    *why = q.lastError().text();
    return false;
}

} // namespace

RecordFile::RecordFile(const QString &path, const QString &connection, bool rescue)
    : m_path(path), m_connection(connection), m_rescue(rescue)
{}

RecordFile::~RecordFile()
{
    close();
}

RecordFile::Owner RecordFile::ownership(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Owner::New;
    if (!info.isFile())
        return Owner::Foreign;
    if (info.size() == 0)
        return Owner::New;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Owner::Unknown;
    const QByteArray header = file.read(HeaderBytes);
    if (header.size() < HeaderBytes ||
        !header.startsWith(QByteArray(SqliteMagic, sizeof(SqliteMagic))))
        return Owner::Foreign;
    const qint32 id = qFromBigEndian<qint32>(header.constData() + ApplicationIdOffset);
    if (id == RecordSchema::ApplicationId)
        return Owner::Ours;
    if (id != 0)
        return Owner::Foreign;
    // A version-1 record has no application id: it is ours when its table
    // of answers has every column that version wrote. A file of this
    // version not yet copied out of its journal looks the same.
    ProgressFile snapshot(path, ProgressFile::Mode::Snapshot);
    const std::optional<QStringList> columns = snapshot.columnsOf(QStringLiteral("answers"));
    if (!columns)
        return Owner::Foreign;
    for (const QString &name : RecordSchema::answerColumnNames(1)) {
        if (!columns->contains(name))
            return Owner::Foreign;
    }
    return Owner::Ours;
}

RecordFile::Identity RecordFile::identityOf(const QString &path)
{
    struct stat s
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &s) != 0)
        return {};
    return {true, s.st_dev, s.st_ino};
}

void RecordFile::rememberIdentity()
{
    m_file = identityOf(m_path);
    m_journal = identityOf(m_path + QStringLiteral("-wal"));
    m_index = identityOf(m_path + QStringLiteral("-shm"));
}

QSqlDatabase RecordFile::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

bool RecordFile::connect(QString *why)
{
    QSqlDatabase db = QSqlDatabase::contains(m_connection)
                          ? QSqlDatabase::database(m_connection, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QLatin1String(ConnectOptions));
    if (db.open())
        return true;
    *why = db.lastError().text();
    close();
    return false;
}

void RecordFile::close()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

RecordFile::State RecordFile::open(QString *why)
{
    const QFileInfo file(m_path);
    if (!QDir().mkpath(file.absolutePath())) {
        *why = QStringLiteral("its folder cannot be made");
        return State::Unwritable;
    }
    const Owner owner = ownership(m_path);
    if (owner == Owner::Foreign) {
        // Nothing of another program's file is changed, its journal included.
        if (!m_rescue) {
            *why = QStringLiteral("it is not a record of answers");
            return State::NotOurs;
        }
        if (!moveAside(why))
            return State::Unwritable;
    }
    if (!connect(why))
        return State::Unwritable;
    if (owner == Owner::Ours && isBroken(why)) {
        close();
        if (!m_rescue)
            return State::NotOurs;
        if (!moveAside(why) || !connect(why))
            return State::Unwritable;
    } else if (!why->isEmpty()) {
        // Out of reach for another reason (no permission, say): left as it is.
        close();
        return State::Unwritable;
    }
    const State state = prepare(why);
    if (state != State::Open)
        close();
    return state;
}

// A file that is no database at all fails its first statement; one that is
// damaged fails SQLite's quick integrity check (every page and row read and
// checked, without the slower cross-check of indexes against their tables:
// some 20 ms for a record of 100,000 answers). Any other failure is reported
// in why, with false: the file may be sound and only out of reach.
bool RecordFile::isBroken(QString *why)
{
    QSqlQuery check(database());
    if (!check.exec(QStringLiteral("PRAGMA quick_check"))) {
        const int code = check.lastError().nativeErrorCode().toInt();
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

QString RecordFile::besideName(const QString &path, const QString &suffix)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = path + suffix + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = path + suffix + stamp + QLatin1Char('-') + QString::number(n);
    return target;
}

// The moved file keeps its journal beside it: neither may meet the fresh
// file, whose journal would otherwise be taken from the old one.
bool RecordFile::moveAside(QString *why)
{
    const QString target = besideName(m_path, QStringLiteral(".broken-"));
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

RecordFile::State RecordFile::useWriteAheadLog(QString *why)
{
    QSqlQuery q(database());
    for (int attempt = 0; attempt < WalAttempts; ++attempt) {
        if (q.exec(QStringLiteral("PRAGMA journal_mode=WAL")))
            return State::Open;
        if (!isContention(q.lastError()))
            break;
        QThread::msleep(WalRetryMs);
    }
    *why = q.lastError().text();
    return isContention(q.lastError()) ? State::Busy : State::Unwritable;
}

// Makes the open file a record of this version, ready for writing.
RecordFile::State RecordFile::prepare(QString *why)
{
    QSqlQuery q(database());
    if (!exec(q, QStringLiteral("PRAGMA user_version"), why) || !q.next())
        return isContention(q.lastError()) ? State::Busy : State::Unwritable;
    const int version = q.value(0).toInt();
    // A statement left open would keep the journal mode from changing.
    q.finish();
    if (version > RecordSchema::Version)
        return State::Newer;
    if (version == 0) {
        // Marked as ours before anything else is written, so that even a
        // start cut short leaves a file this program knows again.
        if (!exec(q, QStringLiteral("PRAGMA application_id = %1").arg(RecordSchema::ApplicationId),
                  why))
            return isContention(q.lastError()) ? State::Busy : State::Unwritable;
    }
    // The journal mode is the file's; synchronous is this connection's, and
    // so is checkpointing, which the writer does between answers.
    if (const State wal = useWriteAheadLog(why); wal != State::Open)
        return wal;
    if (!exec(q, QStringLiteral("PRAGMA synchronous=NORMAL"), why) ||
        !exec(q, QStringLiteral("PRAGMA wal_autocheckpoint=0"), why) ||
        !exec(q, QStringLiteral("PRAGMA cache_size=-%1").arg(CacheKiB), why) ||
        !exec(q, QStringLiteral("PRAGMA journal_size_limit=%1").arg(JournalLimitBytes), why))
        return State::Unwritable;
    State state = State::Open;
    if (version == 0)
        state = create(why);
    else if (version == 1)
        state = migrateFromVersion1(why);
    if (state == State::Open)
        rememberIdentity();
    return state;
}

RecordFile::State RecordFile::create(QString *why)
{
    QSqlQuery q(database());
    // Under the write lock at once: another program may be creating it too.
    if (!exec(q, QStringLiteral("BEGIN IMMEDIATE"), why))
        return isContention(q.lastError()) ? State::Busy : State::Unwritable;
    bool ok = q.exec(QStringLiteral("PRAGMA user_version")) && q.next();
    const int version = ok ? q.value(0).toInt() : 0;
    q.finish();
    if (ok && version == 0) {
        for (const QString &statement : RecordSchema::createStatements())
            ok = ok && q.exec(statement);
        ok =
            ok &&
            q.exec(QStringLiteral("PRAGMA application_id = %1").arg(RecordSchema::ApplicationId)) &&
            q.exec(QStringLiteral("PRAGMA user_version = %1").arg(RecordSchema::Version));
    }
    if (ok && q.exec(QStringLiteral("COMMIT")))
        return State::Open;
    *why = q.lastError().text();
    const bool busy = isContention(q.lastError());
    q.exec(QStringLiteral("ROLLBACK"));
    return busy ? State::Busy : State::Unwritable;
}

// The file as version 1 left it, byte for byte, beside it as <path>.v1. Its
// journal is copied into it first; under the write lock nothing can be
// added meanwhile. When a reader keeps the journal from being emptied, the
// copy is made by SQLite from what the connection reads, all the same rows.
RecordFile::State RecordFile::keepVersion1Copy(QString *why)
{
    const QString target = QFileInfo::exists(m_path + QStringLiteral(".v1"))
                               ? besideName(m_path, QStringLiteral(".v1-"))
                               : m_path + QStringLiteral(".v1");
    QSqlQuery q(database());
    q.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    q.finish();
    if (!exec(q, QStringLiteral("BEGIN IMMEDIATE"), why))
        return isContention(q.lastError()) ? State::Busy : State::Unwritable;
    if (QFileInfo(m_path + QStringLiteral("-wal")).size() == 0) {
        QFile source(m_path);
        QSaveFile copy(target);
        const bool copied = source.open(QIODevice::ReadOnly) && copy.open(QIODevice::WriteOnly) &&
                            copy.write(source.readAll()) == source.size() && copy.commit();
        q.exec(QStringLiteral("ROLLBACK"));
        if (copied) {
            m_keptCopy = target;
            return State::Open;
        }
    } else {
        q.exec(QStringLiteral("ROLLBACK"));
    }
    q.prepare(QStringLiteral("VACUUM INTO ?"));
    q.addBindValue(target);
    if (!q.exec()) {
        *why = q.lastError().text();
        return isContention(q.lastError()) ? State::Busy : State::Unwritable;
    }
    m_keptCopy = target;
    return State::Open;
}

// Version 1 to this version in one transaction: every row keeps its number
// and its values; the grand staff's rows, written "both", get the staff the
// note stood on; the note as written is spelled from its pitch and flat, as
// version 1 drew it. Session numbers go on above every one in use.
RecordFile::State RecordFile::migrateFromVersion1(QString *why)
{
    if (m_keptCopy.isEmpty()) {
        if (const State copied = keepVersion1Copy(why); copied != State::Open)
            return copied;
    }
    QSqlQuery q(database());
    if (!exec(q, QStringLiteral("BEGIN IMMEDIATE"), why))
        return isContention(q.lastError()) ? State::Busy : State::Unwritable;
    bool ok = q.exec(QStringLiteral("PRAGMA user_version")) && q.next();
    const int version = ok ? q.value(0).toInt() : 0;
    q.finish();
    if (ok && version != 1) {
        // Another program upgraded it meanwhile.
        q.exec(QStringLiteral("ROLLBACK"));
        return version == RecordSchema::Version ? State::Open : State::Newer;
    }
    // How version 1 spelled each pitch class, with and without its flat.
    ok = ok && q.exec(QStringLiteral("CREATE TEMP TABLE spelling (semitone INTEGER, flat INTEGER,"
                                     " name TEXT, octave_shift INTEGER)"));
    QSqlQuery spell(database());
    ok = ok && spell.prepare(QStringLiteral("INSERT INTO temp.spelling VALUES (?, ?, ?, ?)"));
    constexpr int MiddleC = 60;
    constexpr int MiddleOctave = 4;
    for (int semitone = 0; ok && semitone < 12; ++semitone) {
        for (const bool flat : {false, true}) {
            const WrittenNote written = WrittenNote::fromMidi(MiddleC + semitone, flat);
            QString name = written.text();
            name.chop(QString::number(written.octave()).size());
            spell.addBindValue(semitone);
            spell.addBindValue(flat ? 1 : 0);
            spell.addBindValue(name);
            spell.addBindValue(written.octave() - MiddleOctave);
            ok = spell.exec();
        }
    }
    const QStringList kept = RecordSchema::answerColumnNames(1);
    QStringList selected;
    for (const QString &column : kept) {
        selected << (column == QLatin1String("clef")
                         ? QStringLiteral("CASE WHEN a.clef = 'both' THEN CASE WHEN a.note >= 60"
                                          " THEN 'treble' ELSE 'bass' END ELSE a.clef END")
                         : QStringLiteral("a.") + column);
    }
    // The pitch class and octave with a floor, for any note a script wrote.
    const QString semitone = QStringLiteral("((a.note % 12) + 12) % 12");
    const QString octave =
        QStringLiteral("((a.note - %1) / 12 - 1 + s.octave_shift)").arg(semitone);
    const QStringList statements = {
        QStringLiteral("ALTER TABLE answers RENAME TO answers_v1"),
        QStringLiteral("ALTER TABLE sessions RENAME TO sessions_v1"),
        QStringLiteral("DROP INDEX IF EXISTS answers_by_note"),
    };
    for (const QString &statement : statements)
        ok = ok && q.exec(statement);
    for (const QString &statement : RecordSchema::createStatements())
        ok = ok && q.exec(statement);
    ok = ok &&
         q.exec(QStringLiteral("INSERT INTO answers (%1, key, written) SELECT %2, 0, s.name || %3"
                               " FROM answers_v1 a JOIN temp.spelling s ON s.semitone = %4"
                               " AND s.flat = (a.flat != 0) ORDER BY a.id")
                    .arg(kept.join(QStringLiteral(", ")), selected.join(QStringLiteral(", ")),
                         octave, semitone)) &&
         q.exec(QStringLiteral("INSERT INTO sessions (id, started_at, ended_at)"
                               " SELECT id, started_at, ended_at FROM sessions_v1 ORDER BY id")) &&
         // Every run number written so far is taken, also those of runs
         // that other programs wrote without a row of their own.
         q.exec(QStringLiteral("DELETE FROM sqlite_sequence WHERE name = 'sessions'")) &&
         q.exec(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) SELECT 'sessions',"
                               " max(ifnull((SELECT max(id) FROM sessions), 0),"
                               " ifnull((SELECT max(session) FROM answers), 0))")) &&
         q.exec(QStringLiteral("SELECT (SELECT count(*) FROM answers) = "
                               "(SELECT count(*) FROM answers_v1)")) &&
         q.next() && q.value(0).toBool();
    q.finish();
    ok = ok && q.exec(QStringLiteral("DROP TABLE answers_v1")) &&
         q.exec(QStringLiteral("DROP TABLE sessions_v1")) &&
         q.exec(QStringLiteral("PRAGMA application_id = %1").arg(RecordSchema::ApplicationId)) &&
         q.exec(QStringLiteral("PRAGMA user_version = %1").arg(RecordSchema::Version)) &&
         q.exec(QStringLiteral("COMMIT"));
    if (!ok) {
        *why = q.lastError().isValid() ? q.lastError().text() : spell.lastError().text();
        const bool busy = isContention(q.lastError());
        q.exec(QStringLiteral("ROLLBACK"));
        q.exec(QStringLiteral("DROP TABLE IF EXISTS temp.spelling"));
        return busy ? State::Busy : State::Unwritable;
    }
    q.exec(QStringLiteral("DROP TABLE temp.spelling"));
    return State::Open;
}

RecordFile::Whereabouts RecordFile::whereabouts() const
{
    const Identity now = identityOf(m_path);
    if (!now.exists)
        return Whereabouts::Gone;
    return now == m_file ? Whereabouts::Here : Whereabouts::Replaced;
}

// The connection still reads the file it opened, also when no name leads
// there any more: SQLite copies every row it holds into a new file. The
// old file's journal and index, where they still stand at the path, belong
// to that file alone and would be taken for the new one's: they go. Files
// of the same names that are not the old file's are another program's, and
// the record then goes beside the path rather than at it.
bool RecordFile::writeAgain(Whereabouts where, QString *why)
{
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath())) {
        *why = QStringLiteral("its folder cannot be made");
        return false;
    }
    const QString recovered = besideName(m_path, QStringLiteral(".recovered-"));
    const QString written =
        where == Whereabouts::Gone ? besideName(m_path, QStringLiteral(".recovering-")) : recovered;
    QSqlQuery q(database());
    q.prepare(QStringLiteral("VACUUM INTO ?"));
    q.addBindValue(written);
    if (!q.exec()) {
        *why = q.lastError().text();
        return false;
    }
    q.finish();
    bool othersJournal = false;
    for (const auto &[suffix, ours] : {std::pair{"-wal", m_journal}, {"-shm", m_index}}) {
        const QString name = m_path + QLatin1String(suffix);
        const Identity there = identityOf(name);
        if (there.exists && there == ours)
            QFile::remove(name);
        else if (there.exists)
            othersJournal = true;
    }
    close();
    QString target = written;
    if (where == Whereabouts::Gone) {
        // Linked, not renamed: a file that came to the path meanwhile stays.
        const QByteArray from = QFile::encodeName(written);
        if (!othersJournal &&
            ::link(from.constData(), QFile::encodeName(m_path).constData()) == 0) {
            ::unlink(from.constData());
            target = m_path;
        } else if (QFile::rename(written, recovered)) {
            target = recovered;
        }
    }
    m_path = target;
    if (!connect(why))
        return false;
    const State state = prepare(why);
    if (state != State::Open) {
        if (why->isEmpty())
            *why = QStringLiteral("the record written again cannot be opened");
        close();
        return false;
    }
    return true;
}
