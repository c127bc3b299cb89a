// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where a played note came from: a tap on the screen's keys, the computer
// keyboard or a MIDI keyboard.
enum class NoteSource { Screen, Keys, Midi };

// As the record names it: "screen", "keys", "midi".
inline QString sourceName(NoteSource source)
{
    switch (source) {
    case NoteSource::Screen:
        return QStringLiteral("screen");
    case NoteSource::Keys:
        return QStringLiteral("keys");
    case NoteSource::Midi:
        break;
    }
    return QStringLiteral("midi");
}
