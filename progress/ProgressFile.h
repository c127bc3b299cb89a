// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/History.h"
#include "progress/ProgressSource.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QTemporaryDir;

class QIODevice;

// The answer log opened for reading only: what the progress window and the
// export read. It never creates, changes or moves a file, so it may read a
// log from a newer version or one that another program is writing to.
class ProgressFile : public ProgressSource
{
    Q_DECLARE_TR_FUNCTIONS(ProgressFile)
public:
    enum class Mode {
        // Follows a record that this program is writing: reads what each
        // answer adds, through the journal and its index beside the file.
        Follow,
        // Reads the record as it stands, leaving its folder as it was: a
        // record that no program has open gains no journal or index files
        // (SQLite makes both for any reader of the journal).
        Snapshot,
    };
    explicit ProgressFile(const QString &path, Mode mode = Mode::Follow);
    ~ProgressFile() override;
    ProgressFile(const ProgressFile &) = delete;
    ProgressFile &operator=(const ProgressFile &) = delete;

    // False, with errorString() saying why in plain words, when the file is
    // absent, no database or holds no answers table.
    bool open();
    bool isOpen() const { return m_open; }
    QString path() const { return m_path; }
    QString errorString() const override { return m_error; }

    // Whether the answer numbered id is still there; none when the file
    // cannot be read.
    std::optional<bool> hasAnswer(qint64 id) override;
    // Appends the answers written after the one numbered afterId, in order.
    bool readAnswers(QList<LoggedAnswer> &into, qint64 afterId = 0) override;
    // Every test run; none when the file has no table of them.
    QHash<qint64, TestSession> readSessions() override;
    // The names of a table's columns; none when the file is no database or
    // has no such table.
    std::optional<QStringList> columnsOf(const QString &table);

    // The file is there, even if it cannot be read.
    bool exists() const override;
    bool exportCsv(const QString &target, QString *error, qint64 *rows = nullptr) override;
    // The file's path, in the home folder as the shell writes it: ~/...
    QString description() const override;
    bool isForgettable() const override { return true; }

    // Every answer as comma-separated values: a header row naming the
    // table's columns (in the record's order, then any that a newer version
    // added), then one line per row in the order of writing; an empty field
    // stands for NULL.
    bool writeCsv(QIODevice &out, qint64 *rows = nullptr);

private:
    bool fail(const QString &what);
    bool connect(QString *why);

    QString m_path;
    QString m_connection;
    Mode m_mode;
    // Where a snapshot reads a copy of the file and its journal, when the
    // journal has no index beside it that a reader could use.
    std::unique_ptr<QTemporaryDir> m_copy;
    bool m_open = false;
    QString m_error;
};
