// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/ClassUrl.h"

#include <QSqlDatabase>
#include <QStringList>
#include <QUrl>

namespace {

const QLatin1String Schemes[] = {QLatin1String("postgresql://"), QLatin1String("postgres://")};
constexpr int HighestPort = 65535;

QString decoded(QStringView part)
{
    return QUrl::fromPercentEncoding(part.toUtf8());
}

QString encoded(const QString &part, const QByteArray &keep = {})
{
    return QString::fromLatin1(QUrl::toPercentEncoding(part, keep));
}

// A value as libpq's key=value syntax takes it: in single quotes, with
// backslashes and quotes escaped.
QString quoted(QString value)
{
    value.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    value.replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}

// A field of a ~/.pgpass line, where ':' and '\' are escaped.
QString passField(QString value)
{
    value.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    value.replace(QLatin1Char(':'), QLatin1String("\\:"));
    return value;
}

} // namespace

std::optional<ClassUrl> ClassUrl::parse(const QString &input, QString *error)
{
    const auto fail = [error](const QString &why) -> std::optional<ClassUrl> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    const QString text = input.trimmed();
    QStringView rest;
    for (const QLatin1String scheme : Schemes) {
        if (text.startsWith(scheme))
            rest = QStringView(text).mid(scheme.size());
    }
    if (rest.isNull())
        // Not echoed: a connection string of another form may hold a password.
        return fail(tr("A class server is named by a URL such as "
                       "postgresql://school.example/velkaro."));
    const QString refused = tr("The class server's URL must not hold a password: give it to "
                               "PostgreSQL in ~/.pgpass, PGPASSWORD or a service file instead.");

    ClassUrl url;
    const qsizetype queryAt = rest.indexOf(QLatin1Char('?'));
    const QStringView beforeQuery = queryAt < 0 ? rest : rest.left(queryAt);
    const qsizetype pathAt = beforeQuery.indexOf(QLatin1Char('/'));
    QStringView authority = pathAt < 0 ? beforeQuery : beforeQuery.left(pathAt);
    if (pathAt >= 0)
        url.m_database = decoded(beforeQuery.mid(pathAt + 1));

    const qsizetype at = authority.lastIndexOf(QLatin1Char('@'));
    if (at >= 0) {
        const QStringView userInfo = authority.left(at);
        if (userInfo.contains(QLatin1Char(':')))
            return fail(refused);
        url.m_user = decoded(userInfo);
        authority = authority.mid(at + 1);
    }
    // host[:port], a bracketed IPv6 address, or several of them for libpq to try in turn.
    QStringList hosts;
    QStringList ports;
    for (const QStringView spec : authority.split(QLatin1Char(','))) {
        QStringView host = spec;
        QStringView port;
        const qsizetype close = spec.lastIndexOf(QLatin1Char(']'));
        const qsizetype colon = spec.lastIndexOf(QLatin1Char(':'));
        if (colon > close &&
            (spec.startsWith(QLatin1Char('[')) || spec.count(QLatin1Char(':')) == 1)) {
            host = spec.left(colon);
            port = spec.mid(colon + 1);
        }
        if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
            host = host.mid(1, host.size() - 2);
        hosts.append(decoded(host));
        ports.append(port.toString());
    }
    if (!authority.isEmpty()) {
        url.m_host = hosts.join(QLatin1Char(','));
        ports.removeAll(QString());
        if (ports.size() == 1 && hosts.size() == 1) {
            bool ok = false;
            url.m_port = ports.first().toInt(&ok);
            if (!ok || url.m_port <= 0 || url.m_port > HighestPort)
                return fail(tr("'%1' is not a port number.").arg(ports.first()));
        } else if (!ports.isEmpty()) {
            url.m_options.append({QStringLiteral("port"), ports.join(QLatin1Char(','))});
        }
    }

    if (queryAt >= 0) {
        for (const QStringView pair : rest.mid(queryAt + 1).split(QLatin1Char('&'))) {
            if (pair.isEmpty())
                continue;
            const qsizetype equals = pair.indexOf(QLatin1Char('='));
            if (equals <= 0)
                return fail(tr("The class server's URL has a parameter without a value."));
            const QString key = decoded(pair.left(equals));
            const QString value = decoded(pair.mid(equals + 1));
            if (key == QLatin1String("password"))
                return fail(refused);
            // The driver passes its options separated by semicolons.
            if (value.contains(QLatin1Char(';')))
                return fail(tr("The value of %1 in the class server's URL must not hold a "
                               "semicolon.")
                                .arg(key));
            if (key == QLatin1String("host")) {
                url.m_host = value;
            } else if (key == QLatin1String("port")) {
                bool ok = false;
                url.m_port = value.toInt(&ok);
                if (!ok || url.m_port <= 0 || url.m_port > HighestPort)
                    return fail(tr("'%1' is not a port number.").arg(value));
            } else if (key == QLatin1String("dbname")) {
                url.m_database = value;
            } else if (key == QLatin1String("user")) {
                url.m_user = value;
            } else {
                url.m_options.append({key, value});
            }
        }
    }
    // A colon hidden as %3A in the user part is a password all the same.
    if (url.m_user.contains(QLatin1Char(':')))
        return fail(refused);
    // libpq reads a database name holding '=' or a URI as connection
    // settings of its own, which could carry a password past the checks above.
    if (url.m_database.contains(QLatin1Char('=')) || url.m_database.contains(QLatin1String("://")))
        return fail(tr("The database name in the class server's URL holds connection settings: "
                       "name the database alone."));
    if (error)
        error->clear();
    return url;
}

