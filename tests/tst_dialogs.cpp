// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeSound.h"
#include "WindowDriver.h"

#include "app/CommandLine.h"
#include "app/VKControl.h"
#include "keyboard/VKKbConfig.h"
#include "keyboard/VKKeyboard.h"
#include "notes/Catalogue.h"
#include "platform/DialogFrame.h"
#include "platform/QPEApplication.h"
#include "staff/VKTest.h"
#include "staff/VKTestConfig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

using WindowDriver::whenModal;

QPushButton *frameButton(QDialog *dialog, QDialogButtonBox::StandardButton which)
{
    auto *box = dialog->findChild<QDialogButtonBox *>();
    return box ? box->button(which) : nullptr;
}

// Clicks a radio button or check box on its indicator, as a user would.
void clickChoice(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

void clickOk(QDialog *d)
{
    QTest::mouseClick(frameButton(d, QDialogButtonBox::Ok), Qt::LeftButton);
}

void clickCancel(QDialog *d)
{
    QTest::mouseClick(frameButton(d, QDialogButtonBox::Cancel), Qt::LeftButton);
}

} // namespace

class DialogsTest : public QObject
{
    Q_OBJECT
private slots:

    void testSettingsOpenWithTheValuesTheyAreGiven()
    {
        VKTestConfig config;
        bool checked = false;
        whenModal([&](QDialog *d) {
            QVERIFY(config.bassChoice()->isChecked());
            QVERIFY(!config.trebleChoice()->isChecked());
            QCOMPARE(config.intervalField()->text(), QStringLiteral("5000"));
            QVERIFY(config.labelChoice()->isChecked());
            QCOMPARE(config.intervalField()->maxLength(), 6);
            checked = true;
            clickCancel(d);
        });
        config.exec(false, 5000, true);
        QVERIFY(checked);
    }

    void acceptingEmitsAllThreeSettingsInOrderEvenWithoutChanges()
    {
        VKTestConfig config;
        QSignalSpy clef(&config, &VKTestConfig::selectGClef);
        QSignalSpy labels(&config, &VKTestConfig::selectLabelNotes);
        QSignalSpy time(&config, &VKTestConfig::newTestTime);
        QStringList order;
        connect(&config, &VKTestConfig::selectGClef, this, [&] { order << "clef"; });
        connect(&config, &VKTestConfig::selectLabelNotes, this, [&] { order << "labels"; });
        connect(&config, &VKTestConfig::newTestTime, this, [&] { order << "time"; });
        whenModal(clickOk);
        config.exec(true, 5000, false);
        QCOMPARE(order, QStringList({"clef", "labels", "time"}));
        QCOMPARE(clef.first().first().toBool(), true);
        QCOMPARE(labels.first().first().toBool(), false);
        QCOMPARE(time.first().first().toInt(), 5000);
    }

