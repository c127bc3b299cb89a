// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "staff/VKTest.h"

#include "notes/Catalogue.h"
#include "notes/NoteChooser.h"
#include "notes/NoteNames.h"
#include "staff/ClefBits.h"
#include "staff/StaffGeometry.h"
#include "staff/VKTestConfig.h"

#include "notes/MusicFont.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace StaffGeometry;

namespace {

QBitmap selfMaskedBitmap(const uchar *bits, int width, int height)
{
    QBitmap bm = QBitmap::fromData(QSize(width, height), bits, QImage::Format_MonoLSB);
    bm.setMask(bm);
    return bm;
}

} // namespace

VKTest::VKTest(QWidget *parent, const char *name) : QWidget(parent)
{
    setObjectName(QString::fromLatin1(name));
    setFixedHeight(Height);
    trebleBm =
        selfMaskedBitmap(ClefBits::treble_bits, ClefBits::TrebleWidth, ClefBits::TrebleHeight);
    bassBm = selfMaskedBitmap(ClefBits::bass_bits, ClefBits::BassWidth, ClefBits::BassHeight);
    staffNotes.resize(InitialSlots);
    staffMarks.resize(InitialSlots);

    testConfig = new VKTestConfig(this, nullptr);
    connect(testConfig, &VKTestConfig::selectGClef, this, &VKTest::setTrebleClef);
    connect(testConfig, &VKTestConfig::selectGrandStaff, this, &VKTest::showGrandStaff);
    connect(testConfig, &VKTestConfig::selectCClef, this, &VKTest::setClefMode);
    connect(testConfig, &VKTestConfig::selectRange, this, &VKTest::setRangeChoice);
    connect(testConfig, &VKTestConfig::newTestTime, this, &VKTest::setTestTime);
    connect(testConfig, &VKTestConfig::selectLabelNotes, this, &VKTest::setLabelNotes);
    connect(testConfig, &VKTestConfig::selectWeakNotes, this, &VKTest::setWeakNotes);
    connect(testConfig, &VKTestConfig::selectShowAnswer, this, &VKTest::setShowAnswer);
    connect(testConfig, &VKTestConfig::selectKey, this, &VKTest::setKeyChoice);
    connect(testConfig, &VKTestConfig::selectChromatic, this, &VKTest::setChromatic);

    testTimer = new QTimer(this);
    // The interval is a promise to the user: a coarse timer may fire early.
    testTimer->setTimerType(Qt::PreciseTimer);
    connect(testTimer, &QTimer::timeout, this, &VKTest::checkNoNote);

    m_answerPause = new QTimer(this);
    m_answerPause->setSingleShot(true);
    connect(m_answerPause, &QTimer::timeout, this, &VKTest::endAnswerPause);
}

void VKTest::setTrebleClef(bool treble)
{
    setClefMode(treble ? ClefMode::Treble : ClefMode::Bass);
}

void VKTest::setClefMode(ClefMode mode)
{
    const bool newHeight = (mode == ClefMode::Both) != (m_mode == ClefMode::Both);
    m_mode = mode;
    if (mode == ClefMode::Treble || mode == ClefMode::Bass)
        emit setClef(mode == ClefMode::Treble);
    emit clefModeChanged(mode);
    emit testRangeChanged(testRange());
    noteCount = 0;
    if (newHeight)
        applyHeight();
    else
        update();
}

void VKTest::showGrandStaff()
{
    setClefMode(ClefMode::Both);
}

void VKTest::setRangeChoice(const RangeChoice &range)
{
    m_range = range;
    emit testRangeChanged(testRange());
}

int VKTest::stripRows() const
{
    return m_mode == ClefMode::Both ? GrandHeight : Height;
}

