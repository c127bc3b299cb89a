// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/ComputerKeyboard.h"
#include "input/EchoFilter.h"
#include "input/MidiMessages.h"

#include <QTest>

#include <linux/input-event-codes.h>

namespace {
// X11 and Wayland report the kernel's key code plus 8.
constexpr quint32 scan(int kernelKey)
{
    return quint32(kernelKey + 8);
}
} // namespace

// The piano keys of the computer keyboard by place, and what MIDI messages
// play.
class InputMapsTest : public QObject
{
    Q_OBJECT
private slots:
    void keysPlayByScanCode_data()
    {
        QTest::addColumn<quint32>("scanCode");
        QTest::addColumn<bool>("treble");
        QTest::addColumn<int>("note");
        // C to B: the lower row with the black keys on the row above it, then
        // the upper row with the black keys on the digit row.
        const int lower[] = {KEY_Z, KEY_S, KEY_X, KEY_D, KEY_C, KEY_V,
                             KEY_G, KEY_B, KEY_H, KEY_N, KEY_J, KEY_M};
        const int upper[] = {KEY_Q, KEY_2, KEY_W, KEY_3, KEY_E, KEY_R,
                             KEY_5, KEY_T, KEY_6, KEY_Y, KEY_7, KEY_U};
        for (int i = 0; i < 12; ++i) {
            QTest::addRow("treble lower %d", i) << scan(lower[i]) << true << 60 + i;
            QTest::addRow("treble upper %d", i) << scan(upper[i]) << true << 72 + i;
            QTest::addRow("bass lower %d", i) << scan(lower[i]) << false << 36 + i;
            QTest::addRow("bass upper %d", i) << scan(upper[i]) << false << 48 + i;
        }
        // Neighbours of the two rows and the keys between the black ones.
        for (int other : {KEY_1, KEY_4, KEY_8, KEY_I, KEY_A, KEY_F, KEY_K, KEY_COMMA, KEY_SPACE,
                          KEY_TAB, KEY_LEFTSHIFT})
            QTest::addRow("key %d", other) << scan(other) << true << -1;
        QTest::newRow("no scan code") << quint32(0) << true << -1;
    }
    void keysPlayByScanCode()
    {
        QFETCH(quint32, scanCode);
        QFETCH(bool, treble);
        QFETCH(int, note);
        QCOMPARE(ComputerKeyboard::noteForScanCode(scanCode, treble), note);
    }

