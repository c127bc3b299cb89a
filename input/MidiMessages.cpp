// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/MidiMessages.h"

#include "notes/Catalogue.h"

namespace {
constexpr unsigned char NoteOn = 0x90;
constexpr unsigned char StatusKind = 0xf0;
// MIDI numbers the same keys 24 higher: its middle C is 60.
constexpr int MidiMiddleC = 60;
} // namespace

int MidiMessages::noteOf(const unsigned char *message, std::size_t size)
{
    if (size < 3 || (message[0] & StatusKind) != NoteOn || message[2] == 0)
        return -1;
    const int note = message[1] - (MidiMiddleC - MiddleC);
    return note >= LowestNote && note <= HighestNote ? note : -1;
}
