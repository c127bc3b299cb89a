// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>

// Look-up of the program's pictures and sounds in its data folder.
class Resource
{
public:
    // The picture called name, or an empty pixmap when there is none.
    static QPixmap loadPixmap(const QString &name);
    // The path of the sound file called name (for example "velkaro/C4").
    static QString findSound(const QString &name);
};
