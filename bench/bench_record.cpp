// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the learner's record costs: handing an answer to the writer, which
// the window spends, and the writer's time until it is committed; with a
// record of 100,000 answers, the time to open it after the first paint, to
// upgrade it from version 1, and to read each note's recent answers when a
// test starts; and the time from a key to its verdict while another
// program holds the record's write lock.
#include "FakeSound.h"
#include "RecordChildren.h"
#include "VersionOneRecord.h"

#include "app/CommandLine.h"
#include "app/VKControl.h"
#include "notes/Catalogue.h"
#include "progress/AnswerLog.h"
#include "progress/Drill.h"
#include "staff/VKTest.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
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
constexpr int Upgrades = 3;
// Keys answered while another program holds the lock, and how long it does.
constexpr int LockedKeys = 20;
constexpr int HoldMs = 6000;
constexpr int KeyPauseMs = 100;

Answer sampleAnswer(int i)
{
    Answer a;
    a.clef = QStringLiteral("treble");
    a.written = WrittenNote::fromMidi(60 + i % 24, i % 5 == 0);
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

double ms(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

// A version-1 record of count answers in runs of 50, as that version left
// it: every run with its row, the journal copied into the file.
void writeVersionOne(const QString &path, int count)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "v1");
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        VersionOneRecord::createTables(q);
        db.transaction();
        q.prepare(VersionOneRecord::InsertAnswer);
        for (int i = 0; i < count; ++i) {
            const Answer a = sampleAnswer(i);
            q.addBindValue(i + 1);
            q.addBindValue(QStringLiteral("2026-01-01T10:00:00.000Z"));
            q.addBindValue(1 + i / 50);
            q.addBindValue(i % 3 == 0 ? QStringLiteral("both") : a.clef);
            q.addBindValue(a.note());
            q.addBindValue(a.flat() ? 1 : 0);
            q.addBindValue(*a.answer);
            q.addBindValue(a.correct ? 1 : 0);
            q.addBindValue(*a.responseMs);
            q.addBindValue(a.source);
            q.addBindValue(a.intervalMs);
            q.exec();
        }
        q.prepare(QStringLiteral("INSERT INTO sessions VALUES (?, '2026-01-01T10:00:00.000Z',"
                                 " '2026-01-01T10:05:00.000Z')"));
        for (int s = 1; s <= 1 + (count - 1) / 50; ++s) {
            q.addBindValue(s);
            q.exec();
        }
        db.commit();
    }
    QSqlDatabase::removeDatabase("v1");
}

// Handing answers over on the caller's thread, and the writer's time until
// each is committed: paced as a quick learner answers, and back to back as
// only a test at an interval of a millisecond does.
void recording(const QString &path)
{
    AnswerLog log(path);
    log.open();
    QElapsedTimer clock;
    for (const auto &[answers, pauseMs] : {std::pair{PacedAnswers, PacedMs}, {Answers, 0}}) {
        log.beginSession();
        std::vector<double> handed, committed;
        for (int i = 0; i < answers; ++i) {
            clock.start();
            log.record(sampleAnswer(i));
            handed.push_back(double(clock.nsecsElapsed()) / 1000);
            if (pauseMs > 0) {
                log.finishWrites();
                committed.push_back(double(clock.nsecsElapsed()) / 1000);
                QThread::msleep(pauseMs);
            }
        }
        if (pauseMs == 0) {
            log.finishWrites();
            committed.push_back(double(clock.nsecsElapsed()) / 1000 / answers);
        }
        std::printf("handing one answer to the writer (%d, %d ms apart): median %.1f us, "
                    "99th percentile %.1f us, slowest %.0f us\n",
                    answers, pauseMs, percentile(handed, 0.5), percentile(handed, 0.99),
                    *std::max_element(handed.begin(), handed.end()));
        if (pauseMs > 0)
            std::printf("  until committed on the writer's thread: median %.0f us, 99th "
                        "percentile %.0f us, slowest %.0f us\n",
                        percentile(committed, 0.5), percentile(committed, 0.99),
                        *std::max_element(committed.begin(), committed.end()));
        else
            std::printf("  all %d committed on the writer's thread after the last was handed "
                        "over: %.0f us per answer\n",
                        answers, committed.front());
        log.endSession();
        log.finishWrites();
    }
}

