// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartUp.h"

#include "notes/Catalogue.h"
#include "platform/QSound.h"
#include "platform/Resource.h"

#include <QStringList>

namespace StartUp {

QString helpFilePath(const QString &dataDir, const char *argv0)
{
    return dataDir + QStringLiteral("/help/html/") + QString::fromLocal8Bit(argv0 ? argv0 : "") +
           QStringLiteral(".html");
}

void preloadSounds()
{
    QStringList paths;
    for (auto it = notes.cbegin(); it != notes.cend(); ++it)
        paths << Resource::findSound(QString::fromLatin1(it->file()));
    QSound::preload(paths);
}

} // namespace StartUp
