// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes/KeySignature.h"

namespace {

using Letter = WrittenNote::Letter;

constexpr Letter SharpOrder[KeySignature::MostSigns] = {
    WrittenNote::F, WrittenNote::C, WrittenNote::G, WrittenNote::D,
    WrittenNote::A, WrittenNote::E, WrittenNote::B};
constexpr Letter FlatOrder[KeySignature::MostSigns] = {
    WrittenNote::B, WrittenNote::E, WrittenNote::A, WrittenNote::D,
    WrittenNote::G, WrittenNote::C, WrittenNote::F};

// A fifth up is four letters up; the relative minor's keynote is a sixth up.
constexpr int LettersPerFifth = 4;
constexpr int LettersToMinor = 5;
constexpr int SemitonesPerOctave = 12;

int modulo(int a, int b)
{
    return ((a % b) + b) % b;
}

} // namespace

int KeySignature::alterationOf(Letter letter) const
{
    const Letter *order = m_fifths > 0 ? SharpOrder : FlatOrder;
    for (int i = 0; i < signCount(); ++i) {
        if (order[i] == letter)
            return m_fifths > 0 ? 1 : -1;
    }
    return 0;
}

QList<Letter> KeySignature::signLetters() const
{
    const Letter *order = m_fifths > 0 ? SharpOrder : FlatOrder;
    return QList<Letter>(order, order + signCount());
}

WrittenNote KeySignature::majorTonic() const
{
    const Letter letter = Letter(modulo(LettersPerFifth * m_fifths, WrittenNote::LettersPerOctave));
    return WrittenNote(letter, alterationOf(letter), 4);
}

WrittenNote KeySignature::minorTonic() const
{
    const Letter letter = Letter(modulo(majorTonic().letter() + LettersToMinor, 7));
    return WrittenNote(letter, alterationOf(letter), 4);
}

bool KeySignature::inScale(int midi) const
{
    const int pitchClass = modulo(midi, SemitonesPerOctave);
    for (int l = WrittenNote::C; l <= WrittenNote::B; ++l) {
        const Letter letter = Letter(l);
        if (modulo(WrittenNote::naturalSemitone(letter) + alterationOf(letter),
                   SemitonesPerOctave) == pitchClass)
            return true;
    }
    return false;
}

WrittenNote KeySignature::spell(int midi) const
{
    const int pitchClass = modulo(midi, SemitonesPerOctave);
    for (int l = WrittenNote::C; l <= WrittenNote::B; ++l) {
        const Letter letter = Letter(l);
        const int alteration = alterationOf(letter);
        const int sounding = WrittenNote::naturalSemitone(letter) + alteration;
        if (modulo(sounding, SemitonesPerOctave) == pitchClass)
            // C flat's letter lies an octave above B's; B sharp's one below C's.
            return WrittenNote(letter, alteration, (midi - sounding) / SemitonesPerOctave - 1);
    }
    // Outside the scale: a white key is its own letter, with a natural sign
    // where the signature alters that letter; a black key follows the
    // signature's own signs, sharps in C major as on the keyboard.
    return WrittenNote::fromMidi(midi, m_fifths < 0);
}

std::optional<int> KeySignature::signFor(const WrittenNote &note) const
{
    if (note.alteration() == alterationOf(note.letter()))
        return std::nullopt;
    return note.alteration();
}

QString KeySignature::optionName() const
{
    const WrittenNote tonic = majorTonic();
    QString name(QLatin1Char(WrittenNote::letterName(tonic.letter())));
    if (tonic.alteration() > 0)
        name += QLatin1Char('#');
    else if (tonic.alteration() < 0)
        name += QLatin1Char('b');
    return name;
}

std::optional<KeySignature> KeySignature::fromOptionName(const QString &name)
{
    for (const KeySignature key : all()) {
        if (key.optionName() == name)
            return key;
    }
    return std::nullopt;
}

std::array<KeySignature, KeySignature::Count> KeySignature::all()
{
    std::array<KeySignature, Count> keys;
    for (int i = 1; i <= MostSigns; ++i) {
        keys[i] = KeySignature(i);
        keys[MostSigns + i] = KeySignature(-i);
    }
    return keys;
}
