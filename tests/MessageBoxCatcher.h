// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QIcon>
#include <QList>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

// Watches for modal message boxes while it lives. Each box it finds is
// noted down as it looked, then dismissed with its first button, as a user
// would, so that the code under test returns from exec().
class MessageBoxCatcher : public QObject
{
public:
    struct Box
    {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QPixmap iconPixmap;
        QPointer<QWidget> parent;
        bool modal = false;
        QMessageBox::StandardButtons standardButtons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QStringList buttonTexts;
        // The parent window's icon at the moment the box was up.
        QIcon parentIcon;
    };

    MessageBoxCatcher()
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &MessageBoxCatcher::look);
        m_timer.start();
    }

    QList<Box> boxes;

private:
    void look()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        Box seen;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.iconPixmap = box->iconPixmap();
        seen.parent = box->parentWidget();
        seen.modal = box->isModal();
        seen.standardButtons = box->standardButtons();
        if (box->defaultButton())
            seen.defaultButton = box->standardButton(box->defaultButton());
        const auto buttons = box->buttons();
        for (QAbstractButton *b : buttons)
            seen.buttonTexts << b->text();
        if (box->parentWidget())
            seen.parentIcon = box->parentWidget()->windowIcon();
        boxes << seen;
        buttons.first()->click();
    }

    QTimer m_timer;
};
