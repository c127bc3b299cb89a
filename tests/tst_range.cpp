// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeSound.h"
#include "InkRuns.h"
#include "Played.h"
#include "ReferenceClefs.h"

#include "app/VKControl.h"
#include "input/MidiInput.h"
#include "keyboard/VKKbConfig.h"
#include "keyboard/VKKeyboard.h"
#include "notes/Clef.h"
#include "progress/Drill.h"
#include "staff/VKTest.h"
#include "staff/Verdict.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

using namespace InkRuns;

namespace {

QList<int> keysFrom(int low, int high)
{
    QList<int> keys;
    for (int midi = low; midi <= high; ++midi)
        keys << midi;
    return keys;
}

RangeChoice preset(RangePreset which)
{
    RangeChoice choice;
    choice.preset = which;
    return choice;
}

RangeChoice own(int low, int high)
{
    return RangeChoice::ownRange(NoteRange(low, high));
}

// The lowest and highest keys of the piano, played as a learner plays them:
// tapped at the outer third of the end keys of the 88-key keyboard, where no
// black key hangs beyond them; from the computer keyboard with its rows
// moved to the piano's end; from a MIDI keyboard.
void play(VKControl &w, const QString &source, int note)
{
    VKKeyboard *keyboard = w.keyboardView();
    if (source == QLatin1String("screen")) {
        const KeyboardGeometry g = keyboard->recordedGeometry();
        const int x = note == PianoLowest ? g.kbLeft + 2 : g.right(keyboard->whiteKeyCount()) - 2;
        QTest::mouseClick(keyboard, Qt::LeftButton, {}, QPoint(x, g.kbTop + 2) * keyboard->zoom());
    } else if (source == QLatin1String("keys")) {
        const auto press = [&w](int key) {
            for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent event(type, key, Qt::NoModifier);
                QCoreApplication::sendEvent(&w, &event);
            }
        };
        const int move = note == PianoLowest ? Qt::Key_PageDown : Qt::Key_PageUp;
        for (int octave = 0; octave < 8; ++octave)
            press(move);
        // From C0 the lower row's tenth key is A0; from C7 the upper row's first is C8.
        press(note == PianoLowest ? Qt::Key_N : Qt::Key_Q);
    } else {
        constexpr int Velocity = 100;
        emit w.midiInput()->noteStruck(note, Velocity);
        emit w.midiInput()->noteRead(note);
        emit w.midiInput()->noteReleased(note);
    }
}

} // namespace

class RangeTest : public QObject
{
    Q_OBJECT
private slots:
    // The note on each line of the alto and tenor staves and the C clef's
    // middle on middle C's line, in the grabbed picture at the handheld's
    // size and zoomed; the signs of seven sharps and seven flats on the
    // notes a tutor puts them on.
    void theCClefsPutMiddleCAndTheirLinesWhereTutorsDo_data()
    {
        QTest::addColumn<const ReferenceClefs::CClef *>("clef");
        QTest::newRow("alto") << &ReferenceClefs::Alto;
        QTest::newRow("tenor") << &ReferenceClefs::Tenor;
    }
    void theCClefsPutMiddleCAndTheirLinesWhereTutorsDo()
    {
        QFETCH(const ReferenceClefs::CClef *, clef);
        for (int line = 0; line < 5; ++line) {
            VKTest staff;
            staff.setLabelNotes(false);
            staff.resize(240, 120);
            staff.setClefMode(clef->mode);
            staff.showNote(*WrittenNote::fromText(QString::fromLatin1(clef->lines[line])));
            // The head's middle column holds the head alone beside the staff's lines.
            int headTop = -1;
            for (const Run &r :
                 runs(staff.grab().toImage(), staff.firstSlotX() + 5, Qt::Vertical)) {
                if (r.length() >= 5)
                    headTop = r.start;
            }
            QCOMPARE(headTop, ReferenceClefs::lineRow(line) - 5);
        }

        // The clef's thick bar runs from two staff spaces above its line to
        // two below, at any zoom.
        VKTest staff;
        staff.setClefMode(clef->mode);
        for (const qreal zoom : {1.0, 3.0}) {
            staff.setZoom(zoom, 0, 0);
            staff.resize(qRound(240 * zoom), staff.height());
            const qreal middle = longestRun(staff.grab().toImage(), qRound(6 * zoom)).middle();
            const qreal expected = (ReferenceClefs::lineRow(clef->middleCLine) + 0.5) * zoom;
            QVERIFY2(std::abs(middle - expected) <= 1, qPrintable(QString::number(middle)));
        }

        for (const auto &[fifths, places] :
             {std::pair(7, clef->sharps), std::pair(-7, clef->flats)}) {
            QStringList written;
            for (const WrittenNote &place :
                 Clefs::signaturePlaces(clefFor(clef->mode, MiddleC), KeySignature(fifths)))
                written << place.text();
            QCOMPARE(written.join(QLatin1Char(' ')), QLatin1String(places));
        }
    }

