// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/ClassCopier.h"

#include "notes/WrittenNote.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {

constexpr char LocalOptions[] = "QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000";
// The record's schema that added the key and the written note to answers,
// and kind and settings to sessions; older records get their defaults.
constexpr int SchemaWithKeys = 2;
constexpr int NewestSchema = 2;
// Times read back from the two databases may differ by a rounding.
constexpr qint64 TimeToleranceMs = 1;

// The columns copied, in the order of the local table and of the server's.
const char AnswerColumns[] = "machine, local_id, at, session, clef, note, flat, answer, correct,"
                             " response_ms, source, interval_ms, key, written";
constexpr int AnswerValues = 14;
const char SessionColumns[] = "machine, local_id, started_at, ended_at, kind, settings";
constexpr int SessionValues = 6;

QString placeholders(int rows, int values)
{
    QStringList row;
    for (int i = 0; i < values; ++i)
        row.append(QStringLiteral("?"));
    const QString one = QLatin1Char('(') + row.join(QLatin1Char(',')) + QLatin1Char(')');
    QStringList all;
    for (int i = 0; i < rows; ++i)
        all.append(one);
    return all.join(QLatin1Char(','));
}

} // namespace

// What tells one answer from another in both databases: its number in the
// record, when it was given, its test run and the note written.
struct ClassCopier::RowMark
{
    qint64 localId = 0;
    qint64 atMs = 0;
    qint64 session = 0;
    QString written;

    bool sameAnswer(const RowMark &other) const
    {
        return localId == other.localId && std::abs(atMs - other.atMs) <= TimeToleranceMs &&
               session == other.session && written == other.written;
    }
};

// The local record, read-only, opened afresh for every copy so that a file
// replaced in between is seen as it now is.
class ClassCopier::Local
{
public:
    explicit Local(const QString &path)
        : m_path(path), m_name(QStringLiteral("velkaro-class-local-%1").arg(++serial()))
    {}
    ~Local()
    {
        if (!QSqlDatabase::contains(m_name))
            return;
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }

    // False without an error when there is no record yet.
    bool open(QString *error)
    {
        close();
        if (!QFileInfo(m_path).isFile())
            return false;
        QSqlDatabase db = QSqlDatabase::contains(m_name)
                              ? QSqlDatabase::database(m_name, false)
                              : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(m_path);
        db.setConnectOptions(QLatin1String(LocalOptions));
        QSqlQuery q(db);
        if (!db.open() || !q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
            *error = tr("The practice record %1 cannot be read: %2")
                         .arg(m_path, q.lastError().isValid() ? q.lastError().text()
                                                              : db.lastError().text());
            return false;
        }
        m_version = q.value(0).toInt();
        if (m_version > NewestSchema) {
            *error =
                tr("The practice record %1 was written by a newer version of Velkaro.").arg(m_path);
            return false;
        }
        return m_version > 0;
    }
    void close()
    {
        if (QSqlDatabase::contains(m_name))
            QSqlDatabase::database(m_name, false).close();
    }

    // What tells the answer numbered id from any other: when it was given,
    // its test run and the note written. None when there is no such row;
    // false when the file cannot be read.
    bool mark(qint64 id, std::optional<RowMark> *row)
    {
        const bool keys = m_version >= SchemaWithKeys;
        QSqlQuery q(QSqlDatabase::database(m_name, false));
        q.prepare(QStringLiteral("SELECT CAST(round((julianday(at) - 2440587.5) * 86400000)"
                                 " AS INTEGER), session, %1 FROM answers WHERE id = ?")
                      .arg(keys ? QLatin1String("written") : QLatin1String("note, flat")));
        q.addBindValue(id);
        if (!q.exec())
            return false;
        if (!q.next()) {
            *row = std::nullopt;
            return true;
        }
        *row = RowMark{
            id, q.value(0).toLongLong(), q.value(1).toLongLong(),
            keys ? q.value(2).toString()
                 : WrittenNote::fromMidi(q.value(2).toInt(), q.value(3).toInt() != 0).text()};
        return true;
    }

    std::optional<qint64> number(const QString &sql, qint64 bound)
    {
        QSqlQuery q(QSqlDatabase::database(m_name, false));
        q.prepare(sql);
        q.addBindValue(bound);
        if (!q.exec() || !q.next())
            return std::nullopt;
        return q.value(0).toLongLong();
    }

