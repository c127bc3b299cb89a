// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QObject>

class QKeyEvent;

// The computer keyboard played as a piano. Two rows of keys, chosen by their
// place on the keyboard rather than by the letters printed on them, so that
// every layout plays the same: the lower letter row Z S X D C V G B H N J M
// is the first octave of the clef's two, the row Q 2 W 3 E R 5 T 6 Y 7 U the
// second. Installed as an event filter on the main window, it sees the keys
// that no focused child took. A key plays at full level while it is held and
// is let go with its release, or when the window loses the keyboard.
class ComputerKeyboard : public QObject
{
    Q_OBJECT
public:
    explicit ComputerKeyboard(QObject *parent = nullptr);

    // The note the key with this X11/Wayland scan code plays, or -1.
    static int noteForScanCode(quint32 scanCode, bool treble);
    // The same by the key's US-layout name (a Qt::Key), or -1.
    static int noteForKey(int key, bool treble);
    // The level of a computer key's note, that of a tap.
    static constexpr int Velocity = 127;

public slots:
    void setClef(bool treble);

signals:
    void noteRead(int note);
    // The key of note went down, and came up again.
    void noteStruck(int note, int velocity);
    void noteReleased(int note);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool keyPressed(const QKeyEvent *key);
    bool keyReleased(const QKeyEvent *key);
    void releaseAll();

    bool trebleClef = true;
    // The notes of the keys held, by key, as they were when struck: a clef
    // changed meanwhile does not change what the release lets go.
    QHash<quint32, int> held;
};
