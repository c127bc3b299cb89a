// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Figures for the progress window over a large record: a made-up history of
// 100,000 answers is written to a temporary log, then
// - the Progress window is opened with Ctrl+Shift+P in a main window, and
//   the time from the key to the end of its first paint (window made, log
//   read, staves and chart drawn) is taken, in a fresh main window each time;
// - the window's refresh after one more answer, as during a test;
// - the CSV export of the whole log.
// Run it with bench/run.sh, or on any display (offscreen works too).

#include "HistoryWriter.h"

#include "app/CommandLine.h"
#include "app/VKControl.h"
#include "progress/CsvExport.h"
#include "report/NoteStaffPicture.h"
#include "report/ProgressWindow.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Answers = 100000;
constexpr int Days = 90;
constexpr int Rounds = 5;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

void report(const char *what, const std::vector<double> &ms)
{
    std::printf("%-52s median %7.1f ms  max %7.1f ms  (n=%zu)\n", what, median(ms),
                *std::max_element(ms.begin(), ms.end()), ms.size());
}

// Counts the paint events of the widgets it watches.
class PaintCounter : public QObject
{
public:
    int painted = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        painted += event->type() == QEvent::Paint;
        return false;
    }
};

// Milliseconds from Ctrl+Shift+P in a main window to the end of the first
// paint of both the staves and the chart.
double timeToFirstPaint(const QString &log)
{
    VKControl main;
    StartOptions options;
    options.progressFile = log;
    main.applyStartOptions(options);
    main.show();
    if (!QTest::qWaitForWindowExposed(&main))
        return -1;
    QElapsedTimer clock;
    clock.start();
    // The window is made and reads the log at once; it paints from the
    // event loop.
    QTest::keyClick(&main, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    ProgressWindow &window = *main.progressWindow();
    PaintCounter counter;
    window.staffPicture()->installEventFilter(&counter);
    // A chart paints into its view's viewport.
    auto *view = qobject_cast<QAbstractScrollArea *>(window.chartWidget());
    (view ? view->viewport() : window.chartWidget())->installEventFilter(&counter);
    double ms = -1;
    QEventLoop loop;
    // The paints run in the event loop: the figures are on screen once it
    // comes back to its timers after both.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (counter.painted >= 2) {
            ms = clock.nsecsElapsed() / 1e6;
            loop.quit();
        }
    });
    poll.start(0);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("progress.sqlite"));

    QElapsedTimer clock;
    clock.start();
    if (!writeGeneratedHistory(log, Answers, Days, QDateTime::currentDateTimeUtc())) {
        std::fprintf(stderr, "could not write the history\n");
        return 1;
    }
    std::printf("history of %d answers over %d days written in %lld ms (%.1f MB)\n", Answers, Days,
                clock.elapsed(), QFile(log).size() / 1e6);

    std::vector<double> open;
    for (int i = 0; i < Rounds; ++i)
        open.push_back(timeToFirstPaint(log));
    report("Progress window, Ctrl+Shift+P to first paint", open);

    {
        ProgressWindow window(log);
        window.show();
        std::vector<double> refresh;
        for (int i = 0; i < Rounds; ++i) {
            {
                HistoryWriter w(log);
                w.add(Answer{QDateTime::currentDateTimeUtc(), 999999, QStringLiteral("treble"),
                             WrittenNote::fromMidi(60), 0, 60, true, 900, QStringLiteral("keys"),
                             5000});
            }
            clock.restart();
            window.refresh();
            QCoreApplication::processEvents();
            refresh.push_back(clock.nsecsElapsed() / 1e6);
        }
        report("Progress window, refresh after one more answer", refresh);
    }

    const QString csv = dir.filePath(QStringLiteral("out.csv"));
    std::vector<double> exports;
    for (int i = 0; i < Rounds; ++i) {
        QFile::remove(csv);
        clock.restart();
        QString error;
        if (!CsvExport::write(log, csv, &error)) {
            std::fprintf(stderr, "export failed: %s\n", qPrintable(error));
            return 1;
        }
        exports.push_back(clock.nsecsElapsed() / 1e6);
    }
    report("CSV export of the whole log", exports);
    QFile out(csv);
    out.open(QIODevice::ReadOnly);
    std::printf("CSV: %lld lines, %.1f MB\n", out.readAll().count('\n'), out.size() / 1e6);
    return 0;
}
