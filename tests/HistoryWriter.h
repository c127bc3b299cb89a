// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/Answer.h"
#include "progress/AnswerLog.h"
#include "progress/RecordSchema.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>

// Writes rows straight into an answer log, as another program (a teacher's
// import, say) would: answers with the times and sessions given, in one
// transaction, by the record's own column list. The program's own AnswerLog
// makes the file and its schema.
class HistoryWriter
{
public:
    explicit HistoryWriter(const QString &path)
    {
        {
            AnswerLog schema(path);
            m_ok = schema.open() == AnswerLog::State::Recording;
        }
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Connection);
        db.setDatabaseName(path);
        m_ok = m_ok && db.open() && db.transaction();
        m_insert = std::make_unique<QSqlQuery>(db);
        m_ok = m_ok && m_insert->prepare(RecordSchema::insertAnswer());
    }
    ~HistoryWriter()
    {
        m_insert.reset();
        {
            QSqlDatabase db = QSqlDatabase::database(Connection, false);
            if (db.isOpen())
                db.commit();
            db.close();
        }
        QSqlDatabase::removeDatabase(Connection);
    }
    bool isOk() const { return m_ok; }

    void add(const Answer &a)
    {
        RecordSchema::bindAnswer(*m_insert, a);
        m_ok = m_insert->exec() && m_ok;
    }

    void addSession(qint64 id, const QDateTime &start, const QDateTime &end)
    {
        QSqlQuery q(QSqlDatabase::database(Connection));
        q.prepare(
            QStringLiteral("INSERT INTO sessions (id, started_at, ended_at) VALUES (?, ?, ?)"));
        q.addBindValue(id);
        q.addBindValue(stamp(start));
        q.addBindValue(stamp(end));
        m_ok = q.exec() && m_ok;
    }

    static QString stamp(const QDateTime &t) { return RecordSchema::timestamp(t); }

private:
    static constexpr char Connection[] = "velkaro-history-writer";
    bool m_ok = false;
    std::unique_ptr<QSqlQuery> m_insert;
};

// A made-up learner who practised on most of the days before end, both
// clefs, getting surer and faster over time; notes on ledger lines and
// black keys stay harder. About `count` answers in all; a few test runs
// have no row in `sessions`, as in an imported history.
inline bool writeGeneratedHistory(const QString &path, int count, int days, const QDateTime &end,
                                  unsigned seed = 1)
{
    std::mt19937 random(seed);
    const auto chance = [&](double p) {
        return std::uniform_real_distribution<>(0, 1)(random) < p;
    };
    const auto between = [&](int lo, int hi) {
        return std::uniform_int_distribution<>(lo, hi)(random);
    };

    // Test runs of about 20 to 60 notes on about two days in three.
    struct Run
    {
        QDateTime start;
        double progress; // 0 at the start of the history, 1 at its end
    };
    QList<Run> runs;
    for (int d = days - 1; d >= 0; --d) {
        if (!chance(2.0 / 3))
            continue;
        // Every run of the day lies in the ten hours before this time of day.
        QDateTime at = end.addDays(-d).addSecs(-10 * 3600);
        for (int r = between(1, 3); r > 0; --r) {
            at = at.addSecs(between(60, 3600));
            runs.append({at, 1.0 - double(d) / std::max(1, days - 1)});
        }
    }
    if (runs.isEmpty())
        return false;
    const int perRun = std::max(1, count / int(runs.size()));

    HistoryWriter writer(path);
    const int interval = 5000;
    int written = 0;
    for (qsizetype r = 0; r < runs.size() && writer.isOk(); ++r) {
        const Run &run = runs.at(r);
        const bool treble = chance(0.6);
        const int lowest = treble ? 60 : 36;
        int notes = r + 1 == runs.size() ? count - written : between(perRun / 2, perRun * 3 / 2);
        notes = std::clamp(notes, 0, count - written);
        QDateTime at = run.start;
        const QDateTime start = at;
        for (int i = 0; i < notes; ++i) {
            Answer a;
            a.session = r + 1;
            a.clef = treble ? QStringLiteral("treble") : QStringLiteral("bass");
            const int note = lowest + between(0, 23);
            const int pitchClass = note % 12;
            const bool black = pitchClass == 1 || pitchClass == 3 || pitchClass == 6 ||
                               pitchClass == 8 || pitchClass == 10;
            a.written = WrittenNote::fromMidi(note, black && chance(0.5));
            const bool ledger = treble ? (note <= 61 || note >= 81) : (note <= 40);
            const double difficulty = (black ? 0.12 : 0) + (ledger ? 0.2 : 0) + (treble ? 0 : 0.08);
            const double typicalMs = 3200 - 1600 * run.progress + 1800 * difficulty;
            const int ms = int(typicalMs * std::exp(std::normal_distribution<>(0, 0.35)(random)));
            a.intervalMs = interval;
            if (ms < interval) {
                a.responseMs = std::max(250, ms);
                a.correct = chance(std::clamp(0.6 + 0.38 * run.progress - difficulty, 0.05, 0.99));
                a.answer = a.correct ? note : note + (chance(0.5) ? 1 : -1) * between(1, 2);
                const int source = between(0, 9);
                a.source = source < 5   ? QStringLiteral("keys")
                           : source < 8 ? QStringLiteral("screen")
                                        : QStringLiteral("midi");
            }
            at = at.addMSecs(a.responseMs.value_or(interval));
            a.at = at;
            writer.add(a);
        }
        written += notes;
        if (notes > 0 && r % 20 != 7)
            writer.addSession(r + 1, start, at.addMSecs(between(500, 4000)));
    }
    return writer.isOk() && written == count;
}