    // Where the platform gives no scan code, the US letters stand in.
    void keysPlayByUsLetter_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("treble");
        QTest::addColumn<int>("note");
        QTest::newRow("Z") << int(Qt::Key_Z) << true << 60;
        QTest::newRow("J") << int(Qt::Key_J) << true << 70;
        QTest::newRow("2") << int(Qt::Key_2) << true << 73;
        QTest::newRow("U") << int(Qt::Key_U) << true << 83;
        QTest::newRow("bass M") << int(Qt::Key_M) << false << 47;
        QTest::newRow("A") << int(Qt::Key_A) << true << -1;
        QTest::newRow("4") << int(Qt::Key_4) << true << -1;
    }
    void keysPlayByUsLetter()
    {
        QFETCH(int, key);
        QFETCH(bool, treble);
        QFETCH(int, note);
        QCOMPARE(ComputerKeyboard::noteForKey(key, treble), note);
    }

    // Keys struck and let go from A0 to C8, by their MIDI numbers, with their
    // velocity, and the sustain pedal; value is the velocity, or 1 for a
    // pedal down.
    void midiMessagesMeanKeysAndThePedal_data()
    {
        using E = MidiMessages::Event;
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("note");
        QTest::addColumn<int>("value");
        QTest::newRow("middle C") << QByteArray("\x90\x3c\x64", 3) << int(E::KeyDown) << 60 << 100;
        QTest::newRow("A4, softest") << QByteArray("\x90\x45\x01", 3) << int(E::KeyDown) << 69 << 1;
        QTest::newRow("channel 16, full velocity")
            << QByteArray("\x9f\x3d\x7f", 3) << int(E::KeyDown) << 61 << 127;
        QTest::newRow("A0, lowest") << QByteArray("\x90\x15\x40", 3) << int(E::KeyDown) << 21 << 64;
        QTest::newRow("C8, highest")
            << QByteArray("\x90\x6c\x40", 3) << int(E::KeyDown) << 108 << 64;
        QTest::newRow("B1, once below the keys played")
            << QByteArray("\x90\x23\x40", 3) << int(E::KeyDown) << 35 << 64;
        QTest::newRow("C6, once above them")
            << QByteArray("\x90\x54\x40", 3) << int(E::KeyDown) << 84 << 64;
        QTest::newRow("Ab0, below") << QByteArray("\x90\x14\x40", 3) << int(E::Ignored) << -1 << 0;
        QTest::newRow("C#8, above") << QByteArray("\x90\x6d\x40", 3) << int(E::Ignored) << -1 << 0;
        QTest::newRow("MIDI 0") << QByteArray("\x90\x00\x40", 3) << int(E::Ignored) << -1 << 0;
        QTest::newRow("MIDI 127") << QByteArray("\x90\x7f\x40", 3) << int(E::Ignored) << -1 << 0;
        QTest::newRow("velocity 0") << QByteArray("\x90\x3c\x00", 3) << int(E::KeyUp) << 60 << 0;
        QTest::newRow("note-off") << QByteArray("\x80\x3c\x40", 3) << int(E::KeyUp) << 60 << 0;
        QTest::newRow("note-off, channel 3, C8")
            << QByteArray("\x82\x6c\x00", 3) << int(E::KeyUp) << 108 << 0;
        QTest::newRow("note-off, A0") << QByteArray("\x80\x15\x40", 3) << int(E::KeyUp) << 21 << 0;
        QTest::newRow("note-off above")
            << QByteArray("\x80\x6d\x40", 3) << int(E::Ignored) << -1 << 0;
        QTest::newRow("pedal down") << QByteArray("\xb0\x40\x7f", 3) << int(E::Pedal) << -1 << 1;
        QTest::newRow("pedal half way down")
            << QByteArray("\xb5\x40\x40", 3) << int(E::Pedal) << -1 << 1;
        QTest::newRow("pedal almost up")
            << QByteArray("\xb0\x40\x3f", 3) << int(E::Pedal) << -1 << 0;
        QTest::newRow("all notes off")
            << QByteArray("\xb0\x7b\x00", 3) << int(E::AllKeysUp) << -1 << 0;
        QTest::newRow("all sound off")
            << QByteArray("\xb9\x78\x00", 3) << int(E::AllKeysUp) << -1 << 0;
        QTest::newRow("soft pedal") << QByteArray("\xb0\x43\x7f", 3) << int(E::Ignored) << -1 << 0;
        QTest::newRow("key pressure")
            << QByteArray("\xa0\x3c\x40", 3) << int(E::Ignored) << -1 << 0;
        QTest::newRow("program change") << QByteArray("\xc0\x40", 2) << int(E::Ignored) << -1 << 0;
        QTest::newRow("pitch bend") << QByteArray("\xe0\x00\x50", 3) << int(E::Ignored) << -1 << 0;
        QTest::newRow("clock") << QByteArray("\xf8", 1) << int(E::Ignored) << -1 << 0;
        QTest::newRow("song position")
            << QByteArray("\xf2\x3c\x40", 3) << int(E::Ignored) << -1 << 0;
        QTest::newRow("system exclusive")
            << QByteArray("\xf0\x90\x3c\x40\xf7", 5) << int(E::Ignored) << -1 << 0;
        QTest::newRow("note-on cut short")
            << QByteArray("\x90\x3c", 2) << int(E::Ignored) << -1 << 0;
        QTest::newRow("pedal cut short") << QByteArray("\xb0\x40", 2) << int(E::Ignored) << -1 << 0;
        QTest::newRow("empty") << QByteArray() << int(E::Ignored) << -1 << 0;
    }
    void midiMessagesMeanKeysAndThePedal()
    {
        QFETCH(QByteArray, message);
        QFETCH(int, kind);
        QFETCH(int, note);
        QFETCH(int, value);
        const auto *bytes = reinterpret_cast<const unsigned char *>(message.constData());
        const MidiMessages::Event event = MidiMessages::decode(bytes, size_t(message.size()));
        QCOMPARE(int(event.kind), kind);
        if (kind == MidiMessages::Event::KeyDown || kind == MidiMessages::Event::KeyUp)
            QCOMPARE(event.note, note);
        if (kind == MidiMessages::Event::KeyDown)
            QCOMPARE(event.velocity, value);
        if (kind == MidiMessages::Event::Pedal)
            QCOMPARE(event.down, value == 1);
    }

    // Two notes, (note, source, ms) each: is the second played?
    void aNoteEchoedByAnotherSourceCountsOnce_data()
    {
        QTest::addColumn<QList<int>>("first");
        QTest::addColumn<QList<int>>("second");
        QTest::addColumn<bool>("played");
        QTest::newRow("other source, 20 ms later")
            << QList<int>{36, 1, 1000} << QList<int>{36, 2, 1020} << false;
        QTest::newRow("other source, 49 ms later")
            << QList<int>{36, 2, 1000} << QList<int>{36, 1, 1049} << false;
        QTest::newRow("other source, 50 ms later")
            << QList<int>{36, 1, 1000} << QList<int>{36, 2, 1050} << true;
        QTest::newRow("same source at once")
            << QList<int>{36, 1, 1000} << QList<int>{36, 1, 1000} << true;
        QTest::newRow("other note, other source")
            << QList<int>{36, 1, 1000} << QList<int>{37, 2, 1000} << true;
        QTest::newRow("highest key")
            << QList<int>{108, 1, 1000} << QList<int>{108, 2, 1010} << false;
        QTest::newRow("lowest key") << QList<int>{21, 1, 1000} << QList<int>{21, 2, 1010} << false;
    }
    void aNoteEchoedByAnotherSourceCountsOnce()
    {
        QFETCH(QList<int>, first);
        QFETCH(QList<int>, second);
        QFETCH(bool, played);
        EchoFilter echoes;
        QVERIFY(echoes.accept(first[0], first[1], first[2]));
        QCOMPARE(echoes.accept(second[0], second[1], second[2]), played);
    }

    // The late copy of a release, arriving after the key was struck again,
    // lets go of nothing; nor does the copy of that strike play.
    void aReleaseEchoedByAnotherSourceCountsOnce()
    {
        EchoFilter echoes;
        QVERIFY(echoes.accept(36, 1, 1000));
        QVERIFY(echoes.accept(36, 1, 1100, EchoFilter::Release));
        QVERIFY(echoes.accept(36, 1, 1110));
        QVERIFY(!echoes.accept(36, 2, 1130, EchoFilter::Release));
        QVERIFY(!echoes.accept(36, 2, 1140));
        QVERIFY(echoes.accept(36, 1, 1300, EchoFilter::Release));
        QVERIFY(echoes.accept(36, 2, 1400, EchoFilter::Release));
    }

    void anEchoOfAChordIsDroppedNoteByNote()
    {
        EchoFilter echoes;
        for (int note : {36, 40, 43})
            QVERIFY(echoes.accept(note, 1, 1000));
        for (int note : {36, 40, 43})
            QVERIFY(!echoes.accept(note, 2, 1015));
    }
};

QTEST_APPLESS_MAIN(InputMapsTest)
#include "tst_inputmaps.moc"
