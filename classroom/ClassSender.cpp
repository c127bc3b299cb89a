// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/ClassSender.h"

#include "classroom/ClassCopier.h"
#include "classroom/ClassSettings.h"

#include <QTimer>

#include <algorithm>

// The sender's side on its thread: one copier and the timer that starts it.
class ClassSender::Loop : public QObject
{
    Q_OBJECT
public:
    Loop(const ClassUrl &url, const QString &recordPath, const QString &machine)
        : m_path(recordPath), m_copier(url, recordPath, machine)
    {}

    void start()
    {
        m_timer = new QTimer(this);
        m_timer->setSingleShot(true);
        connect(m_timer, &QTimer::timeout, this, &Loop::send);
        send();
    }

    void answersRecorded()
    {
        if (m_offline) {
            // The pause stands; only the count is news.
            emit statusChanged(offline(m_copier.waiting()));
            return;
        }
        if (!m_timer->isActive())
            m_timer->start(GatherMs);
    }

    // The record was written again at path: the same rows, under the same id.
    void moveRecord(const QString &path)
    {
        ClassSettings::keepMachineId(path, m_copier.machine());
        m_path = path;
        m_copier.setRecordPath(path);
        m_timer->stop();
        send();
    }

signals:
    void statusChanged(const ClassStatus &status);
    void machineRenewed(const QString &recordPath);

private:
    ClassStatus offline(qint64 waiting) const
    {
        ClassStatus s;
        s.state = ClassStatus::State::Offline;
        s.waiting = waiting;
        s.error = m_error;
        return s;
    }

    void send()
    {
        QThread *thread = QThread::currentThread();
        const QString machineBefore = m_copier.machine();
        ClassCopier::Outcome o =
            m_copier.copy([thread] { return thread->isInterruptionRequested(); });
        if (o.reached && m_copier.recordRestarted()) {
            m_copier.setMachine(ClassSettings::renewMachineId(m_path));
            emit machineRenewed(m_path);
            o = m_copier.copy([thread] { return thread->isInterruptionRequested(); });
        }
        // An id taken over from the server holds even when the copy that
        // found it failed later: the copier sends under it from now on.
        if (m_copier.machine() != machineBefore)
            ClassSettings::keepMachineId(m_path, m_copier.machine());
        if (o.reached) {
            m_offline = false;
            m_pauseMs = FirstRetryMs;
            ClassStatus s;
            s.state = o.waiting > 0 ? ClassStatus::State::Waiting : ClassStatus::State::Sent;
            s.waiting = o.waiting;
            s.error = o.error;
            emit statusChanged(s);
            return;
        }
        m_offline = true;
        m_error = o.error;
        emit statusChanged(offline(o.waiting));
        m_timer->start(m_pauseMs);
        m_pauseMs = std::min(2 * m_pauseMs, LongestRetryMs);
    }

    QString m_path;
    ClassCopier m_copier;
    QTimer *m_timer = nullptr;
    bool m_offline = false;
    int m_pauseMs = FirstRetryMs;
    QString m_error;
};

ClassSender::ClassSender(const ClassUrl &url, const QString &recordPath, const QString &machine,
                         QObject *parent)
    : QObject(parent), m_thread(new QThread), m_loop(new Loop(url, recordPath, machine))
{
    qRegisterMetaType<ClassStatus>();
    m_thread->setObjectName(QStringLiteral("class sender"));
    m_loop->moveToThread(m_thread);
    connect(m_thread, &QThread::started, m_loop, &Loop::start);
    // Deleted on its thread, where its connections were made.
    connect(m_thread, &QThread::finished, m_loop, &QObject::deleteLater);
    connect(m_loop, &Loop::statusChanged, this, &ClassSender::setStatus);
    connect(m_loop, &Loop::machineRenewed, this, &ClassSender::machineRenewed);
    m_thread->start();
}

ClassSender::~ClassSender()
{
    disconnect(m_loop, nullptr, this, nullptr);
    m_thread->requestInterruption();
    m_thread->quit();
    if (m_thread->wait(ShutdownWaitMs)) {
        delete m_thread;
        return;
    }
    // Stuck in a connection to a server that does not answer: the thread
    // cannot be stopped from here, and destroying a running QThread ends the
    // program. It is left to end with the program.
    qWarning("The class sender did not stop in time; it ends with the program.");
}

void ClassSender::answersRecorded()
{
    QMetaObject::invokeMethod(m_loop, &Loop::answersRecorded, Qt::QueuedConnection);
}

void ClassSender::moveRecord(const QString &recordPath)
{
    QMetaObject::invokeMethod(
        m_loop, [loop = m_loop, recordPath] { loop->moveRecord(recordPath); },
        Qt::QueuedConnection);
}

void ClassSender::setStatus(const ClassStatus &status)
{
    m_status = status;
    emit statusChanged(status);
}

#include "ClassSender.moc"
