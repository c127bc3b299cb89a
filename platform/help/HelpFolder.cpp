// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/help/HelpFolder.h"

#include <QFileInfo>

bool HelpFolder::contains(const QString &file) const
{
    if (m_path.isEmpty())
        return false;
    const QString root = QFileInfo(m_path).canonicalFilePath();
    const QFileInfo page(QFileInfo(file).canonicalFilePath());
    if (root.isEmpty() || !page.exists() || !page.isFile())
        return false;
    if (!page.filePath().startsWith(root + QLatin1Char('/')))
        return false;
    const QString suffix = page.suffix().toLower();
    return suffix == QLatin1String("html") || suffix == QLatin1String("htm");
}
