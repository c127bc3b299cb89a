// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HistoryWriter.h"
#include "WindowDriver.h"

#include "app/CommandLine.h"
#include "app/VKControl.h"
#include "notes/Catalogue.h"
#include "progress/AnswerLog.h"
#include "progress/CsvExport.h"
#include "progress/ProgressFigures.h"
#include "progress/ProgressFile.h"
#include "report/NoteStaffPicture.h"
#include "report/ProgressWindow.h"
#include "report/TotalsTable.h"
#include "staff/VKTest.h"

#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace ProgressFigures;

namespace {

const QDateTime Monday(QDate(2026, 3, 2), QTime(10, 0), QTimeZone::utc());

Answer answer(const QDateTime &at, qint64 session, int note, bool correct,
              std::optional<int> responseMs)
{
    Answer a;
    a.at = at;
    a.session = session;
    a.clef = QStringLiteral("treble");
    a.written = WrittenNote::fromMidi(note);
    a.correct = correct;
    a.responseMs = responseMs;
    if (responseMs) {
        a.answer = correct ? note : note + 1;
        a.source = QStringLiteral("keys");
    }
    a.intervalMs = 5000;
    return a;
}

// Three test runs. Monday 10:00, 5 minutes by its row in `sessions`: note
// 60 twelve times, right, right, then 1 0 1 1 0 1 1 0 1 1, right answers
// taking 1000 + 100 i ms. Tuesday 09:00, imported without a row: note 62
// right in 1.5 s and 2.5 s, then timed out, and note 64 timed out; it lasts
// from 09:00:00 to its last verdict at 09:00:14. The next Tuesday 18:00,
// one minute by its row: note 60 right three times.
void writeKnownLog(const QString &path)
{
    HistoryWriter w(path);
    const bool pattern[12] = {1, 1, 1, 0, 1, 1, 0, 1, 1, 0, 1, 1};
    for (int i = 0; i < 12; ++i)
        w.add(answer(Monday.addSecs(2 + 2 * i), 1, 60, pattern[i],
                     pattern[i] ? 1000 + 100 * i : 900));
    w.addSession(1, Monday, Monday.addSecs(300));

    const QDateTime tuesday = Monday.addDays(1).addSecs(-3600);
    w.add(answer(tuesday.addMSecs(1500), 2, 62, true, 1500));
    w.add(answer(tuesday.addMSecs(4000), 2, 62, true, 2500));
    w.add(answer(tuesday.addMSecs(9000), 2, 62, false, std::nullopt));
    w.add(answer(tuesday.addMSecs(14000), 2, 64, false, std::nullopt));

    const QDateTime later = Monday.addDays(8).addSecs(8 * 3600);
    for (int i = 0; i < 3; ++i)
        w.add(answer(later.addSecs(1 + i), 3, 60, true, 800 + 100 * i));
    w.addSession(3, later, later.addSecs(60));
    QVERIFY(w.isOk());
}

QStringList csvLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

class ProgressTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_known;
    History m_history;

private slots:
    void initTestCase()
    {
        m_known = m_dir.filePath(QStringLiteral("known.sqlite"));
        writeKnownLog(m_known);
        ProgressFile file(m_known);
        QVERIFY2(file.readAnswers(m_history.answers), qPrintable(file.errorString()));
        m_history.sessions = file.readSessions();
        QCOMPARE(m_history.answers.size(), 19);
        QCOMPARE(m_history.sessions.size(), 2);
    }

    void theLogIsReadWithItsTimesAndNulls()
    {
        const LoggedAnswer &first = m_history.answers.first();
        QCOMPARE(first.atMs, Monday.addSecs(2).toMSecsSinceEpoch());
        QCOMPARE(first.responseMs, std::optional<int>(1000));
        const LoggedAnswer &timedOut = m_history.answers.at(14);
        QCOMPARE(timedOut.note, 62);
        QVERIFY(!timedOut.responseMs);
        QCOMPARE(timedOut.intervalMs, 5000);
        QCOMPARE(m_history.sessions.value(1).startMs, Monday.toMSecsSinceEpoch());
    }

    // Accuracy over the newest ten answers, the median time of the right
    // ones among them (the mean of the middle two for an even count).
    void eachNoteIsJudgedOnItsLastTenAnswers_data()
    {
        QTest::addColumn<int>("note");
        QTest::addColumn<int>("answers");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("recent");
        QTest::addColumn<int>("recentRight");
        QTest::addColumn<int>("medianMs"); // -1 for none
        QTest::newRow("15 answers, the oldest five left out") << 60 << 15 << 12 << 10 << 8 << 1600;
        QTest::newRow("two right, one timed out") << 62 << 3 << 2 << 3 << 2 << 2000;
        QTest::newRow("only timed out") << 64 << 1 << 0 << 1 << 0 << -1;
    }
    void eachNoteIsJudgedOnItsLastTenAnswers()
    {
        QFETCH(int, note);
        const QHash<int, NoteFigures> figures = byNote(m_history.answers);
        QCOMPARE(figures.size(), 3);
        const NoteFigures f = figures.value(note);
        QTEST(f.answers, "answers");
        QTEST(f.right, "right");
        QTEST(f.recent, "recent");
        QTEST(f.recentRight, "recentRight");
        QTEST(f.medianMs.value_or(-1), "medianMs");
    }

