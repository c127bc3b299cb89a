// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "staff/StaffGeometry.h"

#include <QLayout>
#include <QList>

class QBoxLayout;
class VKKeyboard;
class VKTest;

// The main window's column: the staff, the keyboard and the row of the Test
// button and the score. It draws staff and keyboard as large as the window
// allows, with one zoom for both, and keeps the three together, centred in
// whatever height is left over; the row keeps its natural height, and its
// button and score stand together in its middle, a little apart.
//
// In a window no wider than the handheld's screen the column is the
// handheld's: the staff at the top, the keyboard under it, and the row, as
// wide as the window, taking the rest.
//
// The window's minimum size is that of the handheld drawing, whatever the
// zoom of the moment, so the window can always be made smaller again.
class ZoomLayout : public QLayout
{
    Q_OBJECT
public:
    ZoomLayout(VKTest *staff, VKKeyboard *keyboard, QBoxLayout *row, QWidget *parent);
    ~ZoomLayout() override;

    // The largest zoom, in steps of ZoomStep, at which a staff of staffRows
    // (with room rows more around it), the keyboard and a row of rowHeight
    // fit into area's height and a keyboard of whiteKeys fits into its width;
    // never below 1, and exactly 1 for an area no wider than the handheld's
    // screen.
    static qreal zoomFor(QSize area, int rowHeight, int whiteKeys, int room = 0,
                         int staffRows = StaffGeometry::Height);
    static constexpr qreal ZoomStep = 0.05;
    // The keyboard's width with its widest keys and its margins, at zoom 1.
    static int fullKeyboardWidth(int whiteKeys);
    static constexpr int HandheldWidth = 240;
    // Between the button and the score, except on the handheld, where they touch.
    static constexpr int DesktopRowSpacing = 16;

    qreal zoom() const { return m_zoom; }

    void addItem(QLayoutItem *item) override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    Qt::Orientations expandingDirections() const override;
    void setGeometry(const QRect &rect) override;

private:
    // Staff and keyboard at zoom 1.
    int viewsHeight() const;
    void setRowGeometry(QRect room, int rowHeight, bool handheld);

    VKTest *m_staff;
    VKKeyboard *m_keyboard;
    QBoxLayout *m_row;
    QList<QLayoutItem *> m_items; // staff, keyboard, row
    qreal m_zoom = 1;
};
