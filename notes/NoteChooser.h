// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

#include <optional>

// Chooses the notes of a test in place of an even draw, and hears how each
// was answered. Notes are the keys that sound them, as MIDI numbers.
class NoteChooser
{
public:
    virtual ~NoteChooser() = default;

    // The next test note among these (never empty).
    virtual int next(const QList<int> &pitches) = 0;
    // The verdict on a note shown; responseMs is none on a time-out.
    virtual void judged(int pitch, bool correct, std::optional<int> responseMs) = 0;
};
