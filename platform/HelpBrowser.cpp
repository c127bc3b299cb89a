// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HelpBrowser.h"

#include "platform/HelpFolder.h"
#include "platform/HelpWindow.h"
#include "platform/QCopChannel.h"
#include "platform/QPEApplication.h"

#include <QDataStream>

namespace {
const char HelpChannel[] = "QPE/Application/helpbrowser";
const char ShowFile[] = "showFile(QString)";
} // namespace

HelpBrowser::HelpBrowser(QObject *parent)
    : QObject(parent), m_channel(new QCopChannel(HelpChannel, this))
{
    connect(m_channel, &QCopChannel::received, this, &HelpBrowser::receive);
}

HelpBrowser::~HelpBrowser()
{
    // The window has no parent: it is ours to delete.
    delete m_window;
}

HelpWindow *HelpBrowser::window() const
{
    return m_window;
}

QString HelpBrowser::helpFolder()
{
    return QPEApplication::qpeDir() + QStringLiteral("/help");
}

void HelpBrowser::receive(const QByteArray &message, const QByteArray &data)
{
    if (message != ShowFile) {
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
    const HelpFolder folder(helpFolder());
    if (!folder.contains(file)) {
        qWarning("Help: not showing %s: it is not a page of the manual in %s", qUtf8Printable(file),
                 qUtf8Printable(folder.path()));
        return;
    }
    if (!m_window)
        m_window = new HelpWindow;
    m_window->showPage(folder, file);
}
