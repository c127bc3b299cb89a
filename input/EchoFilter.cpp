// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/EchoFilter.h"

bool EchoFilter::accept(int note, int port, qint64 ms, Event event)
{
    if (note < 0 || note > MidiMessages::HighestKey)
        return false;
    Heard &last = heard[size_t(event)][size_t(note)];
    if (last.port >= 0 && last.port != port && ms - last.ms < EchoMs)
        return false;
    last = {port, ms};
    return true;
}
