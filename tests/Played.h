// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakeSound.h"

#include "staff/VKTest.h"

#include <QList>
#include <QStringList>

// What the window has written and sounded, in order, for tests that play it.
namespace Played {

// The notes on the staff's current row, as the keys that sound them.
inline QList<int> onStaff(const VKTest *staff)
{
    QList<int> shown;
    for (int slot = 0; slot < staff->notesShown(); ++slot)
        shown << staff->noteInSlot(slot).midi();
    return shown;
}

// The names of the samples at these paths, such as "Cs4".
inline QStringList names(const QStringList &paths)
{
    QStringList names;
    for (const QString &path : paths)
        names << path.section(QLatin1Char('/'), -1).section(QLatin1Char('.'), 0, 0);
    return names;
}

// The names of the samples sounded.
inline QStringList sounds(const FakeSound &sound)
{
    return names(sound.played);
}

} // namespace Played
