// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

// Chooses the notes of a test in place of an even draw, and hears how each
// was answered. Notes are catalogue numbers.
class NoteChooser
{
public:
    virtual ~NoteChooser() = default;

    // The next test note among the count notes from lowest up.
    virtual int next(int lowest, int count) = 0;
    // The verdict on a note shown; responseMs is none on a time-out.
    virtual void judged(int note, bool correct, std::optional<int> responseMs) = 0;
};
