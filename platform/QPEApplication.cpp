// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QPEApplication.h"

#include "platform/DialogFrame.h"
#include "platform/QCopChannel.h"
#include "platform/help/HelpBrowser.h"
#include "platform/help/HelpChannel.h"

#include "VelkaroVersion.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

QPEApplication::QPEApplication(int &argc, char **argv, Type /*type*/) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("velkaro"));
    // Captions of dialogs that set none of their own read "Velkaro".
    setApplicationDisplayName(QStringLiteral("Velkaro"));
    setApplicationVersion(QLatin1String(VelkaroVersion));
    setDesktopFileName(QStringLiteral("org.velkaro.Velkaro"));
    // Help requests are answered inside the program: there is no separate
    // help browser on a desktop.
    m_helpBrowser = new HelpBrowser([] { return qpeDir() + QStringLiteral("/help"); }, this);
    auto *helpChannel = new QCopChannel(HelpChannel::Name, m_helpBrowser);
    connect(helpChannel, &QCopChannel::received, m_helpBrowser, &HelpBrowser::receive);
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
