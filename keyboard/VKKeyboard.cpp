// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyboard/VKKeyboard.h"

#include "keyboard/KeyTables.h"
#include "keyboard/VKKbConfig.h"
#include "notes/Catalogue.h"
#include "platform/Resource.h"
#include "platform/sound/QSound.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Each white key is tapped in thirds: the outer ones may reach a black key.
constexpr int ThirdsPerKey = 3;

// Every white key but E and B has a black key to its right.
bool hasBlackKeyAfter(int whiteKey)
{
    constexpr int E = 2;
    constexpr int B = 6;
    const int inOctave = whiteKey % KeyboardGeometry::OneOctave;
    return inOctave != E && inOctave != B;
}

// Keys lit after a miss: the right one green, the one played red.
const QColor RightWhiteKey(0x8c, 0xd6, 0x8c);
const QColor RightBlackKey(0x1e, 0x8c, 0x3c);
const QColor PlayedWhiteKey(0xf2, 0xa0, 0xa0);
const QColor PlayedBlackKey(0xc0, 0x20, 0x20);

// The white key each semitone of an octave is, or follows when black.
constexpr int WhiteKeyOfSemitone[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
constexpr bool SemitoneIsBlack[12] = {false, true,  false, true,  false, false,
                                      true,  false, true,  false, true,  false};
constexpr int SemitonesPerOctave = 12;
// A held black key takes the highlight darkened by this factor (in percent),
// so that it still reads as a black key.
constexpr int HeldBlackKeyDarker = 160;

} // namespace

VKKeyboard::VKKeyboard(QWidget *parent, const char *name) : QWidget(parent)
{
    setObjectName(QString::fromLatin1(name));
    setFixedHeight(KeyboardGeometry::Height);
    kbConfig = new VKKbConfig(this, nullptr);
    connect(kbConfig, &VKKbConfig::selectWhiteKeys, this, &VKKeyboard::setWhiteKeys);
}

VKKeyboard::~VKKeyboard() = default;

void VKKeyboard::setOneOctave(bool one)
{
    setWhiteKeys(one ? KeyboardGeometry::OneOctave : KeyboardGeometry::TwoOctaves);
}

void VKKeyboard::setWhiteKeys(int keys)
{
    m_chosenKeys = keys;
    applySpan();
    emit oneOctaveKb(keys == KeyboardGeometry::OneOctave);
    repaint(0, 0, width(), height());
}

void VKKeyboard::setClef(bool treble)
{
    setClefMode(treble ? ClefMode::Treble : ClefMode::Bass);
}

void VKKeyboard::setClefMode(ClefMode mode)
{
    m_mode = mode;
    applySpan();
}

void VKKeyboard::setTestRange(NoteRange range)
{
    m_range = range;
    applySpan();
}

void VKKeyboard::applySpan()
{
    const KeyboardSpan span = KeyboardSpan::choose(m_chosenKeys, m_mode, m_range);
    if (span.firstNote == m_span.firstNote && span.whiteKeys == m_span.whiteKeys)
        return;
    m_span = span;
    baseNote = span.firstNote;
    update();
    if (span.whiteKeys == whiteKeys)
        return;
    whiteKeys = span.whiteKeys;
    // Until the keys are drawn anew, no tap may land on the old layout.
    m_geometryKeys = 0;
    emit keysChanged(whiteKeys);
}

int VKKeyboard::hiddenWhiteKeys() const
{
    return WhiteKeyOfSemitone[baseNote % SemitonesPerOctave];
}

void VKKeyboard::setComputerRows(int firstNote)
{
    if (firstNote == m_rowsFrom)
        return;
    m_rowsFrom = firstNote;
    update();
}

void VKKeyboard::setBlackKeys(bool on)
{
    blackKeys = on;
}

void VKKeyboard::setConfig()
{
    kbConfig->exec();
}

void VKKeyboard::setZoom(qreal zoom)
{
    if (zoom == m_zoom || !(zoom > 0))
        return;
    m_zoom = zoom;
    setFixedHeight(qRound(KeyboardGeometry::Height * zoom));
    // Until the keys are drawn anew, no tap may land on the old layout.
    m_geometryKeys = 0;
    update();
}

void VKKeyboard::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Keys are laid out on the handheld's pixel grid and drawn on device
    // pixels: every edge stays crisp at any zoom.
    const qreal dpr = devicePixelRatioF();
    if (dpr != 1)
        painter.scale(1 / dpr, 1 / dpr);
    const PixelScale scale(m_zoom * dpr);
    const int gridWidth = m_zoom == 1 ? width() : int(std::floor(width() / m_zoom + 1e-6));
    const int gridHeight = m_zoom == 1 ? height() : qRound(height() / m_zoom);
    m_geometry = KeyboardGeometry::compute(gridWidth, gridHeight, whiteKeys);
    m_geometryKeys = whiteKeys;
    // Too small to show keys: keep the geometry, draw nothing.
    if (m_geometry.keyWidth <= 0 || m_geometry.keyHeight <= 0)
        return;
    // Chosen at every paint: a theme switched while the program runs shows at once.
    const Ink ink = Ink::forPalette(palette());
    drawWhiteKeys(painter, scale, ink);
    drawHeldKeys(painter, scale, false);
    drawAnswer(painter, scale, false);
    drawBlackKeys(painter, scale, ink);
    drawHeldKeys(painter, scale, true);
    drawAnswer(painter, scale, true);
    drawShadow(painter, scale, ink);
    drawComputerRows(painter, scale, ink);
}

