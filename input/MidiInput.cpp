// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/MidiInput.h"

#include "input/MidiPorts.h"
#include "notes/Catalogue.h"

namespace {
// A MIDI system can hang in a call (a JACK server that stopped answering):
// quitting waits this long for the MIDI thread, then goes without it.
constexpr int QuitWaitMs = 2000;
} // namespace

MidiInput::MidiInput(QObject *parent) : QObject(parent), m_thread(new QThread)
{
    m_thread->setObjectName(QStringLiteral("velkaro-midi"));
    auto *ports = new MidiPorts;
    ports->moveToThread(m_thread);
    connect(m_thread, &QThread::started, ports, &MidiPorts::start);
    connect(m_thread, &QThread::finished, ports, &QObject::deleteLater);
    // Notes come from the MIDI systems' threads: queued, they reach this
    // object's thread, which is the only one that touches the views.
    connect(ports, &MidiPorts::keyArrived, this, &MidiInput::deliverKey, Qt::QueuedConnection);
    connect(ports, &MidiPorts::pedalArrived, this, &MidiInput::deliverPedal, Qt::QueuedConnection);
    connect(ports, &MidiPorts::sourcesChanged, this, &MidiInput::setSources, Qt::QueuedConnection);
    m_thread->start();
}

// A thread that did not end in time is left running, and its object with
// it: deleting a running QThread ends the program. What the thread still
// emits reaches no one, since this object's connections go with it, and the
// process ends soon after.
MidiInput::~MidiInput()
{
    m_thread->quit();
    if (m_thread->wait(QDeadlineTimer(QuitWaitMs))) {
        delete m_thread;
        return;
    }
    qWarning("The MIDI system did not let go within %d ms; quitting without it", QuitWaitMs);
}

// The sound first, so that nothing stands between the key and its note.
void MidiInput::deliverKey(int key, int velocity, int source, qint64 ms)
{
    if (velocity > 0) {
        if (!m_echoes.accept(key, source, ms, EchoFilter::Press))
            return;
        m_held.set(size_t(key));
        emit noteStruck(key, velocity);
        emit noteRead(key);
    } else if (m_echoes.accept(key, source, ms, EchoFilter::Release) && m_held.test(size_t(key))) {
        m_held.reset(size_t(key));
        emit noteReleased(key);
    }
}

// With the pedals of two keyboards, or one keyboard heard through two
// routes, the pedal is down while any of them is.
void MidiInput::deliverPedal(bool down, int source)
{
    const bool wasDown = !m_pedals.isEmpty();
    if (down)
        m_pedals.insert(source);
    else
        m_pedals.remove(source);
    if (m_pedals.isEmpty() == wasDown)
        emit sustainChanged(!wasDown);
}

void MidiInput::setSources(const QStringList &sources)
{
    m_sources = sources;
    emit sourcesChanged(sources);
}