// Room for every note of the test's range, as far as a note is drawn at
// all; the treble and bass staves get at least the room they always had,
// for the notes beyond them that are played most.
int VKTest::roomWantedAbove() const
{
    if (m_mode == ClefMode::Both)
        return roomFor(m_range.on(m_mode, Clef::Treble), Clef::Treble, true);
    const int least = m_mode == ClefMode::Bass ? BassRoomAbove : 0;
    return std::max(least, roomFor(testRange(), clefFor(m_mode, MiddleC), true));
}

int VKTest::roomWantedBelow() const
{
    if (m_mode == ClefMode::Both)
        return roomFor(m_range.on(m_mode, Clef::Bass), Clef::Bass, false);
    const int least = m_mode == ClefMode::Treble ? TrebleRoomBelow
                      : m_mode == ClefMode::Bass ? BassRoomBelow
                                                 : 0;
    return std::max(least, roomFor(testRange(), clefFor(m_mode, MiddleC), false));
}

// The rows the highest note of range (above) or its lowest reaches beyond
// the strip: written with any sign and crossed out, its stem turned the way
// that reaches less far, as drawNotes turns it on a single staff (the
// grand staff keeps its stems). A note beyond the last ledger line drawn
// counts as the note on it.
int VKTest::roomFor(const NoteRange &range, Clef clef, bool above) const
{
    if (range.isEmpty())
        return 0;
    const WrittenNote end =
        above ? WrittenNote::fromMidi(range.high(), true) : WrittenNote::fromMidi(range.low());
    const int step = std::clamp(Clefs::stepOf(clef, end), -2 * Note::MostLedgerLines,
                                Note::TopLineStep + 1 + 2 * Note::MostLedgerLines);
    const bool grand = m_mode == ClefMode::Both;
    const int rows = grand ? GrandHeight : Height;
    const int bottomLine = !grand               ? Height / 2 + BottomLineBelowMiddle
                           : clef == Clef::Bass ? GrandBassBottomLine
                                                : GrandTrebleBottomLine;
    // Zoomed, a shape may shade one device pixel beyond its cells.
    constexpr int Margin = 1;
    int least = rows;
    for (const bool stemUp : {true, false}) {
        if (grand && stemUp != (clef == Clef::Treble))
            continue;
        QRect covered;
        for (const std::optional<int> sign : {std::optional<int>(), std::optional<int>(-2),
                                              std::optional<int>(2), std::optional<int>(0)}) {
            covered |= Note::placedExtent(bottomLine, 0, Note::Placed{step, sign, stemUp, false});
        }
        least =
            std::min(least, above ? Margin - covered.top() : covered.bottom() + Margin + 1 - rows);
    }
    return std::max(0, least);
}

int VKTest::firstSlotX() const
{
    const bool cClef = m_mode == ClefMode::Alto || m_mode == ClefMode::Tenor;
    return (m_mode == ClefMode::Both ? GrandFirstSlotX : FirstSlotX) +
           (cClef ? CClefExtraRoom : 0) + signatureRoom(m_key.fifths());
}

void VKTest::applyHeight()
{
    setFixedHeight(qRound((stripRows() + m_roomAbove + m_roomBelow) * m_zoom));
    update();
}

void VKTest::setLabelNotes(bool on)
{
    labelNotes = on;
}

void VKTest::setKb(bool oneOctave)
{
    kbOneOctave = oneOctave;
}

void VKTest::setWeakNotes(bool on)
{
    weakNotes = on;
}

void VKTest::setShowAnswer(bool on)
{
    showAnswer = on;
}

void VKTest::setKeyChoice(const KeyChoice &choice)
{
    m_chosenKey = choice.key;
    m_changingKey = choice.changing;
    m_notesInKey = 0;
    useKey(choice.key);
}

void VKTest::setChromatic(bool on)
{
    m_chromatic = on;
}

// A new key starts a new line of music: the staff is emptied.
void VKTest::useKey(KeySignature key)
{
    noteCount = 0;
    const bool changed = key != m_key;
    m_key = key;
    update();
    if (changed)
        emit keyChanged(key);
}

