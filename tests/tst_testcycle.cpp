// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeSound.h"
#include "Handheld.h"

#include "app/VKScore.h"
#include "notes/Catalogue.h"
#include "staff/VKTest.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cstdlib>

class TestCycleTest : public QObject
{
    Q_OBJECT
private slots:

    void testNotesStayInTheClefsTwoOctavesAndFlatsComeAboutHalfTheTime_data()
    {
        QTest::addColumn<ClefMode>("mode");
        QTest::addColumn<int>("lowest");
        QTest::addColumn<int>("count");
        QTest::newRow("treble") << ClefMode::Treble << 60 << 24;
        QTest::newRow("bass") << ClefMode::Bass << 36 << 24;
        QTest::newRow("grand staff: all four octaves") << ClefMode::Both << 36 << 48;
    }

    void testNotesStayInTheClefsTwoOctavesAndFlatsComeAboutHalfTheTime()
    {
        QFETCH(ClefMode, mode);
        QFETCH(int, lowest);
        QFETCH(int, count);
        VKTest staff;
        staff.resize(240, 120);
        staff.setClefMode(mode);
        QSignalSpy announced(&staff, &VKTest::newNote);
        QSet<int> seen;
        int blackKeys = 0;
        int flats = 0;
        for (int i = 0; i < 2000; ++i) {
            staff.generateNote();
            const WrittenNote n = *staff.currentTestNote();
            const int key = n.midi();
            QCOMPARE(announced.last().first().toInt(), key);
            QCOMPARE(staff.noteInSlot(staff.notesShown() - 1), n);
            QVERIFY2(key >= lowest && key < lowest + count, qPrintable(n.text()));
            if (notes[key].offset() == 1) {
                ++blackKeys;
                flats += n.alteration() < 0;
            } else {
                QCOMPARE(n.alteration(), 0); // naturals are written as naturals
            }
            seen.insert(key);
        }
        QCOMPARE(seen.size(), count);
        QVERIFY(flats > blackKeys * 4 / 10 && flats < blackKeys * 6 / 10);
    }

    void answersAreJudgedByPitchClassOrExactly_data()
    {
        QTest::addColumn<int>("testNote");
        QTest::addColumn<bool>("oneOctave");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("right");
        QTest::newRow("flat answered by its key") << -37 << true << 37 << true;
        QTest::newRow("flat, other octave, one-octave keyboard") << -37 << true << 25 << true;
        QTest::newRow("flat, octave above, one-octave keyboard") << -37 << true << 49 << true;
        QTest::newRow("flat, other octave, two-octave keyboard") << -37 << false << 49 << false;
        QTest::newRow("flat, exact key, two-octave keyboard") << -37 << false << 37 << true;
        QTest::newRow("neighbouring key") << -37 << true << 38 << false;
        QTest::newRow("C answered an octave up, one octave") << 36 << true << 48 << true;
        QTest::newRow("C answered an octave up, two octaves") << 36 << false << 48 << false;
        QTest::newRow("time-out, one octave") << 36 << true << 0 << false;
        QTest::newRow("time-out, two octaves") << 36 << false << 0 << false;
        QTest::newRow("time-out on a C of the octave below") << 24 << true << 0 << false;
        // On the grand staff the octave counts, whatever keyboard was chosen.
        QTest::newRow("grand staff, other octave") << -37 << true << 25 << false;
        QTest::newRow("grand staff, exact key") << 24 << true << 24 << true;
    }

