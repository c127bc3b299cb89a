// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/ProgressFile.h"

#include "progress/AnswerColumns.h"
#include "progress/CsvExport.h"
#include "progress/RecordSchema.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QUrl>
#include <QVariant>

namespace {

constexpr char ConnectOptions[] = "QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000";
// A file no program has open is read as it stands: SQLite then takes no
// lock and makes no journal or index beside it.
constexpr char SnapshotOptions[] = "QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI";

// SQLite reads the log's ISO 8601 times itself: this expression turns the
// column's time into milliseconds since the epoch (Julian day 2440587.5).
QString epochMs(const char *column)
{
    return QStringLiteral("CAST(round((julianday(%1) - 2440587.5) * 86400000) AS INTEGER)")
        .arg(QLatin1String(column));
}

} // namespace

ProgressFile::ProgressFile(const QString &path, Mode mode)
    : m_path(path), m_connection(QStringLiteral("velkaro-progress-%1").arg(quintptr(this), 0, 16)),
      m_mode(mode)
{}

ProgressFile::~ProgressFile()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

bool ProgressFile::exists() const
{
    return m_open || QFileInfo::exists(m_path);
}

bool ProgressFile::exportCsv(const QString &target, QString *error, qint64 *rows)
{
    return CsvExport::write(m_path, target, error, rows);
}

QString ProgressFile::description() const
{
    const QString home = QDir::homePath() + QLatin1Char('/');
    const QString full = QFileInfo(m_path).absoluteFilePath();
    if (full.startsWith(home))
        return QDir::toNativeSeparators(QStringLiteral("~/") + full.mid(home.size()));
    return QDir::toNativeSeparators(full);
}

bool ProgressFile::fail(const QString &what)
{
    m_error = what;
    return false;
}

// A snapshot of a file that a program has open (its journal and the
// journal's index stand beside it) reads it as any reader does, which adds
// nothing; a file without a journal is read as it stands; one whose journal
// has no index (a program was killed) is read from a copy of both, since
// reading a journal makes its index.
bool ProgressFile::connect(QString *why)
{
    QSqlDatabase db = QSqlDatabase::contains(m_connection)
                          ? QSqlDatabase::database(m_connection, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    QString name = m_path;
    QString options = QLatin1String(ConnectOptions);
    const QString journal = m_path + QStringLiteral("-wal");
    const bool inUse =
        QFileInfo::exists(journal) && QFileInfo::exists(m_path + QStringLiteral("-shm"));
    if (m_mode == Mode::Snapshot && !inUse && QFileInfo(journal).size() == 0) {
        QUrl url = QUrl::fromLocalFile(QFileInfo(m_path).absoluteFilePath());
        url.setQuery(QStringLiteral("immutable=1"));
        name = url.toString(QUrl::FullyEncoded);
        options = QLatin1String(SnapshotOptions);
    } else if (m_mode == Mode::Snapshot && !inUse) {
        m_copy = std::make_unique<QTemporaryDir>();
        name = m_copy->filePath(QStringLiteral("record"));
        if (!m_copy->isValid() || !QFile::copy(m_path, name) ||
            !QFile::copy(journal, name + QStringLiteral("-wal"))) {
            *why = tr("it cannot be copied to be read");
            return false;
        }
    }
    db.setDatabaseName(name);
    db.setConnectOptions(options);
    if (db.open())
        return true;
    *why = db.lastError().text();
    return false;
}

bool ProgressFile::open()
{
    if (m_open)
        return true;
    const QFileInfo file(m_path);
    if (!file.exists())
        return fail(
            tr("There is no record of answers at %1.").arg(QDir::toNativeSeparators(m_path)));
    if (!file.isFile())
        return fail(tr("%1 is not a record of answers.").arg(QDir::toNativeSeparators(m_path)));
    const QString cannotRead = tr("The record of answers %1 cannot be read: %2");
    QString why;
    if (!connect(&why))
        return fail(cannotRead.arg(QDir::toNativeSeparators(m_path), why));
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    // A file that is no database, or one without answers, fails here.
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("SELECT id, at, session, note, correct, response_ms,"
                                   " interval_ms FROM answers LIMIT 1"))) {
        const QString why = probe.lastError().text();
        probe.finish();
        db.close();
        return fail(cannotRead.arg(QDir::toNativeSeparators(m_path), why));
    }
    m_open = true;
    m_error.clear();
    return true;
}

