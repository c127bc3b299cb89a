// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The message that asks the help browser to show a page of the manual: sent
// on this channel, with the page's path as its one QString argument.
namespace HelpChannel {
inline constexpr char Name[] = "QPE/Application/helpbrowser";
inline constexpr char ShowFile[] = "showFile(QString)";
} // namespace HelpChannel