// With a changing key, every NotesPerChangingKey notes (and at the first
// note of a test) a key other than the one in force, all others equally
// likely.
void VKTest::changeKeyIfDue()
{
    if (!m_changingKey || (m_notesInKey > 0 && m_notesInKey < NotesPerChangingKey))
        return;
    m_notesInKey = 0;
    const auto keys = KeySignature::all();
    std::uniform_int_distribution<int> pick(0, int(keys.size()) - 2);
    int chosen = pick(m_keyRandom);
    if (keys[chosen] == m_key)
        chosen = int(keys.size()) - 1;
    useKey(keys[chosen]);
}

TestSettings VKTest::settings() const
{
    TestSettings s;
    s.clef = clefMode();
    s.intervalMs = testTime;
    s.labels = labelNotes;
    s.weakNotes = weakNotes;
    s.showAnswer = showAnswer;
    s.key = keyChoice();
    s.chromatic = m_chromatic;
    s.range = m_range;
    return s;
}

void VKTest::setNoteChooser(NoteChooser *chooser)
{
    m_chooser = chooser;
}

bool VKTest::isShowingAnswer() const
{
    return m_answerPause->isActive();
}

void VKTest::drawNote(int midi)
{
    if (!notes.contains(midi)) {
        // The wording and the trailing line break are deliberate: tools that
        // read the warning log match this exact line.
        qWarning("Invalid MIDI note number: %d\n", midi);
        return;
    }
    showNote(m_key.spell(midi));
}

void VKTest::showNote(const WrittenNote &note)
{
    const int capacity = capacityFor(gridWidth(), firstSlotX());
    if (noteCount + 1 > unsigned(capacity))
        noteCount = 0;
    if (staffNotes.size() < qsizetype(noteCount) + 1) {
        staffNotes.resize(capacity + 1);
        staffMarks.resize(capacity + 1);
    }
    staffNotes[noteCount] = note;
    staffMarks[noteCount] = true;
    ++noteCount;
    repaint();
}

void VKTest::setZoom(qreal zoom, int roomBelow, int roomAbove)
{
    if ((zoom == m_zoom && roomBelow == m_roomBelow && roomAbove == m_roomAbove) || !(zoom > 0) ||
        roomBelow < 0 || roomAbove < 0)
        return;
    m_zoom = zoom;
    m_roomBelow = roomBelow;
    m_roomAbove = roomAbove;
    applyHeight();
}

int VKTest::gridWidth() const
{
    return m_zoom == 1 ? width() : int(std::floor(width() / m_zoom + 1e-6));
}

int VKTest::gridHeight() const
{
    return m_zoom == 1 ? height() : qRound(height() / m_zoom);
}

void VKTest::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Lines and shapes are placed on device pixels: a zoomed or high-density
    // staff stays crisp.
    const qreal dpr = devicePixelRatioF();
    if (dpr != 1)
        painter.scale(1 / dpr, 1 / dpr);
    const PixelScale scale(m_zoom * dpr);
    // Chosen at every paint: a theme switched while the program runs shows at once.
    const Ink ink = Ink::forPalette(palette());
    if (m_mode == ClefMode::Both)
        paintGrandStaff(painter, scale, ink);
    else
        paintStaff(painter, scale, ink);
}

void VKTest::paintStaff(QPainter &painter, const PixelScale &scale, const Ink &ink)
{
    // The staff stands where it would in the strip alone; the room around it
    // is for what reaches beyond it, the names included.
    const int half = (gridHeight() - m_roomBelow - m_roomAbove) / 2 + m_roomAbove;
    const int bottomLine = half + BottomLineBelowMiddle;
    const int topLine = bottomLine - (StaffLines - 1) * LineGap;
    const Clef clef = clefFor(m_mode, MiddleC);
    drawClef(painter, scale, clef, 0, bottomLine, ink.text);
    drawBarLines(painter, scale, BarLineInset, topLine, bottomLine, ink.text);
    drawStaffLines(painter, scale, 0, bottomLine, ink.text);
    drawKeySignature(painter, scale, clef, 0, bottomLine, ink);
    drawNotes(painter, scale, ink, bottomLine, bottomLine);
}

