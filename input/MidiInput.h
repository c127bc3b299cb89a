// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/EchoFilter.h"

#include <QObject>
#include <QStringList>
#include <QThread>

class MidiPorts;

// MIDI keyboards as a source of notes: every keyboard on the ALSA sequencer
// or on a JACK server, present at start or plugged in later, plays. A key
// struck comes out as noteRead on this object's thread, like a tap on the
// on-screen keyboard.
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
    void sourcesChanged(const QStringList &sources);

private:
    void deliver(int note, int source, qint64 ms);
    void setSources(const QStringList &sources);

    QThread m_thread;
    EchoFilter m_echoes;
    QStringList m_sources;
};
