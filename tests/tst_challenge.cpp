// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChallengeDriver.h"
#include "FakeSound.h"
#include "LogRows.h"
#include "WindowDriver.h"

#include "app/ChallengeResultBox.h"
#include "app/CommandLine.h"
#include "app/VKScore.h"
#include "progress/AnswerLog.h"
#include "progress/ProgressFile.h"
#include "staff/Verdict.h"

#include <QJsonDocument>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace ProgressFigures;

namespace {

const QDateTime Morning(QDate(2026, 5, 4), QTime(9, 30), QTimeZone::utc());

QDateTime stamp(const QVariant &text)
{
    return QDateTime::fromString(text.toString(), Qt::ISODateWithMs);
}

struct Play
{
    qint64 atMs; // into the minute
    bool right;
};

History historyOf(const QString &path)
{
    History h;
    ProgressFile file(path);
    file.readAnswers(h.answers);
    h.sessions = file.readSessions();
    return h;
}

// A run of the given kind, settings and length, with `right` right answers
// and one wrong, a second apart.
void addRun(History &h, qint64 id, const QString &kind, const QJsonObject &settings, qint64 startMs,
            qint64 lengthMs, int right)
{
    TestSession s;
    s.startMs = startMs;
    s.endMs = startMs + lengthMs;
    s.kind = kind;
    s.settings = settings;
    h.sessions.insert(id, s);
    for (int i = 0; i <= right; ++i) {
        LoggedAnswer a;
        a.id = h.answers.size() + 1;
        a.session = id;
        a.atMs = startMs + 1000 * (i + 1);
        a.correct = i < right;
        a.responseMs = 900 + 10 * i;
        h.answers.append(a);
    }
}

QJsonObject settings(const char *clef, const char *key = "C", const char *range = "clef",
                     const char *notes = "random", int octaves = 1)
{
    return {{"clef", clef},   {"key", key},         {"range", range},
            {"notes", notes}, {"octaves", octaves}, {"chromatic", false}};
}

} // namespace

Q_DECLARE_METATYPE(QList<Play>)
Q_DECLARE_METATYPE(History)

class ChallengeTest : public QObject
{
    Q_OBJECT
private slots:
    // Answered by keys on a clock the test moves: the minute ends exactly
    // 60 s after the count-in, a key in the count-in or after the minute is
    // no answer, the note waiting at the end leaves no row, and the record
    // holds what the result box says. The run ends either by its timer or
    // by a key played after it.
    void aChallengeIsOneMinuteAndTheRecordHoldsItsFigures_data()
    {
        QTest::addColumn<QList<Play>>("plays");
        QTest::addColumn<bool>("showAnswer");
        QTest::addColumn<bool>("lateKeyEnds");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("wrong");
        QTest::newRow("right and wrong, up to the last millisecond")
            << QList<Play>{{400, true}, {1300, false}, {2100, true}, {31000, true}, {59999, false}}
            << false << false << 3 << 2;
        // The pause after a miss would have swallowed the key at 1100.
        QTest::newRow("a miss with the right key shown goes straight on")
            << QList<Play>{{1000, false}, {1100, true}, {1200, false}, {1250, true}} << true
            << false << 2 << 2;
        QTest::newRow("a key after the minute ends it, unjudged")
            << QList<Play>{{5000, true}, {59000, true}} << false << true << 2 << 0;
        QTest::newRow("nothing answered: no run in the record")
            << QList<Play>{} << false << false << 0 << 0;
    }
    void aChallengeIsOneMinuteAndTheRecordHoldsItsFigures()
    {
        QFETCH(QList<Play>, plays);
        QFETCH(bool, showAnswer);
        QFETCH(bool, lateKeyEnds);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("pupil.sqlite"));
        FakeSound sound;
        FakeClock clock(Morning);
        VKControl w;
        StartOptions options;
        options.progressFile = file;
        options.showAnswer = showAnswer;
        options.key = KeyChoice{KeySignature(-1), false};
        w.applyStartOptions(options);
        w.show();
        QSignalSpy verdicts(w.staffView(), &VKTest::judged);
        std::optional<ChallengeResult> result;
        connect(w.challenge(), &Challenge::finished, this,
                [&](const ChallengeResult &r) { result = r; });

