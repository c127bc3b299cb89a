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
    const bool wasGrand = grandStaff;
    trebleClef = treble;
    grandStaff = false;
    emit setClef(treble);
    emit clefModeChanged(clefMode());
    noteCount = 0;
    if (wasGrand)
        applyHeight();
}

void VKTest::setClefMode(ClefMode mode)
{
    if (mode != ClefMode::Both) {
        setTrebleClef(mode == ClefMode::Treble);
        return;
    }
    const bool wasGrand = grandStaff;
    grandStaff = true;
    emit clefModeChanged(mode);
    noteCount = 0;
    if (!wasGrand)
        applyHeight();
}

void VKTest::showGrandStaff()
{
    setClefMode(ClefMode::Both);
}

ClefMode VKTest::clefMode() const
{
    if (grandStaff)
        return ClefMode::Both;
    return trebleClef ? ClefMode::Treble : ClefMode::Bass;
}

int VKTest::stripRows() const
{
    return grandStaff ? GrandHeight : Height;
}

int VKTest::roomWantedAbove() const
{
    return clefMode() == ClefMode::Bass ? BassRoomAbove : 0;
}

int VKTest::roomWantedBelow() const
{
    switch (clefMode()) {
    case ClefMode::Treble:
        return TrebleRoomBelow;
    case ClefMode::Bass:
        return BassRoomBelow;
    case ClefMode::Both:
        break;
    }
    return 0;
}

int VKTest::firstSlotX() const
{
    return (grandStaff ? GrandFirstSlotX : FirstSlotX) + signatureRoom(m_key.fifths());
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
    if (grandStaff)
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
    drawClef(painter, scale, trebleClef, 0, bottomLine, ink.text);
    drawBarLines(painter, scale, BarLineInset, topLine, bottomLine, ink.text);
    drawStaffLines(painter, scale, 0, bottomLine, ink.text);
    drawKeySignature(painter, scale, trebleClef ? Clef::Treble : Clef::Bass, 0, bottomLine, ink);
    drawNotes(painter, scale, ink, trebleClef ? bottomLine : -1, trebleClef ? -1 : bottomLine);
}

// Treble staff over bass staff, joined by a brace and a common bar line.
void VKTest::paintGrandStaff(QPainter &painter, const PixelScale &scale, const Ink &ink)
{
    const int trebleBottom = m_roomAbove + GrandTrebleBottomLine;
    const int bassBottom = m_roomAbove + GrandBassBottomLine;
    const int trebleTop = trebleBottom - (StaffLines - 1) * LineGap;
    drawBrace(painter, scale, trebleTop, bassBottom, ink.text);
    drawBarLines(painter, scale, GrandBarLineX, trebleTop, bassBottom, ink.text);
    for (const bool treble : {true, false}) {
        const int bottomLine = treble ? trebleBottom : bassBottom;
        drawClef(painter, scale, treble, GrandClefX, bottomLine, ink.text);
        drawStaffLines(painter, scale, GrandBarLineX, bottomLine, ink.text);
        drawKeySignature(painter, scale, treble ? Clef::Treble : Clef::Bass, GrandClefX, bottomLine,
                         ink);
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

void VKTest::drawClef(QPainter &painter, const PixelScale &scale, bool treble, int x,
                      int bottomLine, const QColor &ink)
{
    painter.setPen(QPen(ink, 1));
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
    int x = clefX + SignatureHeadFromClef;
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
// staff the treble staff from middle C up and the bass staff below it (a
// bottom line of -1 means no such staff), with the sign the key signature
// asks for. A note is drawn whole or not at all: where its stem would reach
// beyond the strip it turns the other way, as an engraver turns the stems of
// notes far from the staff's middle, and a note that still does not fit is
// left out, name and all (it still sounds).
void VKTest::drawNotes(QPainter &painter, const PixelScale &scale, const Ink &ink, int trebleBottom,
                       int bassBottom)
{
    for (unsigned int i = 0; i < noteCount; ++i) {
        const WrittenNote &written = staffNotes[i];
        const Clef clef = clefOf(written);
        const bool treble = clef == Clef::Treble;
        const int y = treble ? trebleBottom : bassBottom;
        const int x = slotX(int(i), firstSlotX());
        Note::Placed placed;
        placed.step = Clefs::stepOf(clef, written);
        placed.sign = m_key.signFor(written);
        placed.stemUp = treble;
        placed.correct = staffMarks[i];
        if (!fits(Note::placedExtent(y, x, placed), scale) && !grandStaff)
            placed.stemUp = !treble;
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
    const int lowest = lowestTestNote(clefMode());
    const int count = testNoteCount(clefMode());
    QList<int> pitches;
    for (int midi = lowest; midi < lowest + count; ++midi) {
        if (m_key.isC() || m_chromatic || m_key.inScale(midi))
            pitches << midi;
    }
    return pitches;
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
    const bool anyOctave = kbOneOctave && !grandStaff;
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