    // Up to limit answers after the one numbered after, each as the server's
    // columns less the machine, which the copier puts first.
    std::optional<QList<QVariantList>> answers(qint64 after, int limit)
    {
        const bool keys = m_version >= SchemaWithKeys;
        QSqlQuery q(QSqlDatabase::database(m_name, false));
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT id, at, session, clef, note, flat, answer, correct,"
                                 " response_ms, source, interval_ms, %1 FROM answers"
                                 " WHERE id > ? ORDER BY id LIMIT ?")
                      .arg(keys ? QLatin1String("key, written") : QLatin1String("0, NULL")));
        q.addBindValue(after);
        q.addBindValue(limit);
        if (!q.exec())
            return std::nullopt;
        QList<QVariantList> rows;
        while (q.next()) {
            QVariantList row;
            for (int i = 0; i < AnswerValues - 1; ++i)
                row.append(q.value(i));
            // Records before the written note: the note as it is shown.
            if (!keys)
                row.last() =
                    WrittenNote::fromMidi(row.at(4).toInt(), row.at(5).toInt() != 0).text();
            rows.append(row);
        }
        return rows;
    }

    std::optional<QList<QVariantList>> sessions(const QSet<qint64> &ids)
    {
        QList<QVariantList> rows;
        if (ids.isEmpty())
            return rows;
        const auto [low, high] = std::minmax_element(ids.cbegin(), ids.cend());
        const bool kinds = m_version >= SchemaWithKeys;
        QSqlQuery q(QSqlDatabase::database(m_name, false));
        q.setForwardOnly(true);
        q.prepare(
            QStringLiteral("SELECT id, started_at, ended_at, %1 FROM sessions"
                           " WHERE id BETWEEN ? AND ? AND started_at IS NOT NULL")
                .arg(kinds ? QLatin1String("kind, settings") : QLatin1String("'test', NULL")));
        q.addBindValue(*low);
        q.addBindValue(*high);
        if (!q.exec())
            return std::nullopt;
        while (q.next()) {
            if (!ids.contains(q.value(0).toLongLong()))
                continue;
            QVariantList row;
            for (int i = 0; i < SessionValues - 1; ++i)
                row.append(q.value(i));
            rows.append(row);
        }
        return rows;
    }

    QString errorText() const { return QSqlDatabase::database(m_name, false).lastError().text(); }

private:
    static QAtomicInteger<quint64> &serial()
    {
        static QAtomicInteger<quint64> counter;
        return counter;
    }

    QString m_path;
    QString m_name;
    int m_version = 0;
};

ClassCopier::ClassCopier(const ClassUrl &url, const QString &recordPath, const QString &machine)
    : m_url(url), m_machine(machine), m_local(std::make_unique<Local>(recordPath))
{}

ClassCopier::~ClassCopier() = default;

void ClassCopier::setMachine(const QString &machine)
{
    m_machine = machine;
    m_serverHas = 0;
    m_restarted = false;
}

void ClassCopier::setRecordPath(const QString &recordPath)
{
    m_local = std::make_unique<Local>(recordPath);
    m_serverHas = 0;
    m_restarted = false;
}

ClassCopier::Outcome ClassCopier::fail(const QString &error)
{
    // The next try connects afresh: the server may have gone and come back.
    m_server.reset();
    Outcome o;
    o.error = error;
    o.waiting = waiting();
    return o;
}

qint64 ClassCopier::waiting()
{
    QString error;
    if (!m_local->open(&error))
        return 0;
    const qint64 count =
        m_local->number(QStringLiteral("SELECT count(*) FROM answers WHERE id > ?"), m_serverHas)
            .value_or(0);
    m_local->close();
    return count;
}

bool ClassCopier::openServer(QString *error)
{
    if (m_server && m_server->isOpen())
        return true;
    m_server = std::make_unique<ClassConnection>(m_url);
    if (!m_server->open()) {
        *error = m_server->errorString();
        return false;
    }
    return true;
}

