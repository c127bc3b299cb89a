// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>

// How one pupil practises, from the class's server.
struct PupilFigures
{
    QString pupil;
    qint64 answers = 0;
    qint64 right = 0;
    // Time spent in tests: each test run from its row in `sessions` where it
    // has an end, else from its first note's appearance to its last verdict.
    qint64 testMs = 0;
    qint64 recentAnswers = 0; // in the last RecentDays
    qint64 recentRight = 0;
    // Up to MissedNotes notes (MIDI numbers) with the most misses among each
    // note's last RecentPerNote answers, most missed first; only notes missed.
    QList<int> missed;

    std::optional<qreal> rightShare() const;
    std::optional<qreal> recentRightShare() const;
    std::optional<qreal> rightPerMinute() const;
};

// The teacher's table: one line per pupil of the class, worked out by the
// server from every pupil's rows. A pupil added but never heard from has a
// line of noughts. Read on a pupil's login, it is that pupil's line alone.
class ClassReport
{
    Q_DECLARE_TR_FUNCTIONS(ClassReport)
public:
    static constexpr int RecentDays = 7;
    static constexpr int RecentPerNote = 10;
    static constexpr int MissedNotes = 3;

    // The figures as of now, by pupil name; none with *error on failure.
    static std::optional<QList<PupilFigures>> read(QSqlDatabase db, const QDateTime &now,
                                                   QString *error);

    // The header's names and each pupil's line, as words for a person.
    static QStringList header();
    static QStringList cells(const PupilFigures &figures);
    // The whole table, its columns lined up, or as comma-separated values.
    static QString table(const QList<PupilFigures> &pupils);
    static QString csv(const QList<PupilFigures> &pupils);
};
