// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QPEApplication;

namespace StartUp {

// The manual's path: data folder + "/help/html/" + the invocation name,
// exactly as the program was called, + ".html".
QString helpFilePath(const QString &dataDir, const char *argv0);

// Decodes every note's sample in the background so the first tap sounds at once.
void preloadSounds();

} // namespace StartUp
