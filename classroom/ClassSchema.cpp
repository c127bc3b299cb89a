// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/ClassSchema.h"

#include "classroom/ScramVerifier.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

constexpr int LongestRoleName = 63;

// The tables keep the local record's columns, with times as timestamptz, so
// that the report's questions about days are the server's to answer.
const char *const Setup[] = {
    // Notices of what exists already are no news to the teacher.
    "SET LOCAL client_min_messages = warning",
    R"(CREATE TABLE IF NOT EXISTS answers (
        id bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
        pupil text NOT NULL DEFAULT current_user,
        machine text NOT NULL,
        local_id bigint NOT NULL,
        at timestamptz NOT NULL,
        session bigint NOT NULL,
        clef text NOT NULL,
        note integer NOT NULL,
        flat integer NOT NULL DEFAULT 0,
        answer integer,
        correct integer NOT NULL,
        response_ms integer,
        source text,
        interval_ms integer,
        key integer NOT NULL DEFAULT 0,
        written text NOT NULL,
        UNIQUE (pupil, machine, local_id)))",
    R"(CREATE TABLE IF NOT EXISTS sessions (
        pupil text NOT NULL DEFAULT current_user,
        machine text NOT NULL,
        local_id bigint NOT NULL,
        started_at timestamptz NOT NULL,
        ended_at timestamptz,
        kind text NOT NULL DEFAULT 'test',
        settings text,
        PRIMARY KEY (pupil, machine, local_id)))",
    // The report's recent days, and each note's newest answers.
    "CREATE INDEX IF NOT EXISTS answers_by_time ON answers (pupil, at) INCLUDE (correct)",
    "CREATE INDEX IF NOT EXISTS answers_by_note ON answers (pupil, note, at DESC, id DESC)"
    " INCLUDE (correct)",
    "CREATE INDEX IF NOT EXISTS answers_by_session ON answers (pupil, machine, session)",
    "ALTER TABLE answers ENABLE ROW LEVEL SECURITY",
    "ALTER TABLE sessions ENABLE ROW LEVEL SECURITY",
    "REVOKE ALL ON answers, sessions FROM PUBLIC",
    // The group roles' names follow the database, so that two classes on
    // one server stay apart.
    R"(DO $setup$
    DECLARE
        pupils text := current_database() || '_pupils';
        teachers text := current_database() || '_teachers';
    BEGIN
        IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = pupils) THEN
            EXECUTE format('CREATE ROLE %I NOLOGIN', pupils);
        END IF;
        IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = teachers) THEN
            EXECUTE format('CREATE ROLE %I NOLOGIN', teachers);
        END IF;
        EXECUTE format('GRANT SELECT, INSERT ON answers TO %I', pupils);
        EXECUTE format('GRANT SELECT, INSERT, UPDATE ON sessions TO %I', pupils);
        EXECUTE format('GRANT SELECT ON answers, sessions TO %I', teachers);
        DROP POLICY IF EXISTS own_answers ON answers;
        DROP POLICY IF EXISTS class_answers ON answers;
        DROP POLICY IF EXISTS own_sessions ON sessions;
        DROP POLICY IF EXISTS class_sessions ON sessions;
        EXECUTE format('CREATE POLICY own_answers ON answers TO %I'
                       ' USING (pupil = current_user) WITH CHECK (pupil = current_user)', pupils);
        EXECUTE format('CREATE POLICY own_sessions ON sessions TO %I'
                       ' USING (pupil = current_user) WITH CHECK (pupil = current_user)', pupils);
        EXECUTE format('CREATE POLICY class_answers ON answers FOR SELECT TO %I USING (true)',
                       teachers);
        EXECUTE format('CREATE POLICY class_sessions ON sessions FOR SELECT TO %I USING (true)',
                       teachers);
    END
    $setup$)",
};

QString randomPassword()
{
    static const QLatin1String Alphabet(
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
    QString password;
    for (int i = 0; i < ClassSchema::PasswordLength; ++i)
        password += Alphabet.at(QRandomGenerator::system()->bounded(int(Alphabet.size())));
    return password;
}

} // namespace

bool ClassSchema::create(QSqlDatabase db, QString *error)
{
    if (!db.transaction()) {
        *error = db.lastError().text();
        return false;
    }
    QSqlQuery q(db);
    for (const char *statement : Setup) {
        if (!q.exec(QLatin1String(statement))) {
            *error = tr("The class's tables could not be made: %1").arg(q.lastError().text());
            db.rollback();
            return false;
        }
    }
    if (!db.commit()) {
        *error = tr("The class's tables could not be made: %1").arg(db.lastError().text());
        return false;
    }
    return true;
}

bool ClassSchema::isPupilName(const QString &name)
{
    static const QRegularExpression Allowed(QStringLiteral("^[\\w.-]+$"),
                                            QRegularExpression::UseUnicodePropertiesOption);
    return Allowed.match(name).hasMatch() && name.toUtf8().size() <= LongestRoleName &&
           !name.startsWith(QLatin1String("pg_"));
}

std::optional<QString> ClassSchema::addPupil(QSqlDatabase db, const QString &pupil, QString *error)
{
    if (!isPupilName(pupil)) {
        *error =
            tr("'%1' cannot be a pupil's name: use letters, digits, '_', '.' and '-'.").arg(pupil);
        return std::nullopt;
    }
    const QString password = randomPassword();
    // CREATE ROLE takes no parameters: the server quotes name and verifier
    // into the statement itself. Only the verifier goes: a server that logs
    // statements logs both of these.
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT format('CREATE ROLE %I LOGIN PASSWORD %L IN ROLE %I', ?::text,"
                             " ?::text, current_database() || '_pupils')"));
    q.addBindValue(pupil);
    q.addBindValue(ScramVerifier::make(password));
    if (!q.exec() || !q.next()) {
        *error = q.lastError().text();
        return std::nullopt;
    }
    const QString statement = q.value(0).toString();
    if (!q.exec(statement)) {
        *error = tr("The pupil %1 could not be added: %2").arg(pupil, q.lastError().text());
        return std::nullopt;
    }
    return password;
}

std::optional<bool> ClassSchema::isTeacher(QSqlDatabase db, QString *error)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral(
            "SELECT pg_has_role(current_user, c.relowner, 'MEMBER')"
            " OR pg_has_role(current_user, current_database() || '_teachers', 'MEMBER')"
            " FROM pg_class c WHERE c.oid = to_regclass('answers')")) ||
        !q.next()) {
        *error = q.lastError().isValid()
                     ? q.lastError().text()
                     : tr("The server has no class's tables: the teacher makes them with "
                          "velkaro --class-setup.");
        return std::nullopt;
    }
    return q.value(0).toBool();
}
