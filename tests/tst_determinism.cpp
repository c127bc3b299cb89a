// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Handheld.h"

#include "app/StartUp.h"
#include "app/VKControl.h"
#include "platform/QPEApplication.h"
#include "staff/VKTest.h"

#include <QProcess>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>

// A fresh process must present the same test notes every time: those that
// the never-seeded C library generator gives. This test runs the program's
// start-up in a child process and compares its first notes with the raw
// generator's output in another child that does nothing else.

namespace {

constexpr int NotesChecked = 40;

int unseededRand(int count)
{
    for (int i = 0; i < count; ++i)
        std::printf("%d\n", std::rand());
    return 0;
}

// Starts as the program does, lets the sounds load, then collects the notes
// of a test left to run out.
int firstNotes(int argc, char **argv, int count)
{
    QPEApplication app(argc, argv);
    auto *window = new VKControl;
    window->setHelpFile(StartUp::helpFilePath(QPEApplication::qpeDir(), argv[0]));
    app.showMainWidget(window, true);
    QTimer::singleShot(0, &app, &StartUp::preloadSounds);
    QStringList shown;
    // Written as the handheld numbered them: a flat negative.
    QObject::connect(window->staffView(), &VKTest::newNote, &app, [&] {
        shown << QString::number(Handheld::number(*window->staffView()->currentTestNote()));
    });
    QTimer::singleShot(400, &app, [&] {
        window->staffView()->setTestTime(0);
        window->setMode(true);
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &app, [&] {
        if (shown.size() >= count)
            QCoreApplication::exit(0);
    });
    poll.start(1);
    const int rc = app.exec();
    window->setMode(false);
    std::printf("%s\n", qPrintable(shown.mid(0, count).join(QLatin1Char('\n'))));
    return rc;
}

QList<int> childOutput(const QStringList &args)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), args);
    if (!child.waitForFinished(30000) || child.exitCode() != 0)
        return {};
    QList<int> values;
    const auto lines = child.readAllStandardOutput().split('\n');
    for (const QByteArray &line : lines) {
        if (!line.trimmed().isEmpty())
            values << line.trimmed().toInt();
    }
    return values;
}

} // namespace

class DeterminismTest : public QObject
{
    Q_OBJECT
private slots:
    void aFreshProcessShowsTheNotesOfTheUnseededGenerator()
    {
        const QList<int> raw = childOutput({"--unseeded-rand", QString::number(2 * NotesChecked)});
        QCOMPARE(raw.size(), 2 * NotesChecked);
        QList<int> expected;
        int next = 0;
        for (int i = 0; i < NotesChecked; ++i) {
            const int semitone = int(raw[next++] * 24.0 / 2147483648.0);
            int note = 36 + semitone;
            const bool blackKey = QList<int>{1, 3, 6, 8, 10}.contains(semitone % 12);
            if (blackKey && raw[next++] % 2 == 1)
                note = -note;
            expected << note;
        }
        const QList<int> shown = childOutput({"--first-notes", QString::number(NotesChecked)});
        QCOMPARE(shown, expected);
        // And again: nothing in the start-up varies from run to run.
        QCOMPARE(childOutput({"--first-notes", QString::number(NotesChecked)}), expected);
    }
};

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--unseeded-rand") == 0)
        return unseededRand(std::atoi(argv[2]));
    if (argc == 3 && std::strcmp(argv[1], "--first-notes") == 0)
        return firstNotes(argc, argv, std::atoi(argv[2]));
    QCoreApplication app(argc, argv);
    DeterminismTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_determinism.moc"
