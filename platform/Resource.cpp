// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Resource.h"

#include "platform/QPEApplication.h"

#include <QFileInfo>

namespace {

// Names are relative to a resource folder; nothing may step outside it.
bool isSafeName(const QString &name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')))
        return false;
    const auto parts = name.split(QLatin1Char('/'));
    for (const QString &part : parts) {
        if (part.isEmpty() || part == QLatin1String("..") || part == QLatin1String("."))
            return false;
    }
    return true;
}

} // namespace

QPixmap Resource::loadPixmap(const QString &name)
{
    if (!isSafeName(name))
        return QPixmap();
    const QString path =
        QPEApplication::qpeDir() + QStringLiteral("/pics/") + name + QStringLiteral(".png");
    if (!QFileInfo(path).isFile())
        return QPixmap();
    return QPixmap(path);
}

QString Resource::findSound(const QString &name)
{
    if (!isSafeName(name))
        return QString();
    return QPEApplication::qpeDir() + QStringLiteral("/sounds/") + name + QStringLiteral(".wav");
}
