// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/MidiMessages.h"

#include <QtGlobal>

#include <array>

// Lets one key struck count once when its note arrives through two routes.
// With PipeWire a hardware keyboard shows up both as an ALSA sequencer port
// and as a JACK bridge port; the second copy of a note arrives from the other
// port a few milliseconds to a few tens of milliseconds later. A note heard
// from another port within EchoMs of the same note is taken for that copy and
// dropped; the same port may repeat a note as quickly as it likes. Keys let
// go are told apart the same way, so that the late copy of a release never
// lets go of the key struck again since.
class EchoFilter
{
public:
    static constexpr qint64 EchoMs = 50;

    enum Event { Press, Release };

    // True when the press or release of the note (a MIDI number), from port
    // at time ms, is to be played.
    bool accept(int note, int port, qint64 ms, Event event = Press);

private:
    struct Heard
    {
        int port = -1;
        qint64 ms = 0;
    };
    std::array<std::array<Heard, MidiMessages::HighestKey + 1>, 2> heard{};
};
