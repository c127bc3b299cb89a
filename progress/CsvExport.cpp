// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/CsvExport.h"

#include "progress/ProgressFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>

#include <cstdio>

namespace CsvExport {

namespace {

// The CSV is written in pieces of about this size.
constexpr qsizetype Chunk = 256 * 1024;

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

void appendField(QByteArray &line, const QVariant &value)
{
    if (value.isNull())
        return;
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
        line += QByteArray::number(value.toLongLong());
        return;
    case QMetaType::Double:
        line += QByteArray::number(value.toDouble(), 'g', 17);
        return;
    default:
        break;
    }
    const QByteArray text = value.toString().toUtf8();
    if (text.contains(',') || text.contains('"') || text.contains('\n') || text.contains('\r')) {
        QByteArray quoted = text;
        quoted.replace("\"", "\"\"");
        line += '"' + quoted + '"';
    } else {
        line += text;
    }
}

RowsWritten writeRows(QIODevice &out, const QStringList &header, QSqlQuery &q, qint64 *rows)
{
    QByteArray chunk;
    chunk.reserve(Chunk + 1024);
    const auto appendLine = [&chunk](int fields, const auto &field) {
        for (int i = 0; i < fields; ++i) {
            if (i > 0)
                chunk += ',';
            appendField(chunk, field(i));
        }
        chunk += '\n';
    };
    const auto flush = [&] {
        const bool written = out.write(chunk) == chunk.size();
        chunk.clear();
        return written;
    };
    const int fields = int(header.size());
    appendLine(fields, [&header](int i) { return QVariant(header.at(i)); });
    qint64 written = 0;
    while (q.next()) {
        appendLine(fields, [&q](int i) { return q.value(i); });
        ++written;
        if (chunk.size() >= Chunk && !flush())
            return RowsWritten::DeviceFailed;
    }
    if (q.lastError().isValid())
        return RowsWritten::QueryFailed;
    if (!flush())
        return RowsWritten::DeviceFailed;
    if (rows)
        *rows = written;
    return RowsWritten::All;
}

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
    return write(
        [&log](QIODevice &out, QString *why, qint64 *count) {
            const bool written = log.writeCsv(out, count);
            if (!written)
                *why = log.errorString();
            return written;
        },
        target, error, rows);
}

bool write(const RowWriter &rows, const QString &target, QString *error, qint64 *count)
{
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
    QString sourceError;
    if (!rows(out, &sourceError, count)) {
        // A failed write leaves its mark on the device; anything else was the source.
        *error = out.error() != QFileDevice::NoError ? cannotWrite(target, out.errorString())
                                                     : sourceError;
        file.cancelWriting();
        return false;
    }
    const bool done = &out == &file ? file.commit() : standardOutput.flush();
    if (!done)
        *error = cannotWrite(target, out.errorString());
    return done;
}

} // namespace CsvExport
