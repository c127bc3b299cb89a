// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeSound.h"
#include "MessageBoxCatcher.h"
#include "Played.h"
#include "WindowDriver.h"

#include "app/VKControl.h"
#include "app/VKScore.h"
#include "keyboard/VKKeyboard.h"
#include "notes/Catalogue.h"
#include "platform/QPEApplication.h"
#include "staff/VKTest.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

// US-layout key names with the scan codes X11 and Wayland give them.
struct Key
{
    Qt::Key key;
    quint32 scanCode;
};
constexpr Key Z{Qt::Key_Z, 52};
constexpr Key S{Qt::Key_S, 39};
constexpr Key X{Qt::Key_X, 53};
constexpr Key C{Qt::Key_C, 54};
constexpr Key Q{Qt::Key_Q, 24};
constexpr Key Two{Qt::Key_2, 11};
constexpr Key Space{Qt::Key_Space, 65};

// Sends a key event to whatever has the focus, as the platform does;
// returns whether it was taken.
bool send(QEvent::Type type, const Key &k, Qt::KeyboardModifiers modifiers = {},
          bool autoRepeat = false)
{
    QWidget *target = QApplication::focusWidget();
    if (!target)
        target = QApplication::activeWindow();
    QKeyEvent event(type, k.key, modifiers, k.scanCode, 0, 0, QString(), autoRepeat);
    QApplication::sendEvent(target, &event);
    return event.isAccepted();
}

// The key press, and the release after it; returns whether the press was taken.
bool press(const Key &k, Qt::KeyboardModifiers modifiers = {}, bool autoRepeat = false)
{
    const bool taken = send(QEvent::KeyPress, k, modifiers, autoRepeat);
    send(QEvent::KeyRelease, k, modifiers, autoRepeat);
    return taken;
}

} // namespace

class KeysTest : public QObject
{
    Q_OBJECT
private:
    // A shown, active main window in practice mode.
    void showWindow(VKControl &w)
    {
        w.resize(240, 300);
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }

private slots:
    void keysPlayInPracticeModeAndAnswerInTestMode()
    {
        FakeSound sound;
        VKControl w;
        showWindow(w);
        QPushButton *toggle = WindowDriver::testToggle(&w);
        toggle->setFocus();
        QCOMPARE(QApplication::focusWidget(), toggle);

        for (const Key &k : {Z, S, X, C, Q, Two})
            QVERIFY(press(k));
        QCOMPARE(Played::onStaff(w.staffView()), QList<int>({60, 61, 62, 64, 72, 73}));
        QCOMPARE(Played::sounds(sound), QStringList({"C4", "Cs4", "D4", "E4", "C5", "Cs5"}));

        // Space still works the focused toggle.
        press(Space);
        QVERIFY(toggle->isChecked());
        QSignalSpy verdicts(w.staffView(), &VKTest::testedNote);
        const int shown = w.staffView()->notesShown();
        sound.played.clear();
        send(QEvent::KeyPress, Z);
        QCOMPARE(verdicts.count(), 1);
        QCOMPARE(w.scoreView()->notesTested(), 1);
        // The answer is neither drawn nor sounded; the next test note is. The
        // key shows held until it is let go.
        QCOMPARE(w.staffView()->notesShown(), shown + 1);
        QCOMPARE(sound.played.size(), 1);
        QCOMPARE(w.keyboardView()->heldKeys(), QSet<int>{60});
        send(QEvent::KeyRelease, Z);
        QVERIFY(w.keyboardView()->heldKeys().isEmpty());
        toggle->setChecked(false);
    }

    // A key sounds at a tap's level while it is held, shown pressed on the
    // screen, and is let go with its release; a repeating key neither
    // strikes again nor lets go, and a clef changed meanwhile does not change
    // which note the release lets go.
    void aHeldKeySoundsUntilItIsLetGo()
    {
        FakeSound sound;
        VKControl w;
        showWindow(w);
        QVERIFY(send(QEvent::KeyPress, Z));
        QVERIFY(send(QEvent::KeyRelease, Z, {}, true));
        QVERIFY(send(QEvent::KeyPress, Z, {}, true));
        QCOMPARE(Played::sounds(sound), QStringList{"C4"});
        QCOMPARE(sound.velocities, QList<int>{127});
        QCOMPARE(w.keyboardView()->heldKeys(), QSet<int>{60});
        QVERIFY(sound.released.isEmpty());
        w.staffView()->setTrebleClef(false);
        QVERIFY(send(QEvent::KeyRelease, Z, Qt::ShiftModifier));
        QCOMPARE(Played::names(sound.released), QStringList{"C4"});
        QVERIFY(w.keyboardView()->heldKeys().isEmpty());
    }

