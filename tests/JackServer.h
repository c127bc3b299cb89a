// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <jack/jack.h>

// A JACK server of the test's own on the dummy backend, which needs no sound
// card, with a period of 256 frames at 48 kHz (5.3 ms). Its name is unique to
// the process; clients find it through JACK_DEFAULT_SERVER, which
// useByDefault() sets. Stopped when it goes out of scope.
class JackServer
{
public:
    static bool installed()
    {
        return !QStandardPaths::findExecutable(QStringLiteral("jackd")).isEmpty();
    }

    JackServer()
        : m_name(QStringLiteral("velkaro-test-%1-%2")
                     .arg(QCoreApplication::applicationPid())
                     .arg(++serial()))
    {
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
    }
    ~JackServer() { stop(); }

    QString name() const { return m_name; }

    // Clients made from now on look for this server, and never start one.
    void useByDefault() const
    {
        qputenv("JACK_DEFAULT_SERVER", m_name.toUtf8());
        qputenv("JACK_NO_START_SERVER", "1");
    }

    // Starts the server; true once a client can connect to it.
    bool start(int timeoutMs = 10000)
    {
        m_process.start(QStringLiteral("jackd"),
                        {QStringLiteral("-n"), m_name, QStringLiteral("--no-realtime"),
                         QStringLiteral("-d"), QStringLiteral("dummy"), QStringLiteral("-r"),
                         QStringLiteral("48000"), QStringLiteral("-p"), QStringLiteral("256")});
        if (!m_process.waitForStarted())
            return false;
        // libjack complains on stderr about every try before the server is up.
        jack_set_error_function([](const char *) {});
        jack_set_info_function([](const char *) {});
        QElapsedTimer waited;
        waited.start();
        const QByteArray name = m_name.toUtf8();
        while (waited.elapsed() < timeoutMs && m_process.state() == QProcess::Running) {
            jack_status_t status;
            jack_client_t *probe =
                jack_client_open("probe", JackOptions(JackNoStartServer | JackServerName), &status,
                                 name.constData());
            if (probe) {
                jack_client_close(probe);
                return true;
            }
            QThread::msleep(20);
        }
        return false;
    }

    // Stops the server; true when it ended of itself, as asked. One that
    // dies on the way leaves its entry in JACK's list of servers behind, and
    // after eight such no server starts on the machine.
    bool stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return false;
        m_process.terminate();
        const bool ended = m_process.waitForFinished(5000);
        if (!ended)
            m_process.kill();
        m_process.waitForFinished();
        return ended && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    }

private:
    static int &serial()
    {
        static int count = 0;
        return count;
    }

    QString m_name;
    QProcess m_process;
};
