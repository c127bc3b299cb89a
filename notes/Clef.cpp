// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes/Clef.h"

namespace {

using W = WrittenNote;

// The signs' places on the treble staff; the bass staff has them two octaves
// lower and the alto staff one, and so has the tenor staff its flats. Its
// sharps F and G would stand above it that way, so they go down another
// octave and the pattern rises and falls without the usual drop.
constexpr W TrebleSharps[KeySignature::MostSigns] = {W(W::F, 0, 5), W(W::C, 0, 5), W(W::G, 0, 5),
                                                     W(W::D, 0, 5), W(W::A, 0, 4), W(W::E, 0, 5),
                                                     W(W::B, 0, 4)};
constexpr W TrebleFlats[KeySignature::MostSigns] = {W(W::B, 0, 4), W(W::E, 0, 5), W(W::A, 0, 4),
                                                    W(W::D, 0, 5), W(W::G, 0, 4), W(W::C, 0, 5),
                                                    W(W::F, 0, 4)};
constexpr W TenorSharps[KeySignature::MostSigns] = {W(W::F, 0, 3), W(W::C, 0, 4), W(W::G, 0, 3),
                                                    W(W::D, 0, 4), W(W::A, 0, 3), W(W::E, 0, 4),
                                                    W(W::B, 0, 3)};

int octavesBelowTreble(Clef clef)
{
    switch (clef) {
    case Clef::Treble:
        return 0;
    case Clef::Bass:
        return 2;
    case Clef::Alto:
    case Clef::Tenor:
        break;
    }
    return 1;
}

} // namespace

namespace Clefs {

WrittenNote bottomLine(Clef clef)
{
    switch (clef) {
    case Clef::Treble:
        return W(W::E, 0, 4);
    case Clef::Bass:
        return W(W::G, 0, 2);
    case Clef::Alto:
        return W(W::F, 0, 3);
    case Clef::Tenor:
        break;
    }
    return W(W::D, 0, 3);
}

int stepOf(Clef clef, const WrittenNote &note)
{
    return note.diatonic() - bottomLine(clef).diatonic() + 1;
}

WrittenNote noteAtStep(Clef clef, int step)
{
    return WrittenNote::atStep(bottomLine(clef).diatonic() + step - 1);
}

QList<WrittenNote> signaturePlaces(Clef clef, KeySignature key)
{
    QList<WrittenNote> places;
    const bool sharps = key.fifths() > 0;
    const W *treble = sharps ? TrebleSharps : TrebleFlats;
    for (int i = 0; i < key.signCount(); ++i) {
        if (clef == Clef::Tenor && sharps)
            places << TenorSharps[i];
        else
            places << W::atStep(treble[i].diatonic() -
                                WrittenNote::LettersPerOctave * octavesBelowTreble(clef));
    }
    return places;
}

QString name(Clef clef)
{
    switch (clef) {
    case Clef::Treble:
        return QStringLiteral("treble");
    case Clef::Bass:
        return QStringLiteral("bass");
    case Clef::Alto:
        return QStringLiteral("alto");
    case Clef::Tenor:
        break;
    }
    return QStringLiteral("tenor");
}

} // namespace Clefs