    // Per period: answers, right, test time (from the run's row, else from
    // its first note's appearance to its last verdict) and notes per minute.
    void practiceIsSummedByDayOrByWeek_data()
    {
        QTest::addColumn<QTimeZone>("zone");
        QTest::addColumn<Period>("period");
        // Per period with answers: first day, answers, right, test seconds, median ms.
        QTest::addColumn<QList<QList<int>>>("expected");
        QTest::addColumn<int>("periods");
        QTest::addColumn<qreal>("firstPerMinute");
        QTest::newRow("days") << QTimeZone::utc() << Period::Day
                              << QList<QList<int>>{{2, 12, 9, 300, 1500},
                                                   {3, 4, 2, 14, 2000},
                                                   {10, 3, 3, 60, 900}}
                              << 9 << 12 / 5.0;
        QTest::newRow("weeks, counted back from the last day")
            << QTimeZone::utc() << Period::Week
            << QList<QList<int>>{{2, 12 + 4, 9 + 2, 314, 1500}, {4, 3, 3, 60, 900}} << 2
            << 16 / (314 / 60.0);
        QTest::newRow("ten hours ahead, the evening run falls out")
            << QTimeZone(10 * 3600) << Period::Day
            << QList<QList<int>>{{2, 12, 9, 300, 1500}, {3, 4, 2, 14, 2000}} << 9 << 12 / 5.0;
    }
    void practiceIsSummedByDayOrByWeek()
    {
        QFETCH(QTimeZone, zone);
        QFETCH(Period, period);
        QFETCH(QList<QList<int>>, expected);
        const QDate from(2026, 3, 2);
        const QDate to(2026, 3, 10);
        const QList<PeriodFigures> periods = byPeriod(m_history, from, to, period, zone);
        QTEST(int(periods.size()), "periods");
        QCOMPARE(periods.last().last, to);
        QList<QList<int>> seen;
        for (const PeriodFigures &p : periods) {
            if (p.answers > 0)
                seen.append({p.first.day(), p.answers, p.right, int(p.testMs / 1000),
                             p.medianMs.value_or(-1)});
        }
        QCOMPARE(seen, expected);
        QTEST(periods.first().notesPerMinute().value_or(0), "firstPerMinute");
        QCOMPARE(periodFor(from, to), Period::Day);
        QCOMPARE(periodFor(from.addDays(-60), to), Period::Week);
    }

    // The longest run goes on from one test run into the next.
    void totalsCountRunsTestsAndTime_data()
    {
        QTest::addColumn<qint64>("since");
        QTest::addColumn<QList<qint64>>("expected"); // answers, right, test s, tests, run
        QTest::newRow("all") << std::numeric_limits<qint64>::min()
                             << QList<qint64>{19, 14, 374, 3, 4};
        QTest::newRow("the last run only")
            << Monday.addDays(8).toMSecsSinceEpoch() << QList<qint64>{3, 3, 60, 1, 3};
        QTest::newRow("nothing") << Monday.addDays(30).toMSecsSinceEpoch()
                                 << QList<qint64>{0, 0, 0, 0, 0};
    }
    void totalsCountRunsTestsAndTime()
    {
        QFETCH(qint64, since);
        const Totals t = totals(m_history, since);
        QTEST((QList<qint64>{t.answers, t.right, t.testMs / 1000, t.tests, t.longestRun}),
              "expected");
    }

    // Header of the log's column names, a line per row, NULL as an empty
    // field, text with commas or quotes quoted.
    void theCsvHoldsEveryRowAsTheLogHasIt()
    {
        const QString log = m_dir.filePath(QStringLiteral("csv.sqlite"));
        {
            HistoryWriter w(log);
            w.add(answer(Monday, 1, 60, true, 1234));
            w.add(answer(Monday.addSecs(5), 1, 62, false, std::nullopt));
            Answer imported = answer(Monday.addSecs(9), 1, 64, true, 700);
            imported.source = QStringLiteral("midi \"Piano\", port 2");
            w.add(imported);
            QVERIFY(w.isOk());
        }
        const QString csv = m_dir.filePath(QStringLiteral("out.csv"));
        QString error;
        QVERIFY2(CsvExport::write(log, csv, &error), qPrintable(error));
        QCOMPARE(csvLines(csv),
                 QStringList({"id,at,session,clef,note,flat,answer,correct,response_ms,source,"
                              "interval_ms,key,written",
                              "1,2026-03-02T10:00:00.000Z,1,treble,60,0,60,1,1234,keys,5000,0,C4",
                              "2,2026-03-02T10:00:05.000Z,1,treble,62,0,,0,,,5000,0,D4",
                              "3,2026-03-02T10:00:09.000Z,1,treble,64,0,64,1,700,"
                              "\"midi \"\"Piano\"\", port 2\",5000,0,E4"}));
    }

