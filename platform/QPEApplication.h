// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>

class HelpBrowser;

// The application object: owns the event loop, knows where the program's
// data lives and shows the main window.
class QPEApplication : public QApplication
{
    Q_OBJECT
public:
    enum Type { GuiClient, GuiServer };

    QPEApplication(int &argc, char **argv, Type type = GuiClient);
    ~QPEApplication() override;

    // The data folder: $QPEDIR when set, else the installation's share folder
    // found from the executable's own place, so the same binary works from
    // the build tree and from an installed prefix.
    static QString qpeDir();

    // Shows w as the main widget, maximised unless noMaximize is set.
    // Closing it ends the event loop.
    void showMainWidget(QWidget *w, bool noMaximize = false);
    QWidget *mainWidget() const { return m_mainWidget; }

    // True when a window system is there to show windows on.
    static bool hasDisplay();

    // The receiver of the program's help requests.
    HelpBrowser *helpBrowser() const { return m_helpBrowser; }

private:
    QPointer<QWidget> m_mainWidget;
    HelpBrowser *m_helpBrowser = nullptr;
};
