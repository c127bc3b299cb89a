// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeSound.h"
#include "ReferenceRaster.h"
#include "ReferenceStaff.h"
#include "WindowDriver.h"

#include "app/CommandLine.h"
#include "app/VKControl.h"
#include "input/MidiInput.h"
#include "notes/KeySignature.h"
#include "staff/VKTest.h"

#include <QSignalSpy>
#include <QTest>

class KeySignatureTest : public QObject
{
    Q_OBJECT
private slots:
    // Each key writes the twelve pitches from middle C up as musicians spell
    // them: its seven notes with no sign of their own (C flat in G flat
    // major, E sharp in F sharp major, B sharp in C sharp major, the letter
    // of its octave kept), the other five with the sign the key calls for,
    // a natural where a note leaves the signature (F in G major).
    void everyKeySpellsItsScaleAndItsOtherNotes_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("spelled");
        QTest::addColumn<QString>("signs"); // . none, # sharp, b flat, n natural
        const auto row = [](const char *key, const char *spelled, const char *signs) {
            QTest::newRow(key) << QString::fromLatin1(key) << QString::fromLatin1(spelled)
                               << QString::fromLatin1(signs);
        };
        row("C", "C4 C#4 D4 D#4 E4 F4 F#4 G4 G#4 A4 A#4 B4", ".#.#..#.#.#.");
        row("G", "C4 C#4 D4 D#4 E4 F4 F#4 G4 G#4 A4 A#4 B4", ".#.#.n..#.#.");
        row("D", "C4 C#4 D4 D#4 E4 F4 F#4 G4 G#4 A4 A#4 B4", "n..#.n..#.#.");
        row("A", "C4 C#4 D4 D#4 E4 F4 F#4 G4 G#4 A4 A#4 B4", "n..#.n.n..#.");
        row("E", "C4 C#4 D4 D#4 E4 F4 F#4 G4 G#4 A4 A#4 B4", "n.n..n.n..#.");
        row("B", "C4 C#4 D4 D#4 E4 F4 F#4 G4 G#4 A4 A#4 B4", "n.n..n.n.n..");
        row("F#", "C4 C#4 D4 D#4 E4 E#4 F#4 G4 G#4 A4 A#4 B4", "n.n.n..n.n..");
        row("C#", "B#3 C#4 D4 D#4 E4 E#4 F#4 G4 G#4 A4 A#4 B4", "..n.n..n.n.n");
        row("F", "C4 Db4 D4 Eb4 E4 F4 Gb4 G4 Ab4 A4 Bb4 B4", ".b.b..b.b..n");
        row("Bb", "C4 Db4 D4 Eb4 E4 F4 Gb4 G4 Ab4 A4 Bb4 B4", ".b..n.b.b..n");
        row("Eb", "C4 Db4 D4 Eb4 E4 F4 Gb4 G4 Ab4 A4 Bb4 B4", ".b..n.b..n.n");
        row("Ab", "C4 Db4 D4 Eb4 E4 F4 Gb4 G4 Ab4 A4 Bb4 B4", "..n.n.b..n.n");
        row("Db", "C4 Db4 D4 Eb4 E4 F4 Gb4 G4 Ab4 A4 Bb4 B4", "..n.n..n.n.n");
        row("Gb", "C4 Db4 D4 Eb4 E4 F4 Gb4 G4 Ab4 A4 Bb4 Cb5", "n.n.n..n.n..");
        row("Cb", "C4 Db4 D4 Eb4 Fb4 F4 Gb4 G4 Ab4 A4 Bb4 Cb5", "n.n..n.n.n..");
    }
    void everyKeySpellsItsScaleAndItsOtherNotes()
    {
        QFETCH(QString, key);
        QFETCH(QString, spelled);
        QFETCH(QString, signs);
        const KeySignature signature = *KeySignature::fromOptionName(key);
        const QStringList names = spelled.split(QLatin1Char(' '));
        for (int i = 0; i < 12; ++i) {
            const int midi = 60 + i;
            const WrittenNote note = signature.spell(midi);
            QCOMPARE(note.text(), names[i]);
            QCOMPARE(note.midi(), midi);
            const std::optional<int> sign = signature.signFor(note);
            const QChar shown = !sign ? '.' : *sign > 0 ? '#' : *sign < 0 ? 'b' : 'n';
            QCOMPARE(QString(shown), signs.mid(i, 1));
            // A key's own notes are exactly those that need no sign.
            QCOMPARE(signature.inScale(midi), shown == QLatin1Char('.'));
        }
    }

    // A test outside C major draws the key's seven notes, written with no
    // sign; with accidentals, all twelve.
    void aTestInAKeyDrawsItsNotes_data()
    {
        QTest::addColumn<bool>("chromatic");
        QTest::addColumn<int>("pitchClasses");
        QTest::newRow("D major") << false << 7;
        QTest::newRow("D major with accidentals") << true << 12;
    }
    void aTestInAKeyDrawsItsNotes()
    {
        QFETCH(bool, chromatic);
        QFETCH(int, pitchClasses);
        VKTest staff;
        staff.resize(240, 120);
        const KeySignature d(2);
        staff.setKeyChoice({d, false});
        staff.setChromatic(chromatic);
        QSet<int> seen;
        for (int i = 0; i < 500; ++i) {
            staff.generateNote();
            const WrittenNote n = *staff.currentTestNote();
            QCOMPARE(n, d.spell(n.midi()));
            QVERIFY(chromatic || !d.signFor(n));
            seen.insert(n.midi() % 12);
        }
        QCOMPARE(seen.size(), pitchClasses);
    }

    // A changing key takes a new key at the test's first note and after
    // every twelfth, never the one before, and starts a new line with it.
    void aChangingKeyChangesEveryTwelveNotes()
    {
        VKTest staff;
        staff.resize(2000, 120);
        staff.setKeyChoice({KeySignature(), true});
        QSignalSpy changed(&staff, &VKTest::keyChanged);
        staff.setTestMode(true);
        QSet<int> keys;
        for (int i = 1; i < 12 * 30; ++i) {
            staff.checkNoNote();
            QCOMPARE(changed.count(), i / NotesPerChangingKey + 1);
            QCOMPARE(staff.notesShown(), i % NotesPerChangingKey + 1);
            keys.insert(staff.key().fifths());
        }
        staff.setTestMode(false);
        for (int i = 1; i < changed.size(); ++i)
            QVERIFY(changed[i].first().value<KeySignature>() !=
                    changed[i - 1].first().value<KeySignature>());
        QVERIFY(keys.size() > 8); // drawn from all of them
    }

    // The signs stand right after the clef at their places, drawn as the
    // handheld draws a note's sign; the first note moves right past them.
    void theSignatureStandsAtItsPlaces_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("treble");
        for (const char *key : {"D", "Eb"}) {
            for (const bool treble : {true, false})
                QTest::addRow("%s major, %s", key, treble ? "treble" : "bass")
                    << QString::fromLatin1(key) << treble;
        }
    }
    void theSignatureStandsAtItsPlaces()
    {
        QFETCH(QString, key);
        QFETCH(bool, treble);
        const KeySignature signature = *KeySignature::fromOptionName(key);
        VKTest staff;
        staff.resize(240, 120);
        staff.setTrebleClef(treble);
        staff.setKeyChoice({signature, false});
        QCOMPARE(ReferenceRaster::differences(
                     staff.grab().toImage(),
                     ReferenceStaff::renderSignature(240, treble, signature.fifths()), {}, 0,
                     QStringLiteral("signature-") + key),
                 QString());
        QCOMPARE(staff.firstSlotX(), ReferenceStaff::firstSlotAfterSignature(signature.fifths()));
    }

    // In G flat major the B of the piano answers C flat, from a MIDI
    // keyboard as from any other.
    void cFlatInGFlatMajorIsAnsweredByTheKeyOfB()
    {
        FakeSound sound;
        VKControl w;
        StartOptions options;
        options.key = KeyChoice{KeySignature(-6), false};
        w.applyStartOptions(options);
        VKTest *staff = w.staffView();
        WindowDriver::testToggle(&w)->click();
        QSignalSpy verdicts(staff, &VKTest::judged);
        const WrittenNote cFlat = WrittenNote::fromText(u"Cb5").value();
        for (int i = 0; i < 2000 && staff->currentTestNote() != cFlat; ++i)
            staff->checkNoNote();
        QCOMPARE(staff->currentTestNote(), cFlat);
        verdicts.clear();
        emit w.midiInput()->noteRead(71); // B4
        QCOMPARE(verdicts.count(), 1);
        const auto verdict = verdicts.first().first().value<Verdict>();
        QVERIFY(verdict.correct);
        QCOMPARE(verdict.shown.text(), QStringLiteral("Cb5"));
        QCOMPARE(verdict.key, KeySignature(-6));
        QCOMPARE(verdict.source, std::optional<NoteSource>(NoteSource::Midi));
        WindowDriver::testToggle(&w)->click();
    }
};

QTEST_MAIN(KeySignatureTest)
#include "tst_keysignature.moc"
