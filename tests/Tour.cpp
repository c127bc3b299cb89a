// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Starts as the program does, uses every feature once as a user would
// (practice taps, both settings dialogs, a test with time-outs and answers,
// the progress window following it, the manual, About) and ends through
// File > Quit. Run by the clean-exit checks, alone and under valgrind;
// anything printed or any non-zero exit status is a fault.
#include "MessageBoxCatcher.h"
#include "WindowDriver.h"

#include "app/StartUp.h"
#include "app/VKControl.h"
#include "keyboard/VKKbConfig.h"
#include "keyboard/VKKeyboard.h"
#include "platform/QPEApplication.h"
#include "platform/help/HelpBrowser.h"
#include "platform/help/HelpWindow.h"
#include "platform/sound/SoundEngine.h"
#include "report/ProgressWindow.h"
#include "staff/VKTest.h"
#include "staff/VKTestConfig.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>

namespace {

using WindowDriver::whenModal;

// The menu item, which must be there.
QAction *menuItem(VKControl *w, const char *menu, const char *item)
{
    QAction *a = WindowDriver::menuItem(w, QLatin1String(menu), QLatin1String(item));
    if (!a)
        qFatal("no menu item %s", item);
    return a;
}

void tap(VKKeyboard *kb, int whiteKey)
{
    const KeyboardGeometry g = kb->recordedGeometry();
    QTest::mouseClick(kb, Qt::LeftButton, {},
                      QPoint(g.kbLeft + whiteKey * g.keyWidth + 2, g.kbTop + 5));
}

// A computer key going down or up, as the window gets it.
void key(QWidget *window, QEvent::Type type, Qt::Key k)
{
    QKeyEvent event(type, k, Qt::NoModifier);
    QApplication::sendEvent(window, &event);
}

// Runs the steps one after another from the event loop, each after a pause.
class Steps : public QObject
{
public:
    void add(int pauseMs, std::function<void()> step) { m_steps.append({pauseMs, step}); }
    void start() { next(); }

private:
    void next()
    {
        if (m_steps.isEmpty())
            return;
        const auto [pause, step] = m_steps.takeFirst();
        QTimer::singleShot(pause, this, [this, step = step] {
            step();
            next();
        });
    }
    QList<QPair<int, std::function<void()>>> m_steps;
};

} // namespace

int main(int argc, char **argv)
{
    QPEApplication app(argc, argv, QPEApplication::GuiClient);
    StartUp::prepare(app);
    auto *window = new VKControl;
    window->setHelpFile(StartUp::helpFilePath(QPEApplication::qpeDir(), "velkaro"));
    StartUp::preloadSoundsAfterFirstPaint(window);
    app.showMainWidget(window, false);

    MessageBoxCatcher boxes; // dismisses the About box
    VKKeyboard *kb = window->keyboardView();
    VKTest *staff = window->staffView();
    QPushButton *testButton = WindowDriver::testToggle(window);

    Steps steps;
    steps.add(300, [&] {
        for (int k = 0; k < 7; ++k)
            tap(kb, k);
    });
    // Keys held, one let go under the pedal, the other after it came up.
    steps.add(50, [&] {
        key(window, QEvent::KeyPress, Qt::Key_Z);
        key(window, QEvent::KeyPress, Qt::Key_X);
    });
    steps.add(100, [&] {
        kb->setSustain(true);
        key(window, QEvent::KeyRelease, Qt::Key_Z);
    });
    steps.add(100, [&] {
        kb->setSustain(false);
        key(window, QEvent::KeyRelease, Qt::Key_X);
    });
    steps.add(50, [&] {
        whenModal([staff](QDialog *d) {
            staff->configDialog()->bassChoice()->setChecked(true);
            staff->configDialog()->intervalField()->setText(QStringLiteral("150"));
            d->accept();
        });
        menuItem(window, "Configuration", "Test")->trigger();
    });
    steps.add(50, [&] {
        whenModal([kb](QDialog *d) {
            kb->configDialog()->twoOctaveChoice()->setChecked(true);
            d->accept();
        });
        menuItem(window, "Configuration", "Keyboard")->trigger();
    });
    steps.add(50, [&] { testButton->setChecked(true); });
    steps.add(400, [&] { tap(kb, 3); });
    steps.add(100, [&] { tap(kb, 10); });
    steps.add(50, [&] { menuItem(window, "File", "Progress")->trigger(); });
    steps.add(100, [&] { tap(kb, 5); });
    steps.add(400, [&] { testButton->setChecked(false); });
    steps.add(300, [&] {
        ProgressWindow *progress = window->progressWindow();
        if (!progress || !progress->isVisible() || progress->history().answers.isEmpty())
            qFatal("the progress window did not show the test");
        progress->close();
    });
    steps.add(50, [&] { menuItem(window, "Help", "User's Guide")->trigger(); });
    steps.add(300, [&] {
        HelpWindow *help = app.helpBrowser()->window();
        if (!help || !help->isVisible())
            qFatal("the manual did not open");
        help->close();
    });
    steps.add(50, [&] { menuItem(window, "Help", "About")->trigger(); });
    steps.add(200, [&] {
        if (boxes.boxes.size() != 1)
            qFatal("the About box did not come");
        menuItem(window, "File", "Quit")->trigger();
    });
    steps.start();
    return app.exec();
}
