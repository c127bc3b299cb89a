// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/EchoFilter.h"
#include "input/MidiMessages.h"

#include <QObject>
#include <QSet>
#include <QStringList>
#include <QThread>

#include <bitset>

class MidiPorts;

// MIDI keyboards as a source of notes: every keyboard on the ALSA sequencer
// or on a JACK server, present at start or plugged in later, plays all 88
// keys of a piano. A key struck comes out as noteRead on this object's
// thread, like a tap on the on-screen keyboard, together with its velocity;
// its release and the sustain pedal come out too. Notes are MIDI numbers.
class MidiInput : public QObject
{
    Q_OBJECT
public:
    explicit MidiInput(QObject *parent = nullptr);
    ~MidiInput() override;

    // The MIDI sources listened to, as their MIDI system names them.
    QStringList sources() const { return m_sources; }

signals:
    void noteRead(int note);
    // A key struck, with its velocity (1 to 127), and let go. Each key let go
    // was struck before.
    void noteStruck(int note, int velocity);
    void noteReleased(int note);
    // The sustain pedal went down (on any keyboard) or came up.
    void sustainChanged(bool down);
    void sourcesChanged(const QStringList &sources);

private:
    void deliverKey(int key, int velocity, int source, qint64 ms);
    void deliverPedal(bool down, int source);
    void setSources(const QStringList &sources);

    // Owned, but left behind on quitting if it does not end in time.
    QThread *m_thread;
    EchoFilter m_echoes;
    // By MIDI number.
    std::bitset<MidiMessages::HighestKey + 1> m_held;
    // The sources whose pedal is down.
    QSet<int> m_pedals;
    QStringList m_sources;
};
