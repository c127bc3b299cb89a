// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>

class QByteArray;
class QIODevice;
class QSqlQuery;
class QVariant;

// The learner's record as a CSV file, for a spreadsheet or a teacher.
namespace CsvExport {

// Appends one field of a CSV line: nothing for NULL, numbers as they are,
// text quoted where it holds a comma, a quote or a line break.
void appendField(QByteArray &line, const QVariant &value);

// How writing a query's rows ended.
enum class RowsWritten { All, DeviceFailed, QueryFailed };

// Writes a line of the column names in header, then a line for each row the
// executed, forward-only query q still gives, in pieces, so that rows need
// not fit in memory. rows, when given, gets the number of lines of rows.
RowsWritten writeRows(QIODevice &out, const QStringList &header, QSqlQuery &q, qint64 *rows);

// Writes every answer of the log at logPath to target, a file or "-" for
// standard output (see ProgressFile::writeCsv). The log is only read. A file
// is written whole or not at all. False, with *error in plain words, when
// the log is absent or unreadable or the target cannot be written. rows,
// when given, gets the number of answers written.
bool write(const QString &logPath, const QString &target, QString *error, qint64 *rows = nullptr);

// Writes to target, a file or "-" as above, what rows writes to the device
// it is given, whole or not at all. rows returns false when its source
// failed, with *error set by it.
using RowWriter = std::function<bool(QIODevice &out, QString *error, qint64 *rows)>;
bool write(const RowWriter &rows, const QString &target, QString *error, qint64 *count = nullptr);

} // namespace CsvExport
