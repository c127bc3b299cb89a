// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// The computer keyboard played as a piano. Two rows of keys, chosen by their
// place on the keyboard rather than by the letters printed on them, so that
// every layout plays the same: the lower letter row Z S X D C V G B H N J M
// is the first octave of the clef's two, the row Q 2 W 3 E R 5 T 6 Y 7 U the
// second. Installed as an event filter on the main window, it sees the keys
// that no focused child took.
class ComputerKeyboard : public QObject
{
    Q_OBJECT
public:
    explicit ComputerKeyboard(QObject *parent = nullptr);

    // The note the key with this X11/Wayland scan code plays, or -1.
    static int noteForScanCode(quint32 scanCode, bool treble);
    // The same by the key's US-layout name (a Qt::Key), or -1.
    static int noteForKey(int key, bool treble);

public slots:
    void setClef(bool treble);

signals:
    void noteRead(int note);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool trebleClef = true;
};
