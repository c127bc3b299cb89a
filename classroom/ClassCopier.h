// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classroom/ClassConnection.h"
#include "classroom/ClassUrl.h"

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// Copies the answers of a local record that the class's server lacks: in
// the order of writing, in batches of one transaction each, with the test
// runs they belong to. The server says what it has (the highest row number
// of this pupil and record), so nothing is sent twice, and rows that are
// there already are passed over (ON CONFLICT DO NOTHING) when two copies of
// the program send the same record. The local file is only read, through a
// read-only connection of the copier's own. Everything happens on the
// calling thread, which it may keep waiting on the network.
class ClassCopier
{
    Q_DECLARE_TR_FUNCTIONS(ClassCopier)
public:
    static constexpr int BatchRows = 500;

    struct Outcome
    {
        bool reached = false; // the server took part; false when it could not be asked
        qint64 sent = 0;      // answers copied in this call
        qint64 waiting = 0;   // answers the server still lacks, as far as known
        QString error;        // why the server could not be reached or refused
    };

    // machine tells this record's rows from the pupil's other records.
    ClassCopier(const ClassUrl &url, const QString &recordPath, const QString &machine);
    ~ClassCopier();
    ClassCopier(const ClassCopier &) = delete;
    ClassCopier &operator=(const ClassCopier &) = delete;

    // Sends what waits, until nothing does, the server fails or stop() says
    // so between two batches.
    Outcome copy(const std::function<bool()> &stop = {});
    // Counts what waits, from the local record alone.
    qint64 waiting();

    QString machine() const { return m_machine; }
    // Set when the record lacks the newest row the server has from it, as
    // it was sent: it was started anew or replaced, and its rows need a new
    // machine id.
    bool recordRestarted() const { return m_restarted; }
    void setMachine(const QString &machine);
    // The record is read from recordPath from now on (written again there).
    void setRecordPath(const QString &recordPath);

private:
    class Local;
    struct RowMark;
    bool openServer(QString *error);
    // The newest row the server has of this pupil from machine; none when
    // it has none. False with *error when the server failed.
    bool newestSent(const QString &machine, std::optional<RowMark> *row, QString *error);
    // Whether the local record holds the row as it was sent.
    bool holds(const RowMark &sent, bool *held, QString *error);
    // The machine id under which this record was sent before, if any.
    bool findSentBefore(std::optional<QString> *machine, QString *error);
    Outcome fail(const QString &error);
    bool sendBatch(qint64 &after, qint64 *sent, QString *error);
    bool sendEndedSessions(QString *error);

    ClassUrl m_url;
    QString m_machine;
    std::unique_ptr<Local> m_local;
    std::unique_ptr<ClassConnection> m_server;
    qint64 m_serverHas = 0; // the highest row number the server was seen to have
    bool m_restarted = false;
};
