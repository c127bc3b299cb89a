// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Copied into the bin folder of an installed Velkaro and started there by
// its bare name, with no configuration: runs the program's own start-up
// and help code, as the installed program would, and reports whether it
// finds the installed picture, manual and chart module.
// Arguments: the installation prefix, the name the desktop starts Velkaro by.
#include "MessageBoxCatcher.h"

#include "app/StartUp.h"
#include "app/VKControl.h"
#include "platform/QPEApplication.h"
#include "platform/Resource.h"
#include "platform/help/HelpBrowser.h"
#include "platform/help/HelpWindow.h"
#include "report/ProgressWindow.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTest>

#include <cstdio>

namespace {

int failures = 0;

void check(bool ok, const QString &what)
{
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", qPrintable(what));
    if (!ok)
        ++failures;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PREFIX INVOCATION-NAME\n", argv[0]);
        return 2;
    }
    const QString prefix = QString::fromLocal8Bit(argv[1]);
    const QByteArray invocationName = argv[2];
    QPEApplication app(argc, argv);
    StartUp::prepare(app);

    const QString dataDir = QPEApplication::qpeDir();
    check(QFileInfo(dataDir).canonicalFilePath() ==
              QFileInfo(prefix + "/share/velkaro").canonicalFilePath(),
          "the data folder is the installation's share/velkaro: " + dataDir);
    check(Resource::loadPixmap("velkaro").size() == QSize(128, 128), "the picture loads");
    check(!QApplication::windowIcon().isNull(), "the program's windows carry its icon");
    check(QFile::exists(prefix + "/share/applications/" + QGuiApplication::desktopFileName() +
                        ".desktop"),
          "the desktop entry has the name the program gives the desktop");
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString icon = QStringLiteral("%1/share/icons/hicolor/%2x%2/apps/%3.png")
                                 .arg(prefix)
                                 .arg(size)
                                 .arg(QGuiApplication::desktopFileName());
        check(QImage(icon).size() == QSize(size, size),
              QStringLiteral("the %1-pixel icon has that size").arg(size));
    }

    // Help > User's Guide, as the installed program does it.
    MessageBoxCatcher catcher;
    VKControl window;
    const QString manual = StartUp::helpFilePath(dataDir, invocationName.constData());
    window.setHelpFile(manual);
    window.showHelp();
    HelpBrowser *browser = app.helpBrowser();
    (void)QTest::qWaitFor([browser] { return browser->window() && browser->window()->isVisible(); },
                          5000);
    check(catcher.boxes.isEmpty(), "no error box: the manual is found at " + manual);
    check(browser->window() && browser->window()->page() == QUrl::fromLocalFile(manual) &&
              browser->window()->windowTitle() == QStringLiteral("User's Guide \u2014 Velkaro"),
          "the help window shows the manual");
    // File > Progress, whose chart comes from a module of the installation.
    window.showProgress();
    check(window.progressWindow() && window.progressWindow()->hasChart(),
          "the Progress window's chart module loads");
    return failures == 0 ? 0 : 1;
}
