// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classroom/ClassUrl.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QString>

// One connection to a class's server through Qt's PostgreSQL driver, QPSQL,
// which is a plugin of its own (Debian package libqt6sql6-psql): the program
// runs without it and says so when a class needs it. A connection belongs
// to the thread that made it; it is closed and forgotten with this object.
// It gives up after ConnectTimeoutS seconds of silence, so that a server
// that is away is noticed instead of waited for.
class ClassConnection
{
    Q_DECLARE_TR_FUNCTIONS(ClassConnection)
public:
    static constexpr int ConnectTimeoutS = 10;

    static bool driverAvailable();
    static QString driverMissing();

    explicit ClassConnection(const ClassUrl &url);
    ~ClassConnection();
    ClassConnection(const ClassConnection &) = delete;
    ClassConnection &operator=(const ClassConnection &) = delete;

    // Connects, once; false with errorString() in plain words.
    bool open();
    bool isOpen() const;
    void close();
    QSqlDatabase database() const;
    QString errorString() const { return m_error; }
    ClassUrl url() const { return m_url; }

    // The message for a query that failed on this connection.
    QString failure(const QString &what) const;

private:
    ClassUrl m_url;
    QString m_name;
    QString m_error;
};
