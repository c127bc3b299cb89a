// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/KeySignature.h"
#include "notes/WrittenNote.h"

#include <QList>
#include <QString>

// The clef a staff is read in: which note its bottom line stands for, and
// where a key signature's signs stand on it.
enum class Clef { Treble, Bass, Alto, Tenor };

namespace Clefs {

// The note of the staff's bottom line: E4, G2, F3 or D3.
WrittenNote bottomLine(Clef clef);
// The staff step a note is written at: 1 the bottom line, 2 the space over
// it, 9 the top line; below the staff 0 and down, above it 10 and up. Its
// alteration does not move it.
int stepOf(Clef clef, const WrittenNote &note);
// The note whose letter a step stands for, without alteration.
WrittenNote noteAtStep(Clef clef, int step);
// The places of a signature's signs, in the order they are written, as
// the notes they stand on.
QList<WrittenNote> signaturePlaces(Clef clef, KeySignature key);
// The clef as the record and the command line name it: "treble", "bass",
// "alto", "tenor".
QString name(Clef clef);

} // namespace Clefs
