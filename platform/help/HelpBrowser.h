// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class HelpWindow;
class QWidget;

// The receiver of help requests: shows the page that a "showFile(QString)"
// message names in the help window, provided it is a page of the manual in
// the help folder. Anything else is refused with a warning.
class HelpBrowser : public QObject
{
    Q_OBJECT
public:
    // folder names the folder whose pages may be shown; it is asked on every
    // request, so a manual installed or moved meanwhile is found.
    explicit HelpBrowser(std::function<QString()> folder, QObject *parent = nullptr);
    ~HelpBrowser() override;

    // The window, once a page has been shown; null before that.
    HelpWindow *window() const;

    // A part of the program's window that the manual should not cover when
    // it opens, such as the staff.
    void keepClearOf(QWidget *widget);

public slots:
    // One message of the help channel, its arguments in QDataStream encoding.
    void receive(const QByteArray &message, const QByteArray &data);

private:
    std::function<QString()> m_folder;
    QPointer<HelpWindow> m_window;
    QPointer<QWidget> m_keepClear;
};
