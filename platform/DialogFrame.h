// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QDialog;

// Gives every dialog without push buttons of its own the controls a desktop
// user expects: OK and Cancel at the bottom, OK as the default button, so
// Enter accepts while Escape and the window's close button cancel. The
// settings dialogs were made for a window frame that carried these controls.
class DialogFrame : public QObject
{
    Q_OBJECT
public:
    // Watches every dialog of the application from now on.
    static void install();
    // Adds the controls to dialog now, unless it has buttons of its own.
    static void frame(QDialog *dialog);
    static void reset(QDialog *dialog);
    static void fitOnScreen(QDialog *dialog);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
