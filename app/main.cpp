// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"
#include "app/StartUp.h"
#include "app/VKControl.h"
#include "platform/QPEApplication.h"
#include "platform/help/HelpBrowser.h"
#include "progress/AnswerLog.h"
#include "progress/CsvExport.h"
#include "staff/VKTest.h"

#include "VelkaroVersion.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

// Writes the record as CSV; the status to end with.
int exportProgress(const StartOptions &options)
{
    const QString log =
        options.progressFile.isEmpty() ? AnswerLog::defaultPath() : options.progressFile;
    QString error;
    if (CsvExport::write(log, options.exportProgress, &error))
        return 0;
    std::fprintf(stderr, "velkaro: %s\n", error.toLocal8Bit().constData());
    return 1;
}

// The options are read before any window system is asked for, so that
// --help, --version, a mistyped option and the export work without a display.
CommandLine::Parsed readCommandLine(int argc, char **argv)
{
    QCoreApplication reader(argc, argv);
    CommandLine::Parsed parsed = CommandLine::parse(QCoreApplication::arguments());
    std::fputs(parsed.output.toLocal8Bit().constData(), stdout);
    std::fputs(parsed.error.toLocal8Bit().constData(), stderr);
    if (!parsed.exitStatus && !parsed.options.exportProgress.isEmpty())
        parsed.exitStatus = exportProgress(parsed.options);
    return parsed;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("velkaro"));
    QCoreApplication::setApplicationVersion(QLatin1String(VelkaroVersion));
    const CommandLine::Parsed command = readCommandLine(argc, argv);
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
    // The manual opens beside the staff, where the notes of a test appear.
    a.helpBrowser()->keepClearOf(window->staffView());
    a.showMainWidget(window, false);
    return a.exec();
}