void longRecord(const QString &path)
{
    QElapsedTimer clock;
    writeVersionOne(path, LongRecord);
    for (int run = 0; run < Upgrades; ++run) {
        const QString copy = path + QStringLiteral(".%1").arg(run);
        QFile::copy(path, copy);
        AnswerLog log(copy);
        clock.start();
        log.open();
        std::printf("upgrading a version-1 record of %d answers (%.1f MB) to version %d, its "
                    ".v1 copy included: %.0f ms\n",
                    LongRecord, double(QFile(path).size()) / 1e6, AnswerLog::SchemaVersion,
                    ms(clock));
    }
    const QString upgraded = path + QStringLiteral(".0");
    AnswerLog log(upgraded);
    clock.start();
    log.open();
    std::printf("opening a record of %d answers, integrity checked: %.1f ms\n", LongRecord,
                ms(clock));
    clock.start();
    const auto recent = log.recentAnswers(LowestNote, HighestNote, Drill::Memory);
    std::printf("reading every note's last %d answers at a test's start: %.2f ms (%lld notes)\n",
                Drill::Memory, ms(clock), qlonglong(recent.size()));
    clock.start();
    const auto inKey = log.recentAnswers(0, LowestNote, HighestNote, Drill::Memory);
    std::printf("the same within one key: %.2f ms (%lld notes)\n", ms(clock),
                qlonglong(inKey.size()));
}

// Keys pressed during a test, from the key's event to the verdict, first
// with the record free and then while another program holds its write lock.
void keyToVerdict(const QString &path)
{
    FakeSound sound;
    VKControl w;
    StartOptions options;
    options.progressFile = path;
    w.applyStartOptions(options);
    w.show();
    w.answerLog()->open();
    QElapsedTimer clock;
    std::vector<double> verdicts;
    QObject::connect(w.staffView(), &VKTest::judged,
                     [&] { verdicts.push_back(double(clock.nsecsElapsed()) / 1000); });
    constexpr Qt::Key Row[12] = {Qt::Key_Z, Qt::Key_S, Qt::Key_X, Qt::Key_D, Qt::Key_C, Qt::Key_V,
                                 Qt::Key_G, Qt::Key_B, Qt::Key_H, Qt::Key_N, Qt::Key_J, Qt::Key_M};
    for (const bool locked : {false, true}) {
        QProcess *holder = nullptr;
        if (locked) {
            holder = RecordChildren::start(
                {RecordChildren::HoldLock, path, QString::number(HoldMs)}, nullptr);
            QByteArray said;
            RecordChildren::readUntil(holder, "locked", &said);
        }
        verdicts.clear();
        w.setMode(true);
        QElapsedTimer run;
        run.start();
        for (int i = 0; i < LockedKeys; ++i) {
            const int midi = w.staffView()->currentTestNote()->midi();
            clock.start();
            QTest::keyClick(&w, Row[midi % 12]);
            QTest::qWait(KeyPauseMs);
        }
        const double keysMs = ms(run);
        const int waiting = w.answerLog()->pendingWrites();
        w.setMode(false);
        clock.start();
        w.answerLog()->finishWrites();
        std::printf("key to verdict, %s (%d keys in %.0f ms): median %.0f us, slowest %.0f us; "
                    "%d writes waiting after the last key, all written %.0f ms later\n",
                    locked ? "another program holding the write lock" : "the record free",
                    int(verdicts.size()), keysMs, percentile(verdicts, 0.5),
                    *std::max_element(verdicts.begin(), verdicts.end()), waiting, ms(clock));
        if (holder) {
            holder->waitForFinished();
            delete holder;
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (const int status = RecordChildren::runChild(argc, argv); status >= 0)
        return status;
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    recording(dir.filePath(QStringLiteral("progress.sqlite")));
    longRecord(dir.filePath(QStringLiteral("long.sqlite")));
    keyToVerdict(dir.filePath(QStringLiteral("keys.sqlite")));
    return 0;
}
