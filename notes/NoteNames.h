// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/KeySignature.h"
#include "notes/WrittenNote.h"

#include <QString>

// Note names in the learner's language, from the translation catalogues:
// C D E F G A B in English, C D E F G A H in German, Do Re Mi Fa Sol La Si
// in French, with their sharps and flats as each language says them (F
// sharp is "F♯", "Fis", "Fa♯"; B flat "B♭", "B", "Si♭").
namespace NoteNames {

// The natural note of this letter.
QString letter(WrittenNote::Letter letter);
// The note with its alteration.
QString full(const WrittenNote &note);
// The name written under a note in C major: that of the natural note whose
// step it stands at, so a sharp keeps the name of the natural below it and
// a flat takes that of the natural above, except that B flat has a name of
// its own in some languages.
QString plain(const WrittenNote &note);

// A key by its major and relative minor keys and its signature: "G major /
// E minor (1♯)".
QString keyName(KeySignature key);

} // namespace NoteNames