        w.challenge()->setClock(&clock);
        w.startChallenge();
        QVERIFY(!WindowDriver::testToggle(&w)->isEnabled());
        QCOMPARE(w.scoreView()->text(), QStringLiteral("Get ready\u2026 3"));
        QTest::keyClick(&w, Qt::Key_Z);
        QCOMPARE(verdicts.count(), 0);
        clock.setMs(Challenge::CountInMs);
        w.challenge()->endCountIn();
        QCOMPARE(w.scoreView()->text(), QStringLiteral("1:00 \u2014 0 right of 0"));
        for (const Play &p : plays)
            ChallengeDriver::answerAt(w, clock, p.atMs, p.right);
        QCOMPARE(verdicts.count(), plays.size());
        QVERIFY(!result);
        if (lateKeyEnds) {
            ChallengeDriver::answerAt(w, clock, Challenge::MinuteMs, true);
        } else {
            // The timer come a little early waits for the rest of the minute.
            clock.setMs(Challenge::CountInMs + Challenge::MinuteMs - 1);
            w.challenge()->endMinute();
            QVERIFY(!result);
            ChallengeDriver::runOut(w, clock);
        }
        QVERIFY(result);
        QCOMPARE(verdicts.count(), plays.size());
        QTEST(result->figures.right, "right");
        QTEST(result->figures.wrong, "wrong");
        QVERIFY(result->figures.isComplete());
        QVERIFY(!w.staffView()->isTesting());
        QVERIFY(WindowDriver::testToggle(&w)->isEnabled());
        QCOMPARE(w.staffView()->testInterval(), DefaultTestTime);
        QCOMPARE(w.staffView()->showsAnswers(), showAnswer);
        QCOMPARE(w.scoreView()->text(), QStringLiteral("Score: 0 of 0"));
        const ChallengeResultBox *box = w.challengeResultBox();
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->figureText(ChallengeResultBox::Right),
                 QString::number(result->figures.right));
        QCOMPARE(box->figureText(ChallengeResultBox::PerMinute),
                 QString::number(result->figures.right));

        QVERIFY(w.answerLog()->finishWrites());
        const QList<QVariantMap> runs = LogRows::query(file, "SELECT * FROM sessions");
        const QList<QVariantMap> rows = LogRows::answers(file);
        QCOMPARE(rows.size(), plays.size());
        if (plays.isEmpty()) {
            QCOMPARE(runs.size(), 0);
            return;
        }
        QCOMPARE(runs.size(), 1);
        const QVariantMap &run = runs.first();
        QCOMPARE(run["kind"].toString(), QStringLiteral("challenge"));
        const QDateTime start = stamp(run["started_at"]);
        QCOMPARE(start, Morning.addMSecs(Challenge::CountInMs));
        QCOMPARE(start.msecsTo(stamp(run["ended_at"])), 60000);
        const QJsonObject kept = QJsonDocument::fromJson(run["settings"].toByteArray()).object();
        QCOMPARE(kept["clef"].toString(), QStringLiteral("treble"));
        QCOMPARE(kept["key"].toString(), QStringLiteral("F"));
        QCOMPARE(kept["range"].toString(), QStringLiteral("clef"));
        QCOMPARE(kept["notes"].toString(), QStringLiteral("random"));
        QVERIFY(!kept.contains("interval_ms") && !kept.contains("show_answer"));
        for (int i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows[i]["session"], run["id"]);
            QCOMPARE(stamp(rows[i]["at"]), start.addMSecs(plays[i].atMs));
            QCOMPARE(rows[i]["correct"].toBool(), plays[i].right);
            QCOMPARE(rows[i]["key"].toInt(), -1);
        }

        const QList<ChallengeFigures> read = challenges(historyOf(file));
        QCOMPARE(read.size(), 1);
        QCOMPARE(read[0].right, result->figures.right);
        QCOMPARE(read[0].wrong, result->figures.wrong);
        QCOMPARE(read[0].medianMs, result->figures.medianMs);
        QCOMPARE(read[0].startMs, result->figures.startMs);
        QCOMPARE(read[0].lengthMs, result->figures.lengthMs);
        QVERIFY(read[0].settings == result->figures.settings);
    }

    // Bests from the record: per clef, key (with or without accidentals),
    // range and notes; only complete challenges; never a test run, nor a
    // challenge nothing ended.
    void theBestIsPerSettingsAndCountsOnlyAWholeMinute_data()
    {
        QTest::addColumn<History>("history");
        QTest::addColumn<QJsonObject>("asked");
        QTest::addColumn<int>("best"); // -1 for none
        const QString challenge = QStringLiteral("challenge");
        History h;
        addRun(h, 1, challenge, settings("treble"), 0, ChallengeMs, 10);
        addRun(h, 2, challenge, settings("treble"), 100000, ChallengeMs - 1, 15);
        addRun(h, 3, challenge, settings("bass"), 200000, ChallengeMs, 14);
        addRun(h, 4, challenge, settings("treble", "G"), 300000, ChallengeMs, 7);
        addRun(h, 5, challenge, settings("treble", "C", "staff"), 400000, ChallengeMs, 6);
        addRun(h, 6, challenge, settings("treble", "C", "clef", "weak"), 500000, ChallengeMs, 5);
        addRun(h, 7, QStringLiteral("test"), settings("treble"), 600000, ChallengeMs, 30);
        addRun(h, 8, challenge, settings("treble", "C", "clef", "random", 2), 700000, ChallengeMs,
               12);
        QJsonObject withAccidentals = settings("treble", "G");
        withAccidentals.insert(QStringLiteral("chromatic"), true);
        addRun(h, 9, challenge, withAccidentals, 800000, ChallengeMs, 9);
        QTest::newRow("an early end with more right notes") << h << settings("treble") << 12;
        QTest::newRow("its own clef") << h << settings("bass") << 14;
        QTest::newRow("its own key") << h << settings("treble", "G") << 7;
        QTest::newRow("its own key with accidentals") << h << withAccidentals << 9;
        QTest::newRow("its own range") << h << settings("treble", "C", "staff") << 6;
        QTest::newRow("its own way of drawing notes")
            << h << settings("treble", "C", "clef", "weak") << 5;
        QTest::newRow("settings never tried") << h << settings("alto") << -1;
        History unended;
        addRun(unended, 1, challenge, settings("treble"), 0, ChallengeMs, 20);
        unended.sessions[1].endMs.reset();
        QTest::newRow("nothing ended it") << unended << settings("treble") << -1;
    }
    void theBestIsPerSettingsAndCountsOnlyAWholeMinute()
    {
        QFETCH(History, history);
        QFETCH(QJsonObject, asked);
        QFETCH(int, best);
        const QList<ChallengeFigures> all = challenges(history);
        const ChallengeSettings wanted = ChallengeSettings::of(asked);
        QCOMPARE(bestRight(all, wanted).value_or(-1), best);
        const QList<ChallengeBest> bests = challengeBests(all);
        const auto listed = std::find_if(bests.cbegin(), bests.cend(), [&](const ChallengeBest &b) {
            return b.settings == wanted;
        });
        QCOMPARE(listed == bests.cend() ? -1 : listed->right, best);
    }

    // In the window: the best so far against which a result is told comes
    // from this run of the program and from the record, for the same
    // settings only, and an early end neither is one nor beats one.
    void theResultTellsTheBestSoFarForTheSameSettings_data()
    {
        QTest::addColumn<QList<int>>("rights");   // per challenge
        QTest::addColumn<QList<bool>>("early");   // ended at 30 s
        QTest::addColumn<QList<bool>>("bass");    // in the bass clef
        QTest::addColumn<QList<bool>>("restart"); // a new window on the record first
        QTest::addColumn<QStringList>("told");    // headline and best so far
        QTest::newRow("a first best, then beaten")
            << QList<int>{2, 3} << QList<bool>{false, false} << QList<bool>{false, false}
            << QList<bool>{false, false}
            << QStringList{"New personal best!|none yet", "New personal best!|2"};
        QTest::newRow("an early end neither counts nor beats")
            << QList<int>{2, 4, 2} << QList<bool>{false, true, false}
            << QList<bool>{false, false, false} << QList<bool>{false, false, false}
            << QStringList{"New personal best!|none yet", "Ended early|2", "Time\u2019s up!|2"};
        QTest::newRow("another clef has its own")
            << QList<int>{3, 1} << QList<bool>{false, false} << QList<bool>{false, true}
            << QList<bool>{false, false}
            << QStringList{"New personal best!|none yet", "New personal best!|none yet"};
        QTest::newRow("read from the record by the next run of the program")
            << QList<int>{3, 2, 4} << QList<bool>{false, false, false}
            << QList<bool>{false, false, false} << QList<bool>{false, true, false}
            << QStringList{"New personal best!|none yet", "Time\u2019s up!|3",
                           "New personal best!|3"};
    }
    void theResultTellsTheBestSoFarForTheSameSettings()
    {
        QFETCH(QList<int>, rights);
        QFETCH(QList<bool>, early);
        QFETCH(QList<bool>, bass);
        QFETCH(QList<bool>, restart);
        QTemporaryDir dir;
        StartOptions options;
        options.progressFile = dir.filePath(QStringLiteral("pupil.sqlite"));
        FakeSound sound;
        FakeClock clock(Morning);
        auto w = std::make_unique<VKControl>();
        w->show();
        QStringList told;
        for (int i = 0; i < rights.size(); ++i) {
            if (restart[i]) {
                QVERIFY(w->answerLog()->finishWrites());
                w = std::make_unique<VKControl>();
                w->show();
            }
            options.clef = bass[i] ? ClefMode::Bass : ClefMode::Treble;
            w->applyStartOptions(options);
            QCOMPARE(w->answerLog()->open(), AnswerLog::State::Recording);
            clock = FakeClock(Morning.addSecs(3600 * i));
            ChallengeDriver::countIn(*w, clock);
            for (int r = 0; r < rights[i]; ++r)
                ChallengeDriver::answerAt(*w, clock, 1000 * (r + 1), true);
            ChallengeDriver::answerAt(*w, clock, 20000, false);
            if (early[i]) {
                clock.setMs(Challenge::CountInMs + 30000);
                QVERIFY(QTest::qWaitForWindowActive(w.get()));
                QTest::keyClick(w.get(), Qt::Key_Escape);
            } else {
                ChallengeDriver::runOut(*w, clock);
            }
            const ChallengeResultBox *box = w->challengeResultBox();
            QVERIFY(box);
            told << box->headline() + '|' + box->figureText(ChallengeResultBox::Best);
            QCOMPARE(box->note().isEmpty(), !early[i]);
        }
        QTEST(told, "told");
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ChallengeTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_challenge.moc"