    // Keys held when a dialog takes the keyboard are let go: their releases
    // will go to the dialog.
    void keysHeldWhenTheWindowLosesTheKeyboardAreLetGo()
    {
        FakeSound sound;
        VKControl w;
        showWindow(w);
        send(QEvent::KeyPress, Z);
        send(QEvent::KeyPress, Q);
        QStringList releasedMeanwhile;
        WindowDriver::whenModal([&](QDialog *dialog) {
            releasedMeanwhile = Played::names(sound.released);
            dialog->reject();
        });
        WindowDriver::menuItem(&w, "Configuration", "Keyboard")->trigger();
        releasedMeanwhile.sort();
        QCOMPARE(releasedMeanwhile, QStringList({"C4", "C5"}));
        QVERIFY(w.keyboardView()->heldKeys().isEmpty());
    }

    void theBassClefMovesTheKeysTwoOctavesDown()
    {
        FakeSound sound;
        VKControl w;
        showWindow(w);
        w.staffView()->setTrebleClef(false);
        press(Z);
        press(Two);
        QCOMPARE(Played::onStaff(w.staffView()), QList<int>({36, 49}));
    }

    void repeatsAndChordsWithCtrlAltOrMetaPlayNothing()
    {
        FakeSound sound;
        VKControl w;
        showWindow(w);
        QVERIFY(press(Z, {}, true)); // swallowed, not played
        QVERIFY(!press(Z, Qt::ControlModifier));
        QVERIFY(!press(Z, Qt::AltModifier));
        QVERIFY(!press(Z, Qt::MetaModifier));
        QCOMPARE(w.staffView()->notesShown(), 0);
        QVERIFY(sound.played.isEmpty());
        // Alt+T is still the toggle's mnemonic, though T is a piano key. The
        // button is clicked after a short show; then only the first test
        // note sounds.
        QTest::keyClick(&w, Qt::Key_T, Qt::AltModifier);
        QTRY_VERIFY(WindowDriver::testToggle(&w)->isChecked());
        QCOMPARE(sound.played.size(), 1);
        WindowDriver::testToggle(&w)->setChecked(false);
    }

    void whileADialogIsOpenItsKeysStayThere()
    {
        FakeSound sound;
        VKControl w;
        showWindow(w);
        bool taken = true;
        WindowDriver::whenModal([&](QDialog *dialog) {
            taken = press(Z);
            dialog->reject();
        });
        WindowDriver::menuItem(&w, "Configuration", "Test")->trigger();
        QVERIFY(!taken);
        QCOMPARE(w.staffView()->notesShown(), 0);
        QVERIFY(sound.played.isEmpty());
    }

    void f1OpensTheGuide()
    {
        VKControl w;
        w.setHelpFile(QStringLiteral("no/such/guide.html"));
        showWindow(w);
        MessageBoxCatcher boxes;
        QTest::keyClick(&w, Qt::Key_F1);
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes.first().text, QStringLiteral("Help file not found"));
    }

    void ctrlQEndsTheLoopAsQuitDoes()
    {
        auto *w = new VKControl;
        auto *app = static_cast<QPEApplication *>(qApp);
        app->showMainWidget(w, true);
        QVERIFY(QTest::qWaitForWindowActive(w));
        QSignalSpy quits(WindowDriver::menuItem(w, "File", "Quit"), &QAction::triggered);
        QTimer::singleShot(0, w, [w] { QTest::keyClick(w, Qt::Key_Q, Qt::ControlModifier); });
        QTimer::singleShot(5000, app, [] { QCoreApplication::exit(1); }); // in case it does not
        QCOMPARE(app->exec(), 0);
        QCOMPARE(quits.count(), 1);
        delete w;
    }
};

int main(int argc, char **argv)
{
    QPEApplication app(argc, argv);
    KeysTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_keys.moc"
