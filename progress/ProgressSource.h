// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/History.h"

#include <QString>

#include <optional>

// Where the progress window reads answers from: the learner's own record
// file, or a pupil's rows on a class's server. Answers are numbered in their
// order; the window reads them once and then only those after the last it
// has, and starts again when the last one it has is gone.
class ProgressSource
{
public:
    virtual ~ProgressSource() = default;

    // Whether there is anything to read yet; nothing is no error.
    virtual bool exists() const = 0;
    // Whether the answer numbered id is still there; none on failure.
    virtual std::optional<bool> hasAnswer(qint64 id) = 0;
    // Appends the answers after the one numbered afterId, in order.
    virtual bool readAnswers(QList<LoggedAnswer> &into, qint64 afterId = 0) = 0;
    virtual QHash<qint64, TestSession> readSessions() = 0;
    // Writes every answer as CSV to target, a file or "-" for standard
    // output (see CsvExport); false with *error in plain words.
    virtual bool exportCsv(const QString &target, QString *error, qint64 *rows = nullptr) = 0;
    virtual QString errorString() const = 0;

    // Where the answers come from, for the window's status line.
    virtual QString description() const = 0;
    // Whether the learner may empty it from the window.
    virtual bool isForgettable() const = 0;
};
