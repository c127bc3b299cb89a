// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/KeySignature.h"
#include "progress/ProgressFigures.h"

#include <QCoreApplication>
#include <QString>

// Figures as the progress window writes them, in the user's language.
class ReportText
{
    Q_DECLARE_TR_FUNCTIONS(ReportText)
public:
    // A response time: "1.4 s", whole seconds from ten on.
    static QString seconds(int ms);
    // Time spent: "2 h 05 min", "12 min", "40 s".
    static QString duration(qint64 ms);
    // A share as a whole percentage.
    static QString percent(qreal share);
    // A note by its name in the user's language and its octave, as a key
    // writes it: "C♯4", or "D♭4" in a flat key.
    static QString noteName(int midi, KeySignature key = KeySignature());
    // The settings a challenge's best is kept for, as a phrase: "Treble
    // clef, C major / A minor, the clef's two octaves, notes at random".
    static QString challengeSettings(const ProgressFigures::ChallengeSettings &settings);
};
