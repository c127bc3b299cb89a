// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/ClassConnection.h"

#include <QAtomicInteger>
#include <QSqlError>

namespace {

const QString Driver = QStringLiteral("QPSQL");

QString nextName()
{
    static QAtomicInteger<quint64> serial;
    return QStringLiteral("velkaro-class-%1").arg(++serial);
}

} // namespace

bool ClassConnection::driverAvailable()
{
    return QSqlDatabase::isDriverAvailable(Driver);
}

QString ClassConnection::driverMissing()
{
    return tr("Qt's PostgreSQL driver is not installed, so Velkaro cannot reach a class's "
              "server (on Debian and Ubuntu, install the package libqt6sql6-psql).");
}

ClassConnection::ClassConnection(const ClassUrl &url) : m_url(url), m_name(nextName()) {}

ClassConnection::~ClassConnection()
{
    if (!QSqlDatabase::contains(m_name))
        return;
    QSqlDatabase::database(m_name, false).close();
    QSqlDatabase::removeDatabase(m_name);
}

bool ClassConnection::open()
{
    if (isOpen())
        return true;
    if (!driverAvailable()) {
        m_error = driverMissing();
        return false;
    }
    QSqlDatabase db = QSqlDatabase::contains(m_name) ? QSqlDatabase::database(m_name, false)
                                                     : QSqlDatabase::addDatabase(Driver, m_name);
    m_url.apply(db, {{QStringLiteral("connect_timeout"), QString::number(ConnectTimeoutS)},
                     {QStringLiteral("application_name"), QStringLiteral("velkaro")}});
    if (!db.open()) {
        // libpq's own words say what went wrong; the driver's add nothing.
        const QSqlError error = db.lastError();
        const QString why = error.databaseText().isEmpty() ? error.text() : error.databaseText();
        m_error = tr("The class server %1 cannot be reached: %2").arg(m_url.text(), why.trimmed());
        return false;
    }
    m_error.clear();
    return true;
}

bool ClassConnection::isOpen() const
{
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

void ClassConnection::close()
{
    if (QSqlDatabase::contains(m_name))
        QSqlDatabase::database(m_name, false).close();
}

QSqlDatabase ClassConnection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

QString ClassConnection::failure(const QString &what) const
{
    return tr("The class server %1 answered with an error: %2").arg(m_url.text(), what.trimmed());
}