    // Nothing is created, changed or half written.
    void aFailedExportSaysWhyAndLeavesEverythingAsItWas_data()
    {
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("target");
        QTest::newRow("no log") << "absent.sqlite"
                                << "a.csv";
        QTest::newRow("not a database") << "text.sqlite"
                                        << "b.csv";
        QTest::newRow("no such folder") << "known.sqlite"
                                        << "missing/c.csv";
        QTest::newRow("onto the log itself") << "known.sqlite"
                                             << "known.sqlite";
    }
    void aFailedExportSaysWhyAndLeavesEverythingAsItWas()
    {
        QFETCH(QString, log);
        QFETCH(QString, target);
        QFile text(m_dir.filePath(QStringLiteral("text.sqlite")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("not a database, only text\n");
        text.close();
        const QString logPath = m_dir.filePath(log);
        const qint64 before = QFile::exists(logPath) ? QFile(logPath).size() : -1;
        QString error;
        QVERIFY(!CsvExport::write(logPath, m_dir.filePath(target), &error));
        QVERIFY(!error.isEmpty());
        if (target != log)
            QVERIFY(!QFile::exists(m_dir.filePath(target)));
        QCOMPARE(QFile::exists(logPath) ? QFile(logPath).size() : -1, before);
        if (log == QLatin1String("known.sqlite")) {
            ProgressFile file(logPath);
            QList<LoggedAnswer> rows;
            QVERIFY(file.readAnswers(rows));
            QCOMPARE(rows.size(), 19);
        }
    }

    // The program's own log keeps recording after its record was emptied.
    void forgettingEmptiesTheLogAndRecordingGoesOn()
    {
        const QString path = m_dir.filePath(QStringLiteral("forget.sqlite"));
        AnswerLog log(path);
        QCOMPARE(log.open(), AnswerLog::State::Recording);
        log.beginSession();
        QVERIFY(log.record(answer(QDateTime(), 0, 60, true, 900)));
        QVERIFY(log.record(answer(QDateTime(), 0, 62, false, 1200)));
        QVERIFY(log.finishWrites());

        ProgressWindow window(path);
        QSignalSpy asked(&window, &ProgressWindow::forgetRequested);
        connect(&window, &ProgressWindow::forgetRequested, &log, &AnswerLog::forget);
        connect(&log, &AnswerLog::forgotten, &window, &ProgressWindow::forgetDone);
        connect(&log, &AnswerLog::recorded, &window, &ProgressWindow::scheduleRefresh);
        window.show();
        QCOMPARE(window.totals()->text(TotalsTable::Answered, TotalsTable::AllTime),
                 QStringLiteral("2"));

        WindowDriver::whenModal([](QDialog *dialog) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            for (QAbstractButton *b : box->buttons()) {
                if (box->buttonRole(b) == QMessageBox::DestructiveRole)
                    b->click();
            }
        });
        window.confirmForget();
        QCOMPARE(asked.size(), 1);
        QTRY_COMPARE(window.totals()->text(TotalsTable::Answered, TotalsTable::AllTime),
                     QStringLiteral("0"));

        // The test goes on: its next answer is recorded, under a run with a row.
        QSignalSpy recorded(&log, &AnswerLog::recorded);
        QVERIFY(log.record(answer(QDateTime(), 0, 64, true, 700)));
        QVERIFY(log.finishWrites());
        QCOMPARE(recorded.size(), 1);
        QTRY_COMPARE(window.totals()->text(TotalsTable::Answered, TotalsTable::AllTime),
                     QStringLiteral("1"));
        QCOMPARE(window.history().answers.first().note, 64);
        QCOMPARE(window.history().sessions.size(), 1);
        QCOMPARE(window.history().sessions.keys().first(),
                 window.history().answers.first().session);
    }

    // The real program with no display: the CSV or a message, and the status.
    void theProgramExportsWithoutAWindow_data()
    {
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("lines");
        QTest::newRow("to a file") << "known.sqlite"
                                   << "cli.csv" << 0 << 20;
        QTest::newRow("to standard output") << "known.sqlite"
                                            << "-" << 0 << 20;
        QTest::newRow("no log") << "absent.sqlite"
                                << "cli.csv" << 1 << 0;
    }
    void theProgramExportsWithoutAWindow()
    {
        QFETCH(QString, log);
        QFETCH(QString, target);
        QFETCH(int, lines);
        const QString csv = target == QLatin1String("-") ? target : m_dir.filePath(target);
        QFile::remove(csv);
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(name));
        program.setProcessEnvironment(env);
        program.start(qEnvironmentVariable("VELKARO_TEST_BINARY_DIR") + "/bin/velkaro",
                      {"--progress-file", m_dir.filePath(log), "--export-progress", csv});
        QVERIFY(program.waitForFinished(20000));
        QTEST(program.exitCode(), "status");
        const QByteArray out = program.readAllStandardOutput();
        const QString error = program.readAllStandardError();
        const QByteArray written = csv == QLatin1String("-") ? out : [&] {
            QFile f(csv);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        QCOMPARE(int(written.count('\n')), lines);
        if (lines == 0)
            QVERIFY2(error.contains(m_dir.filePath(log)), qPrintable(error));
        else
            QVERIFY(written.startsWith("id,at,session,"));
    }

    // File > Progress makes one window, raised when asked again, and it
    // follows the test that runs in the main window.
    void theShortcutOpensOneWindowThatFollowsTheTest()
    {
        const QString path = m_dir.filePath(QStringLiteral("window.sqlite"));
        VKControl w;
        StartOptions options;
        options.progressFile = path;
        w.applyStartOptions(options);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.openAnswerLog();
        QVERIFY(w.answerLog()->open() == AnswerLog::State::Recording);
        QVERIFY(!w.progressWindow());

        QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        ProgressWindow *progress = w.progressWindow();
        QVERIFY(progress && progress->isVisible());
        QVERIFY(progress->windowTitle().contains(QLatin1String("Progress")));
        QCOMPARE(progress->logPath(), path);
        progress->close();
        QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.progressWindow(), progress);
        QVERIFY(progress->isVisible());
        QCOMPARE(w.findChildren<ProgressWindow *>().size(), 1);

        w.setMode(true);
        const int shown = w.staffView()->currentTestNote()->midi();
        w.staffView()->checkNote(shown, NoteSource::Screen);
        QTRY_COMPARE(progress->totals()->text(TotalsTable::Answered, TotalsTable::AllTime),
                     QStringLiteral("1"));
        QCOMPARE(progress->history().answers.first().note, shown);
        w.setMode(false);
    }

