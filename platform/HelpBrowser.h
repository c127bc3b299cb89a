// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

class HelpWindow;
class QCopChannel;

// The receiver of help requests: listens on "QPE/Application/helpbrowser"
// and shows the page that a "showFile(QString)" message names in the help
// window, provided it is a page of the manual in the data folder's help
// folder. Anything else is refused with a warning.
class HelpBrowser : public QObject
{
    Q_OBJECT
public:
    explicit HelpBrowser(QObject *parent = nullptr);
    ~HelpBrowser() override;

    // The folder whose pages may be shown: the data folder's "help".
    static QString helpFolder();

    // The window, once a page has been shown; null before that.
    HelpWindow *window() const;

private:
    void receive(const QByteArray &message, const QByteArray &data);

    QCopChannel *m_channel;
    QPointer<HelpWindow> m_window;
};
