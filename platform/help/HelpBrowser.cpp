// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/help/HelpBrowser.h"

#include "platform/help/HelpChannel.h"
#include "platform/help/HelpFolder.h"
#include "platform/help/HelpWindow.h"

#include <QDataStream>
#include <QWidget>

#include <utility>

HelpBrowser::HelpBrowser(std::function<QString()> folder, QObject *parent)
    : QObject(parent), m_folder(std::move(folder))
{}

HelpBrowser::~HelpBrowser()
{
    // The window has no parent: it is ours to delete.
    delete m_window;
}

HelpWindow *HelpBrowser::window() const
{
    return m_window;
}

void HelpBrowser::keepClearOf(QWidget *widget)
{
    m_keepClear = widget;
    if (m_window)
        m_window->setKeepClear(widget);
}

void HelpBrowser::receive(const QByteArray &message, const QByteArray &data)
{
    if (message != HelpChannel::ShowFile) {
        qWarning("Help: unknown request %s", message.constData());
        return;
    }
    QDataStream in(data);
    QString file;
    in >> file;
    if (in.status() != QDataStream::Ok || !in.atEnd()) {
        qWarning("Help: a request to show a page did not carry one file name");
        return;
    }
    // The folder is looked up on every request, as the program's own help
    // request looks for the manual afresh each time.
    const HelpFolder folder(m_folder());
    if (!folder.contains(file)) {
        qWarning("Help: not showing %s: it is not a page of the manual in %s", qUtf8Printable(file),
                 qUtf8Printable(folder.path()));
        return;
    }
    if (!m_window) {
        m_window = new HelpWindow;
        m_window->setKeepClear(m_keepClear);
    }
    m_window->showPage(folder, file);
}
