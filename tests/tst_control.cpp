// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeSound.h"
#include "WindowDriver.h"

#include "app/MidiStatusBar.h"
#include "app/StartUp.h"
#include "app/VKControl.h"
#include "app/VKScore.h"
#include "app/ZoomLayout.h"
#include "input/MidiInput.h"
#include "keyboard/VKKeyboard.h"
#include "notes/Catalogue.h"
#include "platform/QPEApplication.h"
#include "staff/VKTest.h"

#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

class CloseCounter : public QObject
{
public:
    int closes = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Close)
            ++closes;
        return false;
    }
};

// Taps the middle of the lower zone of white key k of a 240-pixel keyboard.
void tapWhiteKey(VKKeyboard *kb, int k)
{
    const KeyboardGeometry g = kb->recordedGeometry();
    QTest::mouseClick(
        kb, Qt::LeftButton, {},
        QPoint(g.kbLeft + k * g.keyWidth + g.keyWidth / 2, g.kbTop + g.keyHeight - 5));
}

} // namespace

class ControlTest : public QObject
{
    Q_OBJECT
private slots:
    void startUpLeavesPracticeModeWithTrebleClefAndOneOctave()
    {
        VKControl w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Velkaro"));
        QCOMPARE(notes.size(), 88);
        QPushButton *button = WindowDriver::testToggle(&w);
        QVERIFY(button);
        QVERIFY(button->isCheckable());
        QVERIFY(!button->isChecked());
        QCOMPARE(w.scoreView()->text(), QStringLiteral("Score: 0 of 0"));
        QVERIFY(w.staffView()->isTrebleClef());
        QVERIFY(w.staffView()->keyboardOneOctave());
        QCOMPARE(w.keyboardView()->whiteKeyCount(), 7);
        QCOMPARE(w.keyboardView()->lowestNote(), 60);
        QVERIFY(!w.staffView()->testTimerActive());
    }

