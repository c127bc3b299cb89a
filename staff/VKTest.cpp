// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "staff/VKTest.h"

#include "notes/Catalogue.h"
#include "notes/NoteChooser.h"
#include "staff/ClefBits.h"
#include "staff/StaffGeometry.h"
#include "staff/VKTestConfig.h"

#include "notes/MusicFont.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

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

// The name of the natural note whose letter is given, in the language of the
// installed translation.
QString naturalName(char letter)
{
    switch (letter) {
    //: The name of the note C under a note on the staff, as a learner of this
    //: language names it: a letter (C) or a syllable (Do). Keep it short.
    case 'C':
        return VKTest::tr("C", "note name");
    //: The note D (Re, Ré).
    case 'D':
        return VKTest::tr("D", "note name");
    //: The note E (Mi).
    case 'E':
        return VKTest::tr("E", "note name");
    //: The note F (Fa).
    case 'F':
        return VKTest::tr("F", "note name");
    //: The note G (Sol).
    case 'G':
        return VKTest::tr("G", "note name");
    //: The note A (La).
    case 'A':
        return VKTest::tr("A", "note name");
    //: The note B, the white key below C (Si; H in German).
    case 'B':
        return VKTest::tr("B", "note name");
    }
    return QString(QLatin1Char(letter));
}

