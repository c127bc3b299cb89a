// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ReportText.h"

#include <QLocale>

#include <cmath>

namespace {

constexpr int MsPerSecond = 1000;
constexpr int SecondsPerMinute = 60;
constexpr int MinutesPerHour = 60;
constexpr int OneDecimalBelowMs = 10 * MsPerSecond;

const char *const Letters = "CCDDEFFGGAAB";
constexpr bool Sharp[12] = {false, true,  false, true,  false, false,
                            true,  false, true,  false, true,  false};

// The same names as under the notes of the main staff, from the same
// translations.
QString letterName(char letter)
{
    const char name[2] = {letter, '\0'};
    return QCoreApplication::translate("VKTest", name, "note name");
}

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

QString ReportText::noteName(int midi)
{
    const int pitchClass = ((midi % 12) + 12) % 12;
    const int octave = midi / 12 - 1;
    return letterName(Letters[pitchClass]) +
           (Sharp[pitchClass] ? QStringLiteral("\u266f") : QString()) + QString::number(octave);
}
