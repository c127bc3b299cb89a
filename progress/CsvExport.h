// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// The learner's record as a CSV file, for a spreadsheet or a teacher.
namespace CsvExport {

// Writes every answer of the log at logPath to target, a file or "-" for
// standard output (see ProgressFile::writeCsv). The log is only read. A file
// is written whole or not at all. False, with *error in plain words, when
// the log is absent or unreadable or the target cannot be written. rows,
// when given, gets the number of answers written.
bool write(const QString &logPath, const QString &target, QString *error, qint64 *rows = nullptr);

} // namespace CsvExport
