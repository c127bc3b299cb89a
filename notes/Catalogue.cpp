// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes/Catalogue.h"

#include <cmath>

const NoteCatalogue notes;

namespace {

struct Semitone
{
    char name;
    int offset;
    const char *soundPitch; // how the sound names write this pitch
};

// Black keys are named as the sharp of the letter below, but two of them
// have their sounds named as the flat of the letter above.
constexpr Semitone Semitones[12] = {
    {'C', 0, "C"},  {'C', 1, "Cs"}, {'D', 0, "D"},  {'D', 1, "Eb"}, {'E', 0, "E"},  {'F', 0, "F"},
    {'F', 1, "Fs"}, {'G', 0, "G"},  {'G', 1, "Gs"}, {'A', 0, "A"},  {'A', 1, "Bb"}, {'B', 0, "B"},
};

constexpr int A4 = 69;

int letterIndex(char name)
{
    // C D E F G A B counted from C.
    return name >= 'C' ? name - 'C' : name - 'A' + 5;
}

} // namespace

NoteCatalogue::NoteCatalogue()
{
    for (int n = PianoLowest; n <= PianoHighest; ++n) {
        const int octave = n / 12 - 1;
        const Semitone &s = Semitones[n % 12];
        const int position = 7 * (octave - 4) + letterIndex(s.name) - 1;
        const int frequency = int(std::lround(440.0 * std::pow(2.0, (n - A4) / 12.0)));
        const QString file =
            QStringLiteral("velkaro/") + QLatin1String(s.soundPitch) + QString::number(octave);
        m_notes.append(Note(s.name, s.offset, frequency, position, file));
    }
}

const Note *NoteCatalogue::find(int number) const
{
    if (number < PianoLowest || number > PianoHighest)
        return nullptr;
    return &m_notes[number - PianoLowest];
}

const Note &NoteCatalogue::operator[](int number) const
{
    static const Note none;
    const Note *note = find(number);
    return note ? *note : none;
}