ClassCopier::Outcome ClassCopier::copy(const std::function<bool()> &stop)
{
    Outcome outcome;
    QString error;
    if (!m_local->open(&error)) {
        // No record yet: nothing waits. An unreadable one is said.
        outcome.reached = error.isEmpty();
        outcome.error = error;
        return outcome;
    }
    if (!openServer(&error))
        return fail(error);

    std::optional<RowMark> newest;
    if (!newestSent(m_machine, &newest, &error))
        return fail(error);
    if (newest) {
        // The local record must hold that row as it was sent. Where it does
        // not, the file was started anew or replaced, and its numbers mean
        // other answers: they are sent under a new machine id.
        bool held = false;
        if (!holds(*newest, &held, &error))
            return fail(error);
        if (!held) {
            m_restarted = true;
            outcome.reached = true;
            return outcome;
        }
        m_serverHas = newest->localId;
    } else {
        // Nothing under this id yet. A record sent before whose id was lost
        // (a settings file wiped, the record written again under another
        // name) is known by its own rows, and goes on under its old id.
        m_serverHas = 0;
        std::optional<QString> earlier;
        if (!findSentBefore(&earlier, &error))
            return fail(error);
        if (earlier)
            m_machine = *earlier;
    }

    qint64 after = m_serverHas;
    while (!(stop && stop())) {
        qint64 sent = 0;
        if (!sendBatch(after, &sent, &error))
            return fail(error);
        if (sent == 0)
            break;
        outcome.sent += sent;
        m_serverHas = after;
    }
    if (!sendEndedSessions(&error))
        return fail(error);
    m_local->close();
    outcome.reached = true;
    outcome.waiting = waiting();
    return outcome;
}

bool ClassCopier::newestSent(const QString &machine, std::optional<RowMark> *row, QString *error)
{
    QSqlQuery q(m_server->database());
    q.prepare(QStringLiteral("SELECT local_id, round(extract(epoch FROM at) * 1000), session,"
                             " written FROM answers WHERE pupil = current_user AND machine = ?"
                             " ORDER BY local_id DESC LIMIT 1"));
    q.addBindValue(machine);
    if (!q.exec()) {
        *error = m_server->failure(q.lastError().text());
        return false;
    }
    *row = q.next()
               ? std::optional<RowMark>(RowMark{q.value(0).toLongLong(), q.value(1).toLongLong(),
                                                q.value(2).toLongLong(), q.value(3).toString()})
               : std::nullopt;
    return true;
}

bool ClassCopier::holds(const RowMark &sent, bool *held, QString *error)
{
    std::optional<RowMark> local;
    if (!m_local->mark(sent.localId, &local)) {
        *error = m_local->errorText();
        return false;
    }
    *held = local && local->sameAnswer(sent);
    return true;
}

// The record's first row picks out the pupil's machines that may have sent
// it (its time alone, to the millisecond, nearly does: the index on pupil
// and time finds it at once); the one whose newest row the record holds as
// it was sent is this record. Both ends must match: a record that lacks the
// newest row is another, or an older copy, whose new rows would take
// numbers the server has for other answers.
bool ClassCopier::findSentBefore(std::optional<QString> *machine, QString *error)
{
    *machine = std::nullopt;
    const std::optional<qint64> first =
        m_local->number(QStringLiteral("SELECT coalesce(min(id), 0) FROM answers WHERE id > ?"), 0);
    std::optional<RowMark> firstRow;
    if (!first || (*first > 0 && !m_local->mark(*first, &firstRow))) {
        *error = m_local->errorText();
        return false;
    }
    if (!firstRow)
        return true;
    QSqlQuery q(m_server->database());
    q.prepare(QStringLiteral("SELECT DISTINCT machine FROM answers WHERE pupil = current_user"
                             " AND at BETWEEN to_timestamp(?::float8 / 1000)"
                             " AND to_timestamp(?::float8 / 1000)"
                             " AND local_id = ? AND session = ? AND written = ?"));
    q.addBindValue(firstRow->atMs - TimeToleranceMs);
    q.addBindValue(firstRow->atMs + TimeToleranceMs);
    q.addBindValue(firstRow->localId);
    q.addBindValue(firstRow->session);
    q.addBindValue(firstRow->written);
    if (!q.exec()) {
        *error = m_server->failure(q.lastError().text());
        return false;
    }
    QStringList candidates;
    while (q.next())
        candidates.append(q.value(0).toString());
    qint64 furthest = 0;
    for (const QString &candidate : std::as_const(candidates)) {
        std::optional<RowMark> newest;
        bool held = false;
        if (!newestSent(candidate, &newest, error) || (newest && !holds(*newest, &held, error)))
            return false;
        if (held && newest->localId > furthest) {
            furthest = newest->localId;
            *machine = candidate;
        }
    }
    if (*machine)
        m_serverHas = furthest;
    return true;
}

