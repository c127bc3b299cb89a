// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The class this computer's learner belongs to, kept in the program's
// settings file (~/.config/velkaro/velkaro.ini): the server's URL, which
// never holds a password, and the pupil's login name. Empty when the learner
// practises alone.
struct ClassSettings
{
    QString url;
    QString pupil;

    bool isSet() const { return !url.isEmpty(); }

    static ClassSettings load();
    // Writes both, or removes them when the URL is empty.
    void save() const;

    // The random id that tells this computer's copy of a record from the
    // same pupil's others on the server. Made the first time a record is
    // sent from here and kept for it, one per record file, since the rows'
    // numbers are only unique within their file.
    static QString machineId(const QString &recordPath);
    // Keeps id for the record file at recordPath: the id it was sent under
    // before, found again on the server.
    static void keepMachineId(const QString &recordPath, const QString &id);
    // The record at from was written again at to: it keeps its id there.
    static void carryMachineId(const QString &from, const QString &to);
    // Forgets the id of a record file that was started anew, so that its
    // rows are not taken for those already sent.
    static QString renewMachineId(const QString &recordPath);
};
