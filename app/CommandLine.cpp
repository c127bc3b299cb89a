// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "classroom/ClassCommands.h"
#include "classroom/ClassSchema.h"
#include "classroom/ClassUrl.h"
#include "keyboard/KeyboardGeometry.h"
#include "keyboard/KeyboardSpan.h"
#include "progress/AnswerLog.h"
#include "progress/CsvExport.h"
#include "progress/RecordFile.h"
#include "staff/VKTest.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {

constexpr int ShortestInterval = 1;
constexpr int LongestInterval = 999999;

// The toolkit's own options, which the application object takes from the
// command line after this parse: those with a value, then the flags.
const char *const ToolkitValueOptions[] = {
    "style",   "stylesheet",      "platform",     "platformpluginpath", "platformtheme",
    "plugin",  "qwindowgeometry", "qwindowicon",  "qwindowtitle",       "session",
    "display", "geometry",        "qmljsdebugger"};
const char *const ToolkitFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

// Writes the record as CSV; the status to end with.
int exportProgress(const StartOptions &options)
{
    if (!options.classServer.isEmpty())
        return ClassCommands::exportProgress(*ClassUrl::parse(options.classServer, nullptr),
                                             options.pupil, options.exportProgress);
    const QString log =
        options.progressFile.isEmpty() ? AnswerLog::defaultPath() : options.progressFile;
    QString error;
    if (CsvExport::write(log, options.exportProgress, &error))
        return 0;
    std::fprintf(stderr, "velkaro: %s\n", error.toLocal8Bit().constData());
    return 1;
}

// A record named on the command line that is another program's file, or
// no database at all, is refused before anything opens it: the learner may
// have meant another option, and the file is not ours to change.
std::optional<int> refuseForeignRecord(const StartOptions &options, const QString &name)
{
    if (options.progressFile.isEmpty() || !options.exportProgress.isEmpty() ||
        RecordFile::ownership(options.progressFile) != RecordFile::Owner::Foreign)
        return std::nullopt;
    std::fprintf(stderr,
                 "%s: %s is not a Velkaro practice record, so it is left as it is; name a new "
                 "file or a record of your answers\n",
                 name.toLocal8Bit().constData(),
                 QDir::toNativeSeparators(options.progressFile).toLocal8Bit().constData());
    return CommandLine::UsageError;
}

// Does the teacher's task asked for; the status to end with.
int classTask(const StartOptions &options)
{
    const ClassUrl url = *ClassUrl::parse(options.classTaskServer, nullptr);
    switch (options.classTask) {
    case StartOptions::ClassTask::Setup:
        return ClassCommands::setup(url);
    case StartOptions::ClassTask::AddPupil:
        return ClassCommands::addPupil(url, options.pupil);
    case StartOptions::ClassTask::Report:
        return ClassCommands::report(url, options.csv);
    case StartOptions::ClassTask::None:
        break;
    }
    return 0;
}

QString program(const QStringList &arguments)
{
    return arguments.isEmpty() ? QStringLiteral("velkaro") : arguments.first().section('/', -1);
}

} // namespace