    void answersAreJudgedByPitchClassOrExactly()
    {
        QFETCH(int, testNote);
        QFETCH(bool, oneOctave);
        QFETCH(int, answer);
        QFETCH(bool, right);
        VKTest staff;
        staff.resize(240, 120);
        staff.setKb(oneOctave);
        if (QByteArray(QTest::currentDataTag()).startsWith("grand"))
            staff.setClefMode(ClefMode::Both);
        else
            staff.setTrebleClef(std::abs(testNote) >= 36);
        // Put the wanted note under test by generating until it comes up.
        const WrittenNote wanted = Handheld::note(testNote);
        for (int i = 0; i < 100000 && staff.currentTestNote() != wanted; ++i)
            staff.generateNote();
        QCOMPARE(staff.currentTestNote(), wanted);
        const int slot = staff.notesShown() - 1;

        QSignalSpy verdicts(&staff, &VKTest::testedNote);
        QSignalSpy announced(&staff, &VKTest::newNote);
        if (answer == 0)
            staff.checkNoNote();
        else
            staff.checkNote(Handheld::midi(answer), NoteSource::Screen);
        QCOMPARE(verdicts.count(), 1);
        QCOMPARE(verdicts.first().first().toBool(), right);
        // The verdict marks the note it judged, and the next note follows.
        if (slot + 1 < staff.slotCapacity() && staff.notesShown() == slot + 2)
            QCOMPARE(staff.markInSlot(slot), right);
        QCOMPARE(announced.count(), 1);
        QVERIFY(staff.testTimerActive());
    }

    void theVerdictIsEmittedBeforeTheNextNote()
    {
        VKTest staff;
        staff.resize(240, 120);
        QStringList order;
        connect(&staff, &VKTest::testedNote, this, [&] { order << "verdict"; });
        connect(&staff, &VKTest::newNote, this, [&] { order << "note"; });
        staff.setTestMode(true);
        staff.checkNote(64, NoteSource::Screen);
        QCOMPARE(order, QStringList({"note", "verdict", "note"}));
    }

    void aWrongAnswerMarksTheLastSlotOnly()
    {
        VKTest staff;
        staff.resize(240, 120);
        staff.drawNote(64);
        staff.setTestMode(true);
        QCOMPARE(staff.notesShown(), 2);
        const int shown = staff.currentTestNote()->midi();
        staff.checkNote(60 + (shown + 1) % 12, NoteSource::Screen); // another pitch class
        QVERIFY(staff.markInSlot(0));
        QVERIFY(!staff.markInSlot(1));
        QVERIFY(staff.markInSlot(2)); // the new note starts unmarked
    }

    void anAnswerOnAnEmptiedStaffIsStillCountedAndTheNextNoteTakesSlotZero()
    {
        VKTest staff;
        staff.resize(240, 120);
        VKScore score;
        connect(&staff, &VKTest::testedNote, &score, &VKScore::updateScore);
        staff.setTestMode(true);
        staff.setTrebleClef(true); // a settings change empties the staff
        QCOMPARE(staff.notesShown(), 0);
        staff.checkNoNote();
        QCOMPARE(score.notesTested(), 1);
        QCOMPARE(staff.notesShown(), 1);
        QVERIFY(staff.markInSlot(0));
    }

    void switchingTestModeKeepsTheStaff()
    {
        VKTest staff;
        staff.resize(240, 120);
        staff.drawNote(64);
        staff.drawNote(65);
        QSignalSpy verdicts(&staff, &VKTest::testedNote);
        staff.setTestMode(true);
        QCOMPARE(staff.notesShown(), 3);
        QCOMPARE(staff.noteInSlot(0).text(), QStringLiteral("E4"));
        staff.setTestMode(false);
        QVERIFY(!staff.testTimerActive());
        QCOMPARE(staff.notesShown(), 3);
        QVERIFY(staff.markInSlot(2)); // left unjudged
        QCOMPARE(verdicts.count(), 0);
        // Switching on while waiting leaves the waiting note unjudged too.
        staff.setTestMode(true);
        staff.setTestMode(true);
        QCOMPARE(staff.notesShown(), 5);
        QCOMPARE(verdicts.count(), 0);
        staff.setTestMode(false);
    }

