// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ReportText.h"

#include "notes/NoteNames.h"

#include <QLocale>
#include <QStringList>

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

QString ReportText::challengeSettings(const ProgressFigures::ChallengeSettings &settings)
{
    const struct
    {
        const char *name;
        QString text;
    } clefs[] = {{"treble", tr("Treble clef")},
                 {"bass", tr("Bass clef")},
                 {"alto", tr("Alto clef")},
                 {"tenor", tr("Tenor clef")},
                 {"both", tr("Grand staff")}},
      ranges[] = {{"clef", tr("the clef's two octaves")},
                  {"staff", tr("on the staff")},
                  {"two-ledger-lines", tr("staff and two ledger lines")},
                  {"four-ledger-lines", tr("staff and four ledger lines")}};
    const auto named = [](const auto &table, const QString &name) {
        for (const auto &entry : table) {
            if (name == QLatin1String(entry.name))
                return entry.text;
        }
        return QString();
    };
    QStringList parts;
    const QString clef = named(clefs, settings.clef);
    parts << (clef.isEmpty() ? settings.clef : clef);
    if (settings.key == QLatin1String("changing"))
        parts << tr("a changing key");
    else if (const auto key = KeySignature::fromOptionName(settings.key))
        parts << NoteNames::keyName(*key);
    if (settings.chromatic)
        parts << tr("with accidentals");
    const QString range = named(ranges, settings.range);
    if (!range.isEmpty())
        parts << range;
    else {
        // The learner's own range, "A3-C6"; on the grand staff the treble
        // staff's and the bass staff's, either of them left empty.
        QStringList own = settings.range.split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (QString &part : own)
            part.replace(QLatin1Char('-'), QChar(0x2013));
        parts << own.join(QStringLiteral(" + "));
    }
    parts << (settings.notes == QLatin1String("weak") ? tr("more of the notes missed")
                                                      : tr("notes at random"));
    parts.removeAll(QString());
    return parts.join(QStringLiteral(", "));
}
