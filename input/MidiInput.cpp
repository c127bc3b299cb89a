// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/MidiInput.h"

#include "input/MidiPorts.h"

MidiInput::MidiInput(QObject *parent) : QObject(parent)
{
    m_thread.setObjectName(QStringLiteral("velkaro-midi"));
    auto *ports = new MidiPorts;
    ports->moveToThread(&m_thread);
    connect(&m_thread, &QThread::started, ports, &MidiPorts::start);
    connect(&m_thread, &QThread::finished, ports, &QObject::deleteLater);
    // Notes come from the MIDI systems' threads: queued, they reach this
    // object's thread, which is the only one that touches the views.
    connect(ports, &MidiPorts::noteArrived, this, &MidiInput::deliver, Qt::QueuedConnection);
    connect(ports, &MidiPorts::sourcesChanged, this, &MidiInput::setSources, Qt::QueuedConnection);
    m_thread.start();
}

MidiInput::~MidiInput()
{
    m_thread.quit();
    m_thread.wait();
}

void MidiInput::deliver(int note, int source, qint64 ms)
{
    if (m_echoes.accept(note, source, ms))
        emit noteRead(note);
}

void MidiInput::setSources(const QStringList &sources)
{
    m_sources = sources;
    emit sourcesChanged(sources);
}
