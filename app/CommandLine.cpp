// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "keyboard/KeyboardGeometry.h"
#include "keyboard/KeyboardSpan.h"
#include "progress/AnswerLog.h"
#include "progress/CsvExport.h"
#include "staff/VKTest.h"

#include <QCommandLineParser>
#include <QCoreApplication>

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
    const QString log =
        options.progressFile.isEmpty() ? AnswerLog::defaultPath() : options.progressFile;
    QString error;
    if (CsvExport::write(log, options.exportProgress, &error))
        return 0;
    std::fprintf(stderr, "velkaro: %s\n", error.toLocal8Bit().constData());
    return 1;
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
    const QCommandLineOption exportProgress(
        QStringLiteral("export-progress"),
        QStringLiteral("Write every recorded answer to FILE as CSV (- for standard output) "
                       "and end, without a window."),
        QStringLiteral("FILE"));
    parser.addOptions({progressFile, clef, octaves, range, interval, noteChoice, showAnswer, key,
                       chromatic, exportProgress});
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
    if (!parser.positionalArguments().isEmpty())
        return fail(
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));

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
    if (parser.isSet(exportProgress)) {
        o.exportProgress = parser.value(exportProgress);
        if (o.exportProgress.isEmpty())
            return fail(QStringLiteral("--export-progress needs a file name, or - for standard "
                                       "output"));
    }
    return parsed;
}

Parsed read(int argc, char **argv)
{
    QCoreApplication reader(argc, argv);
    Parsed parsed = parse(QCoreApplication::arguments());
    std::fputs(parsed.output.toLocal8Bit().constData(), stdout);
    std::fputs(parsed.error.toLocal8Bit().constData(), stderr);
    if (!parsed.exitStatus && !parsed.options.exportProgress.isEmpty())
        parsed.exitStatus = exportProgress(parsed.options);
    return parsed;
}

} // namespace CommandLine