namespace CommandLine {

Parsed parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    // -style NAME, as the toolkit spells its options, is one option, not five.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Velkaro teaches reading music notes: play the note shown on the staff."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption progressFile(
        QStringLiteral("progress-file"),
        QStringLiteral("Record answers in FILE instead of the default place."),
        QStringLiteral("FILE"));
    const QCommandLineOption clef(
        QStringLiteral("clef"),
        QStringLiteral("Start with the treble, bass, alto or tenor clef, or with the treble "
                       "and bass clefs on a grand staff."),
        QStringLiteral("treble|bass|alto|tenor|both"));
    const QCommandLineOption octaves(
        QStringLiteral("octaves"),
        QStringLiteral("Start with a keyboard of 1, 2 or 4 octaves, or all 88 keys."),
        QStringLiteral("1|2|4|88"));
    const QCommandLineOption range(
        QStringLiteral("range"),
        QStringLiteral("Test the notes from LOW to HIGH, such as A3-C6, within A0 to C8; on "
                       "the grand staff, split at middle C."),
        QStringLiteral("LOW-HIGH"));
    const QCommandLineOption interval(
        QStringLiteral("interval"),
        QStringLiteral("The test's note interval in milliseconds, %1 to %2.")
            .arg(ShortestInterval)
            .arg(LongestInterval),
        QStringLiteral("MS"));
    const QCommandLineOption noteChoice(
        QStringLiteral("notes"),
        QStringLiteral("Test notes at random, or more of those you miss (weak)."),
        QStringLiteral("random|weak"));
    const QCommandLineOption showAnswer(
        QStringLiteral("show-answer"),
        QStringLiteral("After a miss, light the right key until the next note."));
    const QCommandLineOption key(
        QStringLiteral("key"),
        QStringLiteral("Read in this major key (or its relative minor), or in a new key every "
                       "%1 notes.")
            .arg(NotesPerChangingKey),
        QStringLiteral("C|G|D|A|E|B|F#|C#|F|Bb|Eb|Ab|Db|Gb|Cb|changing"));
    const QCommandLineOption chromatic(
        QStringLiteral("chromatic"),
        QStringLiteral("In a key other than C major, test the notes outside the key too, "
                       "with their accidentals."));
    const QCommandLineOption challenge(
        QStringLiteral("challenge"),
        QStringLiteral("Start a one-minute challenge with the test settings given, as soon as "
                       "the window is up."));
    const QCommandLineOption exportProgress(
        QStringLiteral("export-progress"),
        QStringLiteral("Write every recorded answer to FILE as CSV (- for standard output) "
                       "and end, without a window."),
        QStringLiteral("FILE"));
    const QCommandLineOption classServer(
        QStringLiteral("class-server"),
        QStringLiteral("Send answers to a class's PostgreSQL server, a URL without a password "
                       "(postgresql://host/database); with --export-progress, export from it."),
        QStringLiteral("URL"));
    const QCommandLineOption pupil(QStringLiteral("pupil"),
                                   QStringLiteral("The pupil's login name on the class's server."),
                                   QStringLiteral("NAME"));
    const QCommandLineOption classSetup(
        QStringLiteral("class-setup"),
        QStringLiteral("Make a class's tables on the server, as the database's owner, and end."),
        QStringLiteral("URL"));
    const QCommandLineOption classAddPupil(
        QStringLiteral("class-add-pupil"),
        QStringLiteral("Make the login of the pupil NAME (given after the URL, or with --pupil), "
                       "print its password, and end."),
        QStringLiteral("URL"));
    const QCommandLineOption classReport(
        QStringLiteral("class-report"),
        QStringLiteral("Print one line of figures per pupil of the class, and end."),
        QStringLiteral("URL"));
    const QCommandLineOption format(QStringLiteral("format"),
                                    QStringLiteral("The class report as a table or as CSV."),
                                    QStringLiteral("table|csv"));
    parser.addOptions({progressFile, clef, octaves, range, interval, noteChoice, showAnswer, key,
                       chromatic, challenge, exportProgress, classServer, pupil, classSetup,
                       classAddPupil, classReport, format});
    for (const char *name : ToolkitValueOptions) {
        QCommandLineOption toolkit(QLatin1String(name), QString(), QStringLiteral("value"));
        toolkit.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(toolkit);
    }
    for (const char *name : ToolkitFlags) {
        QCommandLineOption toolkit{QLatin1String(name)};
        toolkit.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(toolkit);
    }

    Parsed parsed;
    const QString name = program(arguments);
    const auto fail = [&](const QString &message) {
        parsed.exitStatus = UsageError;
        parsed.error =
            QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(name, message);
        return parsed;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        parsed.exitStatus = 0;
        parsed.output = parser.helpText();
        return parsed;
    }
    if (parser.isSet(version)) {
        parsed.exitStatus = 0;
        parsed.output = QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                      QCoreApplication::applicationVersion());
        return parsed;
    }
    // The one word that may stand alone: the pupil's name after
    // --class-add-pupil URL.
    QStringList positional = parser.positionalArguments();
    const bool namedPupil = parser.isSet(QStringLiteral("class-add-pupil")) &&
                            positional.size() == 1 && !parser.isSet(QStringLiteral("pupil"));
    if (!positional.isEmpty() && !namedPupil)
        return fail(QStringLiteral("unexpected argument '%1'").arg(positional.first()));

    StartOptions &o = parsed.options;
    if (parser.isSet(progressFile)) {
        o.progressFile = parser.value(progressFile);
        if (o.progressFile.isEmpty())
            return fail(QStringLiteral("--progress-file needs a file name"));
    }
    if (parser.isSet(clef)) {
        const QString value = parser.value(clef);
        if (value == QLatin1String("treble"))
            o.clef = ClefMode::Treble;
        else if (value == QLatin1String("bass"))
            o.clef = ClefMode::Bass;
        else if (value == QLatin1String("alto"))
            o.clef = ClefMode::Alto;
        else if (value == QLatin1String("tenor"))
            o.clef = ClefMode::Tenor;
        else if (value == QLatin1String("both"))
            o.clef = ClefMode::Both;
        else
            return fail(QStringLiteral("--clef must be treble, bass, alto, tenor or both, not '%1'")
                            .arg(value));
    }
    if (parser.isSet(octaves)) {
        const QString value = parser.value(octaves);
        const struct
        {
            const char *name;
            int whiteKeys;
        } sizes[] = {{"1", KeyboardGeometry::OneOctave},
                     {"2", KeyboardGeometry::TwoOctaves},
                     {"4", KeyboardGeometry::FourOctaves},
                     {"88", KeyboardSpan::PianoWhiteKeys}};
        for (const auto &size : sizes) {
            if (value == QLatin1String(size.name))
                o.whiteKeys = size.whiteKeys;
        }
        if (!o.whiteKeys)
            return fail(QStringLiteral("--octaves must be 1, 2, 4 or 88, not '%1'").arg(value));
    }
    if (parser.isSet(range)) {
        const QString value = parser.value(range);
        o.range = NoteRange::fromText(value);
        if (!o.range)
            return fail(QStringLiteral("--range must name two keys of the piano from A0 to C8, "
                                       "the lower first, such as A3-C6, not '%1'")
                            .arg(value));
    }
    if (parser.isSet(interval)) {
        const QString value = parser.value(interval);
        bool ok = false;
        const int ms = value.toInt(&ok, 10);
        if (!ok || ms < ShortestInterval || ms > LongestInterval)
            return fail(QStringLiteral("--interval must be a whole number of milliseconds from "
                                       "%1 to %2, not '%3'")
                            .arg(ShortestInterval)
                            .arg(LongestInterval)
                            .arg(value));
        o.intervalMs = ms;
    }
    if (parser.isSet(noteChoice)) {
        const QString value = parser.value(noteChoice);
        if (value != QLatin1String("random") && value != QLatin1String("weak"))
            return fail(QStringLiteral("--notes must be random or weak, not '%1'").arg(value));
        o.weakNotes = value == QLatin1String("weak");
    }
    o.showAnswer = parser.isSet(showAnswer);
    if (parser.isSet(key)) {
        const QString value = parser.value(key);
        if (value == QLatin1String("changing")) {
            o.key = KeyChoice{KeySignature(), true};
        } else if (const auto signature = KeySignature::fromOptionName(value)) {
            o.key = KeyChoice{*signature, false};
        } else {
            QStringList names;
            for (const KeySignature k : KeySignature::all())
                names << k.optionName();
            return fail(QStringLiteral("--key must be one of %1 or changing, not '%2'")
                            .arg(names.join(QLatin1Char(' ')), value));
        }
    }
    o.chromatic = parser.isSet(chromatic);
    o.challenge = parser.isSet(challenge);
    if (parser.isSet(exportProgress)) {
        o.exportProgress = parser.value(exportProgress);
        if (o.exportProgress.isEmpty())
            return fail(QStringLiteral("--export-progress needs a file name, or - for standard "
                                       "output"));
    }

    // A URL is refused here, before anything is sent or kept, when it holds a password.
    const auto url = [&](const QCommandLineOption &option, QString *into) {
        QString why;
        if (!ClassUrl::parse(parser.value(option), &why)) {
            fail(QStringLiteral("--%1: %2").arg(option.names().first(), why));
            return false;
        }
        *into = parser.value(option);
        return true;
    };
    int tasks = 0;
    for (const auto &[option, task] : {std::pair{&classSetup, StartOptions::ClassTask::Setup},
                                       std::pair{&classAddPupil, StartOptions::ClassTask::AddPupil},
                                       std::pair{&classReport, StartOptions::ClassTask::Report}}) {
        if (!parser.isSet(*option))
            continue;
        ++tasks;
        o.classTask = task;
        if (!url(*option, &o.classTaskServer))
            return parsed;
    }
    if (tasks > 1 || (tasks == 1 && !o.exportProgress.isEmpty()))
        return fail(QStringLiteral("--class-setup, --class-add-pupil, --class-report and "
                                   "--export-progress each need a run of their own"));
    if (parser.isSet(classServer)) {
        if (tasks > 0)
            return fail(QStringLiteral("--class-server goes with starting the program or with "
                                       "--export-progress"));
        if (!url(classServer, &o.classServer))
            return parsed;
    }
    if (parser.isSet(pupil) || namedPupil) {
        o.pupil = namedPupil ? positional.first() : parser.value(pupil);
        if (!ClassSchema::isPupilName(o.pupil))
            return fail(QStringLiteral("--pupil must be a login name of letters, digits, '_', "
                                       "'.' and '-', not '%1'")
                            .arg(o.pupil));
        if (o.classServer.isEmpty() && o.classTask != StartOptions::ClassTask::AddPupil)
            return fail(QStringLiteral("--pupil goes with --class-server or --class-add-pupil"));
    } else if (o.classTask == StartOptions::ClassTask::AddPupil) {
        return fail(QStringLiteral("--class-add-pupil needs the pupil's name after the URL"));
    }
    if (parser.isSet(format)) {
        const QString value = parser.value(format);
        if (value != QLatin1String("table") && value != QLatin1String("csv"))
            return fail(QStringLiteral("--format must be table or csv, not '%1'").arg(value));
        if (o.classTask != StartOptions::ClassTask::Report)
            return fail(QStringLiteral("--format goes with --class-report"));
        o.csv = value == QLatin1String("csv");
    }
    return parsed;
}

Parsed read(int argc, char **argv)
{
    QCoreApplication reader(argc, argv);
    Parsed parsed = parse(QCoreApplication::arguments());
    std::fputs(parsed.output.toLocal8Bit().constData(), stdout);
    std::fputs(parsed.error.toLocal8Bit().constData(), stderr);
    if (!parsed.exitStatus)
        parsed.exitStatus =
            refuseForeignRecord(parsed.options, program(QCoreApplication::arguments()));
    if (!parsed.exitStatus && !parsed.options.exportProgress.isEmpty())
        parsed.exitStatus = exportProgress(parsed.options);
    if (!parsed.exitStatus && parsed.options.classTask != StartOptions::ClassTask::None)
        parsed.exitStatus = classTask(parsed.options);
    return parsed;
}

} // namespace CommandLine
