// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ReportText.h"

#include "notes/NoteNames.h"

#include <QLocale>

#include <cmath>

namespace {

constexpr int MsPerSecond = 1000;
constexpr int SecondsPerMinute = 60;
constexpr int MinutesPerHour = 60;
constexpr int OneDecimalBelowMs = 10 * MsPerSecond;

} // namespace

QString ReportText::seconds(int ms)
{
    const QLocale locale;
    if (ms < OneDecimalBelowMs)
        return tr("%1 s", "seconds").arg(locale.toString(ms / qreal(MsPerSecond), 'f', 1));
    return tr("%1 s", "seconds").arg(locale.toString(std::lround(ms / qreal(MsPerSecond))));
}

QString ReportText::duration(qint64 ms)
{
    const qint64 totalSeconds = (ms + MsPerSecond / 2) / MsPerSecond;
    const qint64 minutes = totalSeconds / SecondsPerMinute;
    if (minutes == 0)
        return tr("%1 s", "seconds").arg(totalSeconds);
    const qint64 roundedMinutes = (totalSeconds + SecondsPerMinute / 2) / SecondsPerMinute;
    if (roundedMinutes < MinutesPerHour)
        return tr("%1 min").arg(roundedMinutes);
    return tr("%1 h %2 min")
        .arg(QLocale().toString(roundedMinutes / MinutesPerHour))
        .arg(roundedMinutes % MinutesPerHour, 2, 10, QLatin1Char('0'));
}

QString ReportText::percent(qreal share)
{
    //: A whole percentage; %1 is the number.
    return tr("%1%").arg(std::lround(share * 100));
}

QString ReportText::noteName(int midi, KeySignature key)
{
    const WrittenNote note = key.spell(midi);
    return NoteNames::full(note) + QString::number(note.octave());
}
