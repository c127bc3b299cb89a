// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// What a MIDI message means to the trainer: keys struck and let go, and the
// sustain pedal. Every channel counts.
namespace MidiMessages {

// The keys of a piano, A0 to C8, as MIDI numbers (60 is middle C): the
// notes a keyboard plays here. Keys beyond them, which some keyboards and
// sequencers send, are ignored.
constexpr int LowestKey = 21;
constexpr int HighestKey = 108;

struct Event
{
    enum Kind {
        Ignored,
        KeyDown,   // a note-on with a velocity above 0
        KeyUp,     // a note-off, or a note-on with velocity 0
        Pedal,     // the sustain pedal (controller 64): down from 64 on
        AllKeysUp, // "all notes off" or "all sound off"
    };
    Kind kind = Ignored;
    // KeyDown and KeyUp: the key's MIDI number, LowestKey to HighestKey.
    int note = -1;
    // KeyDown: 1 to 127.
    int velocity = 0;
    // Pedal: true while it is down.
    bool down = false;
};

// The meaning of a complete MIDI message.
Event decode(const unsigned char *message, std::size_t size);

} // namespace MidiMessages