    // Only whole numbers from 1 to 999999 are taken; anything else keeps the
    // dialog open with a word on why, and Cancel then changes nothing.
    void intervalMustBeAWholeNumberFromOneTo999999_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("interval"); // 0: cannot be accepted
        QTest::newRow("2500") << "2500" << 2500;
        QTest::newRow("1") << "1" << 1;
        QTest::newRow("999999") << "999999" << 999999;
        QTest::newRow("six digits at most") << "12345678" << 123456;
        QTest::newRow("letters") << "abc" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("negative") << "-5" << 0;
        QTest::newRow("mixed") << "12ab" << 0;
    }
    void intervalMustBeAWholeNumberFromOneTo999999()
    {
        QFETCH(QString, typed);
        QFETCH(int, interval);
        VKTestConfig config;
        QSignalSpy clef(&config, &VKTestConfig::selectGClef);
        QSignalSpy time(&config, &VKTestConfig::newTestTime);
        bool refused = false;
        whenModal([&](QDialog *d) {
            config.intervalField()->clear();
            QTest::keyClicks(config.intervalField(), typed);
            clickOk(d);
            refused = d->isVisible();
            if (refused) {
                QVERIFY(config.intervalMessage()->isVisible());
                QVERIFY(config.intervalMessage()->text().contains("999999"));
                clickCancel(d);
            }
        });
        config.exec(true, 5000, true);
        QCOMPARE(refused, interval == 0);
        QCOMPARE(time.count(), interval == 0 ? 0 : 1);
        QCOMPARE(clef.count(), time.count());
        if (interval != 0)
            QCOMPARE(time.first().first().toInt(), interval);
    }

    void cancellingForgetsTheEdits()
    {
        VKTestConfig config;
        QSignalSpy clef(&config, &VKTestConfig::selectGClef);
        QSignalSpy labels(&config, &VKTestConfig::selectLabelNotes);
        QSignalSpy time(&config, &VKTestConfig::newTestTime);
        whenModal([&](QDialog *d) {
            clickChoice(config.bassChoice());
            config.intervalField()->setText("42");
            clickChoice(config.labelChoice());
            clickCancel(d);
        });
        config.exec(true, 5000, true);
        QCOMPARE(clef.count() + labels.count() + time.count(), 0);

        whenModal([&](QDialog *d) {
            QVERIFY(config.trebleChoice()->isChecked());
            QCOMPARE(config.intervalField()->text(), QStringLiteral("5000"));
            QVERIFY(config.labelChoice()->isChecked());
            clickCancel(d);
        });
        config.exec(true, 5000, true);
        QCOMPARE(clef.count() + labels.count() + time.count(), 0);
    }

    void enterAcceptsWhileEscapeAndTheCloseButtonCancel()
    {
        VKTestConfig config;
        QSignalSpy time(&config, &VKTestConfig::newTestTime);
        whenModal([&](QDialog *) { QTest::keyClick(config.intervalField(), Qt::Key_Return); });
        config.exec(true, 700, true);
        QCOMPARE(time.count(), 1);
        QCOMPARE(time.first().first().toInt(), 700);

        whenModal([&](QDialog *d) { QTest::keyClick(d, Qt::Key_Escape); });
        config.exec(true, 800, true);
        whenModal([&](QDialog *d) { d->close(); });
        config.exec(true, 900, true);
        QCOMPARE(time.count(), 1);
    }

    void acceptedTestSettingsReachTheStaffAndEmptyIt()
    {
        VKTest staff;
        staff.resize(240, 120);
        QSignalSpy clefs(&staff, &VKTest::setClef);
        staff.drawNote(64);
        whenModal([&](QDialog *d) {
            auto *config = staff.configDialog();
            clickChoice(config->bassChoice());
            config->intervalField()->setText("2500");
            clickChoice(config->labelChoice());
            clickOk(d);
        });
        staff.setConfig();
        QVERIFY(!staff.isTrebleClef());
        QCOMPARE(staff.testInterval(), 2500);
        QVERIFY(!staff.labelsNotes());
        QCOMPARE(staff.notesShown(), 0);
        QCOMPARE(clefs.count(), 1);
        QCOMPARE(clefs.first().first().toBool(), false);

        // Cancelled: nothing changes, the notes stay.
        staff.drawNote(44);
        whenModal(clickCancel);
        staff.setConfig();
        QCOMPARE(staff.notesShown(), 1);
        QCOMPARE(clefs.count(), 1);
    }

    // The note that waited went with the emptied staff: it gets no verdict,
    // and a note under the new settings takes slot 0 at once.
    void settingsAcceptedDuringATestDropTheWaitingNoteUnjudged()
    {
        FakeSound sound;
        VKTest staff;
        staff.resize(240, 120);
        staff.setTestTime(60000);
        staff.setTestMode(true);
        staff.checkNoNote();
        QSignalSpy verdicts(&staff, &VKTest::testedNote);
        QSignalSpy announced(&staff, &VKTest::newNote);
        whenModal([&](QDialog *d) {
            auto *config = staff.configDialog();
            clickChoice(config->bassChoice());
            config->notesChoice()->setCurrentIndex(1);
            clickChoice(config->showAnswerChoice());
            clickOk(d);
        });
        staff.setConfig();
        QCOMPARE(verdicts.count(), 0);
        QCOMPARE(announced.count(), 1);
        QCOMPARE(staff.notesShown(), 1);
        QCOMPARE(staff.noteInSlot(0).midi(), announced.first().first().toInt());
        QVERIFY(staff.currentTestNote()->midi() < MiddleC);
        QVERIFY(staff.testTimerActive());
        QVERIFY(staff.drillsWeakNotes() && staff.showsAnswers());
        staff.checkNote(staff.currentTestNote()->midi(), NoteSource::Screen);
        QCOMPARE(verdicts.count(), 1);
        QVERIFY(verdicts.first().first().toBool());
        staff.setTestMode(false);
    }

    void startSettingsReachTheViewsAndTheDialogs()
    {
        VKControl w;
        StartOptions options;
        options.clef = ClefMode::Bass;
        options.whiteKeys = 14;
        options.intervalMs = 1234;
        options.weakNotes = true;
        options.showAnswer = true;
        w.applyStartOptions(options);
        VKTest *staff = w.staffView();
        QVERIFY(!staff->isTrebleClef() && !staff->keyboardOneOctave());
        QCOMPARE(staff->testInterval(), 1234);
        QVERIFY(staff->drillsWeakNotes() && staff->showsAnswers());
        QCOMPARE(w.keyboardView()->whiteKeyCount(), 14);
        QCOMPARE(w.keyboardView()->lowestNote(), 36);
        // The keyboard dialog knows the choice in force: going back to one
        // octave there is a change.
        VKKbConfig *config = w.keyboardView()->configDialog();
        QCOMPARE(config->whiteKeyChoice(), 14);
        whenModal([&](QDialog *d) {
            clickChoice(config->oneOctaveChoice());
            clickOk(d);
        });
        w.keyboardView()->setConfig();
        QCOMPARE(w.keyboardView()->whiteKeyCount(), 7);
    }

    void keyboardSettingsReportOnlyAChangedChoice()
    {
        VKKeyboard keyboard;
        keyboard.resize(240, 80);
        VKKbConfig *config = keyboard.configDialog();
        QSignalSpy choice(config, &VKKbConfig::selectOneOctave);

        whenModal([&](QDialog *d) {
            QVERIFY(config->oneOctaveChoice()->isChecked());
            clickOk(d);
        });
        keyboard.setConfig();
        QCOMPARE(choice.count(), 0);

        whenModal([&](QDialog *d) {
            clickChoice(config->twoOctaveChoice());
            clickOk(d);
        });
        keyboard.setConfig();
        QCOMPARE(choice.count(), 1);
        QCOMPARE(choice.last().first().toBool(), false);
        QCOMPARE(keyboard.whiteKeyCount(), 14);

        // Switched back and cancelled, however: nothing sent, nothing kept.
        const std::function<void(QDialog *)> cancels[] = {
            clickCancel, [](QDialog *d) { QTest::keyClick(d, Qt::Key_Escape); },
            [](QDialog *d) { d->close(); }};
        for (const auto &cancel : cancels) {
            whenModal([&](QDialog *d) {
                QVERIFY(config->twoOctaveChoice()->isChecked());
                clickChoice(config->oneOctaveChoice());
                cancel(d);
            });
            keyboard.setConfig();
            QCOMPARE(choice.count(), 1);
            QCOMPARE(keyboard.whiteKeyCount(), 14);
        }

        // The next run shows the two octaves in force; accepting it sends nothing.
        whenModal([&](QDialog *d) {
            QVERIFY(config->twoOctaveChoice()->isChecked());
            QTest::keyClick(d, Qt::Key_Return);
        });
        keyboard.setConfig();
        QCOMPARE(choice.count(), 1);
        QCOMPARE(keyboard.whiteKeyCount(), 14);
    }

    // However large a dialog was left, it opens no larger than its screen.
    void dialogsFitTheirScreen()
    {
        VKTestConfig config;
        whenModal(clickCancel);
        config.exec(true, 5000, true);
        config.resize(5000, 5000);
        whenModal([&](QDialog *d) {
            const QSize screen = d->screen()->availableGeometry().size();
            QVERIFY(d->width() <= screen.width() && d->height() <= screen.height());
            clickCancel(d);
        });
        config.exec(true, 5000, true);
    }

    void dialogsWithTheirOwnButtonsAreLeftAlone()
    {
        QMessageBox box(QMessageBox::Information, "t", "x", QMessageBox::Ok);
        DialogFrame::frame(&box);
        QCOMPARE(box.findChildren<QDialogButtonBox *>().size(), 1);
        QCOMPARE(box.findChildren<QPushButton *>().size(), 1);
    }

    void settingsChangeWithTheMouseAlone()
    {
        FakeSound sound;
        VKControl w;
        w.resize(320, 300);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QMenuBar *bar = w.menuBar();
        QAction *config = WindowDriver::menu(&w, "Configuration")->menuAction();

        whenModal([&](QDialog *d) {
            clickChoice(w.staffView()->configDialog()->bassChoice());
            clickOk(d);
        });
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(config).center());
        QMenu *menu = config->menu();
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(menu->actions().at(0)).center());
        QTRY_VERIFY(!w.staffView()->isTrebleClef());
        QCOMPARE(w.keyboardView()->lowestNote(), 36);

        whenModal([&](QDialog *d) {
            clickChoice(w.keyboardView()->configDialog()->twoOctaveChoice());
            clickOk(d);
        });
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(config).center());
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(menu->actions().at(1)).center());
        QTRY_COMPARE(w.keyboardView()->whiteKeyCount(), 14);
        QVERIFY(!w.staffView()->keyboardOneOctave());
    }

    void settingsChangeWithTheKeyboardAlone()
    {
        FakeSound sound;
        VKControl w;
        w.resize(320, 300);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.activateWindow();
        QMenu *configMenu = WindowDriver::menu(&w, "Configuration");

        // Alt opens the menu bar, Right moves to Configuration, Down opens it.
        const auto openConfiguration = [&] {
            QTest::keyClick(&w, Qt::Key_Alt);
            QTest::keyClick(w.menuBar(), Qt::Key_Right);
            QTest::keyClick(w.menuBar(), Qt::Key_Down);
            QTRY_VERIFY(configMenu->isVisible());
        };

        whenModal([&](QDialog *d) {
            // Focus starts on the clef choice: Down picks Bass, Enter accepts.
            QTest::keyClick(d->focusWidget(), Qt::Key_Down);
            QTest::keyClick(d->focusWidget(), Qt::Key_Return);
        });
        openConfiguration();
        QTest::keyClick(configMenu, Qt::Key_Return);
        QTRY_VERIFY(!w.staffView()->isTrebleClef());

        whenModal([&](QDialog *d) {
            QTest::keyClick(d->focusWidget(), Qt::Key_Down);
            QTest::keyClick(d->focusWidget(), Qt::Key_Return);
        });
        openConfiguration();
        QTest::keyClick(configMenu, Qt::Key_Down);
        QTest::keyClick(configMenu, Qt::Key_Return);
        QTRY_COMPARE(w.keyboardView()->whiteKeyCount(), 14);
    }
};

int main(int argc, char **argv)
{
    // The application object frames every dialog with its OK and Cancel.
    QPEApplication app(argc, argv);
    DialogsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_dialogs.moc"
