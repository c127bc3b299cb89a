// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes/NoteNames.h"

#include <QCoreApplication>

#include <cstdlib>

namespace {

// The names belong to the staff, whose labels first used them.
const char Context[] = "VKTest";

struct Source
{
    const char *text;
    const char *disambiguation;
};

//: The name of a note under the staff, as a learner of this language names it:
//: a letter (C) or a syllable (Do). Keep it short.
const Source Naturals[WrittenNote::LettersPerOctave] = {
    QT_TRANSLATE_NOOP3("VKTest", "C", "note name"), QT_TRANSLATE_NOOP3("VKTest", "D", "note name"),
    QT_TRANSLATE_NOOP3("VKTest", "E", "note name"), QT_TRANSLATE_NOOP3("VKTest", "F", "note name"),
    QT_TRANSLATE_NOOP3("VKTest", "G", "note name"), QT_TRANSLATE_NOOP3("VKTest", "A", "note name"),
    QT_TRANSLATE_NOOP3("VKTest", "B", "note name")};
//: A sharp note's name (German Cis, French Do♯).
const Source Sharps[WrittenNote::LettersPerOctave] = {
    QT_TRANSLATE_NOOP3("VKTest", "C♯", "note name"),
    QT_TRANSLATE_NOOP3("VKTest", "D♯", "note name"),
    QT_TRANSLATE_NOOP3("VKTest", "E♯", "note name"),
    QT_TRANSLATE_NOOP3("VKTest", "F♯", "note name"),
    QT_TRANSLATE_NOOP3("VKTest", "G♯", "note name"),
    QT_TRANSLATE_NOOP3("VKTest", "A♯", "note name"),
    QT_TRANSLATE_NOOP3("VKTest", "B♯", "note name")};
//: A flat note's name (German Ces, Es, As, B; French Do♭).
const Source Flats[WrittenNote::LettersPerOctave] = {
    QT_TRANSLATE_NOOP3("VKTest", "C♭", "note name"),
    QT_TRANSLATE_NOOP3("VKTest", "D♭", "note name"),
    QT_TRANSLATE_NOOP3("VKTest", "E♭", "note name"),
    QT_TRANSLATE_NOOP3("VKTest", "F♭", "note name"),
    QT_TRANSLATE_NOOP3("VKTest", "G♭", "note name"),
    QT_TRANSLATE_NOOP3("VKTest", "A♭", "note name"),
    QT_TRANSLATE_NOOP3("VKTest", "B♭", "note name")};

QString translated(const Source &source)
{
    return QCoreApplication::translate(Context, source.text, source.disambiguation);
}

} // namespace

namespace NoteNames {

QString letter(WrittenNote::Letter letter)
{
    return translated(Naturals[letter]);
}

QString full(const WrittenNote &note)
{
    switch (note.alteration()) {
    case 0:
        return letter(note.letter());
    case 1:
        return translated(Sharps[note.letter()]);
    case -1:
        return translated(Flats[note.letter()]);
    default:
        break;
    }
    // Double signs are never written by the program itself; they are named
    // by the natural and the sign.
    return letter(note.letter()) +
           (note.alteration() > 0 ? QStringLiteral("\U0001D12A") : QStringLiteral("\U0001D12B"));
}

QString plain(const WrittenNote &note)
{
    if (note.alteration() == -1 && note.letter() == WrittenNote::B)
        //: The note B flat written as a flat, at the step of B (Si; B in
        //: German, where B alone means B flat).
        return QCoreApplication::translate("VKTest", "B", "note name of B flat");
    return letter(note.letter());
}

QString keyName(KeySignature key)
{
    //: A key in the Test settings: %1 the major key's note, %2 its relative minor's.
    QString name = QCoreApplication::translate("VKTestConfig", "%1 major / %2 minor")
                       .arg(full(key.majorTonic()), full(key.minorTonic()));
    if (!key.isC())
        name += QStringLiteral(" (%1%2)")
                    .arg(key.signCount())
                    .arg(key.fifths() > 0 ? QStringLiteral("\u266f") : QStringLiteral("\u266d"));
    return name;
}

} // namespace NoteNames
