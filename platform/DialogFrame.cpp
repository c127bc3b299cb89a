// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DialogFrame.h"

#include <QApplication>
#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {
const char FramedProperty[] = "velkaroDialogFramed";
}

void DialogFrame::install()
{
    static DialogFrame *filter = nullptr;
    if (filter || !qApp)
        return;
    filter = new DialogFrame(qApp);
    qApp->installEventFilter(filter);
}

void DialogFrame::frame(QDialog *dialog)
{
    if (dialog->property(FramedProperty).toBool())
        return;
    dialog->setProperty(FramedProperty, true);
    // Dialogs that bring their own buttons (message boxes, say) are complete.
    if (!dialog->findChildren<QPushButton *>().isEmpty())
        return;
    auto *layout = qobject_cast<QBoxLayout *>(dialog->layout());
    if (!layout)
        return;

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->setObjectName(QStringLiteral("dialogFrameButtons"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
}

// No dialog is taller or wider than the screen it opens on, title bar
// included, whatever the screen's density: its buttons stay within reach.
void DialogFrame::fitOnScreen(QDialog *dialog)
{
    const QScreen *screen = dialog->screen();
    if (!screen)
        return;
    const int titleBar = dialog->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, dialog);
    const QSize room = screen->availableGeometry().size() - QSize(0, titleBar);
    if (dialog->width() > room.width() || dialog->height() > room.height())
        dialog->resize(dialog->size().boundedTo(room));
}

// Every run starts like the first: focus on the dialog's first control and
// OK as the default, whichever button the last run ended with.
void DialogFrame::reset(QDialog *dialog)
{
    auto *buttons = dialog->findChild<QDialogButtonBox *>(QStringLiteral("dialogFrameButtons"));
    if (!buttons)
        return;
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    QWidget *first = dialog->nextInFocusChain();
    while (first != dialog && !(first->focusPolicy() & Qt::TabFocus))
        first = first->nextInFocusChain();
    if (first != dialog)
        first->setFocus(Qt::TabFocusReason);
}

bool DialogFrame::eventFilter(QObject *watched, QEvent *event)
{
    // Show comes before the window appears, every time it is shown. Dialogs
    // are framed only then, not when polished, because a hidden dialog is
    // polished along with its parent window and most are never opened.
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        if (auto *dialog = qobject_cast<QDialog *>(watched)) {
            if (!dialog->property(FramedProperty).toBool()) {
                frame(dialog);
                dialog->adjustSize();
            }
            fitOnScreen(dialog);
            reset(dialog);
        }
    }
    return QObject::eventFilter(watched, event);
}