    // One key's answers alone, each note named as that key writes it: B4
    // answered in G flat major is C flat there, and never asked in C major.
    void theNotesShowOneKeysAnswersAsItWritesThem()
    {
        const QString path = m_dir.filePath(QStringLiteral("keys.sqlite"));
        {
            HistoryWriter w(path);
            Answer cFlat = answer(Monday, 1, 71, true, 900);
            cFlat.written = WrittenNote(WrittenNote::C, -1, 5);
            cFlat.key = -6;
            w.add(cFlat);
            w.add(answer(Monday.addSecs(5), 1, 60, false, std::nullopt));
            QVERIFY(w.isOk());
        }
        ProgressWindow window(path);
        window.show();
        NoteStaffPicture *notes = window.staffPicture();
        QTRY_COMPARE(window.history().answers.size(), 2);
        QVERIFY(notes->describe(71).startsWith(QLatin1String("B4\nAnswers: 1")));
        window.setShownKey(KeySignature(-6));
        QCOMPARE(notes->key(), KeySignature(-6));
        QVERIFY(notes->describe(71).startsWith(QStringLiteral("C\u266d5\nAnswers: 1")));
        QVERIFY(notes->describe(60).endsWith(QLatin1String("never asked")));
        window.setShownKey(KeySignature(0));
        QVERIFY(notes->describe(71).endsWith(QLatin1String("never asked")));
        QVERIFY(notes->describe(60).contains(QLatin1String("Answers: 1")));
    }

    // Shown over a log that does not exist yet, it waits for one.
    void anAbsentLogIsAnEmptyRecordAndStaysAbsent()
    {
        const QString path = m_dir.filePath(QStringLiteral("later.sqlite"));
        ProgressWindow window(path);
        window.show();
        QCOMPARE(window.statusText(), QStringLiteral("No answers recorded yet."));
        QVERIFY(!QFile::exists(path));
        QVERIFY(window.findChild<QPushButton *>() != nullptr);

        AnswerLog log(path);
        QCOMPARE(log.open(), AnswerLog::State::Recording);
        log.beginSession();
        QVERIFY(log.record(answer(QDateTime(), 0, 60, true, 900)));
        QVERIFY(log.finishWrites());
        window.refresh();
        QCOMPARE(window.history().answers.size(), 1);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ProgressTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_progress.moc"
