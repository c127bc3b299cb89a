// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/WrittenNote.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

// One of the fifteen major keys (and the minor key that shares its
// signature), as its signature: sharps counted positive, flats negative,
// from seven flats (C flat major) to seven sharps (C sharp major). It knows
// how the key writes every pitch and which signs a note on its staff needs.
class KeySignature
{
public:
    static constexpr int MostSigns = 7;
    static constexpr int Count = 2 * MostSigns + 1;

    // C major; any other count of fifths is brought within -7 to 7.
    constexpr explicit KeySignature(int fifths = 0)
        : m_fifths(fifths < -MostSigns  ? -MostSigns
                   : fifths > MostSigns ? MostSigns
                                        : fifths)
    {}

    constexpr int fifths() const { return m_fifths; }
    constexpr int signCount() const { return m_fifths < 0 ? -m_fifths : m_fifths; }
    constexpr bool isC() const { return m_fifths == 0; }

    // The alteration the signature gives every note of this letter.
    int alterationOf(WrittenNote::Letter letter) const;
    // The letters that carry a sign, in the order the signs are written:
    // sharps F C G D A E B, flats B E A D G C F.
    QList<WrittenNote::Letter> signLetters() const;

    // The major key's keynote and that of its relative minor, as a letter
    // and an alteration (in octave 4, which means nothing here).
    WrittenNote majorTonic() const;
    WrittenNote minorTonic() const;

    // Whether a pitch (MIDI number) is one of the key's seven notes.
    bool inScale(int midi) const;
    // How the key writes a pitch: a note of its scale by the letter whose
    // signed pitch it is (C flat, not B, in G flat major; B sharp, not C, in
    // C sharp major); any other by a white key's letter, or as the sharp of
    // the letter below in a sharp key and C major, the flat of the letter
    // above in a flat key.
    WrittenNote spell(int midi) const;
    // The sign a note needs in front of it on a staff with this signature:
    // its own alteration where the signature does not already give the
    // letter that one (0 is a natural sign), none where it does.
    std::optional<int> signFor(const WrittenNote &note) const;

    // The key as the command line names it: C G D A E B F# C# F Bb Eb Ab Db
    // Gb Cb.
    QString optionName() const;
    static std::optional<KeySignature> fromOptionName(const QString &name);
    // Every key: C major, then the sharp keys by their number of sharps,
    // then the flat keys by their number of flats.
    static std::array<KeySignature, Count> all();

    friend constexpr bool operator==(KeySignature a, KeySignature b)
    {
        return a.m_fifths == b.m_fifths;
    }
    friend constexpr bool operator!=(KeySignature a, KeySignature b) { return !(a == b); }

private:
    int m_fifths = 0;
};
