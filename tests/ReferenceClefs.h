// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/ClefMode.h"

#include <array>

// The C clefs as a viola or cello tutor writes them, without the program's
// tables: the note on each of the five lines, from the bottom one, the line
// that the clef's middle marks as middle C, and the places of a key
// signature's signs in the order they are written.
namespace ReferenceClefs {

struct CClef
{
    const char *name;
    ClefMode mode;
    std::array<const char *, 5> lines;
    int middleCLine; // 0 is the bottom line
    const char *sharps;
    const char *flats;
};

inline const CClef Alto{"alto", ClefMode::Alto,         {"F3", "A3", "C4", "E4", "G4"},
                        2,      "F4 C4 G4 D4 A3 E4 B3", "B3 E4 A3 D4 G3 C4 F3"};
// The sharps F and G sit an octave low, so that the pattern stays on the staff.
inline const CClef Tenor{"tenor", ClefMode::Tenor,        {"D3", "F3", "A3", "C4", "E4"},
                         3,       "F3 C4 G3 D4 A3 E4 B3", "B3 E4 A3 D4 G3 C4 F3"};

// On the handheld-sized strip: the row of the bottom line, and the rows
// between lines.
constexpr int BottomLine = 85;
constexpr int LineGap = 10;

constexpr int lineRow(int line)
{
    return BottomLine - LineGap * line;
}

} // namespace ReferenceClefs