    void aMissShowsTheRightKeyUntilTheNextNote()
    {
        VKTest staff;
        staff.resize(240, 120);
        staff.setShowAnswer(true);
        staff.setTestTime(60000);
        staff.setTestMode(true);
        QSignalSpy verdicts(&staff, &VKTest::testedNote);
        QSignalSpy announced(&staff, &VKTest::newNote);
        QSignalSpy shown(&staff, &VKTest::answerShown);
        QSignalSpy hidden(&staff, &VKTest::answerHidden);
        const int right = staff.currentTestNote()->midi();
        const int wrong = right % 12 == 11 ? right - 1 : right + 1;
        staff.checkNote(wrong, NoteSource::Screen);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.first().at(0).toInt(), right);
        QCOMPARE(shown.first().at(1).value<std::optional<int>>(), std::optional<int>(wrong));
        QVERIFY(staff.isShowingAnswer() && !staff.markInSlot(0));
        // Nothing waits for an answer meanwhile: keys played are not judged.
        staff.checkNote(right, NoteSource::Screen);
        QCOMPARE(verdicts.count(), 1);
        QCOMPARE(announced.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(announced.count(), 1, AnswerPauseMs + 3000);
        QCOMPARE(hidden.count(), 1);
        QVERIFY(staff.testTimerActive());
        // A right answer goes on at once.
        staff.checkNote(staff.currentTestNote()->midi(), NoteSource::Screen);
        QCOMPARE(announced.count(), 2);
        QCOMPARE(shown.count(), 1);
        staff.setTestMode(false);
    }

    void anUnansweredNoteIsJudgedWrongWhenTheIntervalRunsOut()
    {
        VKTest staff;
        staff.resize(240, 120);
        staff.setTestTime(150);
        QSignalSpy verdicts(&staff, &VKTest::testedNote);
        QElapsedTimer clock;
        staff.setTestMode(true);
        clock.start();
        QVERIFY(verdicts.wait(2000));
        // A precise timer never judges before the interval is over.
        QVERIFY2(clock.elapsed() >= 150, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(verdicts.first().first().toBool(), false);
        QVERIFY(!staff.markInSlot(0));
        staff.setTestMode(false);
    }

    void aNewIntervalTakesEffectFromTheNextNote()
    {
        VKTest staff;
        staff.resize(240, 120);
        staff.setTestTime(60000);
        QSignalSpy verdicts(&staff, &VKTest::testedNote);
        staff.setTestMode(true);
        staff.setTestTime(50);
        QTest::qWait(200);
        QCOMPARE(verdicts.count(), 0); // the running note keeps its minute
        staff.checkNote(60, NoteSource::Screen);
        QVERIFY(verdicts.wait(1000)); // the next note runs out after 50 ms
        QCOMPARE(verdicts.count(), 2);
        QCOMPARE(verdicts.last().first().toBool(), false);
        staff.setTestMode(false);
    }

    void intervalZeroJudgesEveryNoteWhenIdleAndCanBeSwitchedOff()
    {
        FakeSound sound;
        VKTest staff;
        staff.resize(240, 120);
        staff.show();
        VKScore score;
        connect(&staff, &VKTest::testedNote, &score, &VKScore::updateScore);
        staff.setTestTime(0);
        staff.setTestMode(true);
        // Other events still get through: this timer is what switches it off.
        bool stopped = false;
        QTimer::singleShot(300, &staff, [&] {
            staff.setTestMode(false);
            stopped = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(stopped, 5000);
        QVERIFY(!staff.testTimerActive());
        QVERIFY(score.notesTested() > 10);
        QCOMPARE(score.rightAnswers(), 0);
        const int tested = score.notesTested();
        QTest::qWait(50);
        QCOMPARE(score.notesTested(), tested);
    }

    void aNegativeIntervalWaitsForTheAnswer()
    {
        VKTest staff;
        staff.resize(240, 120);
        staff.setTestTime(-1);
        QSignalSpy verdicts(&staff, &VKTest::testedNote);
        staff.setTestMode(true);
        QTest::qWait(100);
        QCOMPARE(verdicts.count(), 0);
        staff.checkNote(staff.currentTestNote()->midi(), NoteSource::Screen);
        QCOMPARE(verdicts.count(), 1);
        QCOMPARE(verdicts.first().first().toBool(), true);
        QVERIFY(!staff.testTimerActive());
        QTest::qWait(50);
        QCOMPARE(verdicts.count(), 1);
    }
};

QTEST_MAIN(TestCycleTest)
#include "tst_testcycle.moc"