// Treble staff over bass staff, joined by a brace and a common bar line.
void VKTest::paintGrandStaff(QPainter &painter, const PixelScale &scale, const Ink &ink)
{
    const int trebleBottom = m_roomAbove + GrandTrebleBottomLine;
    const int bassBottom = m_roomAbove + GrandBassBottomLine;
    const int trebleTop = trebleBottom - (StaffLines - 1) * LineGap;
    drawBrace(painter, scale, trebleTop, bassBottom, ink.text);
    drawBarLines(painter, scale, GrandBarLineX, trebleTop, bassBottom, ink.text);
    for (const Clef clef : {Clef::Treble, Clef::Bass}) {
        const int bottomLine = clef == Clef::Treble ? trebleBottom : bassBottom;
        drawClef(painter, scale, clef, GrandClefX, bottomLine, ink.text);
        drawStaffLines(painter, scale, GrandBarLineX, bottomLine, ink.text);
        drawKeySignature(painter, scale, clef, GrandClefX, bottomLine, ink);
    }
    drawNotes(painter, scale, ink, trebleBottom, bassBottom);
}

// A curly brace filling the grand staff's height, its point to the left:
// each half a stroke that is thin at its tip and at the point and thickest
// in between, as a brace is engraved.
void VKTest::drawBrace(QPainter &painter, const PixelScale &scale, int top, int bottom,
                       const QColor &ink)
{
    constexpr qreal W = GrandBraceWidth;
    const qreal H = bottom - top;
    QPainterPath upper;
    upper.moveTo(W, 0);
    upper.cubicTo(W * 0.2, H * 0.03, W * 0.15, H * 0.12, W * 0.2, H * 0.24);
    upper.cubicTo(W * 0.26, H * 0.38, W * 0.3, H * 0.47, 0, H * 0.5);
    upper.cubicTo(W * 0.75, H * 0.46, W * 0.9, H * 0.36, W * 0.8, H * 0.24);
    upper.cubicTo(W * 0.68, H * 0.1, W * 0.7, H * 0.03, W, 0);
    upper.closeSubpath();
    const QPainterPath lower = QTransform(1, 0, 0, -1, 0, H).map(upper);
    const QPainterPath brace = (upper + lower).translated(GrandBraceLeft, top);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(scale.transform().map(brace), ink);
    painter.restore();
}

