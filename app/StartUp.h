// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

#include <functional>

class QApplication;
class QCoreApplication;
class QIcon;
class QWidget;

namespace StartUp {

// The manual's path: data folder + "/help/html/" + the invocation name
// without its folder, + ".html".
QString helpFilePath(const QString &dataDir, const char *argv0);

// What the application needs before the first window is built: the
// translations for the user's language and the program's icon.
void prepare(QApplication &app);

// Installs the program's translations for the first of locale's languages
// that it has, and Qt's own (standard buttons such as OK and Cancel) for the
// same language, in place of any that an earlier call installed. When the
// program has none of the languages, everything stays English.
void installTranslators(QCoreApplication &app, const QLocale &locale = QLocale());

// The program's picture from the data folder, as a window icon.
QIcon programIcon();

// Decodes every installed note's sample in the background so the first tap
// sounds at once.
void preloadSounds();
// The same, started once the window has been painted for the first time.
void preloadSoundsAfterFirstPaint(QWidget *window);

// Runs work from the event loop once window has been painted for the first
// time: what start-up can leave until then should not delay the first picture.
void afterFirstPaint(QWidget *window, std::function<void()> work);

} // namespace StartUp
