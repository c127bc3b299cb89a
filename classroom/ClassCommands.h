// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classroom/ClassUrl.h"

#include <QString>

// What the command line asks of a class's server, without a window: each
// prints its result on standard output and a failure on standard error, and
// returns the program's exit status (0, or 1 when the server or the driver
// failed).
namespace ClassCommands {

constexpr int Failed = 1;

// Makes the class's tables (see ClassSchema::create).
int setup(const ClassUrl &url);
// Makes a pupil's login and prints its password once, with the line of
// ~/.pgpass that hands it over.
int addPupil(const ClassUrl &url, const QString &pupil);
// Prints the class report as a table, or as CSV when csv is set.
int report(const ClassUrl &url, bool csv);
// Writes the server's rows (one pupil's, or all the login may read) as CSV
// to target, a file or "-".
int exportProgress(const ClassUrl &url, const QString &pupil, const QString &target);

} // namespace ClassCommands
