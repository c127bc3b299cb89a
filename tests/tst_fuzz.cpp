// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeSound.h"

#include "keyboard/VKKeyboard.h"
#include "notes/Catalogue.h"
#include "staff/VKTest.h"
#include "staff/VKTestConfig.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <climits>
#include <random>

// Generated inputs by the hundred thousand: nothing may crash, and whatever
// comes out must be something the program can stand behind.

namespace {

std::mt19937 &generator()
{
    static std::mt19937 g(20261207);
    return g;
}

int anyInt(int lo, int hi)
{
    return std::uniform_int_distribution<int>(lo, hi)(generator());
}

// Mostly small numbers, now and then an extreme one.
int anyNoteNumber()
{
    switch (anyInt(0, 9)) {
    case 0:
        return anyInt(INT_MIN, INT_MAX);
    case 1:
        return QList<int>{INT_MIN, INT_MIN + 1, INT_MAX, -1, 0, 20, 21, 108, 109, -60}.at(
            anyInt(0, 9));
    default:
        return anyInt(0, 110);
    }
}

} // namespace

class FuzzTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The refusals below are expected by the hundred thousand.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &msg) {
            if (type == QtWarningMsg && msg.startsWith(QLatin1String("Invalid MIDI note number:")))
                return;
            if (type == QtFatalMsg)
                abort();
            fprintf(stderr, "%s\n", qPrintable(msg));
        });
    }

    void cleanupTestCase() { qInstallMessageHandler(nullptr); }

    void tapsAnywhereOnAnyKeyboardGiveOnlyReachableNotes()
    {
        FakeSound sound;
        VKKeyboard keyboard;
        QList<int> read;
        connect(&keyboard, &VKKeyboard::noteRead, this, [&](int n) { read << n; });
        int cases = 0;
        int emitted = 0;
        for (int round = 0; round < 4000; ++round) {
            const bool oneOctave = anyInt(0, 1);
            const bool treble = anyInt(0, 1);
            keyboard.setClef(treble);
            keyboard.setOneOctave(oneOctave);
            keyboard.setFixedSize(anyInt(0, 1000), anyInt(0, 200));
            // Half the rounds tap before the new size has been painted.
            if (anyInt(0, 1))
                keyboard.grab();
            const KeyboardGeometry g = keyboard.recordedGeometry();
            const int base = treble ? 60 : 36;
            for (int i = 0; i < 250; ++i, ++cases) {
                const int x = anyInt(-20, 1020);
                const int y = anyInt(-20, 220);
                const int n = keyboard.noteAt(x, y);
                if (n == -1)
                    continue;
                ++emitted;
                QVERIFY2(n >= base && n < base + 24 && notes.contains(n),
                         qPrintable(QStringLiteral("%1 at %2,%3").arg(n).arg(x).arg(y)));
                QVERIFY(x >= g.kbLeft && y >= g.kbTop && y <= g.kbTop + g.keyHeight);
            }
            // Real mouse events for some of them, any button.
            for (int i = 0; i < 10; ++i, ++cases) {
                read.clear();
                const Qt::MouseButton button = anyInt(0, 3) ? Qt::LeftButton : Qt::RightButton;
                const QPoint at(anyInt(-20, 1020), anyInt(-20, 220));
                QTest::mouseRelease(&keyboard, button, {}, at);
                QVERIFY(read.size() <= 1);
                if (read.size() == 1) {
                    QCOMPARE(button, Qt::LeftButton);
                    QCOMPARE(read.first(), keyboard.noteAt(at.x(), at.y()));
                    QVERIFY(read.first() < base + (keyboard.whiteKeyCount() == 7 ? 12 : 24));
                }
            }
        }
        QVERIFY(cases >= 1000000);
        QVERIFY(emitted > 10000); // the sizes must also have produced real keyboards
    }

    void anyIntegerOnTheStaffIsStoredOnlyWhenItIsANote()
    {
        VKTest staff;
        int accepted = 0;
        for (int i = 0; i < 200000; ++i) {
            if (i % 2000 == 0) {
                staff.resize(anyInt(0, 1000), 120);
                staff.setTrebleClef(anyInt(0, 1));
                staff.grab();
            }
            const int before = staff.notesShown();
            const int n = anyNoteNumber();
            staff.drawNote(n);
            const bool note = n >= PianoLowest && n <= PianoHighest;
            if (!note) {
                QCOMPARE(staff.notesShown(), before);
                continue;
            }
            ++accepted;
            QVERIFY(staff.notesShown() >= 1);
            QCOMPARE(staff.noteInSlot(staff.notesShown() - 1).midi(), n);
            QVERIFY(staff.notesShown() <= staff.slotCapacity());
            if (i % 500 == 0)
                staff.grab(); // paint whatever is stored now
        }
        QCOMPARE(notes.size(), 88); // nothing added to the catalogue on the way
        QVERIFY(accepted > 50000);
    }

    void anyAnswerIsJudgedAndTheTestGoesOn()
    {
        FakeSound sound;
        VKTest staff;
        staff.resize(400, 120);
        QSignalSpy verdicts(&staff, &VKTest::testedNote);
        staff.setTestMode(true);
        for (int i = 0; i < 100000; ++i) {
            staff.setKb(anyInt(0, 1));
            const int t = staff.currentTestNote()->midi();
            const int a = anyNoteNumber();
            staff.checkNote(a, NoteSource::Screen);
            const bool key = a >= PianoLowest && a <= PianoHighest;
            const bool right = key && (staff.keyboardOneOctave() ? a % 12 == t % 12 : a == t);
            if (verdicts.last().first().toBool() != right)
                QFAIL(qPrintable(QStringLiteral("answer %1 to %2").arg(a).arg(t)));
            if (i % 1000 == 0)
                staff.grab();
        }
        QCOMPARE(verdicts.count(), 100000);
        staff.setTestMode(false);
        QCOMPARE(notes.size(), 88);
    }

    // A typed interval is taken when it is a whole number from 1 to 999999;
    // anything else is refused, and cancelling keeps the interval in force.
    void anyTypedIntervalIsTakenOnlyWhenItIsOneTo999999()
    {
        VKTest staff;
        VKTestConfig *config = staff.configDialog();
        const QString alphabet = QStringLiteral("0123456789-+ .,eEx\u00e9\u0660\u0661\U0001F3B5");
        for (int i = 0; i < 300; ++i) {
            QString typed;
            const int length = anyInt(0, 9);
            for (int k = 0; k < length; ++k) {
                const QString c = alphabet.mid(anyInt(0, int(alphabet.size()) - 1), 1);
                typed += c;
            }
            const int before = staff.testInterval();
            QTimer::singleShot(0, config, [config, typed] {
                config->intervalField()->setText(typed);
                config->accept();
                if (config->isVisible())
                    config->reject();
            });
            staff.setConfig();
            const QString kept = config->intervalField()->text();
            QVERIFY(kept.size() <= 6);
            bool ok = false;
            const int value = kept.toInt(&ok);
            const bool valid = ok && value >= 1 && value <= 999999;
            QCOMPARE(staff.testInterval(), valid ? value : before);
            QVERIFY(staff.testInterval() >= 1);
        }
    }
};

QTEST_MAIN(FuzzTest)
#include "tst_fuzz.moc"
