// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/ClefMode.h"
#include "notes/KeySignature.h"
#include "staff/RangeChoice.h"

// The test interval until the user sets another, in milliseconds.
constexpr int DefaultTestTime = 5000;

// The key a test is in: one key throughout, or a new one every few notes.
struct KeyChoice
{
    KeySignature key;
    bool changing = false;

    friend bool operator==(const KeyChoice &a, const KeyChoice &b)
    {
        return a.key == b.key && a.changing == b.changing;
    }
    friend bool operator!=(const KeyChoice &a, const KeyChoice &b) { return !(a == b); }
};

// What the Test settings dialog edits. The defaults are the program's.
struct TestSettings
{
    ClefMode clef = ClefMode::Treble;
    int intervalMs = DefaultTestTime;
    bool labels = true;
    bool weakNotes = false;
    bool showAnswer = false;
    KeyChoice key;
    // In a key other than C major, the five pitches outside its scale too.
    bool chromatic = false;
    // The notes drawn: the clef's two octaves unless the learner chooses.
    RangeChoice range;
};
