// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ZoomLayout.h"

#include "keyboard/KeyboardGeometry.h"
#include "keyboard/VKKeyboard.h"
#include "staff/StaffGeometry.h"
#include "staff/VKTest.h"

#include <QBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

enum Item { Staff, Keyboard, Row };

} // namespace

ZoomLayout::ZoomLayout(VKTest *staff, VKKeyboard *keyboard, QBoxLayout *row, QWidget *parent)
    : QLayout(parent), m_staff(staff), m_keyboard(keyboard), m_row(row)
{
    setContentsMargins(0, 0, 0, 0);
    addChildWidget(staff);
    addChildWidget(keyboard);
    m_items << new QWidgetItem(staff) << new QWidgetItem(keyboard);
    addChildLayout(row);
    m_items << row;
}

ZoomLayout::~ZoomLayout()
{
    qDeleteAll(m_items);
}

int ZoomLayout::fullKeyboardWidth(int whiteKeys)
{
    return 2 * KeyboardGeometry::SideMargin + whiteKeys * KeyboardGeometry::MaxKeyWidth;
}

qreal ZoomLayout::zoomFor(QSize area, int rowHeight, int whiteKeys, int room, int staffRows)
{
    if (area.width() <= HandheldWidth || whiteKeys <= 0)
        return 1;
    const int viewsHeight = staffRows + room + KeyboardGeometry::Height;
    const qreal byHeight = qreal(area.height() - rowHeight) / viewsHeight;
    const qreal byWidth = qreal(area.width()) / fullKeyboardWidth(whiteKeys);
    const qreal steps = std::floor(std::min(byHeight, byWidth) / ZoomStep + 1e-9);
    return std::max<qreal>(1, steps * ZoomStep);
}

void ZoomLayout::addItem(QLayoutItem *item)
{
    // The column holds its three parts and nothing else.
    delete item;
}

QLayoutItem *ZoomLayout::itemAt(int index) const
{
    return m_items.value(index);
}

QLayoutItem *ZoomLayout::takeAt(int index)
{
    if (index < 0 || index >= m_items.size())
        return nullptr;
    return m_items.takeAt(index);
}

int ZoomLayout::count() const
{
    return int(m_items.size());
}

QSize ZoomLayout::sizeHint() const
{
    const QSize row = m_items.size() > Row ? m_items[Row]->sizeHint() : QSize();
    return QSize(std::max(HandheldWidth, row.width()), viewsHeight() + row.height());
}

QSize ZoomLayout::minimumSize() const
{
    // Not the views' sizes of the moment: those grow with the zoom.
    const QSize row = m_items.size() > Row ? m_items[Row]->minimumSize() : QSize();
    return QSize(row.width(), viewsHeight() + row.height());
}

int ZoomLayout::viewsHeight() const
{
    return m_staff->stripRows() + KeyboardGeometry::Height;
}

Qt::Orientations ZoomLayout::expandingDirections() const
{
    return Qt::Horizontal | Qt::Vertical;
}

void ZoomLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    if (m_items.size() <= Row)
        return;
    const int rowHeight = m_items[Row]->sizeHint().height();
    const int whiteKeys = m_keyboard->whiteKeyCount();
    const int staffRows = m_staff->stripRows();
    // Drawn larger than on the handheld, the staff gets room for notes
    // beyond it, as long as that leaves it larger still.
    m_zoom = zoomFor(rect.size(), rowHeight, whiteKeys, 0, staffRows);
    int above = 0, below = 0;
    if (m_zoom > 1) {
        above = m_staff->roomWantedAbove();
        below = m_staff->roomWantedBelow();
        m_zoom = zoomFor(rect.size(), rowHeight, whiteKeys, above + below, staffRows);
        if (m_zoom <= 1)
            above = below = 0;
    }
    m_staff->setZoom(m_zoom, below, above);
    m_keyboard->setZoom(m_zoom);

    const int staffHeight = qRound((staffRows + above + below) * m_zoom);
    const int keyboardHeight = qRound(KeyboardGeometry::Height * m_zoom);
    const int spare = rect.height() - staffHeight - keyboardHeight - rowHeight;
    // A window as narrow as the handheld's screen is laid out as there.
    const bool handheld = rect.width() <= HandheldWidth;
    int y = rect.top() + (handheld ? 0 : std::max(0, spare / 2));
    m_items[Staff]->setGeometry(QRect(rect.left(), y, rect.width(), staffHeight));
    y += staffHeight;
    m_items[Keyboard]->setGeometry(QRect(rect.left(), y, rect.width(), keyboardHeight));
    y += keyboardHeight;
    setRowGeometry(QRect(rect.left(), y, rect.width(), handheld ? rect.bottom() + 1 - y : 0),
                   rowHeight, handheld);
}

// On the handheld the row spans the window and its button and score share
// it; on a larger screen they stand at their natural sizes in the middle.
void ZoomLayout::setRowGeometry(QRect room, int rowHeight, bool handheld)
{
    const int spacing = handheld ? 0 : DesktopRowSpacing;
    // Set only on a change: a new spacing lays the row out anew.
    if (m_row->spacing() != spacing)
        m_row->setSpacing(spacing);
    room.setHeight(std::max(room.height(), rowHeight));
    if (!handheld) {
        const int width = std::min(room.width(), m_row->sizeHint().width());
        room.adjust((room.width() - width) / 2, 0, 0, 0);
        room.setWidth(width);
    }
    m_items[Row]->setGeometry(room);
}