// A rectangle (x, y, w, h) outlined with a one-pixel line covers w + 1 by
// h + 1 pixels, as a pen drawing it would. White keys are light on any
// ground: where it is light they are of its colour.
void VKKeyboard::drawWhiteKeys(QPainter &painter, const PixelScale &scale, const Ink &ink)
{
    const KeyboardGeometry &g = m_geometry;
    painter.fillRect(scale.cells(g.kbLeft, g.kbTop, whiteKeys * g.keyWidth + 1, g.keyHeight + 1),
                     ink.whiteKey);
    for (int i = 0; i < whiteKeys; ++i) {
        const int x = g.kbLeft + i * g.keyWidth;
        painter.fillRect(scale.cells(x, g.kbTop, g.keyWidth + 1, 1), ink.keyEdge);
        painter.fillRect(scale.cells(x, g.bottom(), g.keyWidth + 1, 1), ink.keyEdge);
        painter.fillRect(scale.cells(x, g.kbTop, 1, g.keyHeight + 1), ink.keyEdge);
        painter.fillRect(scale.cells(x + g.keyWidth, g.kbTop, 1, g.keyHeight + 1), ink.keyEdge);
    }
}

void VKKeyboard::drawBlackKeys(QPainter &painter, const PixelScale &scale, const Ink &ink)
{
    const KeyboardGeometry &g = m_geometry;
    // None after the last key: C8 is the piano's last.
    for (int i = 0; i + 1 < whiteKeys; ++i) {
        if (hasBlackKeyAfter(i + hiddenWhiteKeys()))
            painter.fillRect(scale.cells(g.kbLeft + i * g.keyWidth + g.blackWidth, g.kbTop,
                                         g.blackWidth + 1, g.blackHeight + 1),
                             ink.blackKey);
    }
}

// A shadow along the bottom and the right of the keys, each line one pixel
// further out and one pixel shorter at its inner end.
void VKKeyboard::drawShadow(QPainter &painter, const PixelScale &scale, const Ink &ink)
{
    const KeyboardGeometry &g = m_geometry;
    const int r = g.right(whiteKeys);
    const int b = g.bottom();
    for (int i = 0; i < KeyboardGeometry::ShadowWidth; ++i) {
        painter.fillRect(scale.cells(g.kbLeft + 1 + i, b + i, r - g.kbLeft, 1), ink.shadow);
        painter.fillRect(scale.cells(r + i, g.kbTop + 1 + i, 1, b - g.kbTop), ink.shadow);
    }
}

// One bar per octave, under the white keys it covers, as far as they are shown.
void VKKeyboard::drawComputerRows(QPainter &painter, const PixelScale &scale, const Ink &ink)
{
    if (m_rowsFrom < 0 || (scale.isOne() && whiteKeys < KeyboardGeometry::FourOctaves))
        return;
    const KeyboardGeometry &g = m_geometry;
    const int y = g.bottom() + KeyboardGeometry::RowsBarBelow;
    for (int octave = 0; octave < 2; ++octave) {
        const int first =
            (m_rowsFrom - octaveC()) / SemitonesPerOctave * KeyboardGeometry::OneOctave +
            octave * KeyboardGeometry::OneOctave - hiddenWhiteKeys();
        const int from = std::max(0, first);
        const int to = std::min(whiteKeys, first + KeyboardGeometry::OneOctave);
        if (from >= to)
            continue;
        const int left = g.kbLeft + from * g.keyWidth + KeyboardGeometry::RowsBarGap;
        const int right = g.kbLeft + to * g.keyWidth - KeyboardGeometry::RowsBarGap;
        painter.fillRect(scale.cells(left, y, right - left + 1, KeyboardGeometry::RowsBarHeight),
                         ink.text);
    }
}

void VKKeyboard::showAnswer(int right, std::optional<int> played)
{
    m_rightNote = right;
    m_playedNote = played;
    update();
}

void VKKeyboard::clearAnswer()
{
    if (!m_rightNote && !m_playedNote)
        return;
    m_rightNote.reset();
    m_playedNote.reset();
    update();
}

bool VKKeyboard::keyOf(int note, int *whiteKey, bool *black) const
{
    int above = note - octaveC();
    // Beyond the keys shown, the key of the same name stands in.
    if (!m_span.keys().contains(note))
        above = ((above % SemitonesPerOctave) + SemitonesPerOctave) % SemitonesPerOctave;
    const int semitone = above % SemitonesPerOctave;
    *whiteKey = above / SemitonesPerOctave * KeyboardGeometry::OneOctave +
                WhiteKeyOfSemitone[semitone] - hiddenWhiteKeys();
    *black = SemitoneIsBlack[semitone];
    return *whiteKey >= 0;
}