std::optional<QStringList> ProgressFile::columnsOf(const QString &table)
{
    if (!m_open) {
        QString why;
        if (!QFileInfo(m_path).isFile() || !connect(&why))
            return std::nullopt;
    }
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("SELECT name FROM pragma_table_info(?)"));
    q.addBindValue(table);
    if (!q.exec())
        return std::nullopt;
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    if (names.isEmpty())
        return std::nullopt;
    return names;
}

std::optional<bool> ProgressFile::hasAnswer(qint64 id)
{
    if (!open())
        return std::nullopt;
    QSqlQuery q(QSqlDatabase::database(m_connection));
    q.prepare(QStringLiteral("SELECT count(*) FROM answers WHERE id = ?"));
    q.addBindValue(id);
    if (!q.exec() || !q.next()) {
        fail(tr("The record of answers %1 cannot be read: %2")
                 .arg(QDir::toNativeSeparators(m_path), q.lastError().text()));
        return std::nullopt;
    }
    return q.value(0).toInt() > 0;
}

bool ProgressFile::readAnswers(QList<LoggedAnswer> &into, qint64 afterId)
{
    if (!open())
        return false;
    QSqlQuery q(QSqlDatabase::database(m_connection));
    q.setForwardOnly(true);
    // A record from before key signatures has every answer in C major.
    const bool keyed =
        columnsOf(QStringLiteral("answers")).value_or(QStringList()).contains(QLatin1String("key"));
    q.prepare(QStringLiteral("SELECT id, %1, session, note, correct, response_ms, interval_ms, %2"
                             " FROM answers WHERE id > ? ORDER BY id")
                  .arg(epochMs("at"), keyed ? QLatin1String("key") : QLatin1String("0")));
    q.addBindValue(afterId);
    if (!q.exec())
        return fail(tr("The record of answers %1 cannot be read: %2")
                        .arg(QDir::toNativeSeparators(m_path), q.lastError().text()));
    while (q.next()) {
        LoggedAnswer a;
        a.id = q.value(0).toLongLong();
        a.atMs = q.value(1).toLongLong();
        a.session = q.value(2).toLongLong();
        AnswerColumns::readVerdict(q, 3, a);
        into.append(a);
    }
    return true;
}

QHash<qint64, TestSession> ProgressFile::readSessions()
{
    QHash<qint64, TestSession> sessions;
    if (!open())
        return sessions;
    QSqlQuery q(QSqlDatabase::database(m_connection));
    q.setForwardOnly(true);
    // Before kinds and settings, every run was a test.
    const bool kinds = columnsOf(QStringLiteral("sessions"))
                           .value_or(QStringList())
                           .contains(QLatin1String("kind"));
    if (!q.exec(QStringLiteral("SELECT id, %1, %2, %3 FROM sessions WHERE started_at IS NOT NULL")
                    .arg(epochMs("started_at"), epochMs("ended_at"),
                         kinds ? QLatin1String("kind, settings") : QLatin1String("'test', NULL"))))
        return sessions;
    while (q.next()) {
        TestSession s;
        s.startMs = q.value(1).toLongLong();
        if (!q.value(2).isNull())
            s.endMs = q.value(2).toLongLong();
        s.kind = q.value(3).toString();
        s.settings = QJsonDocument::fromJson(q.value(4).toString().toUtf8()).object();
        sessions.insert(q.value(0).toLongLong(), s);
    }
    return sessions;
}

bool ProgressFile::writeCsv(QIODevice &out, qint64 *rows)
{
    if (!open())
        return false;
    // The record's columns in their order, as far as the file has them,
    // then whatever a newer version added.
    const QStringList present = columnsOf(QStringLiteral("answers")).value_or(QStringList());
    QStringList columns;
    for (const QString &name : RecordSchema::answerColumnNames()) {
        if (present.contains(name))
            columns << name;
    }
    for (const QString &name : present) {
        if (!columns.contains(name))
            columns << name;
    }
    QSqlQuery q(QSqlDatabase::database(m_connection));
    q.setForwardOnly(true);
    if (columns.isEmpty() || !q.exec(QStringLiteral("SELECT \"%1\" FROM answers ORDER BY id")
                                         .arg(columns.join(QStringLiteral("\", \"")))))
        return fail(tr("The record of answers %1 cannot be read: %2")
                        .arg(QDir::toNativeSeparators(m_path), q.lastError().text()));
    switch (CsvExport::writeRows(out, columns, q, rows)) {
    case CsvExport::RowsWritten::All:
        return true;
    case CsvExport::RowsWritten::DeviceFailed:
        return fail(out.errorString());
    case CsvExport::RowsWritten::QueryFailed:
        break;
    }
    return fail(tr("The record of answers %1 cannot be read: %2")
                    .arg(QDir::toNativeSeparators(m_path), q.lastError().text()));
}
