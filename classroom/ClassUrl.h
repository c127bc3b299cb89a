// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

class QSqlDatabase;

// Where a class's records are kept: a PostgreSQL server named by a libpq
// connection URI, postgresql://[user@]host[:port]/database?param=value&...
// The host may also be given as a parameter (host=/run/school names a
// socket folder). A password has no place in it: libpq finds one by its own
// means (~/.pgpass, PGPASSWORD, a service file, a certificate), so it never
// ends up in a settings file, a shell's history or a process list.
class ClassUrl
{
    Q_DECLARE_TR_FUNCTIONS(ClassUrl)
public:
    using Option = QPair<QString, QString>;

    // None, with *error in plain words, for anything that is not such a URI
    // or that holds a password.
    static std::optional<ClassUrl> parse(const QString &text, QString *error);

    QString host() const { return m_host; }
    // -1 for libpq's default.
    int port() const { return m_port; }
    QString database() const { return m_database; }
    QString user() const { return m_user; }
    // Every other parameter, in the order given, for libpq as it is.
    QList<Option> options() const { return m_options; }
    std::optional<QString> option(const QString &key) const;

    // The same server for another login.
    ClassUrl withUser(const QString &user) const;
    // The URI again, in a canonical spelling.
    QString text() const;
    // The line of a ~/.pgpass file that gives this login the password.
    QString passwordLine(const QString &password) const;

    // Points a QPSQL connection at the server. Options given here are used
    // unless the URI sets them itself (a connection that gives up after a
    // while, say).
    void apply(QSqlDatabase &db, const QList<Option> &defaults = {}) const;

    friend bool operator==(const ClassUrl &a, const ClassUrl &b) { return a.text() == b.text(); }

private:
    QString m_host;
    int m_port = -1;
    QString m_database;
    QString m_user;
    QList<Option> m_options;
};
