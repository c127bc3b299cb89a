// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "staff/VKTest.h"

#include "notes/Catalogue.h"
#include "staff/ClefBits.h"
#include "staff/StaffGeometry.h"
#include "staff/VKTestConfig.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTimer>

#include <cstdlib>

using namespace StaffGeometry;

namespace {

QBitmap selfMaskedBitmap(const uchar *bits, int width, int height)
{
    QBitmap bm = QBitmap::fromData(QSize(width, height), bits, QImage::Format_MonoLSB);
    bm.setMask(bm);
    return bm;
}

// The letter under a note: a black key written as a flat is named after the
// natural note above it.
char labelLetter(int n)
{
    const int key = std::abs(n);
    if (n < 0 && notes[key].offset() == 1)
        return notes[key + 1].name();
    return notes[key].name();
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

    testTimer = new QTimer(this);
    // The interval is a promise to the user: a coarse timer may fire early.
    testTimer->setTimerType(Qt::PreciseTimer);
    connect(testTimer, &QTimer::timeout, this, &VKTest::checkNoNote);
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

void VKTest::drawNote(int n)
{
    // Magnitude first: the negation of INT_MIN would overflow.
    if (n < -HighestNote || n > HighestNote || notes.find(std::abs(n)) == notes.end()) {
        // The wording and the trailing line break are deliberate: tools that
        // read the warning log match this exact line.
        qWarning("Invalid MIDI note number: %d\n", n);
        return;
    }
    const int capacity = capacityFor(width());
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

void VKTest::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int half = height() / 2;
    const int bottomLine = half + BottomLineBelowMiddle;
    drawClef(painter, half);
    drawBarLines(painter, bottomLine);
    drawStaffLines(painter, bottomLine);
    drawNotes(painter, bottomLine);
}

void VKTest::drawClef(QPainter &painter, int half)
{
    painter.setPen(QPen(Qt::black, 1));
    if (trebleClef)
        painter.drawPixmap(0, half - TrebleClefAboveMiddle, trebleBm);
    else
        painter.drawPixmap(0, half - BassClefAboveMiddle, bassBm);
}

void VKTest::drawBarLines(QPainter &painter, int bottomLine)
{
    const int topLine = bottomLine - (StaffLines - 1) * LineGap;
    const int right = width() - BarLineInset;
    painter.setPen(QPen(Qt::black, BarLineWidth));
    painter.drawLine(BarLineInset, bottomLine, BarLineInset, topLine);
    painter.drawLine(right, bottomLine, right, topLine);
}

void VKTest::drawStaffLines(QPainter &painter, int bottomLine)
{
    painter.setPen(QPen(Qt::black, 1));
    for (int i = 0; i < StaffLines; ++i) {
        const int row = bottomLine - i * LineGap;
        painter.drawLine(0, row, width() - 1, row);
    }
}

void VKTest::drawNotes(QPainter &painter, int bottomLine)
{
    for (unsigned int i = 0; i < noteCount; ++i) {
        const int n = staffNotes[i];
        const int x = slotX(int(i));
        notes[std::abs(n)].draw(bottomLine, x, trebleClef, painter, staffMarks[i], n < 0);
        if (labelNotes)
            drawLabel(painter, x, n);
    }
}

// The letter sits on the strip's bottom edge, in the pen the note was
// finished with: red under a note crossed out.
void VKTest::drawLabel(QPainter &painter, int x, int note)
{
    // Laying out a letter costs more than drawing a note: each letter is laid
    // out once per font and reused.
    const char letter = labelLetter(note);
    if (m_labelCache.isEmpty() || m_labelFont != font()) {
        m_labelFont = font();
        m_labelAscent = QFontMetricsF(m_labelFont).ascent();
        m_labelCache.clear();
    }
    auto cached = m_labelCache.find(letter);
    if (cached == m_labelCache.end()) {
        QStaticText text{QString(QLatin1Char(letter))};
        text.setTextFormat(Qt::PlainText);
        text.prepare(QTransform(), m_labelFont);
        cached = m_labelCache.insert(letter, text);
    }
    painter.drawStaticText(QPointF(x, height() - m_labelAscent), *cached);
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
    // A negative interval means no time limit: the note waits for an answer.
    if (testTime < 0) {
        testTimer->stop();
        return;
    }
    testTimer->start(testTime);
}

void VKTest::setTestMode(bool on)
{
    if (on) {
        generateNote();
        startTestTimer();
    } else {
        testTimer->stop();
    }
}

void VKTest::generateNote()
{
    // rand() is deliberately never seeded: every run presents the same
    // sequence of notes, so a learner can repeat a test and compare scores.
    const int r = std::rand();
    const int index = int(r * 24.0 / 2147483648.0);
    testNote = index + (trebleClef ? MiddleC : LowestNote);
    if (notes[testNote].offset() == 1 && (std::rand() & 1))
        testNote = -testNote;
    drawNote(testNote);
    emit newNote(testNote);
}

void VKTest::checkNote(int answer)
{
    testTimer->stop();
    const long long a = std::llabs(answer);
    const long long t = std::llabs(testNote);
    bool verdict = false;
    if (a != 0)
        verdict = kbOneOctave ? a % 12 == t % 12 : a == t;
    if (noteCount > 0)
        staffMarks[noteCount - 1] = verdict;
    emit testedNote(verdict);
    generateNote();
    startTestTimer();
}

void VKTest::checkNoNote()
{
    checkNote(0);
}

void VKTest::setConfig()
{
    testConfig->exec(trebleClef, testTime, labelNotes);
    repaint();
}