// Keys held in the highlight colour, under the answer's colours. A held
// note beyond the keys shown has no key of its own, and is not drawn.
void VKKeyboard::drawHeldKeys(QPainter &painter, const PixelScale &scale, bool onBlackKeys)
{
    const QColor held = palette().color(QPalette::Highlight);
    for (int note : std::as_const(m_held)) {
        if (m_span.keys().contains(note))
            fillKey(painter, scale, note, held, held.darker(HeldBlackKeyDarker), onBlackKeys);
    }
}

void VKKeyboard::drawAnswer(QPainter &painter, const PixelScale &scale, bool onBlackKeys)
{
    fillKey(painter, scale, m_playedNote, PlayedWhiteKey, PlayedBlackKey, onBlackKeys);
    fillKey(painter, scale, m_rightNote, RightWhiteKey, RightBlackKey, onBlackKeys);
}

// A white key's inside, within its outline; a black key whole.
void VKKeyboard::fillKey(QPainter &painter, const PixelScale &scale, std::optional<int> note,
                         const QColor &white, const QColor &black, bool onBlackKeys)
{
    int key = 0;
    bool isBlack = false;
    if (!note || !keyOf(*note, &key, &isBlack) || isBlack != onBlackKeys)
        return;
    const KeyboardGeometry &g = m_geometry;
    const int x = g.kbLeft + key * g.keyWidth;
    if (isBlack)
        painter.fillRect(
            scale.cells(x + g.blackWidth, g.kbTop, g.blackWidth + 1, g.blackHeight + 1), black);
    else
        painter.fillRect(scale.cells(x + 1, g.kbTop + 1, g.keyWidth - 1, g.keyHeight - 1), white);
}

int VKKeyboard::noteAt(int x, int y) const
{
    const KeyboardGeometry &g = m_geometry;
    const int n = m_geometryKeys;
    const int kw = g.keyWidth;
    if (kw <= 0 || n <= 0)
        return -1;
    if (x < g.kbLeft || x >= g.right(n) || y < g.kbTop || y > g.bottom())
        return -1;
    const int k = (x - g.kbLeft) / kw;
    const int within = x - g.kbLeft - k * kw;
    // Pixels past the key's equal thirds stay on its right third; a key too
    // narrow for whole thirds is split as evenly as its pixels allow.
    const int third = kw >= ThirdsPerKey ? std::min(ThirdsPerKey - 1, within / (kw / ThirdsPerKey))
                                         : within * ThirdsPerKey / kw;
    // The tables give one octave's thirds from C; each octave up is 12
    // semitones. A keyboard from A0 counts from the C below it.
    const int fromC = k + hiddenWhiteKeys();
    const int octave = fromC / KeyboardGeometry::OneOctave;
    const int index = ThirdsPerKey * (fromC % KeyboardGeometry::OneOctave) + third;
    const bool upperZone = blackKeys && y < g.kbTop + g.blackHeight;
    const int below = SemitonesPerOctave * octave + octaveC();
    const int note = (upperZone ? kbMapB[index] : kbMapNB[index]) + below;
    // Beyond the first key or the last, no black key hangs: the white key answers.
    return m_span.keys().contains(note) ? note : kbMapNB[index] + below;
}

void VKKeyboard::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // A pen reports positions between pixel centres; the key is the one
    // under the pixel of the handheld's grid it lifts in, so round down
    // rather than to the nearest.
    const QPointF p = event->position() / m_zoom;
    const int note = noteAt(int(std::floor(p.x())), int(std::floor(p.y())));
    if (note >= 0)
        emit noteRead(note);
}

// The sound file of note, or nothing for a number outside the catalogue:
// nothing else sends those, and they are ignored quietly.
QString VKKeyboard::soundOf(int note) const
{
    const Note *entry = notes.find(note);
    if (!entry)
        return QString();
    return Resource::findSound(QString::fromLatin1(entry->file()));
}

void VKKeyboard::playNote(int note)
{
    if (!QSound::available()) {
        qWarning("Warning - No Sound facility!");
        return;
    }
    const QString sound = soundOf(note);
    if (!sound.isEmpty())
        QSound::play(sound);
}

void VKKeyboard::strikeNote(int note, int velocity)
{
    if (!QSound::available()) {
        qWarning("Warning - No Sound facility!");
        return;
    }
    const QString sound = soundOf(note);
    if (!sound.isEmpty())
        QSound::strike(sound, velocity);
}

void VKKeyboard::releaseNote(int note)
{
    const QString sound = soundOf(note);
    if (!sound.isEmpty() && QSound::available())
        QSound::release(sound);
}

void VKKeyboard::setSustain(bool down)
{
    if (QSound::available())
        QSound::setSustain(down);
}

void VKKeyboard::pressKey(int note)
{
    if (!m_held.contains(note)) {
        m_held.insert(note);
        update();
    }
}

void VKKeyboard::releaseKey(int note)
{
    if (m_held.remove(note))
        update();
}
