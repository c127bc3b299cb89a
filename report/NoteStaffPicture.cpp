// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/NoteStaffPicture.h"

#include "notes/Clef.h"
#include "notes/MusicFont.h"
#include "notes/Note.h"
#include "notes/NoteGlyphs.h"
#include "report/ReportColours.h"
#include "report/ReportGeometry.h"
#include "report/ReportText.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <cmath>

using namespace ReportGeometry;

namespace {

constexpr int TrebleLowest = 60; // C4
constexpr int BassLowest = 36;   // C2
constexpr int TopLineStep = 2 * StaffLines - 1;
// The G clef curls round the second line, the F clef's dots hold the fourth.
constexpr int TrebleClefStep = 3;
constexpr int BassClefStep = 7;
constexpr qreal OpenHeadPen = 1.2;
constexpr int HoverAlpha = 40;

Clef clefOf(NoteStaffPicture::Staff staff)
{
    return staff == NoteStaffPicture::Treble ? Clef::Treble : Clef::Bass;
}

// The row of the grid where a step's line lies (or would lie).
qreal rowOfStep(int step)
{
    return BottomLine - StaffPitch * (step - 1);
}

// A rectangle of the grid filled on whole device pixels, at least one thick,
// so that the staff's lines are crisp and equally thick at any zoom.
void fillSnapped(QPainter &painter, const QRectF &grid, const QColor &colour)
{
    const QRectF device = painter.worldTransform().mapRect(grid);
    const QRectF snapped(std::round(device.left()), std::round(device.top()),
                         std::max(1.0, std::round(device.width())),
                         std::max(1.0, std::round(device.height())));
    painter.save();
    painter.resetTransform();
    painter.fillRect(snapped, colour);
    painter.restore();
}

QColor background(const QWidget *w)
{
    return ReportColours::paper(w->palette());
}

QColor ink(const QWidget *w)
{
    return ReportColours::ink(w->palette());
}

} // namespace

NoteStaffPicture::NoteStaffPicture(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void NoteStaffPicture::setFigures(const QHash<int, ProgressFigures::NoteFigures> &byNote)
{
    m_figures = byNote;
    update();
}

void NoteStaffPicture::setKey(KeySignature key)
{
    if (key == m_key)
        return;
    m_key = key;
    updateGeometry();
    update();
}

int NoteStaffPicture::staffWidth() const
{
    return StaffWidth + signatureRoom(m_key.fifths());
}

qreal NoteStaffPicture::headLeft(int slot) const
{
    return ClefRoom + signatureRoom(m_key.fifths()) + slot * SlotWidth + HeadInSlot;
}

void NoteStaffPicture::setHeightLimit(int pixels)
{
    if (pixels == m_heightLimit)
        return;
    m_heightLimit = pixels;
    updateGeometry();
    update();
}

int NoteStaffPicture::noteIn(Staff staff, int slot)
{
    return (staff == Treble ? TrebleLowest : BassLowest) + slot;
}

NoteStaffPicture::Layout NoteStaffPicture::layoutFor(int width) const
{
    Layout l;
    // Never below the zoom at which the smallest picture fits.
    const int staff = staffWidth();
    const qreal largest = std::max(MinimumPictureWidth / qreal(staff),
                                   std::min(MaxZoom, m_heightLimit / qreal(2 * BlockHeight)));
    const qreal sideBySide = std::min(MaxZoom, width / qreal(2 * staff + StaffGap));
    l.sideBySide = sideBySide >= SideBySideZoom;
    l.zoom = l.sideBySide ? sideBySide : std::min(largest, width / qreal(staff));
    const int gridWidth = l.sideBySide ? 2 * staff + StaffGap : staff;
    l.toWidget.translate((width - gridWidth * l.zoom) / 2, 0);
    l.toWidget.scale(l.zoom, l.zoom);
    return l;
}

QPointF NoteStaffPicture::blockOrigin(const Layout &layout, Staff staff) const
{
    if (staff == Treble)
        return QPointF(0, 0);
    return layout.sideBySide ? QPointF(staffWidth() + StaffGap, 0) : QPointF(0, BlockHeight);
}

QRectF NoteStaffPicture::slotRect(Staff staff, int slot) const
{
    Q_UNUSED(staff);
    return QRectF(headLeft(slot) - HeadInSlot, 0, SlotWidth, BlockHeight);
}

int NoteStaffPicture::heightForWidth(int width) const
{
    const Layout l = layoutFor(width);
    return int(std::ceil((l.sideBySide ? BlockHeight : 2 * BlockHeight) * l.zoom));
}

QSize NoteStaffPicture::sizeHint() const
{
    return QSize(staffWidth(), heightForWidth(staffWidth()));
}

QSize NoteStaffPicture::minimumSizeHint() const
{
    return QSize(MinimumPictureWidth, heightForWidth(MinimumPictureWidth));
}

int NoteStaffPicture::noteAt(QPointF pos) const
{
    const Layout l = layoutFor(width());
    const QPointF grid = l.toWidget.inverted().map(pos);
    for (const Staff staff : {Treble, Bass}) {
        const QPointF local = grid - blockOrigin(l, staff);
        for (int slot = 0; slot < NotesPerStaff; ++slot) {
            if (slotRect(staff, slot).contains(local))
                return noteIn(staff, slot);
        }
    }
    return -1;
}

QString NoteStaffPicture::describe(int note) const
{
    const QString name = ReportText::noteName(note, m_key);
    const auto found = m_figures.constFind(note);
    if (found == m_figures.cend())
        return tr("%1: never asked").arg(name);
    const ProgressFigures::NoteFigures &f = *found;
    QStringList lines;
    lines << name;
    lines << tr("Answers: %1, right: %2").arg(f.answers).arg(f.right);
    lines << tr("Of the last %1: %2 right").arg(f.recent).arg(f.recentRight);
    lines << tr("Median time of those right: %1")
                 .arg(f.medianMs ? ReportText::seconds(*f.medianMs) : tr("none"));
    return lines.join(QLatin1Char('\n'));
}

bool NoteStaffPicture::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const int note = noteAt(help->pos());
        if (note < 0)
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), describe(note), this);
        return true;
    }
    return QWidget::event(event);
}

