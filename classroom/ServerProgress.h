// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classroom/ClassUrl.h"
#include "progress/ProgressSource.h"

#include <QCoreApplication>

// A pupil's answers on a class's server, as the progress window reads them.
// load() fetches them once, which may wait on the network and so belongs on
// a thread other than the window's; the window then reads what was fetched.
// Answers are numbered in the order they were given, across the pupil's
// computers, and each computer's test runs are told apart. The export
// reads the server again, row by row.
class ServerProgress : public ProgressSource
{
    Q_DECLARE_TR_FUNCTIONS(ServerProgress)
public:
    // pupil empty: every row the login may read (a teacher's whole class).
    ServerProgress(const ClassUrl &url, const QString &pupil);

    bool load();
    const History &history() const { return m_history; }
    QString pupil() const { return m_pupil; }

    bool exists() const override { return true; }
    std::optional<bool> hasAnswer(qint64 id) override;
    bool readAnswers(QList<LoggedAnswer> &into, qint64 afterId = 0) override;
    QHash<qint64, TestSession> readSessions() override { return m_history.sessions; }
    bool exportCsv(const QString &target, QString *error, qint64 *rows = nullptr) override;
    QString errorString() const override { return m_error; }
    QString description() const override;
    bool isForgettable() const override { return false; }

    // The rows as CSV, a header of the server's column names first, in the
    // order of pupil and time.
    bool writeCsv(QIODevice &out, QString *error, qint64 *rows);

private:
    ClassUrl m_url;
    QString m_pupil;
    History m_history;
    QString m_error;
};
