// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyboard/VKKeyboard.h"
#include "notes/Catalogue.h"
#include "platform/sound/QSound.h"
#include "staff/VKTest.h"

#include <QApplication>
#include <QTest>

// Runs with no sound server reachable: the machine has no sound at all.
class NoSoundTest : public QObject
{
    Q_OBJECT
private slots:

    void soundIsReportedUnavailable() { QVERIFY(!QSound::available()); }

    void everyPlayWarnsOnceAndTapsStillDraw()
    {
        VKKeyboard keyboard;
        VKTest staff;
        staff.resize(240, 120);
        keyboard.resize(240, 80);
        keyboard.setClef(true);
        keyboard.setOneOctave(true);
        connect(&keyboard, &VKKeyboard::noteRead, &staff, &VKTest::drawNote);
        connect(&keyboard, &VKKeyboard::noteRead, &keyboard, &VKKeyboard::playNote);
        keyboard.grab(); // paints once, which records where the keys are

        for (int i = 0; i < 3; ++i) {
            QTest::ignoreMessage(QtWarningMsg, "Warning - No Sound facility!");
            QTest::mouseClick(&keyboard, Qt::LeftButton, {}, QPoint(20, 60));
        }
        QCOMPARE(staff.notesShown(), 3);
        QCOMPARE(staff.noteInSlot(2).midi(), 60);

        QTest::ignoreMessage(QtWarningMsg, "Warning - No Sound facility!");
        keyboard.playNote(61);
    }
};

int main(int argc, char **argv)
{
    // The sound server is looked for once, when sound is first used.
    qputenv("PULSE_SERVER", "unix:/nonexistent");
    QApplication app(argc, argv);
    NoSoundTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_nosound.moc"
