// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The folder that holds the manual. The help browser shows only pages that
// lie inside it, so a message or a link can never make it read another file.
class HelpFolder
{
public:
    HelpFolder() = default;
    explicit HelpFolder(const QString &path) : m_path(path) {}

    QString path() const { return m_path; }

    // True for an existing HTML page inside the folder. Symbolic links and
    // ".." steps are resolved first: what counts is where the file really is.
    bool contains(const QString &file) const;

private:
    QString m_path;
};
