// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes/NoteRange.h"

#include "notes/WrittenNote.h"

QString NoteRange::keyText(int midi)
{
    return WrittenNote::fromMidi(midi).text();
}

QString NoteRange::text() const
{
    return keyText(m_low) + QLatin1Char('-') + keyText(m_high);
}

std::optional<int> NoteRange::keyFromText(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    // The letter may come in either case; what follows it may not, since a
    // small b is the flat sign.
    const QString written = text.first(1).toString().toUpper() + text.sliced(1).toString();
    const std::optional<WrittenNote> note = WrittenNote::fromText(written);
    if (!note || !piano().contains(note->midi()))
        return std::nullopt;
    return note->midi();
}

std::optional<NoteRange> NoteRange::fromText(QStringView text)
{
    // The dash between the ends is the first one after an octave's digit:
    // an octave below 0 has a minus of its own.
    for (qsizetype i = 1; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('-') || !text[i - 1].isDigit())
            continue;
        const std::optional<int> low = keyFromText(text.first(i));
        const std::optional<int> high = keyFromText(text.sliced(i + 1));
        if (!low || !high || *low > *high)
            return std::nullopt;
        return NoteRange(*low, *high);
    }
    return std::nullopt;
}