void VKTest::drawClef(QPainter &painter, const PixelScale &scale, Clef clef, int x, int bottomLine,
                      const QColor &ink)
{
    painter.setPen(QPen(ink, 1));
    if (clef == Clef::Alto || clef == Clef::Tenor) {
        drawCClef(painter, scale, clef, x, bottomLine, ink);
        return;
    }
    const bool treble = clef == Clef::Treble;
    const int half = bottomLine - BottomLineBelowMiddle;
    const int top = half - (treble ? TrebleClefAboveMiddle : BassClefAboveMiddle);
    const QBitmap &bitmap = treble ? trebleBm : bassBm;
    if (scale.isOne()) {
        painter.drawPixmap(x, top, bitmap);
        return;
    }
    QPainterPath &outline = treble ? m_trebleOutline : m_bassOutline;
    if (outline.isEmpty())
        outline = clefOutline(treble, bitmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(scale.transform(x, top).map(outline), ink);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

// The handheld had no C clef: it is drawn from the music font's outline at
// every size, the handheld's too, its middle on the line of middle C (the
// third line in the alto clef, the fourth in the tenor clef).
void VKTest::drawCClef(QPainter &painter, const PixelScale &scale, Clef clef, int x, int bottomLine,
                       const QColor &ink)
{
    if (m_cClefOutline.isEmpty())
        m_cClefOutline = cClefOutline();
    const int line = Clefs::stepOf(clef, WrittenNote()) / 2; // lines counted from the bottom one, 0
    // On the middle of the line as drawn, which lies on whole device pixels.
    const QRect drawn = scale.cells(x, bottomLine - line * LineGap, 1, 1);
    const QTransform place(scale.factor(), 0, 0, scale.factor(), x * scale.factor(),
                           drawn.y() + drawn.height() / 2.0);
    // Filling the outline costs more than the rest of a handheld-sized row:
    // it is filled once for each place and ink, and copied after that.
    if (m_cClef.image.isNull() || m_cClef.place != place || m_cClef.ink != ink.rgba()) {
        const QPainterPath outline = place.map(m_cClefOutline);
        m_cClef.box = outline.boundingRect().toAlignedRect();
        m_cClef.image = QImage(m_cClef.box.size(), QImage::Format_ARGB32_Premultiplied);
        m_cClef.image.fill(Qt::transparent);
        QPainter fill(&m_cClef.image);
        fill.setRenderHint(QPainter::Antialiasing);
        fill.fillPath(outline.translated(-m_cClef.box.topLeft()), ink);
        m_cClef.place = place;
        m_cClef.ink = ink.rgba();
    }
    painter.drawImage(m_cClef.box.topLeft(), m_cClef.image);
}

// The C clef a staff space to a line gap, its middle on y = 0, starting
// CClefLeft columns in. Without the font, a C clef of plain strokes: a thick
// and a thin bar, and the two curls that hold the line between them.
QPainterPath VKTest::cClefOutline()
{
    QPainterPath glyph = MusicFont::glyph(MusicFont::CClef);
    if (glyph.isEmpty()) {
        QPainterPath curl;
        curl.moveTo(0.95, 0);
        curl.cubicTo(1.4, -0.1, 1.55, -0.45, 1.6, -0.7);
        curl.moveTo(1.2, -1.55);
        curl.cubicTo(2.6, -2.3, 2.7, -0.6, 1.6, -0.7);
        QPainterPathStroker stroker;
        stroker.setWidth(0.3);
        QPainterPath half = stroker.createStroke(curl);
        half.addEllipse(QPointF(1.25, -1.45), 0.3, 0.3);
        glyph.addRect(0, -2, 0.55, 4);
        glyph.addRect(0.72, -2, 0.18, 4);
        glyph = (glyph + half + QTransform::fromScale(1, -1).map(half)).simplified();
    }
    const QPainterPath sized = QTransform::fromScale(LineGap, LineGap).map(glyph);
    return sized.translated(CClefLeft - sized.boundingRect().left(), 0);
}

// The clef of the music font, a staff space to a line gap, centred on its line
// (the G line, the second from the bottom, or the F line, the fourth) and
// starting where the bitmap's ink starts. Relative to the bitmap's top-left
// corner. Without the font, the bitmap's own pixels.
QPainterPath VKTest::clefOutline(bool treble, const QBitmap &bitmap) const
{
    const QPainterPath pixels = MusicFont::traced(bitmap);
    const QPainterPath glyph =
        MusicFont::glyph(treble ? MusicFont::TrebleClef : MusicFont::BassClef);
    if (glyph.isEmpty())
        return pixels;
    const int above = treble ? TrebleClefAboveMiddle : BassClefAboveMiddle;
    const int line = treble ? 1 : 3; // lines counted from the bottom one, 0
    const qreal lineCentre = BottomLineBelowMiddle + above - line * LineGap + 0.5;
    const QPainterPath sized = QTransform::fromScale(LineGap, LineGap).map(glyph);
    return sized.translated(pixels.boundingRect().left() - sized.boundingRect().left(), lineCentre);
}

// The signs in the order they are written, each where a note's own sign
// stands on that line or space.
void VKTest::drawKeySignature(QPainter &painter, const PixelScale &scale, Clef clef, int clefX,
                              int bottomLine, const Ink &ink)
{
    const int alteration = m_key.fifths() > 0 ? 1 : -1;
    const bool cClef = clef == Clef::Alto || clef == Clef::Tenor;
    int x = clefX + SignatureHeadFromClef + (cClef ? CClefExtraRoom : 0);
    for (const WrittenNote &place : Clefs::signaturePlaces(clef, m_key)) {
        const int top = Note::headTop(bottomLine, Clefs::stepOf(clef, place));
        Note::drawSign(alteration, x, top, painter, scale, ink);
        x += signatureAdvance(m_key.fifths());
    }
}

// At column x (and the right edge), from the top line to the bottom line.
void VKTest::drawBarLines(QPainter &painter, const PixelScale &scale, int x, int topLine,
                          int bottomLine, const QColor &ink)
{
    // A line two pixels wide along a column covers that column and the one
    // before it, and reaches a pixel past its upper end.
    const int rows = bottomLine - topLine + 2;
    painter.setPen(QPen(ink, BarLineWidth));
    painter.fillRect(scale.cells(x - 1, topLine - 1, BarLineWidth, rows), ink);
    const QRect left = scale.cells(0, topLine - 1, BarLineWidth, rows);
    painter.fillRect(left.translated(deviceWidth() - left.width() - left.x(), 0), ink);
}

// From column x to the right edge.
void VKTest::drawStaffLines(QPainter &painter, const PixelScale &scale, int x, int bottomLine,
                            const QColor &ink)
{
    painter.setPen(QPen(ink, 1));
    const int left = scale.cells(x, 0, 1, 1).x();
    for (int i = 0; i < StaffLines; ++i) {
        const QRect line = scale.cells(x, bottomLine - i * LineGap, 1, 1);
        painter.fillRect(QRect(left, line.y(), deviceWidth() - left, line.height()), ink);
    }
}

int VKTest::deviceWidth() const
{
    return qRound(width() * devicePixelRatioF());
}

// Each note on the staff it belongs to: the one staff, or on the grand
// staff the treble staff (bottom line upperBottom) from middle C up and the
// bass staff (lowerBottom) below it, with the sign the key signature asks
// for. A note is drawn whole or not at all: where its stem would reach
// beyond the strip it turns the other way, as an engraver turns the stems of
// notes far from the staff's middle, and a note that still does not fit, or
// would stand beyond the last ledger line drawn, is left out, name and all
// (it still sounds).
void VKTest::drawNotes(QPainter &painter, const PixelScale &scale, const Ink &ink, int upperBottom,
                       int lowerBottom)
{
    const bool grand = m_mode == ClefMode::Both;
    for (unsigned int i = 0; i < noteCount; ++i) {
        const WrittenNote &written = staffNotes[i];
        const Clef clef = clefOf(written);
        const int y = clef == Clef::Bass && grand ? lowerBottom : upperBottom;
        const int x = slotX(int(i), firstSlotX());
        Note::Placed placed;
        placed.step = Clefs::stepOf(clef, written);
        if (Note::ledgerLines(placed.step) > Note::MostLedgerLines)
            continue;
        placed.sign = m_key.signFor(written);
        // The handheld's stems: up in the treble clef, down in the bass
        // clef. The C clefs turn them as engravers do, up below the middle
        // line and down from it.
        constexpr int MiddleLineStep = 5;
        placed.stemUp =
            clef == Clef::Treble || (clef != Clef::Bass && placed.step < MiddleLineStep);
        placed.correct = staffMarks[i];
        if (!fits(Note::placedExtent(y, x, placed), scale) && !grand)
            placed.stemUp = !placed.stemUp;
        if (!fits(Note::placedExtent(y, x, placed), scale))
            continue;
        Note::drawPlaced(y, x, placed, painter, scale, ink);
        if (labelNotes)
            drawLabel(painter, x, written);
    }
}

// The staff a note stands on; on the grand staff, by the key that sounds it.
Clef VKTest::clefOf(const WrittenNote &note) const
{
    return clefFor(clefMode(), note.midi());
}

// Whether what covers these cells of the grid lies within the strip. Drawn
// zoomed, shapes are smooth and may shade a device pixel beyond their cells.
bool VKTest::fits(const QRect &extent, const PixelScale &scale) const
{
    const int margin = scale.isOne() ? 0 : 1;
    return extent.top() - margin >= 0 && extent.bottom() + margin < gridHeight();
}

// The name sits on the strip's bottom edge, in the pen the note was
// finished with: red under a note crossed out. A letter starts where the
// head starts; a longer name is centred under the head, and made narrower
// where it would reach a neighbour's.
void VKTest::drawLabel(QPainter &painter, int x, const WrittenNote &note)
{
    // Laying out a name costs more than drawing a note: each name is laid
    // out once per font, zoom and language, and reused.
    const QString name = labelText(note, m_key);
    if (m_widgetFont != font() || m_labelZoom != m_zoom) {
        m_widgetFont = font();
        m_labelZoom = m_zoom;
        m_labelCache.clear();
    }
    auto cached = m_labelCache.find(name);
    if (cached == m_labelCache.end())
        cached = m_labelCache.insert(name, layOutLabel(name));
    // Text is placed in the widget's own coordinates: the font does its own
    // scaling to the device.
    const QTransform device = painter.worldTransform();
    painter.resetTransform();
    painter.setFont(cached->font);
    painter.drawStaticText(QPointF(x * m_zoom + cached->dx, height() - cached->ascent),
                           cached->text);
    painter.setWorldTransform(device);
}

VKTest::Label VKTest::layOutLabel(const QString &name) const
{
    Label label;
    label.font = m_widgetFont;
    if (m_zoom != 1 && m_widgetFont.pointSizeF() > 0)
        label.font.setPointSizeF(m_widgetFont.pointSizeF() * m_zoom);
    else if (m_zoom != 1)
        label.font.setPixelSize(qRound(m_widgetFont.pixelSize() * m_zoom));
    if (name.size() > 1) {
        const qreal room = (SlotWidth - LabelGap) * m_zoom;
        const qreal width = QFontMetricsF(label.font).horizontalAdvance(name);
        if (width > room) {
            if (label.font.pointSizeF() > 0)
                label.font.setPointSizeF(label.font.pointSizeF() * room / width);
            else
                label.font.setPixelSize(std::max(1, int(label.font.pixelSize() * room / width)));
        }
        label.dx = (NoteWidth * m_zoom - QFontMetricsF(label.font).horizontalAdvance(name)) / 2;
    }
    label.ascent = QFontMetricsF(label.font).ascent();
    label.text.setText(name);
    label.text.setTextFormat(Qt::PlainText);
    label.text.prepare(QTransform(), label.font);
    return label;
}

// In C major the name is that of the letter, as on the handheld; in any
// other key the note's full name, its sharp or flat included.
QString VKTest::labelText(const WrittenNote &note, KeySignature key)
{
    return key.isC() ? NoteNames::plain(note) : NoteNames::full(note);
}

void VKTest::changeEvent(QEvent *event)
{
    // Names follow the language: lay them out anew.
    if (event->type() == QEvent::LanguageChange) {
        m_labelCache.clear();
        update();
    }
    QWidget::changeEvent(event);
}

bool VKTest::testTimerActive() const
{
    return testTimer->isActive();
}

void VKTest::setTestTime(int ms)
{
    testTime = ms;
}

void VKTest::startTestTimer()
{
    m_intervalInForce = testTime;
    // A negative interval means no time limit: the note waits for an answer.
    if (testTime < 0) {
        testTimer->stop();
        return;
    }
    testTimer->start(testTime);
}

void VKTest::setTestMode(bool on)
{
    testing = on;
    if (on) {
        m_answerPause->stop();
        m_notesInKey = 0;
        nextNote();
    } else {
        testTimer->stop();
        if (m_answerPause->isActive()) {
            m_answerPause->stop();
            emit answerHidden();
        }
    }
}

void VKTest::nextNote()
{
    generateNote();
    startTestTimer();
}

QList<int> VKTest::testPitches() const
{
    QList<int> range = m_range.pitches(m_mode);
    // A grand staff whose own ranges are both empty tests the clef's octaves.
    if (range.isEmpty())
        range = RangeChoice().pitches(m_mode);
    QList<int> pitches;
    for (const int midi : range) {
        if (m_key.isC() || m_chromatic || m_key.inScale(midi))
            pitches << midi;
    }
    return pitches.isEmpty() ? range : pitches;
}

void VKTest::generateNote()
{
    changeKeyIfDue();
    const QList<int> pitches = testPitches();
    int midi = 0;
    if (weakNotes && m_chooser) {
        midi = m_chooser->next(pitches);
    } else {
        // rand() is deliberately never seeded: every run presents the same
        // sequence of notes, so a learner can repeat a test and compare
        // scores.
        const int r = std::rand();
        midi = pitches[int(r * double(pitches.size()) / 2147483648.0)];
    }
    // C major writes a black key as a sharp or a flat, half of the time
    // each; every other key as it spells it.
    WrittenNote written = m_key.spell(midi);
    if (m_key.isC() && written.alteration() != 0 && (std::rand() & 1))
        written = WrittenNote::fromMidi(midi, true);
    testNote = written;
    ++m_notesInKey;
    showNote(written);
    m_shownFor.start();
    emit newNote(midi);
}

void VKTest::checkNote(int midi, NoteSource source)
{
    judge(midi, source);
}

// Judged by sound: a C flat is answered by the key of B. A one-octave
// keyboard answers every octave with its keys; on the grand staff's four
// octaves, as on two, only the exact key counts. No answer is wrong.
void VKTest::judge(std::optional<int> answer, std::optional<NoteSource> source)
{
    // While a missed note's right key is shown, no note waits for an answer.
    if (m_answerPause->isActive())
        return;
    testTimer->stop();
    // Before the first test note there is nothing to be right about: the
    // last note on the staff is crossed out and the test goes on, but
    // nothing is reported beyond the score.
    if (!testNote) {
        if (noteCount > 0)
            staffMarks[noteCount - 1] = false;
        emit testedNote(false);
        nextNote();
        return;
    }
    const int right = testNote->midi();
    const bool anyOctave = kbOneOctave && m_mode != ClefMode::Both;
    Verdict v;
    v.shown = *testNote;
    v.clef = clefOf(*testNote);
    v.key = m_key;
    v.intervalMs = m_intervalInForce;
    if (answer) {
        v.answer = answer;
        v.source = source;
        // A number that is no key of the piano is never right.
        v.correct =
            notes.contains(*answer) && (anyOctave ? (*answer - right) % 12 == 0 : *answer == right);
        if (m_shownFor.isValid())
            v.responseMs = int(m_shownFor.elapsed());
    }
    if (noteCount > 0)
        staffMarks[noteCount - 1] = v.correct;
    emit testedNote(v.correct);
    emit judged(v);
    if (weakNotes && m_chooser)
        m_chooser->judged(right, v.correct, v.responseMs);
    if (!v.correct && showAnswer) {
        // The cross shows now, and the right key with it, for a while.
        update();
        emit answerShown(right, v.answer);
        m_answerPause->start(AnswerPauseMs);
        return;
    }
    nextNote();
}

void VKTest::endAnswerPause()
{
    emit answerHidden();
    nextNote();
}

void VKTest::checkNoNote()
{
    judge(std::nullopt, std::nullopt);
}

void VKTest::setConfig()
{
    const bool accepted = testConfig->exec(settings());
    if (accepted && testing) {
        // The staff was emptied and the note that waited went with it: it
        // gets no verdict, and a note under the new settings takes its place.
        testTimer->stop();
        if (m_answerPause->isActive()) {
            m_answerPause->stop();
            emit answerHidden();
        }
        nextNote();
    }
    repaint();
}
