// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/ClefMode.h"
#include "notes/NoteRange.h"
#include "staff/TestSettings.h"

#include <QString>
#include <QStringList>

#include <optional>

// What the command line asks of a run: where the answer log is, and the
// settings to start with. Unset settings keep the program's defaults.
struct StartOptions
{
    QString progressFile; // empty: the default place
    std::optional<ClefMode> clef;
    // The keyboard's size as white keys: 7, 14 or 28 for one, two or four
    // octaves, 52 for the 88 keys.
    std::optional<int> whiteKeys;
    std::optional<int> intervalMs;
    std::optional<bool> weakNotes;
    bool showAnswer = false;
    std::optional<KeyChoice> key;
    bool chromatic = false;
    // The test's notes, on the grand staff split at middle C.
    std::optional<NoteRange> range;
    // A one-minute challenge begins as soon as the window is up.
    bool challenge = false;
    // Where to write the record as CSV ("-" for standard output) instead of
    // starting; empty to start as usual.
    QString exportProgress;
    // A class's server (a URL without a password) and the pupil's login:
    // kept as the class to send answers to, or the server to export from.
    QString classServer;
    QString pupil;
    // A teacher's task on a class's server, done instead of starting.
    enum class ClassTask { None, Setup, AddPupil, Report };
    ClassTask classTask = ClassTask::None;
    QString classTaskServer;
    bool csv = false; // the report as CSV rather than a table
};

namespace CommandLine {

// Exit statuses: a bad option or value, or a --progress-file that is
// another program's file, stops the program before any window.
constexpr int UsageError = 2;

struct Parsed
{
    StartOptions options;
    // Set when the program is to end at once with this status, printing
    // output on standard output and error on standard error.
    std::optional<int> exitStatus;
    QString output;
    QString error;
};

// Reads the arguments (the program's name first). Options of the toolkit
// itself, such as -style NAME, are let through for the application object.
Parsed parse(const QStringList &arguments);

// The same for the program's own arguments, read before any window system
// is asked for, so that --help, --version, a mistyped option and the export
// work without a display. Prints what the parse has to say, refuses a
// record file that is not the program's (reading it only), and writes the
// export when one is asked for, setting the status to end with.
Parsed read(int argc, char **argv);

} // namespace CommandLine
