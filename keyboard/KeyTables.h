// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Semitones above the lowest key for each third of each white key (three
// entries per key, two octaves). The upper zone, where the black keys hang,
// gives the black key between two white keys on the adjoining thirds.
inline constexpr int kbMapB[42] = {
    0,  0,  1,  1,  2,  3,  3,  4,  4,  5,  5,  6,  6,  7,  8,  8,  9,  10, 10, 11, 11,
    12, 12, 13, 13, 14, 15, 15, 16, 16, 17, 17, 18, 18, 19, 20, 20, 21, 22, 22, 23, 23,
};
inline constexpr int kbMapNB[42] = {
    0,  0,  0,  2,  2,  2,  4,  4,  4,  5,  5,  5,  7,  7,  7,  9,  9,  9,  11, 11, 11,
    12, 12, 12, 14, 14, 14, 16, 16, 16, 17, 17, 17, 19, 19, 19, 21, 21, 21, 23, 23, 23,
};