    // 200 notes of a test, each from the range chosen, spelled in its key;
    // a range of a dozen keys or fewer has every one of them drawn.
    void testNotesComeFromTheRangeAndASmallRangeFromEveryKeyOfIt_data()
    {
        QTest::addColumn<ClefMode>("mode");
        QTest::addColumn<RangeChoice>("range");
        QTest::addColumn<int>("fifths");
        QTest::addColumn<bool>("chromatic");
        QTest::addColumn<bool>("drill");
        QTest::addColumn<QList<int>>("keys");
        using P = RangePreset;
        QTest::newRow("treble, its two octaves C4-B5")
            << ClefMode::Treble << RangeChoice() << 0 << false << false << keysFrom(60, 83);
        QTest::newRow("alto, its two octaves C3-B4")
            << ClefMode::Alto << RangeChoice() << 0 << false << false << keysFrom(48, 71);
        QTest::newRow("tenor, on the staff C3-F4")
            << ClefMode::Tenor << preset(P::Staff) << 0 << false << false << keysFrom(48, 65);
        QTest::newRow("alto, two ledger lines A2-E5") << ClefMode::Alto << preset(P::TwoLedgerLines)
                                                      << 0 << false << false << keysFrom(45, 76);
        QTest::newRow("bass, four ledger lines E1-C5")
            << ClefMode::Bass << preset(P::FourLedgerLines) << 0 << false << false
            << keysFrom(28, 72);
        QTest::newRow("grand staff, two ledger lines B1-B3 and C4-D6")
            << ClefMode::Both << preset(P::TwoLedgerLines) << 0 << false << false
            << keysFrom(35, 86);
        QTest::newRow("grand staff, C2-C7 split at middle C")
            << ClefMode::Both << own(36, 96) << 0 << false << false << keysFrom(36, 96);
        RangeChoice bassOnly = own(40, 43);
        bassOnly.ownTreble = NoteRange();
        QTest::newRow("grand staff, E2-G2 on the bass staff alone")
            << ClefMode::Both << bassOnly << 0 << false << false << keysFrom(40, 43);
        QTest::newRow("treble, E4-G4 in G major: E, F sharp, G")
            << ClefMode::Treble << own(64, 67) << 1 << false << false << QList<int>{64, 66, 67};
        QTest::newRow("treble, F4 alone in G major: the range's one key")
            << ClefMode::Treble << own(65, 65) << 1 << false << false << QList<int>{65};
        QTest::newRow("tenor, C4-E4, drilled")
            << ClefMode::Tenor << own(60, 64) << 0 << false << true << keysFrom(60, 64);
    }
    void testNotesComeFromTheRangeAndASmallRangeFromEveryKeyOfIt()
    {
        QFETCH(ClefMode, mode);
        QFETCH(RangeChoice, range);
        QFETCH(int, fifths);
        QFETCH(bool, chromatic);
        QFETCH(bool, drill);
        QFETCH(QList<int>, keys);
        constexpr int Drawn = 200;
        constexpr int SmallRange = 12;
        VKTest staff;
        staff.resize(240, 120);
        Drill drills;
        staff.setNoteChooser(&drills);
        staff.setWeakNotes(drill);
        staff.setClefMode(mode);
        staff.setRangeChoice(range);
        staff.setKeyChoice({KeySignature(fifths), false});
        staff.setChromatic(chromatic);
        QSet<int> seen;
        for (int i = 0; i < Drawn; ++i) {
            staff.generateNote();
            const WrittenNote note = *staff.currentTestNote();
            QVERIFY2(keys.contains(note.midi()), qPrintable(note.text()));
            if (fifths != 0)
                QCOMPARE(note, KeySignature(fifths).spell(note.midi()));
            seen.insert(note.midi());
        }
        if (keys.size() <= SmallRange)
            QCOMPARE(seen.size(), keys.size());
        staff.setNoteChooser(nullptr);
    }

