// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keyboard/KeyboardGeometry.h"
#include "keyboard/KeyboardSpan.h"
#include "notes/Catalogue.h"
#include "notes/ClefMode.h"
#include "notes/Ink.h"
#include "notes/PixelScale.h"

#include <QSet>

#include <QWidget>
#include <optional>

class QPainter;
class VKKbConfig;

// The on-screen piano keyboard: one, two or four octaves of white keys from
// C, or a piano's 88 keys from A0, with black keys over them. A tap becomes
// the MIDI number of its key; notes are sounded through the sound service.
class VKKeyboard : public QWidget
{
    Q_OBJECT
public:
    explicit VKKeyboard(QWidget *parent = nullptr, const char *name = nullptr);
    ~VKKeyboard() override;

    int whiteKeyCount() const { return whiteKeys; }
    int lowestNote() const { return baseNote; }
    int highestNote() const { return m_span.lastNote(); }
    // The keyboard's size as chosen, in white keys; the keyboard shows more
    // where the clef or the test's range needs them.
    int chosenWhiteKeys() const { return m_chosenKeys; }
    bool blackKeysOn() const { return blackKeys; }
    // The geometry recorded at the last paint.
    KeyboardGeometry recordedGeometry() const { return m_geometry; }
    // The note a release at (x, y) stands for, or -1 when it misses the keys.
    int noteAt(int x, int y) const;
    // Notes whose keys are held on a computer or MIDI keyboard.
    QSet<int> heldKeys() const { return m_held; }
    VKKbConfig *configDialog() const { return kbConfig; }
    // The white key (0 up) or the white key a black key follows, and
    // whether it is black, where note is shown; false when it is not shown.
    bool keyOf(int note, int *whiteKey, bool *black) const;

    // Draws the keys this many times larger than on the handheld; the strip
    // is as much taller, and taps are mapped back through the same factor.
    void setZoom(qreal zoom);
    qreal zoom() const { return m_zoom; }

public slots:
    void playNote(int note);
    // A note struck on a held key, at velocity (1 to 127; 127 is a tap's
    // level): it sounds until releaseNote damps it, or the pedal after that.
    void strikeNote(int note, int velocity);
    void releaseNote(int note);
    void setSustain(bool down);
    // Draws the key of note pressed while it is held; a note beyond the keys
    // shown is not drawn.
    void pressKey(int note);
    void releaseKey(int note);
    void setConfig();
    void setOneOctave(bool one);
    // One, two or four octaves, or the 88 keys, as white keys.
    void setWhiteKeys(int keys);
    void setBlackKeys(bool on);
    void setClef(bool treble);
    // The keys chosen from the clef's C, or at least the grand staff's four
    // octaves from C2 (see KeyboardSpan).
    void setClefMode(ClefMode mode);
    // The keys shown cover the notes a test draws from (see KeyboardSpan).
    void setTestRange(NoteRange range);
    // Marks under the keys the two octaves from firstNote that the computer
    // keyboard plays (on a zoomed keyboard or one of four octaves or more;
    // the handheld's drawing stays as it is); -1 marks nothing.
    void setComputerRows(int firstNote);
    // Lights the key of the right note and marks the one played (if any)
    // after a miss, until clearAnswer. A note beyond the keys shown is shown
    // on the key of the same name.
    void showAnswer(int right, std::optional<int> played);
    void clearAnswer();

signals:
    void noteRead(int note);
    // The size chosen, announced at every choice: true for one octave.
    void oneOctaveKb(bool one);
    // The keyboard shows another number of keys.
    void keysChanged(int whiteKeys);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void drawWhiteKeys(QPainter &painter, const PixelScale &scale, const Ink &ink);
    void drawBlackKeys(QPainter &painter, const PixelScale &scale, const Ink &ink);
    void drawShadow(QPainter &painter, const PixelScale &scale, const Ink &ink);
    void drawComputerRows(QPainter &painter, const PixelScale &scale, const Ink &ink);
    void drawHeldKeys(QPainter &painter, const PixelScale &scale, bool onBlackKeys);
    void drawAnswer(QPainter &painter, const PixelScale &scale, bool onBlackKeys);
    QString soundOf(int note) const;
    void fillKey(QPainter &painter, const PixelScale &scale, std::optional<int> note,
                 const QColor &white, const QColor &black, bool onBlackKeys);
    void applySpan();
    // The white keys of the octave from C that the first key lies in, which
    // are not shown (A0's five), and that octave's C.
    int hiddenWhiteKeys() const;
    int octaveC() const { return baseNote - baseNote % KeyboardSpan::Semitones; }

    int whiteKeys = KeyboardGeometry::OneOctave;
    bool blackKeys = true;
    int baseNote = MiddleC;
    KeyboardSpan m_span;
    KeyboardGeometry m_geometry;
    int m_geometryKeys = 0; // white-key count the recorded geometry was made for
    qreal m_zoom = 1;
    QSet<int> m_held;
    VKKbConfig *kbConfig = nullptr;
    int m_chosenKeys = KeyboardGeometry::OneOctave;
    ClefMode m_mode = ClefMode::Treble;
    NoteRange m_range; // none: the keys of the clef alone
    int m_rowsFrom = -1;
    std::optional<int> m_rightNote;
    std::optional<int> m_playedNote;
};
