// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classroom/ClassUrl.h"

#include <QMetaType>
#include <QObject>
#include <QString>
#include <QThread>

// How the copying to the class's server stands.
struct ClassStatus
{
    enum class State { Sent, Waiting, Offline };
    State state = State::Sent;
    qint64 waiting = 0; // answers the server lacks, as far as known
    QString error;      // why the server could not be reached, when offline
};
Q_DECLARE_METATYPE(ClassStatus)

// Sends a local record's answers to the class's server from a thread of its
// own, so that a server that is slow or away never holds up the window:
// the answers wait in the local record and go when it is back. After a
// failure it tries again after a pause that doubles from FirstRetryMs up to
// LongestRetryMs. It sends at start and whenever told that answers were
// recorded; between those it sleeps.
class ClassSender : public QObject
{
    Q_OBJECT
public:
    static constexpr int FirstRetryMs = 1000;
    static constexpr int LongestRetryMs = 60 * 1000;
    // Answers recorded in quick succession go together.
    static constexpr int GatherMs = 200;
    // How long closing waits for a send under way; a connection that hangs
    // longer is left to end with the program.
    static constexpr int ShutdownWaitMs = 3000;

    // The record at recordPath is sent as machine's rows of the login in url.
    ClassSender(const ClassUrl &url, const QString &recordPath, const QString &machine,
                QObject *parent = nullptr);
    ~ClassSender() override;

    ClassStatus status() const { return m_status; }

public slots:
    // New answers are in the record.
    void answersRecorded();
    // The record was written again at recordPath (beside a file that took
    // its place): it is read from there, and keeps its machine id.
    void moveRecord(const QString &recordPath);

signals:
    void statusChanged(const ClassStatus &status);
    // The record was started anew: its rows are sent under a new id from now on.
    void machineRenewed(const QString &recordPath);

private:
    class Loop;
    void setStatus(const ClassStatus &status);

    // Not a member by value: one stuck on the network is let go of, not destroyed.
    QThread *m_thread;
    Loop *m_loop;
    ClassStatus m_status;
};