// The name under a note: that of the natural note it is written at. So a
// black key written as a sharp keeps the name of the natural below it, and
// one written as a flat takes that of the natural above, except that B flat
// has a name of its own in some languages.
QString labelName(int n)
{
    const int key = std::abs(n);
    if (n < 0 && notes[key].offset() == 1) {
        const char above = notes[key + 1].name();
        //: The note B flat written as a flat, at the step of B (Si; B in
        //: German, where B alone means B flat).
        return above == 'B' ? VKTest::tr("B", "note name of B flat") : naturalName(above);
    }
    return naturalName(notes[key].name());
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
    connect(testConfig, &VKTestConfig::newTestTime, this, &VKTest::setTestTime);
    connect(testConfig, &VKTestConfig::selectLabelNotes, this, &VKTest::setLabelNotes);
    connect(testConfig, &VKTestConfig::selectWeakNotes, this, &VKTest::setWeakNotes);
    connect(testConfig, &VKTestConfig::selectShowAnswer, this, &VKTest::setShowAnswer);

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
    trebleClef = treble;
    emit setClef(treble);
    noteCount = 0;
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

void VKTest::setNoteChooser(NoteChooser *chooser)
{
    m_chooser = chooser;
}

bool VKTest::isShowingAnswer() const
{
    return m_answerPause->isActive();
}

void VKTest::drawNote(int n)
{
    // Magnitude first: the negation of INT_MIN would overflow.
    if (n < -HighestNote || n > HighestNote || !notes.contains(std::abs(n))) {
        // The wording and the trailing line break are deliberate: tools that
        // read the warning log match this exact line.
        qWarning("Invalid MIDI note number: %d\n", n);
        return;
    }
    const int capacity = capacityFor(gridWidth());
    if (noteCount + 1 > unsigned(capacity))
        noteCount = 0;
    if (staffNotes.size() < qsizetype(noteCount) + 1) {
        staffNotes.resize(capacity + 1);
        staffMarks.resize(capacity + 1);
    }
    staffNotes[noteCount] = n;
    staffMarks[noteCount] = true;
    ++noteCount;
    repaint();
}

void VKTest::setZoom(qreal zoom, int roomBelow)
{
    if ((zoom == m_zoom && roomBelow == m_roomBelow) || !(zoom > 0) || roomBelow < 0)
        return;
    m_zoom = zoom;
    m_roomBelow = roomBelow;
    setFixedHeight(qRound((Height + roomBelow) * zoom));
    update();
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
    // The staff stands where it would in the strip alone; the room below is
    // for what hangs under it, the names included.
    const int half = (gridHeight() - m_roomBelow) / 2;
    const int bottomLine = half + BottomLineBelowMiddle;
    // Chosen at every paint: a theme switched while the program runs shows at once.
    const Ink ink = Ink::forPalette(palette());
    drawClef(painter, scale, half, ink.text);
    drawBarLines(painter, scale, bottomLine, ink.text);
    drawStaffLines(painter, scale, bottomLine, ink.text);
    drawNotes(painter, scale, bottomLine, ink);
}

void VKTest::drawClef(QPainter &painter, const PixelScale &scale, int half, const QColor &ink)
{
    painter.setPen(QPen(ink, 1));
    const int top = half - (trebleClef ? TrebleClefAboveMiddle : BassClefAboveMiddle);
    const QBitmap &bitmap = trebleClef ? trebleBm : bassBm;
    if (scale.isOne()) {
        painter.drawPixmap(0, top, bitmap);
        return;
    }
    QPainterPath &outline = trebleClef ? m_trebleOutline : m_bassOutline;
    if (outline.isEmpty())
        outline = clefOutline(trebleClef, bitmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(scale.transform(0, top).map(outline), ink);
    painter.setRenderHint(QPainter::Antialiasing, false);
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

void VKTest::drawBarLines(QPainter &painter, const PixelScale &scale, int bottomLine,
                          const QColor &ink)
{
    // A line two pixels wide along a column covers that column and the one
    // before it, and reaches a pixel past its upper end.
    const int topLine = bottomLine - (StaffLines - 1) * LineGap;
    const int rows = bottomLine - topLine + 2;
    painter.setPen(QPen(ink, BarLineWidth));
    painter.fillRect(scale.cells(BarLineInset - 1, topLine - 1, BarLineWidth, rows), ink);
    const QRect left = scale.cells(0, topLine - 1, BarLineWidth, rows);
    painter.fillRect(left.translated(deviceWidth() - left.width() - left.x(), 0), ink);
}

void VKTest::drawStaffLines(QPainter &painter, const PixelScale &scale, int bottomLine,
                            const QColor &ink)
{
    painter.setPen(QPen(ink, 1));
    for (int i = 0; i < StaffLines; ++i) {
        const QRect line = scale.cells(0, bottomLine - i * LineGap, 1, 1);
        painter.fillRect(QRect(0, line.y(), deviceWidth(), line.height()), ink);
    }
}

int VKTest::deviceWidth() const
{
    return qRound(width() * devicePixelRatioF());
}

void VKTest::drawNotes(QPainter &painter, const PixelScale &scale, int bottomLine, const Ink &ink)
{
    for (unsigned int i = 0; i < noteCount; ++i) {
        const int n = staffNotes[i];
        const int x = slotX(int(i));
        notes[std::abs(n)].draw(bottomLine, x, trebleClef, painter, staffMarks[i], n < 0, scale,
                                ink);
        if (labelNotes)
            drawLabel(painter, x, n);
    }
}

// The name sits on the strip's bottom edge, in the pen the note was
// finished with: red under a note crossed out. A letter starts where the
// head starts; a longer name is centred under the head, and made narrower
// where it would reach a neighbour's.
void VKTest::drawLabel(QPainter &painter, int x, int note)
{
    // Laying out a name costs more than drawing a note: each name is laid
    // out once per font, zoom and language, and reused.
    const QString name = labelName(note);
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

QString VKTest::labelText(int n)
{
    return labelName(n);
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

void VKTest::generateNote()
{
    const int lowest = trebleClef ? MiddleC : LowestNote;
    if (weakNotes && m_chooser) {
        testNote = m_chooser->next(lowest, NotesPerClef);
    } else {
        // rand() is deliberately never seeded: every run presents the same
        // sequence of notes, so a learner can repeat a test and compare
        // scores.
        const int r = std::rand();
        const int index = int(r * double(NotesPerClef) / 2147483648.0);
        testNote = index + lowest;
    }
    if (notes[testNote].offset() == 1 && (std::rand() & 1))
        testNote = -testNote;
    drawNote(testNote);
    m_shownFor.start();
    emit newNote(testNote);
}

void VKTest::checkNote(int answer)
{
    // While a missed note's right key is shown, no note waits for an answer.
    if (m_answerPause->isActive())
        return;
    testTimer->stop();
    const long long a = std::llabs(answer);
    const long long t = std::llabs(testNote);
    bool verdict = false;
    if (a != 0)
        verdict = kbOneOctave ? a % 12 == t % 12 : a == t;
    if (noteCount > 0)
        staffMarks[noteCount - 1] = verdict;
    const int responseMs = a != 0 && m_shownFor.isValid() ? int(m_shownFor.elapsed()) : -1;
    emit testedNote(verdict);
    emit judged(testNote, answer, verdict, responseMs, m_intervalInForce);
    if (weakNotes && m_chooser)
        m_chooser->judged(int(t), verdict,
                          responseMs >= 0 ? std::optional<int>(responseMs) : std::nullopt);
    if (!verdict && showAnswer) {
        // The cross shows now, and the right key with it, for a while.
        update();
        emit answerShown(int(t), int(a));
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
    checkNote(0);
}

void VKTest::setConfig()
{
    const bool accepted = testConfig->exec(trebleClef, testTime, labelNotes, weakNotes, showAnswer);
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
