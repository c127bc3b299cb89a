// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes/Catalogue.h"
#include "platform/QPEApplication.h"
#include "staff/VKTest.h"

#include <QImage>

// Paints notes on a staff and returns from main the way the program does:
// the glyphs are alive when the application object goes, and the catalogue
// and a note made before the application are destroyed after it.
int main(int argc, char **argv)
{
    const Note madeEarly = notes[64];
    QPEApplication app(argc, argv);
    VKTest staff;
    staff.resize(240, 120);
    for (const char *n : {"C4", "Db4", "B5", "C2"})
        staff.showNote(*WrittenNote::fromText(QString::fromLatin1(n)));
    const QImage shot = staff.grab().toImage();
    return shot.isNull() || madeEarly.name() != 'E' ? 1 : 0;
}
