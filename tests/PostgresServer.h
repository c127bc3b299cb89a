// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classroom/ClassConnection.h"
#include "classroom/ClassSchema.h"
#include "classroom/ClassUrl.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <optional>
#include <sys/types.h>
#include <unistd.h>

// A PostgreSQL server of the test's own: a cluster made by initdb in a
// temporary folder, listening only on a Unix socket there (never on a port
// of the machine's own clusters), with password logins as a school's would
// have. The server refuses to run as root, so under root it runs as the
// unprivileged user nobody. Passwords go into a ~/.pgpass file of its own,
// which libpq finds through PGPASSFILE. Stopped when it goes out of scope.
class PostgresServer
{
public:
    static constexpr uid_t Nobody = 65534;
    static constexpr int StartTimeoutMs = 30000;
    static constexpr int PollMs = 50;

    // The newest server installed in Debian's place for its versions.
    static QString binDir()
    {
        const QDir versions(QStringLiteral("/usr/lib/postgresql"));
        QStringList found = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        std::sort(found.begin(), found.end(),
                  [](const QString &a, const QString &b) { return a.toInt() > b.toInt(); });
        for (const QString &version : found) {
            const QString bin = versions.filePath(version + QStringLiteral("/bin"));
            if (QFile::exists(bin + QStringLiteral("/postgres")))
                return bin;
        }
        return {};
    }
    static bool installed() { return !binDir().isEmpty() && ClassConnection::driverAvailable(); }

    // durable: every commit waits for the disk, as on a school's server;
    // tests leave that out, which changes nothing of what they see.
    // statements: the server logs every statement it is sent, as a
    // school's server may, into log().
    explicit PostgresServer(bool durable = false, bool statements = false)
        : m_durable(durable), m_statements(statements)
    {
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.setStandardOutputFile(m_dir.filePath(QStringLiteral("server.log")));
        qputenv("PGPASSFILE", passFile().toLocal8Bit());
        QFile(passFile()).remove();
        addPassword(QStringLiteral("admin"), QStringLiteral("admin-secret"));
    }
    ~PostgresServer() { stop(); }
    PostgresServer(const PostgresServer &) = delete;
    PostgresServer &operator=(const PostgresServer &) = delete;

