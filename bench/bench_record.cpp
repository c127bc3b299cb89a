// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the learner's record costs: the time to record one answer, which the
// window spends on its own thread, and, with a record of 100,000 answers,
// the time to open it after the first paint and to read each note's recent
// answers when a test starts.
#include "notes/Catalogue.h"
#include "progress/AnswerLog.h"
#include "progress/Drill.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Answers = 2000;
// Two copies of the journal's worth, 30 ms apart.
constexpr int PacedAnswers = 512;
constexpr int PacedMs = 30;
constexpr int LongRecord = 100000;

Answer sampleAnswer(int i)
{
    Answer a;
    a.clef = QStringLiteral("treble");
    a.written = WrittenNote::fromMidi(60 + i % 24);
    a.answer = a.note() + (i % 7 == 0 ? 1 : 0);
    a.correct = i % 7 != 0;
    a.responseMs = 700 + i % 2000;
    a.source = QStringLiteral("keys");
    a.intervalMs = 5000;
    return a;
}

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

// Fills an empty record with answers in one transaction, as an import would.
void fill(const QString &path, int count)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "fill");
        db.setDatabaseName(path);
        db.open();
        db.transaction();
        QSqlQuery q(db);
        q.prepare(QStringLiteral("INSERT INTO answers (at, session, clef, note, flat, answer, "
                                 "correct, response_ms, source, interval_ms) "
                                 "VALUES (?, ?, 'treble', ?, 0, ?, ?, ?, 'keys', 5000)"));
        for (int i = 0; i < count; ++i) {
            const Answer a = sampleAnswer(i);
            q.addBindValue(QStringLiteral("2026-01-01T10:00:00.000Z"));
            q.addBindValue(1 + i / 50);
            q.addBindValue(a.note);
            q.addBindValue(*a.answer);
            q.addBindValue(a.correct ? 1 : 0);
            q.addBindValue(*a.responseMs);
            q.exec();
        }
        db.commit();
    }
    QSqlDatabase::removeDatabase("fill");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;

    AnswerLog log(dir.filePath(QStringLiteral("progress.sqlite")));
    log.open();
    QElapsedTimer clock;
    // Paced faster than any learner answers, and back to back as only a
    // test at an interval of a millisecond does: there the journal outruns
    // its copying on the other thread, and is kept short on the window's.
    for (const auto &[answers, pauseMs] : {std::pair{PacedAnswers, PacedMs}, {Answers, 0}}) {
        log.beginSession();
        std::vector<double> us;
        for (int i = 0; i < answers; ++i) {
            clock.start();
            log.record(sampleAnswer(i));
            us.push_back(double(clock.nsecsElapsed()) / 1000);
            QThread::msleep(pauseMs);
        }
        std::printf("recording one answer (%d, each committed, %d ms apart): median %.0f us, "
                    "99th percentile %.0f us, slowest %.0f us\n",
                    answers, pauseMs, percentile(us, 0.5), percentile(us, 0.99),
                    *std::max_element(us.begin(), us.end()));
        clock.start();
        log.endSession();
        std::printf("ending the test run (its journal copied on a thread of its own): %.1f ms\n",
                    double(clock.nsecsElapsed()) / 1e6);
    }

    const QString longPath = dir.filePath(QStringLiteral("long.sqlite"));
    {
        AnswerLog empty(longPath);
        empty.open();
    }
    fill(longPath, LongRecord);
    AnswerLog longLog(longPath);
    clock.start();
    longLog.open();
    std::printf("opening a record of %d answers, integrity checked: %.1f ms\n", LongRecord,
                double(clock.nsecsElapsed()) / 1e6);
    clock.start();
    const auto recent =
        longLog.recentAnswers(toMidi(LowestNote), toMidi(HighestNote), Drill::Memory);
    std::printf("reading every note's last %d answers at a test's start: %.2f ms (%lld notes)\n",
                Drill::Memory, double(clock.nsecsElapsed()) / 1e6, qlonglong(recent.size()));
    return 0;
}
