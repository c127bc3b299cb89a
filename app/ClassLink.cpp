// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ClassLink.h"

#include "classroom/ClassConnection.h"
#include "classroom/ClassSender.h"
#include "classroom/ClassSettings.h"
#include "classroom/ClassUrl.h"
#include "report/ClassWindow.h"

#include <QWidget>

ClassLink::ClassLink(QWidget *window) : QObject(window), m_parent(window) {}

ClassLink::~ClassLink() = default;

ClassWindow *ClassLink::window() const
{
    return m_window;
}

void ClassLink::start(const QString &recordPath)
{
    m_recordPath = recordPath;
    m_started = true;
    restart();
}

void ClassLink::choose(const QString &url, const QString &pupil)
{
    ClassSettings{url, pupil}.save();
    if (m_started)
        restart();
}

void ClassLink::leave()
{
    ClassSettings{}.save();
    restart();
}

void ClassLink::recordMoved(const QString &recordPath)
{
    if (!m_started || recordPath == m_recordPath)
        return;
    const QString before = m_recordPath;
    m_recordPath = recordPath;
    // The sender carries the id it sends under; without one, the settings do.
    if (m_sender)
        m_sender->moveRecord(recordPath);
    else
        ClassSettings::carryMachineId(before, recordPath);
}

void ClassLink::answersRecorded()
{
    if (m_sender)
        m_sender->answersRecorded();
}

void ClassLink::restart()
{
    m_sender.reset();
    const ClassSettings settings = ClassSettings::load();
    const std::optional<ClassUrl> url = ClassUrl::parse(settings.url, nullptr);
    if (!settings.isSet() || !url) {
        m_text.clear();
        emit statusChanged(m_text, QString());
        if (m_window)
            m_window->setStatus(m_text);
        return;
    }
    if (!ClassConnection::driverAvailable()) {
        // Not "offline": nothing reaches the server until the driver is
        // installed, and the status line says what is missing. The answers
        // are still recorded on this computer.
        m_text = tr("Class: PostgreSQL driver missing");
        emit statusChanged(m_text, ClassConnection::driverMissing());
        if (m_window)
            m_window->setStatus(m_text);
        return;
    }
    m_sender = std::make_unique<ClassSender>(
        settings.pupil.isEmpty() ? *url : url->withUser(settings.pupil), m_recordPath,
        ClassSettings::machineId(m_recordPath));
    connect(m_sender.get(), &ClassSender::statusChanged, this, &ClassLink::showStatus);
}

void ClassLink::showStatus(const ClassStatus &status)
{
    QString toolTip;
    switch (status.state) {
    case ClassStatus::State::Sent:
        m_text = tr("Class: sent");
        toolTip = tr("Every answer is on the class's server.");
        break;
    case ClassStatus::State::Waiting:
        m_text = tr("Class: %n to send", "", int(status.waiting));
        break;
    case ClassStatus::State::Offline:
        m_text = tr("Class: offline");
        toolTip =
            status.waiting > 0
                ? tr("%n answers wait to be sent. %1", "", int(status.waiting)).arg(status.error)
                : status.error;
        break;
    }
    emit statusChanged(m_text, toolTip);
    if (m_window)
        m_window->setStatus(m_text);
}

void ClassLink::showWindow()
{
    if (!m_window) {
        m_window = new ClassWindow(m_parent);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_window, &ClassWindow::classChosen, this, &ClassLink::choose);
        connect(m_window, &ClassWindow::classLeft, this, &ClassLink::leave);
        const ClassSettings settings = ClassSettings::load();
        m_window->setClass(settings.url, settings.pupil);
        m_window->setStatus(m_text);
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
