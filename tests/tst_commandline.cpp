// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <QProcess>
#include <QTest>

class CommandLineTest : public QObject
{
    Q_OBJECT
private slots:
    void badValuesStopWithAClearMessage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("named");
        QTest::newRow("clef") << QStringList{"--clef", "soprano"} << "--clef";
        QTest::newRow("range reversed") << QStringList{"--range", "C6-A3"} << "--range";
        QTest::newRow("range below A0") << QStringList{"--range", "G#0-C4"} << "--range";
        QTest::newRow("range above C8") << QStringList{"--range=C4-C#8"} << "--range";
        QTest::newRow("range empty") << QStringList{"--range="} << "--range";
        QTest::newRow("range of one end") << QStringList{"--range", "A3"} << "--range";
        QTest::newRow("range not of notes") << QStringList{"--range", "H3-C6"} << "--range";
        QTest::newRow("octaves") << QStringList{"--octaves", "3"} << "--octaves";
        QTest::newRow("interval zero") << QStringList{"--interval", "0"} << "--interval";
        QTest::newRow("interval too long") << QStringList{"--interval=1000000"} << "--interval";
        QTest::newRow("interval not a number") << QStringList{"--interval", "5s"} << "--interval";
        QTest::newRow("notes") << QStringList{"--notes", "hard"} << "--notes";
        QTest::newRow("empty file name") << QStringList{"--progress-file="} << "--progress-file";
        QTest::newRow("empty export name")
            << QStringList{"--export-progress="} << "--export-progress";
        QTest::newRow("missing value") << QStringList{"--clef"} << "clef";
        QTest::newRow("unknown option") << QStringList{"--colour"} << "colour";
        QTest::newRow("stray argument") << QStringList{"notes.txt"} << "notes.txt";
        QTest::newRow("key") << QStringList{"--key", "H"} << "--key";
        QTest::newRow("key in lower case") << QStringList{"--key", "bb"} << "--key";
        QTest::newRow("two pupils")
            << QStringList{"--class-add-pupil", "postgresql://school/class", "anna", "bob"}
            << "anna";
    }

    void badValuesStopWithAClearMessage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, named);
        const CommandLine::Parsed p = CommandLine::parse(QStringList{"velkaro"} + arguments);
        QCOMPARE(p.exitStatus, std::optional<int>(CommandLine::UsageError));
        QVERIFY2(p.error.contains(named), qPrintable(p.error));
        QVERIFY(p.output.isEmpty());
    }

    void goodValuesBecomeStartSettingsAndToolkitOptionsPassThrough()
    {
        const CommandLine::Parsed p =
            CommandLine::parse({"velkaro", "-style", "Fusion", "--progress-file", "pupil.sqlite",
                                "--clef", "bass", "--octaves", "2", "--interval", "999999",
                                "--notes", "weak", "--show-answer", "-reverse"});
        QVERIFY2(!p.exitStatus, qPrintable(p.error));
        QCOMPARE(p.options.progressFile, QStringLiteral("pupil.sqlite"));
        QCOMPARE(p.options.clef, std::optional<ClefMode>(ClefMode::Bass));
        QCOMPARE(p.options.whiteKeys, std::optional<int>(14));
        QCOMPARE(p.options.intervalMs, std::optional<int>(999999));
        QCOMPARE(p.options.weakNotes, std::optional<bool>(true));
        QVERIFY(p.options.showAnswer);
        const CommandLine::Parsed keyed =
            CommandLine::parse({"velkaro", "--key", "Gb", "--chromatic"});
        QCOMPARE(keyed.options.key, std::optional<KeyChoice>(KeyChoice{KeySignature(-6), false}));
        QVERIFY(keyed.options.chromatic);
        const CommandLine::Parsed pupil = CommandLine::parse(
            {"velkaro", "--class-add-pupil", "postgresql://school/class", "anna"});
        QVERIFY2(!pupil.exitStatus, qPrintable(pupil.error));
        QCOMPARE(pupil.options.pupil, QStringLiteral("anna"));
        const CommandLine::Parsed plain = CommandLine::parse({"velkaro"});
        QVERIFY(!plain.exitStatus && !plain.options.clef && !plain.options.intervalMs);
        QVERIFY(!plain.options.range && !plain.options.whiteKeys);
        // The C clefs, the 88 keys, and a range in any spelling and case.
        const CommandLine::Parsed c = CommandLine::parse(
            {"velkaro", "--clef=tenor", "--octaves", "88", "--range", "Bb2-f#4"});
        QVERIFY2(!c.exitStatus, qPrintable(c.error));
        QCOMPARE(c.options.clef, std::optional<ClefMode>(ClefMode::Tenor));
        QCOMPARE(c.options.whiteKeys, std::optional<int>(52));
        QCOMPARE(c.options.range, std::optional<NoteRange>(NoteRange(46, 66)));
    }

    // The real program, with no display to open a window on.
    void helpVersionAndErrorsNeedNoDisplay_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("printed");
        QTest::newRow("help") << QStringList{"--help"} << 0 << "--progress-file";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "velkaro 1";
        QTest::newRow("bad value") << QStringList{"--octaves", "3"} << 2 << "--octaves";
    }

    void helpVersionAndErrorsNeedNoDisplay()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, printed);
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(name));
        program.setProcessEnvironment(env);
        program.start(qEnvironmentVariable("VELKARO_TEST_BINARY_DIR") + "/bin/velkaro", arguments);
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitCode(), status);
        const QString out = program.readAllStandardOutput() + program.readAllStandardError();
        QVERIFY2(out.contains(printed), qPrintable(out));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)

#include "tst_commandline.moc"
