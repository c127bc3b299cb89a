// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes/WrittenNote.h"

#include <cstdlib>

QString WrittenNote::text() const
{
    QString text(QLatin1Char(letterName(m_letter)));
    text += QString(std::abs(m_alteration), QLatin1Char(m_alteration > 0 ? '#' : 'b'));
    text += QString::number(m_octave);
    return text;
}

std::optional<WrittenNote> WrittenNote::fromText(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    const char first = text.front().toLatin1();
    if (first < 'A' || first > 'G')
        return std::nullopt;
    const Letter letter = Letter((first - 'C' + LettersPerOctave) % LettersPerOctave);
    qsizetype i = 1;
    int alteration = 0;
    const QChar sign = i < text.size() ? text[i] : QChar();
    if (sign == QLatin1Char('#') || sign == QLatin1Char('b')) {
        const int step = sign == QLatin1Char('#') ? 1 : -1;
        while (i < text.size() && text[i] == sign && std::abs(alteration) < MaxAlteration) {
            alteration += step;
            ++i;
        }
    }
    // The octave: an optional minus and at most two digits, nothing after.
    const QStringView octaveText = text.mid(i);
    if (octaveText.isEmpty() || octaveText.size() > 3)
        return std::nullopt;
    bool ok = false;
    const int octave = octaveText.toInt(&ok);
    if (!ok || octaveText.front() == QLatin1Char('+'))
        return std::nullopt;
    return WrittenNote(letter, alteration, octave);
}
