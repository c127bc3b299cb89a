// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes/Catalogue.h"
#include "progress/AnswerLog.h"
#include "progress/Drill.h"

#include <QTemporaryDir>
#include <QTest>

#include <random>

namespace {

// The treble clef's notes, as the test draws them.
constexpr int Lowest = MiddleC;

QList<int> trebleNotes()
{
    QList<int> notes;
    for (int note = Lowest; note < Lowest + NotesPerClef; ++note)
        notes << note;
    return notes;
}

// A record in which two notes were missed in each of their last eight
// answers, and every other note of the clef answered right within a second
// in each of its last eight; then the history the drill reads from it.
QHash<int, QList<PastAnswer>> historyWithTwoWeakNotes(int weakA, int weakB)
{
    QTemporaryDir dir;
    AnswerLog log(dir.filePath(QStringLiteral("progress.sqlite")));
    if (log.open() != AnswerLog::State::Recording)
        return {};
    log.beginSession();
    for (int i = 0; i < Drill::Memory; ++i) {
        for (int note = Lowest; note < Lowest + NotesPerClef; ++note) {
            const bool weak = note == weakA || note == weakB;
            Answer a;
            a.clef = QStringLiteral("treble");
            a.written = WrittenNote::fromMidi(note);
            a.answer = weak ? a.note() + 2 : a.note();
            a.correct = !weak;
            a.responseMs = weak ? 3000 : 800;
            a.source = QStringLiteral("keys");
            log.record(a);
        }
    }
    log.finishWrites();
    return log.recentAnswers(LowestNote, HighestNote, Drill::Memory);
}

} // namespace

class DrillTest : public QObject
{
    Q_OBJECT
private slots:
    void theNotesMissedMostComeUpFarMoreOften()
    {
        const int weakA = Lowest + 5, weakB = Lowest + 18;
        constexpr int Runs = 200, NotesPerRun = 40;
        const auto history = historyWithTwoWeakNotes(weakA, weakB);
        QCOMPARE(history.size(), NotesPerClef);
        int weakDraws = 0;
        for (int run = 0; run < Runs; ++run) {
            Drill drill(unsigned(run + 1));
            drill.setHistory(history);
            for (int i = 0; i < NotesPerRun; ++i) {
                const int note = drill.next(trebleNotes());
                QVERIFY(note >= Lowest && note < Lowest + NotesPerClef);
                weakDraws += note == weakA || note == weakB;
                drill.judged(note, true, 900);
            }
        }
        const double average = double(weakDraws) / Runs;
        qInfo("the two weak notes: %.1f of %d draws on average (an even draw: %.1f)", average,
              NotesPerRun, 2.0 * NotesPerRun / NotesPerClef);
        QVERIFY(average >= 13);
    }

    void aMissedNoteComesBackWithinTheNextFive()
    {
        Drill drill(7);
        std::mt19937 verdicts(11);
        QList<int> shown;
        QList<int> missedAt;
        for (int i = 0; i < 3000; ++i) {
            const int note = drill.next(trebleNotes());
            shown << note;
            const bool right = verdicts() % 10 >= 3;
            if (!right)
                missedAt << i;
            drill.judged(note, right, right ? std::optional<int>(1200) : std::nullopt);
        }
        QVERIFY(missedAt.size() > 500);
        for (int i : missedAt) {
            if (i + Drill::ComebackWithin >= shown.size())
                break;
            const QList<int> following = shown.mid(i + 1, Drill::ComebackWithin);
            QVERIFY2(following.contains(shown[i]),
                     qPrintable(QStringLiteral("note %1 missed at draw %2").arg(shown[i]).arg(i)));
        }
    }
};

QTEST_GUILESS_MAIN(DrillTest)

#include "tst_drill.moc"
