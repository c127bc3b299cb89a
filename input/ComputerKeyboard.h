// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/ClefMode.h"
#include "notes/NoteRange.h"

#include <QHash>
#include <QObject>

class QKeyEvent;

// The computer keyboard played as a piano. Two rows of keys, chosen by their
// place on the keyboard rather than by the letters printed on them, so that
// every layout plays the same: the lower letter row Z S X D C V G B H N J M
// is the first of two octaves, the row Q 2 W 3 E R 5 T 6 Y 7 U the second.
// They start at the clef's C (C4 for the treble clef, C2 for the bass clef,
// C3 for the alto and tenor clefs and on the grand staff), or where the
// test's notes lie beyond those two octaves at the C at or below the lowest
// of them; Page Down and Page Up move them an octave down or up, as far as
// the piano's lowest and highest keys: from C0, whose rows reach A0 and up,
// to C7, whose reach C8; keys beyond the piano play nothing. Installed as an
// event filter on the main window, it
// sees the keys that no focused child took. A key plays at full level while
// it is held and is let go with its release, or when the window loses the
// keyboard.
class ComputerKeyboard : public QObject
{
    Q_OBJECT
public:
    explicit ComputerKeyboard(QObject *parent = nullptr);

    // The note the key with this X11/Wayland scan code plays, or -1, with the
    // rows where the clef puts them.
    static int noteForScanCode(quint32 scanCode, bool treble);
    // The same by the key's US-layout name (a Qt::Key), or -1.
    static int noteForKey(int key, bool treble);
    // The level of a computer key's note, that of a tap.
    static constexpr int Velocity = 127;

    // The note the lower row starts at.
    int firstNote() const { return m_firstNote; }
    static constexpr int LowestFirstNote = PianoLowest - PianoLowest % 12; // C0
    static constexpr int HighestFirstNote = PianoHighest - 12;             // C7

public slots:
    void setClef(bool treble);
    void setClefMode(ClefMode mode);
    void setTestRange(NoteRange range);

signals:
    void noteRead(int note);
    // The key of note went down, and came up again.
    void noteStruck(int note, int velocity);
    void noteReleased(int note);
    // The rows start at another note.
    void rowsMoved(int firstNote);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool keyPressed(const QKeyEvent *key);
    bool keyReleased(const QKeyEvent *key);
    void releaseAll();
    void moveRows(int firstNote);

    void placeRows();

    int m_firstNote = MiddleC;
    ClefMode m_mode = ClefMode::Treble;
    NoteRange m_range;
    // The notes of the keys held, by key, as they were when struck: rows
    // moved meanwhile do not change what the release lets go.
    QHash<quint32, int> held;
};
