// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QPEApplication.h"

#include "platform/DialogFrame.h"
#include "platform/HelpBrowser.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

#ifndef VELKARO_RELATIVE_DATADIR
#define VELKARO_RELATIVE_DATADIR "../share/velkaro"
#endif

QPEApplication::QPEApplication(int &argc, char **argv, Type /*type*/) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("velkaro"));
    setApplicationVersion(QStringLiteral("1.0"));
    setDesktopFileName(QStringLiteral("org.velkaro.Velkaro"));
    // Help requests are answered inside the program: there is no separate
    // help browser on a desktop.
    m_helpBrowser = new HelpBrowser(this);
    DialogFrame::install();
}

QPEApplication::~QPEApplication()
{
    // Widgets must go before the application object does.
    delete m_mainWidget;
    delete m_helpBrowser;
}

QString QPEApplication::qpeDir()
{
    const QString fromEnv = qEnvironmentVariable("QPEDIR");
    if (!fromEnv.isEmpty())
        return fromEnv;
    const QString exeDir = QCoreApplication::instance()
                               ? QCoreApplication::applicationDirPath()
                               : QFileInfo(QStringLiteral("/proc/self/exe"))
                                     .canonicalFilePath()
                                     .section(QLatin1Char('/'), 0, -2);
    return QDir::cleanPath(exeDir + QLatin1Char('/') + QStringLiteral(VELKARO_RELATIVE_DATADIR));
}

void QPEApplication::showMainWidget(QWidget *w, bool noMaximize)
{
    m_mainWidget = w;
    // Other top-level windows (the manual, say) must not keep the program
    // alive once its main window is gone.
    connect(w, &QObject::destroyed, this, [] { QCoreApplication::quit(); });
    if (noMaximize)
        w->show();
    else
        w->showMaximized();
}

bool QPEApplication::hasDisplay()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}
