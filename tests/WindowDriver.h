// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <functional>

// Finding and working the main window's controls as a user would.
namespace WindowDriver {

// The menu on the bar with this title, or nullptr.
inline QMenu *menu(QMainWindow *window, const QString &title)
{
    const auto menus = window->menuBar()->actions();
    for (QAction *m : menus) {
        if (m->text() == title)
            return m->menu();
    }
    return nullptr;
}

// The item of that menu with this text, or nullptr.
inline QAction *menuItem(QMainWindow *window, const QString &title, const QString &item)
{
    QMenu *m = menu(window, title);
    if (!m)
        return nullptr;
    const auto items = m->actions();
    for (QAction *a : items) {
        if (a->text() == item)
            return a;
    }
    return nullptr;
}

// The "&Test" toggle.
inline QPushButton *testToggle(QWidget *window)
{
    const auto buttons = window->findChildren<QPushButton *>();
    for (QPushButton *b : buttons) {
        if (b->text() == QLatin1String("&Test"))
            return b;
    }
    return nullptr;
}

// Runs act on the next modal dialog as soon as it is up. A dialog runs its
// own event loop, so the caller acts from inside it.
inline void whenModal(std::function<void(QDialog *)> act)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        // Keys go where the focus is: wait until the dialog has it.
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        const QWidget *focus = QApplication::focusWidget();
        if (!dialog || !dialog->isVisible() || !focus || !dialog->isAncestorOf(focus))
            return;
        poll->stop();
        poll->deleteLater();
        // Shown is not yet laid out: keys that move between buttons go by
        // where they stand.
        if (QLayout *layout = dialog->layout())
            layout->activate();
        act(dialog);
    });
    poll->start(5);
}

} // namespace WindowDriver