std::optional<QString> ClassUrl::option(const QString &key) const
{
    for (const Option &o : m_options) {
        if (o.first == key)
            return o.second;
    }
    return std::nullopt;
}

ClassUrl ClassUrl::withUser(const QString &user) const
{
    ClassUrl url = *this;
    url.m_user = user;
    return url;
}

QString ClassUrl::text() const
{
    QString text = QStringLiteral("postgresql://");
    if (!m_user.isEmpty())
        text += encoded(m_user) + QLatin1Char('@');
    // A socket folder goes into the parameters, where its slashes may stand.
    const bool socket = m_host.startsWith(QLatin1Char('/'));
    if (!socket) {
        text += m_host.contains(QLatin1Char(':')) && !m_host.contains(QLatin1Char(','))
                    ? QLatin1Char('[') + m_host + QLatin1Char(']')
                    : encoded(m_host, ",");
        if (m_port > 0)
            text += QLatin1Char(':') + QString::number(m_port);
    }
    text += QLatin1Char('/') + encoded(m_database);
    QStringList query;
    if (socket) {
        query.append(QStringLiteral("host=") + encoded(m_host, "/"));
        if (m_port > 0)
            query.append(QStringLiteral("port=%1").arg(m_port));
    }
    for (const Option &o : m_options)
        query.append(encoded(o.first) + QLatin1Char('=') + encoded(o.second, "/"));
    if (!query.isEmpty())
        text += QLatin1Char('?') + query.join(QLatin1Char('&'));
    return text;
}

QString ClassUrl::passwordLine(const QString &password) const
{
    const QString star = QStringLiteral("*");
    return QStringList{m_host.isEmpty() ? QStringLiteral("localhost") : passField(m_host),
                       m_port > 0 ? QString::number(m_port) : star,
                       m_database.isEmpty() ? star : passField(m_database), passField(m_user),
                       passField(password)}
        .join(QLatin1Char(':'));
}

void ClassUrl::apply(QSqlDatabase &db, const QList<Option> &defaults) const
{
    db.setHostName(m_host);
    db.setPort(m_port);
    db.setDatabaseName(m_database);
    db.setUserName(m_user);
    QStringList options;
    for (const Option &o : m_options)
        options.append(o.first + QLatin1Char('=') + quoted(o.second));
    for (const Option &o : defaults) {
        if (!option(o.first))
            options.append(o.first + QLatin1Char('=') + quoted(o.second));
    }
    db.setConnectOptions(options.join(QLatin1Char(';')));
}