    // Drawn larger than on the handheld, a staff with the room it asks for
    // shows every note of its range, up to five ledger lines out, in both
    // spellings.
    void everyNoteOfTheRangeIsDrawnZoomed_data()
    {
        QTest::addColumn<ClefMode>("mode");
        QTest::addColumn<RangeChoice>("range");
        QTest::newRow("treble, four ledger lines")
            << ClefMode::Treble << preset(RangePreset::FourLedgerLines);
        QTest::newRow("bass, E1-C5") << ClefMode::Bass << own(28, 72);
        QTest::newRow("alto, B1-D6: five ledger lines out") << ClefMode::Alto << own(35, 86);
        QTest::newRow("tenor, G#1-B5: five ledger lines out") << ClefMode::Tenor << own(32, 83);
        QTest::newRow("grand staff, C1-C7: five ledger lines out") << ClefMode::Both << own(24, 96);
    }
    void everyNoteOfTheRangeIsDrawnZoomed()
    {
        QFETCH(ClefMode, mode);
        QFETCH(RangeChoice, range);
        constexpr qreal Zoom = 2;
        VKTest staff;
        staff.setLabelNotes(false);
        staff.setClefMode(mode);
        staff.setRangeChoice(range);
        staff.setZoom(Zoom, staff.roomWantedBelow(), staff.roomWantedAbove());
        staff.resize(qRound(120 * Zoom), staff.height());
        const QImage empty = staff.grab().toImage();
        for (const int key : range.pitches(mode)) {
            for (const bool flat : {false, true}) {
                staff.setClefMode(mode); // alone on the staff
                staff.showNote(WrittenNote::fromMidi(key, flat));
                const QImage image = staff.grab().toImage();
                // A note is drawn whole or not at all.
                QVERIFY2(image != empty, qPrintable(WrittenNote::fromMidi(key, flat).text()));
            }
        }
    }

    // A0 and C8 from every source: written on the staff and sounded in
    // practice mode (the sound asked for by its name), and in a test of that
    // one note sounded again and judged right; a held key is drawn pressed
    // on the 88-key keyboard.
    void theLowestAndHighestKeysArePlayedFromEverySourceAndSounded_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("note");
        QTest::addColumn<QString>("sound");
        for (const char *source : {"screen", "keys", "midi"}) {
            QTest::addRow("%s, A0", source) << source << 21 << "velkaro/A0.wav";
            QTest::addRow("%s, C8", source) << source << 108 << "velkaro/C8.wav";
        }
    }
    void theLowestAndHighestKeysArePlayedFromEverySourceAndSounded()
    {
        QFETCH(QString, source);
        QFETCH(int, note);
        QFETCH(QString, sound);
        FakeSound fake;
        VKControl w;
        w.keyboardView()->configDialog()->chooseWhiteKeys(KeyboardSpan::PianoWhiteKeys);
        w.resize(1600, 500);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        VKKeyboard *keyboard = w.keyboardView();
        QCOMPARE(keyboard->whiteKeyCount(), 52);
        QCOMPARE(keyboard->lowestNote(), 21);

        play(w, source, note);
        QCOMPARE(Played::onStaff(w.staffView()), QList<int>{note});
        QVERIFY2(fake.played.size() == 1 && fake.played.last().endsWith("/sounds/" + sound),
                 qPrintable(fake.played.join(' ')));

        if (source != QLatin1String("screen")) {
            // Held again, the key is drawn in the highlight colour.
            keyboard->pressKey(note);
            const int key = note == PianoLowest ? 0 : 51; // the first white key, or the last
            const QImage keys = keyboard->grab().toImage();
            const KeyboardGeometry g = keyboard->recordedGeometry();
            const QPoint inside =
                QPoint(g.kbLeft + key * g.keyWidth + g.keyWidth / 2, g.bottom() - 3) *
                keyboard->zoom();
            QCOMPARE(keys.pixelColor(inside), keyboard->palette().color(QPalette::Highlight));
            keyboard->releaseKey(note);
        }

        w.staffView()->setRangeChoice(RangeChoice::ownRange(NoteRange(note, note)));
        QSignalSpy verdicts(w.staffView(), &VKTest::judged);
        w.setMode(true);
        QCOMPARE(w.staffView()->currentTestNote()->midi(), note);
        QVERIFY(fake.played.last().endsWith("/sounds/" + sound));
        play(w, source, note);
        QCOMPARE(verdicts.count(), 1);
        const Verdict verdict = verdicts.first().first().value<Verdict>();
        QCOMPARE(verdict.answer, std::optional<int>(note));
        QVERIFY(verdict.correct);
        w.setMode(false);
    }
};

QTEST_MAIN(RangeTest)
#include "tst_range.moc"
