// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/help/HelpFolder.h"

#include <QMainWindow>
#include <QUrl>

class QAction;
class QTextBrowser;

// The window in which the manual is read: the page, with Back, Forward,
// Contents and Close above it. Links to other pages of the manual open here;
// links to the web or to e-mail go to the desktop's own programs; anything
// else is refused.
class HelpWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows file, a page inside folder, and makes it the Contents page.
    // The caller has checked that the folder contains the file.
    void showPage(const HelpFolder &folder, const QString &file);

    QTextBrowser *view() const { return m_view; }
    QUrl page() const;

public slots:
    void followLink(const QUrl &link);
    void showContents();

private:
    void updateTitle();

    QTextBrowser *m_view;
    QAction *m_back;
    QAction *m_forward;
    HelpFolder m_folder;
    QUrl m_contents;
};
