// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Starts exactly as the program's main does, reports when the staff is first
// painted, waits until every sample is loaded, reports peak memory and ends.
#include "FirstPaint.h"

#include "app/CommandLine.h"
#include "app/StartUp.h"
#include "app/VKControl.h"
#include "platform/QPEApplication.h"
#include "platform/sound/SoundEngine.h"
#include "staff/VKTest.h"

#include <QTimer>

#include <functional>

int main(int argc, char **argv)
{
    const CommandLine::Parsed command = CommandLine::read(argc, argv);
    QPEApplication a(argc, argv, QPEApplication::GuiClient);
    StartUp::prepare(a);
    auto *window = new VKControl;
    window->setHelpFile(StartUp::helpFilePath(QPEApplication::qpeDir(), argv[0]));
    window->applyStartOptions(command.options);
    FirstPaint::Watcher watcher(window->staffView(), [] {});
    StartUp::preloadSoundsAfterFirstPaint(window);
    StartUp::afterFirstPaint(window, [window] { window->openAnswerLog(); });
    a.showMainWidget(window, false);

    // Peak memory counts only once all 48 samples are in.
    QObject::connect(SoundEngine::instance(), &SoundEngine::preloadFinished, &a, [] {
        std::printf("rss %lld\n", FirstPaint::peakRssKiB());
        QCoreApplication::exit(0);
    });
    QTimer::singleShot(20000, &a, [] { QCoreApplication::exit(1); });
    return a.exec();
}
