// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/help/HelpFolder.h"

#include <QMainWindow>
#include <QPointer>
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

    // A window part the manual should not cover when it opens (the staff,
    // where the notes of a test appear), or null.
    void setKeepClear(QWidget *widget) { m_keepClear = widget; }
    // Where the window, frame included, opens: inside the available area of
    // the screen it opens on, and beside keepClear when there is room.
    static QRect placement(const QRect &available, const QRect &keepClear, QSize preferred,
                           QSize frame);

public slots:
    void followLink(const QUrl &link);
    void showContents();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void updateTitle();
    void place();
    void keepOnScreen();

    QTextBrowser *m_view;
    QAction *m_back;
    QAction *m_forward;
    HelpFolder m_folder;
    QUrl m_contents;
    QPointer<QWidget> m_keepClear;
};
