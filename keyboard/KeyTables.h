// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Semitones above the octave's C for each third of each white key (three
// entries per key, one octave; every octave up adds 12). The upper zone,
// where the black keys hang, gives the black key between two white keys on
// the adjoining thirds.
inline constexpr int kbMapB[21] = {
    0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 8, 8, 9, 10, 10, 11, 11,
};
inline constexpr int kbMapNB[21] = {
    0, 0, 0, 2, 2, 2, 4, 4, 4, 5, 5, 5, 7, 7, 7, 9, 9, 9, 11, 11, 11,
};
