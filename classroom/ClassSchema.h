// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QString>

#include <optional>

// The class's tables on the server and who may see what: `answers` and
// `sessions` hold the columns of the local record plus the pupil, the
// machine and the row's number in the pupil's local record. Every pupil is a
// login role in the group <database>_pupils, and row-level security lets it
// add and read only its own rows; the database's owner, and the roles in
// <database>_teachers, read them all.
class ClassSchema
{
    Q_DECLARE_TR_FUNCTIONS(ClassSchema)
public:
    // Makes the tables, indexes, group roles and policies; run by the
    // database's owner, who needs CREATEROLE. Running it again changes
    // nothing that is there. False with *error in plain words.
    static bool create(QSqlDatabase db, QString *error);

    // Whether a name can be a pupil's login: letters, digits, '_', '.' and
    // '-', up to 63 bytes, not one of PostgreSQL's own (pg_...).
    static bool isPupilName(const QString &name);
    // Makes a pupil's login role with a random password, which is returned
    // and kept nowhere else: the server is sent its SCRAM verifier only.
    // None with *error on failure.
    static std::optional<QString> addPupil(QSqlDatabase db, const QString &pupil, QString *error);

    // Whether this login reads the whole class; none when the server cannot
    // tell (no class tables there, say), with *error.
    static std::optional<bool> isTeacher(QSqlDatabase db, QString *error);

    static constexpr int PasswordLength = 20;
};
