// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"
#include "app/StartUp.h"
#include "app/VKControl.h"
#include "platform/QPEApplication.h"
#include "platform/help/HelpBrowser.h"
#include "staff/VKTest.h"

#include "VelkaroVersion.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("velkaro"));
    QCoreApplication::setApplicationVersion(QLatin1String(VelkaroVersion));
    const CommandLine::Parsed command = CommandLine::read(argc, argv);
    if (command.exitStatus)
        return *command.exitStatus;

    if (!QPEApplication::hasDisplay()) {
        std::fputs("Velkaro needs a graphical display; start it from a desktop session.\n", stderr);
        return 1;
    }
    QPEApplication a(argc, argv, QPEApplication::GuiClient);
    StartUp::prepare(a);
    auto *window = new VKControl;
    window->setHelpFile(StartUp::helpFilePath(QPEApplication::qpeDir(), argv[0]));
    window->applyStartOptions(command.options);
    StartUp::preloadSoundsAfterFirstPaint(window);
    StartUp::afterFirstPaint(window, [window] { window->openAnswerLog(); });
    if (command.options.challenge)
        StartUp::afterFirstPaint(window, [window] { window->startChallenge(); });
    // The manual opens beside the staff, where the notes of a test appear.
    a.helpBrowser()->keepClearOf(window->staffView());
    a.showMainWidget(window, false);
    return a.exec();
}
