// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/MidiMessages.h"

namespace {
constexpr unsigned char NoteOff = 0x80;
constexpr unsigned char NoteOn = 0x90;
constexpr unsigned char ControlChange = 0xb0;
constexpr unsigned char StatusKind = 0xf0;
constexpr unsigned char SustainPedal = 64;
constexpr unsigned char AllSoundOff = 120;
constexpr unsigned char AllNotesOff = 123;
// A pedal value from this on holds the dampers off.
constexpr unsigned char PedalDown = 64;
} // namespace

MidiMessages::Event MidiMessages::decode(const unsigned char *message, std::size_t size)
{
    Event event;
    if (size < 3)
        return event;
    const unsigned char kind = message[0] & StatusKind;
    if (kind == ControlChange) {
        if (message[1] == SustainPedal) {
            event.kind = Event::Pedal;
            event.down = message[2] >= PedalDown;
        } else if (message[1] == AllNotesOff || message[1] == AllSoundOff) {
            event.kind = Event::AllKeysUp;
        }
        return event;
    }
    if (kind != NoteOn && kind != NoteOff)
        return event;
    const int note = message[1];
    if (note < LowestKey || note > HighestKey)
        return event;
    event.note = note;
    if (kind == NoteOn && message[2] > 0) {
        event.kind = Event::KeyDown;
        event.velocity = message[2];
    } else {
        event.kind = Event::KeyUp;
    }
    return event;
}
