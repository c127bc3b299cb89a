// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// What a MIDI message means to the trainer: only a key struck counts.
namespace MidiMessages {

// The catalogue note a complete MIDI message plays: a note-on with a velocity
// above 0, on any channel, of a note from C2 to B5. Anything else, note-offs
// and velocity-0 note-ons included, gives -1.
int noteOf(const unsigned char *message, std::size_t size);

} // namespace MidiMessages
