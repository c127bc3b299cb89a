// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHashFunctions>
#include <QString>
#include <QStringView>

#include <optional>

// A note as it is written: a letter, an alteration (-2 double flat to +2
// double sharp) and the octave of the letter, in scientific pitch notation
// (C4 is middle C). Two spellings of one pitch are two notes: C flat 5 and
// B4 sound the same, midi() 71, but stand on different lines.
class WrittenNote
{
public:
    // The seven letters, from C up: also the letter's step within its octave.
    enum Letter { C, D, E, F, G, A, B };
    static constexpr int LettersPerOctave = 7;
    static constexpr int MaxAlteration = 2;

    // Middle C.
    constexpr WrittenNote() = default;
    constexpr WrittenNote(Letter letter, int alteration, int octave)
        : m_letter(letter), m_alteration(alteration), m_octave(octave)
    {}

    constexpr Letter letter() const { return m_letter; }
    constexpr int alteration() const { return m_alteration; }
    constexpr int octave() const { return m_octave; }

    // The sounding pitch as a MIDI number (60 = middle C, 69 = A4).
    constexpr int midi() const
    {
        return 12 * (m_octave + 1) + naturalSemitone(m_letter) + m_alteration;
    }
    // Staff steps from C0, counting lines and spaces: the same for every
    // alteration of a letter, one more for the next letter up.
    constexpr int diatonic() const { return LettersPerOctave * m_octave + m_letter; }
    // The letter's own key: the same letter and octave without alteration.
    constexpr WrittenNote natural() const { return WrittenNote(m_letter, 0, m_octave); }

    // The note at a diatonic step (see diatonic()), with an alteration.
    static constexpr WrittenNote atStep(int diatonic, int alteration = 0)
    {
        const int octave = floorDiv(diatonic, LettersPerOctave);
        return WrittenNote(Letter(diatonic - LettersPerOctave * octave), alteration, octave);
    }
    // A pitch written without a key: a white key as its letter, a black key
    // as the sharp of the letter below, or, when flat is set, as the flat of
    // the letter above.
    static constexpr WrittenNote fromMidi(int midi, bool flat = false)
    {
        const int octave = floorDiv(midi, 12) - 1;
        const int semitone = midi - 12 * (octave + 1);
        constexpr Letter Below[12] = {C, C, D, D, E, F, F, G, G, A, A, B};
        const Letter below = Below[semitone];
        const int alteration = semitone - naturalSemitone(below);
        if (alteration == 0 || !flat)
            return WrittenNote(below, alteration, octave);
        return atStep(LettersPerOctave * octave + below + 1, -1);
    }

    // "C4", "F#4", "Bb3", "Cb5", "E#4", "F##4", "Bbb3": the letter, one '#'
    // or 'b' per semitone of alteration, and the octave.
    QString text() const;
    // The reverse of text(); none for anything else.
    static std::optional<WrittenNote> fromText(QStringView text);

    // The semitone of a natural letter above its octave's C.
    static constexpr int naturalSemitone(Letter letter)
    {
        constexpr int Semitones[LettersPerOctave] = {0, 2, 4, 5, 7, 9, 11};
        return Semitones[letter];
    }
    // The letter as written in English, 'A' to 'G'.
    static constexpr char letterName(Letter letter) { return "CDEFGAB"[letter]; }

    friend constexpr bool operator==(const WrittenNote &a, const WrittenNote &b)
    {
        return a.m_letter == b.m_letter && a.m_alteration == b.m_alteration &&
               a.m_octave == b.m_octave;
    }
    friend constexpr bool operator!=(const WrittenNote &a, const WrittenNote &b)
    {
        return !(a == b);
    }
    // By staff step, then by alteration.
    friend constexpr bool operator<(const WrittenNote &a, const WrittenNote &b)
    {
        return a.diatonic() != b.diatonic() ? a.diatonic() < b.diatonic()
                                            : a.m_alteration < b.m_alteration;
    }

private:
    static constexpr int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

    Letter m_letter = C;
    int m_alteration = 0;
    int m_octave = 4;
};

inline size_t qHash(const WrittenNote &note, size_t seed = 0)
{
    return qHashMulti(seed, int(note.letter()), note.alteration(), note.octave());
}