    QString socketDir() const { return m_dir.path(); }
    QString passFile() const { return m_dir.filePath(QStringLiteral("pgpass")); }
    QString log() const
    {
        QFile f(m_dir.filePath(QStringLiteral("server.log")));
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()) : QString();
    }

    // Makes the cluster the first time, then starts the server; true once it
    // takes connections.
    bool start()
    {
        const QString data = m_dir.filePath(QStringLiteral("data"));
        if (!QFile::exists(data) && !initdb(data))
            return false;
        startAsServerUser(m_process, QStringLiteral("postgres"),
                          {QStringLiteral("-D"), data, QStringLiteral("-k"), socketDir(),
                           QStringLiteral("-c"), QStringLiteral("listen_addresses="),
                           QStringLiteral("-c"),
                           m_durable ? QStringLiteral("fsync=on") : QStringLiteral("fsync=off"),
                           QStringLiteral("-c"),
                           m_statements ? QStringLiteral("log_statement=all")
                                        : QStringLiteral("log_statement=none"),
                           QStringLiteral("-p"), QStringLiteral("5432")});
        if (!m_process.waitForStarted())
            return false;
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < StartTimeoutMs && m_process.state() == QProcess::Running) {
            if (QProcess::execute(binDir() + QStringLiteral("/pg_isready"),
                                  {QStringLiteral("-q"), QStringLiteral("-h"), socketDir()}) == 0)
                return true;
            QThread::msleep(PollMs);
        }
        return false;
    }

    // A fast shutdown: clients are told to go, as when a school's server is
    // switched off in the middle of a lesson.
    bool stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return false;
        ::kill(pid_t(m_process.processId()), SIGINT);
        return m_process.waitForFinished(StartTimeoutMs);
    }

    void addPassword(const QString &user, const QString &password)
    {
        QFile file(passFile());
        file.open(QIODevice::Append);
        file.write(QStringLiteral("%1:5432:*:%2:%3\n").arg(socketDir(), user, password).toUtf8());
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    void addPasswordLine(const QString &line)
    {
        QFile file(passFile());
        file.open(QIODevice::Append);
        file.write(line.toUtf8() + '\n');
    }

    ClassUrl url(const QString &database, const QString &user) const
    {
        return *ClassUrl::parse(
            QStringLiteral("postgresql:///%1?host=%2&user=%3").arg(database, socketDir(), user),
            nullptr);
    }

    // Runs statements as the cluster's superuser in a database.
    bool admin(const QString &database, const QStringList &statements)
    {
        ClassConnection c(url(database, QStringLiteral("admin")));
        if (!c.open()) {
            qWarning("%s", qPrintable(c.errorString()));
            return false;
        }
        QSqlQuery q(c.database());
        for (const QString &statement : statements) {
            if (!q.exec(statement)) {
                qWarning("%s: %s", qPrintable(statement), qPrintable(q.lastError().text()));
                return false;
            }
        }
        return true;
    }

    // A class as a school would make it: a teacher's login that may create
    // roles, a database the teacher owns, and the tables made by the teacher.
    bool makeClass(const QString &database, const QString &teacher)
    {
        const QString password = teacher + QStringLiteral("-secret");
        if (!admin(QStringLiteral("postgres"),
                   {QStringLiteral("CREATE ROLE %1 LOGIN CREATEROLE PASSWORD '%2'")
                        .arg(teacher, password),
                    QStringLiteral("CREATE DATABASE %1 OWNER %2").arg(database, teacher)}))
            return false;
        addPassword(teacher, password);
        ClassConnection c(url(database, teacher));
        QString error;
        if (!c.open() || !ClassSchema::create(c.database(), &error)) {
            qWarning("%s%s", qPrintable(c.errorString()), qPrintable(error));
            return false;
        }
        return true;
    }

    // A pupil added by the teacher, whose password line goes into the pass
    // file as the pupil would put it into ~/.pgpass. The password printed
    // for the teacher; none when adding failed.
    std::optional<QString> addPupil(const QString &database, const QString &teacher,
                                    const QString &pupil)
    {
        ClassConnection c(url(database, teacher));
        QString error;
        const std::optional<QString> password =
            c.open() ? ClassSchema::addPupil(c.database(), pupil, &error) : std::nullopt;
        if (!password) {
            qWarning("%s%s", qPrintable(c.errorString()), qPrintable(error));
            return std::nullopt;
        }
        addPasswordLine(url(database, pupil).passwordLine(*password));
        return password;
    }

private:
    static bool root() { return ::geteuid() == 0; }
    // Starts one of the server's programs, as nobody when the test runs as root.
    static void startAsServerUser(QProcess &process, const QString &name,
                                  const QStringList &arguments)
    {
        const QString program = binDir() + QLatin1Char('/') + name;
        if (!root()) {
            process.start(program, arguments);
            return;
        }
        process.start(QStringLiteral("setpriv"),
                      QStringList{QStringLiteral("--reuid=%1").arg(Nobody),
                                  QStringLiteral("--regid=%1").arg(Nobody),
                                  QStringLiteral("--clear-groups"), program} +
                          arguments);
    }
    bool initdb(const QString &data)
    {
        const QString passwordFile = m_dir.filePath(QStringLiteral("admin-password"));
        QFile pw(passwordFile);
        if (!pw.open(QIODevice::WriteOnly) || pw.write("admin-secret\n") < 0)
            return false;
        pw.close();
        if (root()) {
            for (const QString &path : {socketDir(), passwordFile})
                if (::chown(QFile::encodeName(path).constData(), Nobody, Nobody) != 0)
                    return false;
        }
        const QStringList arguments{QStringLiteral("-D"),
                                    data,
                                    QStringLiteral("-U"),
                                    QStringLiteral("admin"),
                                    QStringLiteral("-A"),
                                    QStringLiteral("scram-sha-256"),
                                    QStringLiteral("--pwfile=") + passwordFile,
                                    QStringLiteral("-E"),
                                    QStringLiteral("UTF8"),
                                    QStringLiteral("--no-locale"),
                                    QStringLiteral("--no-sync")};
        QProcess init;
        init.setProcessChannelMode(QProcess::MergedChannels);
        startAsServerUser(init, QStringLiteral("initdb"), arguments);
        if (!init.waitForFinished(StartTimeoutMs) || init.exitCode() != 0) {
            qWarning("initdb: %s", init.readAll().constData());
            return false;
        }
        return true;
    }

    bool m_durable = false;
    bool m_statements = false;
    QTemporaryDir m_dir;
    QProcess m_process;
};
