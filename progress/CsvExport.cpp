// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/CsvExport.h"

#include "progress/ProgressFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

namespace CsvExport {

namespace {

QString cannotWrite(const QString &target, const QString &why)
{
    return QCoreApplication::translate("CsvExport", "Cannot write %1: %2")
        .arg(QDir::toNativeSeparators(target), why);
}

// The log itself or its journal, under any name that leads there.
bool isPartOfLog(const QString &target, const QString &logPath)
{
    const QString log = QFileInfo(logPath).canonicalFilePath();
    const QString file = QFileInfo(target).canonicalFilePath();
    return !file.isEmpty() && (file == log || file == log + QLatin1String("-wal") ||
                               file == log + QLatin1String("-shm"));
}

} // namespace

bool write(const QString &logPath, const QString &target, QString *error, qint64 *rows)
{
    // Read as it stands: the folder is left as it was, with no journal added.
    ProgressFile log(logPath, ProgressFile::Mode::Snapshot);
    if (!log.open()) {
        *error = log.errorString();
        return false;
    }
    if (target != QLatin1String("-") && isPartOfLog(target, logPath)) {
        *error = cannotWrite(
            target, QCoreApplication::translate("CsvExport", "it is the record of answers itself"));
        return false;
    }
    QSaveFile file(target);
    QFile standardOutput;
    QFileDevice &out = target == QLatin1String("-") ? static_cast<QFileDevice &>(standardOutput)
                                                    : static_cast<QFileDevice &>(file);
    const bool opened = &out == &file ? file.open(QIODevice::WriteOnly)
                                      : standardOutput.open(stdout, QIODevice::WriteOnly);
    if (!opened) {
        *error = cannotWrite(target, out.errorString());
        return false;
    }
    if (!log.writeCsv(out, rows)) {
        // A failed write leaves its mark on the device; anything else was the log.
        *error = out.error() != QFileDevice::NoError ? cannotWrite(target, out.errorString())
                                                     : log.errorString();
        file.cancelWriting();
        return false;
    }
    const bool done = &out == &file ? file.commit() : standardOutput.flush();
    if (!done)
        *error = cannotWrite(target, out.errorString());
    return done;
}

} // namespace CsvExport