void NoteStaffPicture::mouseMoveEvent(QMouseEvent *event)
{
    const int note = noteAt(event->position());
    if (note != m_hovered) {
        m_hovered = note;
        update();
    }
    QWidget::mouseMoveEvent(event);
}

void NoteStaffPicture::leaveEvent(QEvent *event)
{
    m_hovered = -1;
    update();
    QWidget::leaveEvent(event);
}

void NoteStaffPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawBackground(painter);
    const Layout l = layoutFor(width());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(l.toWidget);
    drawHover(painter, l);
    for (const Staff staff : {Treble, Bass}) {
        painter.save();
        painter.translate(blockOrigin(l, staff));
        drawStaff(painter, staff);
        drawClef(painter, staff);
        drawSignature(painter, staff);
        for (int slot = 0; slot < NotesPerStaff; ++slot) {
            drawNote(painter, staff, slot);
            drawFigures(painter, staff, slot);
        }
        painter.restore();
    }
}

void NoteStaffPicture::drawBackground(QPainter &painter)
{
    painter.fillRect(rect(), background(this));
}

void NoteStaffPicture::drawHover(QPainter &painter, const Layout &layout)
{
    if (m_hovered < 0)
        return;
    const Staff staff = m_hovered >= TrebleLowest ? Treble : Bass;
    QColor shade = palette().color(QPalette::Highlight);
    shade.setAlpha(HoverAlpha);
    painter.fillRect(
        slotRect(staff, m_hovered - noteIn(staff, 0)).translated(blockOrigin(layout, staff)),
        shade);
}

void NoteStaffPicture::drawStaff(QPainter &painter, Staff)
{
    for (int line = 0; line < StaffLines; ++line)
        fillSnapped(painter, QRectF(0, StaffTop + line * LineGap, staffWidth(), 1), ink(this));
}

void NoteStaffPicture::drawClef(QPainter &painter, Staff staff)
{
    const bool treble = staff == Treble;
    const QPainterPath clef =
        MusicFont::glyph(treble ? MusicFont::TrebleClef : MusicFont::BassClef);
    if (clef.isEmpty())
        return;
    QTransform place;
    // The glyph is measured in staff spaces from the line it marks.
    place.translate(ClefX, rowOfStep(treble ? TrebleClefStep : BassClefStep) + 0.5);
    place.scale(LineGap, LineGap);
    painter.fillPath(place.map(clef), ink(this));
}

void NoteStaffPicture::drawSignature(QPainter &painter, Staff staff)
{
    qreal x = SignatureHeadX;
    for (const WrittenNote &place : Clefs::signaturePlaces(clefOf(staff), m_key)) {
        const qreal top = BottomLine - StaffPitch * Clefs::stepOf(clefOf(staff), place);
        painter.fillPath(Note::signPath(m_key.fifths() > 0 ? 1 : -1, x, top), ink(this));
        x += m_key.fifths() > 0 ? SharpAdvance : FlatAdvance;
    }
}

void NoteStaffPicture::drawNote(QPainter &painter, Staff staff, int slot)
{
    const int note = noteIn(staff, slot);
    const WrittenNote written = m_key.spell(note);
    const int step = Clefs::stepOf(clefOf(staff), written);
    const qreal left = headLeft(slot);
    const qreal top = BottomLine - StaffPitch * step;
    const QColor lines = ink(this);

    // Ledger lines out to the note, as on the main staff.
    for (int s = -1; s >= step; s -= 2)
        fillSnapped(painter,
                    QRectF(left - LedgerOverhang, rowOfStep(s), NoteWidth + 2 * LedgerOverhang, 1),
                    lines);
    for (int s = TopLineStep + 2; s <= step; s += 2)
        fillSnapped(painter,
                    QRectF(left - LedgerOverhang, rowOfStep(s), NoteWidth + 2 * LedgerOverhang, 1),
                    lines);

    const NoteGlyphs &glyphs = NoteGlyphs::instance();
    if (const std::optional<int> sign = m_key.signFor(written))
        painter.fillPath(Note::signPath(*sign, left, top), lines);

    const QPainterPath head = glyphs.head.outline.translated(left, top);
    const auto found = m_figures.constFind(note);
    const std::optional<qreal> accuracy =
        found == m_figures.cend() ? std::nullopt : found->accuracy();
    if (accuracy) {
        painter.fillPath(head, ReportColours::forAccuracy(*accuracy, background(this)));
    } else {
        painter.setPen(QPen(ReportColours::neverAsked(background(this)), OpenHeadPen));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(head);
    }
}

void NoteStaffPicture::drawFigures(QPainter &painter, Staff staff, int slot)
{
    const auto found = m_figures.constFind(noteIn(staff, slot));
    if (found == m_figures.cend() || !found->medianMs)
        return;
    QFont small = font();
    small.setPixelSize(FigureFontSize);
    painter.setFont(small);
    painter.setPen(ink(this));
    const qreal centre = headLeft(slot) + NoteWidth / 2.0;
    const QRectF row(centre - SlotWidth / 2.0, BottomLine + BelowStaff, SlotWidth, FigureRow);
    painter.drawText(row, Qt::AlignHCenter | Qt::AlignTop, ReportText::seconds(*found->medianMs));
}