bool ClassCopier::sendBatch(qint64 &after, qint64 *sent, QString *error)
{
    const std::optional<QList<QVariantList>> rows = m_local->answers(after, BatchRows);
    if (!rows) {
        *error = m_local->errorText();
        return false;
    }
    *sent = 0;
    if (rows->isEmpty())
        return true;
    QSet<qint64> sessionIds;
    for (const QVariantList &row : *rows)
        sessionIds.insert(row.at(2).toLongLong());
    const std::optional<QList<QVariantList>> sessions = m_local->sessions(sessionIds);
    if (!sessions) {
        *error = m_local->errorText();
        return false;
    }

    QSqlDatabase db = m_server->database();
    if (!db.transaction()) {
        *error = m_server->failure(db.lastError().text());
        return false;
    }
    QSqlQuery q(db);
    const auto failed = [&](const QSqlError &why) {
        *error = m_server->failure(why.text());
        // A connection that was lost has nothing left to roll back.
        if (db.isOpen())
            db.rollback();
        return false;
    };
    if (!sessions->isEmpty()) {
        q.prepare(QStringLiteral("INSERT INTO sessions (%1) VALUES %2"
                                 " ON CONFLICT (pupil, machine, local_id) DO UPDATE"
                                 " SET ended_at = excluded.ended_at"
                                 " WHERE sessions.ended_at IS DISTINCT FROM excluded.ended_at")
                      .arg(QLatin1String(SessionColumns),
                           placeholders(int(sessions->size()), SessionValues)));
        for (const QVariantList &row : *sessions) {
            q.addBindValue(m_machine);
            for (const QVariant &value : row)
                q.addBindValue(value);
        }
        if (!q.exec())
            return failed(q.lastError());
    }
    q.prepare(
        QStringLiteral("INSERT INTO answers (%1) VALUES %2 ON CONFLICT DO NOTHING")
            .arg(QLatin1String(AnswerColumns), placeholders(int(rows->size()), AnswerValues)));
    for (const QVariantList &row : *rows) {
        q.addBindValue(m_machine);
        for (const QVariant &value : row)
            q.addBindValue(value);
    }
    if (!q.exec())
        return failed(q.lastError());
    if (!db.commit())
        return failed(db.lastError());
    after = rows->last().first().toLongLong();
    *sent = rows->size();
    return true;
}

// A test run is sent with its first answers, before it has ended: its end
// follows once the local record has it.
bool ClassCopier::sendEndedSessions(QString *error)
{
    QSqlQuery q(m_server->database());
    q.prepare(QStringLiteral("SELECT local_id FROM sessions WHERE pupil = current_user"
                             " AND machine = ? AND ended_at IS NULL"));
    q.addBindValue(m_machine);
    if (!q.exec()) {
        *error = m_server->failure(q.lastError().text());
        return false;
    }
    QSet<qint64> open;
    while (q.next())
        open.insert(q.value(0).toLongLong());
    const std::optional<QList<QVariantList>> sessions = m_local->sessions(open);
    if (!sessions) {
        *error = m_local->errorText();
        return false;
    }
    QList<QVariantList> ended;
    for (const QVariantList &row : *sessions) {
        if (!row.at(2).isNull())
            ended.append(row);
    }
    if (ended.isEmpty())
        return true;
    q.prepare(QStringLiteral("UPDATE sessions SET ended_at = ?::timestamptz"
                             " WHERE pupil = current_user AND machine = ? AND local_id = ?"));
    for (const QVariantList &row : std::as_const(ended)) {
        q.addBindValue(row.at(2));
        q.addBindValue(m_machine);
        q.addBindValue(row.at(0));
        if (!q.exec()) {
            *error = m_server->failure(q.lastError().text());
            return false;
        }
    }
    return true;
}
