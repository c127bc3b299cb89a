// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/ComputerKeyboard.h"

#include <QTest>

#include <linux/input-event-codes.h>

namespace {
// X11 and Wayland report the kernel's key code plus 8.
constexpr quint32 scan(int kernelKey)
{
    return quint32(kernelKey + 8);
}
} // namespace

// The piano keys of the computer keyboard, by place.
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
            QTest::addRow("treble lower %d", i) << scan(lower[i]) << true << 36 + i;
            QTest::addRow("treble upper %d", i) << scan(upper[i]) << true << 48 + i;
            QTest::addRow("bass lower %d", i) << scan(lower[i]) << false << 12 + i;
            QTest::addRow("bass upper %d", i) << scan(upper[i]) << false << 24 + i;
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
        QTest::newRow("Z") << int(Qt::Key_Z) << true << 36;
        QTest::newRow("J") << int(Qt::Key_J) << true << 46;
        QTest::newRow("2") << int(Qt::Key_2) << true << 49;
        QTest::newRow("U") << int(Qt::Key_U) << true << 59;
        QTest::newRow("bass M") << int(Qt::Key_M) << false << 23;
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
};

QTEST_APPLESS_MAIN(InputMapsTest)
#include "tst_inputmaps.moc"
