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
constexpr int SemitonesPerOctave = 12;
// A held black key is filled with the highlight darkened by this factor (in
// percent), so it still reads as a black key.
constexpr int HeldBlackKeyDarker = 160;

// Semitones from the lowest key to white key i.
int semitoneOfWhiteKey(int i)
{
    return SemitonesPerOctave * (i / KeyboardGeometry::OneOctave) +
           whiteKeySemitone[i % KeyboardGeometry::OneOctave];
}

// Every white key but E and B has a black key to its right.
bool hasBlackKeyAfter(int whiteKey)
{
    constexpr int E = 2;
    constexpr int B = 6;
    const int inOctave = whiteKey % KeyboardGeometry::OneOctave;
    return inOctave != E && inOctave != B;
}

} // namespace

VKKeyboard::VKKeyboard(QWidget *parent, const char *name) : QWidget(parent)
{
    setObjectName(QString::fromLatin1(name));
    setFixedHeight(KeyboardGeometry::Height);
    kbConfig = new VKKbConfig(this, nullptr);
    connect(kbConfig, &VKKbConfig::selectOneOctave, this, &VKKeyboard::setOneOctave);
}

VKKeyboard::~VKKeyboard() = default;

void VKKeyboard::setOneOctave(bool one)
{
    whiteKeys = one ? KeyboardGeometry::OneOctave : KeyboardGeometry::TwoOctaves;
    // Until the keys are drawn anew, no tap may land on the old layout.
    m_geometryKeys = 0;
    emit oneOctaveKb(one);
    repaint(0, 0, width(), height());
}

void VKKeyboard::setClef(bool treble)
{
    baseNote = treble ? MiddleC : LowestNote;
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
    drawHeldWhiteKeys(painter, scale);
    drawWhiteKeys(painter, scale);
    drawBlackKeys(painter, scale);
    drawShadow(painter, scale);
}

bool VKKeyboard::isHeld(int semitone) const
{
    return m_held.contains(baseNote + semitone);
}

// Under the outlines, which are drawn over them.
void VKKeyboard::drawHeldWhiteKeys(QPainter &painter, const PixelScale &scale)
{
    const KeyboardGeometry &g = m_geometry;
    const QColor held = palette().color(QPalette::Highlight);
    for (int i = 0; i < whiteKeys; ++i) {
        if (isHeld(semitoneOfWhiteKey(i)))
            painter.fillRect(
                scale.cells(g.kbLeft + i * g.keyWidth, g.kbTop, g.keyWidth + 1, g.keyHeight + 1),
                held);
    }
}

// A rectangle (x, y, w, h) outlined with a one-pixel line covers w + 1 by
// h + 1 pixels, as a pen drawing it would.
void VKKeyboard::drawWhiteKeys(QPainter &painter, const PixelScale &scale)
{
    const KeyboardGeometry &g = m_geometry;
    for (int i = 0; i < whiteKeys; ++i) {
        const int x = g.kbLeft + i * g.keyWidth;
        painter.fillRect(scale.cells(x, g.kbTop, g.keyWidth + 1, 1), Qt::black);
        painter.fillRect(scale.cells(x, g.bottom(), g.keyWidth + 1, 1), Qt::black);
        painter.fillRect(scale.cells(x, g.kbTop, 1, g.keyHeight + 1), Qt::black);
        painter.fillRect(scale.cells(x + g.keyWidth, g.kbTop, 1, g.keyHeight + 1), Qt::black);
    }
}

// A held black key keeps its black edge around the colour of a held key.
void VKKeyboard::drawBlackKeys(QPainter &painter, const PixelScale &scale)
{
    const KeyboardGeometry &g = m_geometry;
    const QColor held = palette().color(QPalette::Highlight).darker(HeldBlackKeyDarker);
    const int edge = scale.length(1);
    for (int i = 0; i < whiteKeys; ++i) {
        if (!hasBlackKeyAfter(i))
            continue;
        const QRect key = scale.cells(g.kbLeft + i * g.keyWidth + g.blackWidth, g.kbTop,
                                      g.blackWidth + 1, g.blackHeight + 1);
        painter.fillRect(key, Qt::black);
        if (isHeld(semitoneOfWhiteKey(i) + 1))
            painter.fillRect(key.adjusted(edge, edge, -edge, -edge), held);
    }
}

// A gray edge along the bottom and the right of the keys, each line one
// pixel further out and one pixel shorter at its inner end.
void VKKeyboard::drawShadow(QPainter &painter, const PixelScale &scale)
{
    const KeyboardGeometry &g = m_geometry;
    const int r = g.right(whiteKeys);
    const int b = g.bottom();
    for (int i = 0; i < KeyboardGeometry::ShadowWidth; ++i) {
        painter.fillRect(scale.cells(g.kbLeft + 1 + i, b + i, r - g.kbLeft, 1), Qt::gray);
        painter.fillRect(scale.cells(r + i, g.kbTop + 1 + i, 1, b - g.kbTop), Qt::gray);
    }
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
    const int index = ThirdsPerKey * k + third;
    const bool upperZone = blackKeys && y < g.kbTop + g.blackHeight;
    return (upperZone ? kbMapB[index] : kbMapNB[index]) + baseNote;
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
    if (note < -HighestNote || note > HighestNote)
        return QString();
    const auto entry = notes.constFind(std::abs(note));
    if (entry == notes.constEnd())
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