    // On the handheld's screen the window is laid out as written: staff on
    // top, keyboard under it, then a row with a 10-pixel margin that the
    // button, from the left margin, and the score after it share; the row
    // takes the height that is left.
    void theHandheldWindowIsLaidOutAsWritten()
    {
        VKControl w;
        w.resize(240, 300);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.staffView()->geometry(), QRect(0, 0, 240, 120));
        QCOMPARE(w.keyboardView()->geometry(), QRect(0, 120, 240, 80));
        const QRect button = WindowDriver::testToggle(&w)->geometry();
        const QRect score = w.scoreView()->geometry();
        QCOMPARE(button.left(), 10);
        QCOMPARE(score.left(), button.right() + 1);
        QCOMPARE(score.right(), 229);
        QCOMPARE(score.top(), 210);
        QCOMPARE(score.bottom(), w.centralWidget()->height() - 11);
        QVERIFY(std::abs(button.center().y() - score.center().y()) <= 1);
        QCOMPARE(w.scoreView()->alignment(), Qt::AlignCenter);
    }

    // On a desktop screen the button and the score keep their natural sizes
    // and stand together in the middle of the row.
    void aDesktopWindowCentresTheButtonAndTheScore()
    {
        VKControl w;
        w.resize(1000, 700);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QRect button = WindowDriver::testToggle(&w)->geometry();
        const QRect score = w.scoreView()->geometry();
        QCOMPARE(button.size(), WindowDriver::testToggle(&w)->sizeHint());
        QCOMPARE(score.width(), w.scoreView()->sizeHint().width());
        QCOMPARE(score.left(), button.right() + 1 + ZoomLayout::DesktopRowSpacing);
        QVERIFY(std::abs(button.left() - (999 - score.right())) <= 1);
    }

    // Each MIDI keyboard listened to is named in the status line, which is
    // hidden while there is none and never makes the handheld's window wider.
    void theStatusLineNamesTheMidiKeyboards_data()
    {
        QTest::addColumn<QStringList>("sources");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << QStringList() << QString();
        QTest::newRow("one on JACK") << QStringList{"Piano:keys"} << "MIDI: Piano:keys";
        QTest::newRow("two, one on ALSA with its numbers")
            << QStringList{"Piano:keys", "Keystation 49:Keystation 49 MIDI 1 20:0"}
            << QStringLiteral(
                   "MIDI: Piano:keys   \u00b7   MIDI: Keystation 49:Keystation 49 MIDI 1");
        QTest::newRow("a long name") << QStringList{QString(80, QLatin1Char('k'))}
                                     << "MIDI: " + QString(80, QLatin1Char('k'));
    }
    void theStatusLineNamesTheMidiKeyboards()
    {
        QFETCH(QStringList, sources);
        VKControl w;
        QSignalSpy scanned(w.midiInput(), &MidiInput::sourcesChanged);
        w.resize(240, 300);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_COMPARE(scanned.count(), 1);
        auto *line = w.findChild<MidiStatusBar *>();
        QVERIFY(line);
        emit w.midiInput()->sourcesChanged(sources);
        QTEST(line->text(), "text");
        QCOMPARE(line->isVisibleTo(&w), !sources.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(w.width(), 240);
    }

    void menusOfferTheirItemsInOrder()
    {
        VKControl w;
        QStringList titles;
        const auto menus = w.menuBar()->actions();
        for (QAction *m : menus)
            titles << m->text();
        QCOMPARE(titles, QStringList({"File", "Configuration", "Help"}));
        QVERIFY(WindowDriver::menuItem(&w, "File", "Quit"));
        QVERIFY(WindowDriver::menuItem(&w, "Configuration", "Test"));
        QVERIFY(WindowDriver::menuItem(&w, "Configuration", "Keyboard"));
        QVERIFY(WindowDriver::menuItem(&w, "Help", "User's Guide"));
        QVERIFY(WindowDriver::menuItem(&w, "Help", "About"));
        QCOMPARE(menus.at(2)->menu()->actions().first()->text(), QStringLiteral("User's Guide"));
    }

    void aPracticeTapIsDrawnOnceAndSoundedOnceAfterAnyNumberOfToggles()
    {
        FakeSound sound;
        VKControl w;
        w.resize(240, 300);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QPushButton *button = WindowDriver::testToggle(&w);
        for (int i = 0; i < 5; ++i) {
            button->setChecked(true);
            button->setChecked(false);
        }
        const int before = w.staffView()->notesShown();
        sound.played.clear();
        tapWhiteKey(w.keyboardView(), 5); // A4
        QCOMPARE(w.staffView()->notesShown(), before + 1);
        QCOMPARE(w.staffView()->noteInSlot(before).text(), QStringLiteral("A4"));
        QCOMPARE(sound.played.size(), 1);
        QVERIFY(sound.played.first().endsWith("/sounds/velkaro/A4.wav"));
    }

    void inTestModeTapsAreJudgedNotDrawnOrSounded()
    {
        FakeSound sound;
        VKControl w;
        w.resize(240, 300);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QPushButton *button = WindowDriver::testToggle(&w);
        button->setChecked(true);
        button->setChecked(false);
        button->setChecked(true);
        QVERIFY(w.staffView()->testTimerActive());

        QSignalSpy verdicts(w.staffView(), &VKTest::testedNote);
        const int shown = w.staffView()->notesShown();
        sound.played.clear();
        tapWhiteKey(w.keyboardView(), 0);
        // One verdict, then exactly one new note drawn and sounded: the tap itself is silent.
        QCOMPARE(verdicts.count(), 1);
        QCOMPARE(w.scoreView()->notesTested(), 1);
        QCOMPARE(sound.played.size(), 1);
        QCOMPARE(w.staffView()->notesShown(), shown + 1);
        const int generated = w.staffView()->currentTestNote()->midi();
        QVERIFY(sound.played.first().endsWith(QStringLiteral("/sounds/") +
                                              QLatin1String(notes[generated].file()) + ".wav"));
        button->setChecked(false);
        QVERIFY(!w.staffView()->testTimerActive());
    }

    void switchingToTestModeSoundsTheFirstNote()
    {
        FakeSound sound;
        VKControl w;
        QSignalSpy newNotes(w.staffView(), &VKTest::newNote);
        w.setMode(true);
        QCOMPARE(newNotes.count(), 1);
        QCOMPARE(sound.played.size(), 1);
        const int first = newNotes.first().first().toInt();
        QVERIFY(sound.played.first().endsWith(QLatin1String(notes[std::abs(first)].file()) +
                                              QLatin1String(".wav")));
        w.setMode(false);
    }

    void scoreCountsOnlyInTestModeAndKeepsItsTotals()
    {
        FakeSound sound;
        VKControl w;
        w.setMode(true);
        emit w.staffView()->testedNote(true);
        emit w.staffView()->testedNote(false);
        w.setMode(false);
        emit w.staffView()->testedNote(true);
        QCOMPARE(w.scoreView()->text(), QStringLiteral("Score: 1 of 2"));
        w.setMode(true);
        emit w.staffView()->testedNote(true);
        w.setMode(false);
        QCOMPARE(w.scoreView()->text(), QStringLiteral("Score: 2 of 3"));
    }

    void theOctaveAndClefSettingsReachTheOtherView()
    {
        VKControl w;
        w.keyboardView()->setOneOctave(false);
        QVERIFY(!w.staffView()->keyboardOneOctave());
        w.staffView()->setTrebleClef(false);
        QCOMPARE(w.keyboardView()->lowestNote(), 36);
    }

    void quitEndsTheLoopWithoutAClose()
    {
        QPointer<VKControl> w = new VKControl;
        CloseCounter counter;
        w->installEventFilter(&counter);
        auto *app = static_cast<QPEApplication *>(qApp);
        app->showMainWidget(w, true);
        QAction *quit = WindowDriver::menuItem(w, "File", "Quit");
        QVERIFY(quit);
        QTimer::singleShot(0, quit, &QAction::trigger);
        QCOMPARE(app->exec(), 0);
        QCOMPARE(counter.closes, 0);
        QVERIFY(w);
        QVERIFY(w->isVisible());
        delete w;
    }

    void closingTheWindowEndsTheLoopAndDestroysTheWindow()
    {
        QPointer<VKControl> w = new VKControl;
        CloseCounter counter;
        w->installEventFilter(&counter);
        auto *app = static_cast<QPEApplication *>(qApp);
        app->showMainWidget(w, true);
        QTimer::singleShot(0, w, &QWidget::close);
        QCOMPARE(app->exec(), 0);
        // One close event: the close inside closeEvent does not recurse.
        QCOMPARE(counter.closes, 1);
        QTRY_VERIFY(w.isNull());
    }

    // However the program is started, the manual is named after the program
    // alone; its case is kept.
    void helpPathTakesTheInvocationNameWithoutItsFolder_data()
    {
        QTest::addColumn<QByteArray>("argv0");
        QTest::addColumn<QString>("page");
        QTest::newRow("bare") << QByteArray("velkaro") << "velkaro.html";
        QTest::newRow("relative") << QByteArray("./build/bin/Velkaro") << "Velkaro.html";
        QTest::newRow("absolute") << QByteArray("/usr/local/bin/velkaro") << "velkaro.html";
    }
    void helpPathTakesTheInvocationNameWithoutItsFolder()
    {
        QFETCH(QByteArray, argv0);
        QFETCH(QString, page);
        QCOMPARE(StartUp::helpFilePath("/usr/share/velkaro", argv0.constData()),
                 "/usr/share/velkaro/help/html/" + page);
    }
};

int main(int argc, char **argv)
{
    QPEApplication app(argc, argv);
    ControlTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_control.moc"
