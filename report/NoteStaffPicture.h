// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/KeySignature.h"
#include "progress/ProgressFigures.h"

#include <QHash>
#include <QRectF>
#include <QTransform>
#include <QWidget>

// The notes of the treble clef's two octaves and of the bass clef's, each
// on its staff, its head coloured by how often it was read right lately
// (red to green; an open grey head when never asked), with the median time
// of those right answers under it. Hovering a note tells its figures. The
// notes are written as in C major, or with a key's signature as that key
// writes them.
class NoteStaffPicture : public QWidget
{
    Q_OBJECT
public:
    enum Staff { Treble, Bass };

    explicit NoteStaffPicture(QWidget *parent = nullptr);

    void setFigures(const QHash<int, ProgressFigures::NoteFigures> &byNote);
    void setKey(KeySignature key);
    KeySignature key() const { return m_key; }
    // The picture grows with its width up to this height, so that the
    // window keeps room for the rest.
    void setHeightLimit(int pixels);

    // The note (MIDI number) in a slot of a staff, lowest first.
    static int noteIn(Staff staff, int slot);
    // The note drawn at a point of the widget, or -1.
    int noteAt(QPointF pos) const;
    // What hovering a note tells.
    QString describe(int note) const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    // How the grid maps onto the widget: the zoom, and where each staff's
    // block has its top-left corner in the grid.
    struct Layout
    {
        qreal zoom = 1;
        bool sideBySide = false;
        QTransform toWidget;
    };
    Layout layoutFor(int width) const;
    int staffWidth() const;
    QPointF blockOrigin(const Layout &layout, Staff staff) const;
    QRectF slotRect(Staff staff, int slot) const;
    qreal headLeft(int slot) const;

    void drawBackground(QPainter &painter);
    void drawHover(QPainter &painter, const Layout &layout);
    void drawStaff(QPainter &painter, Staff staff);
    void drawClef(QPainter &painter, Staff staff);
    void drawSignature(QPainter &painter, Staff staff);
    void drawNote(QPainter &painter, Staff staff, int slot);
    void drawFigures(QPainter &painter, Staff staff, int slot);

    QHash<int, ProgressFigures::NoteFigures> m_figures;
    KeySignature m_key;
    int m_hovered = -1;
    int m_heightLimit = QWIDGETSIZE_MAX;
};
