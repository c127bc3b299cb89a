// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The class's server at scale, on a private PostgreSQL server of its own
// (Unix socket, commits waiting for the disk): the class report over 40
// pupils and 1,000,000 answers, by the library and by `velkaro
// --class-report`, and sending 10,000 answers waiting in a local record.
// Prints figures; asserts nothing.

#include "LocalRecord.h"
#include "PostgresServer.h"

#include "classroom/ClassCopier.h"
#include "classroom/ClassReport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QUuid>

#include <algorithm>
#include <cstdio>

namespace {

const QString Class = QStringLiteral("bench");
const QString Teacher = QStringLiteral("teacher");
constexpr int Pupils = 40;
constexpr int Answers = 1000000;
constexpr int Waiting = 10000;
constexpr int AnswersPerRun = 40;
constexpr int Repeats = 5;

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

bool fill(PostgresServer &server)
{
    // Each pupil's answers over the last 90 days, one run of 40 a session,
    // a note of C2..B5 and four in five right.
    return server.admin(
        Class,
        {QStringLiteral(
             "INSERT INTO answers (pupil, machine, local_id, at, session, clef, note, flat,"
             " answer, correct, response_ms, source, interval_ms, key, written)"
             " SELECT 'pupil' || lpad((1 + i % %1)::text, 2, '0'), 'pc', 1 + i / %1,"
             " now() - interval '90 days' + (i / %1) * (interval '90 days' / (%2 / %1)),"
             " 1 + (i / %1) / %3, 'treble', 36 + (i * 7) % 48, 0, 36 + (i * 7) % 48,"
             " (random() < 0.8)::int, 800 + (i % 1000), 'keys', 5000, 0, 'C4'"
             " FROM generate_series(0, %2 - 1) AS i")
             .arg(Pupils)
             .arg(Answers)
             .arg(AnswersPerRun),
         QStringLiteral("INSERT INTO sessions (pupil, machine, local_id, started_at, ended_at)"
                        " SELECT pupil, machine, session, min(at) - interval '1 second',"
                        " max(at) + interval '1 second' FROM answers"
                        " GROUP BY pupil, machine, session"),
         QStringLiteral("VACUUM ANALYZE answers"), QStringLiteral("VACUUM ANALYZE sessions")});
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!PostgresServer::installed()) {
        std::puts("bench_class: PostgreSQL or Qt's QPSQL driver is not installed");
        return 1;
    }
    PostgresServer server(true);
    if (!server.start() || !server.makeClass(Class, Teacher)) {
        std::printf("bench_class: the server did not start:\n%s\n", qPrintable(server.log()));
        return 1;
    }
    for (int p = 1; p <= Pupils; ++p) {
        if (!server.addPupil(Class, Teacher, QStringLiteral("pupil%1").arg(p, 2, 10, QChar('0'))))
            return 1;
    }
    QElapsedTimer timer;
    timer.start();
    if (!fill(server))
        return 1;
    std::printf("filled %d answers of %d pupils in %.1f s\n", Answers, Pupils,
                timer.elapsed() / 1000.0);

    {
        ClassConnection teacher(server.url(Class, Teacher));
        if (!teacher.open())
            return 1;
        QList<double> times;
        qint64 answers = 0;
        for (int i = 0; i < Repeats; ++i) {
            QString error;
            timer.start();
            const std::optional<QList<PupilFigures>> report =
                ClassReport::read(teacher.database(), QDateTime::currentDateTimeUtc(), &error);
            times.append(timer.nsecsElapsed() / 1e6);
            if (!report) {
                std::printf("bench_class: %s\n", qPrintable(error));
                return 1;
            }
            answers = 0;
            for (const PupilFigures &p : *report)
                answers += p.answers;
        }
        std::printf("class report, %d pupils, %lld answers: %.0f ms median, %.0f ms first, "
                    "%.0f ms slowest of %d\n",
                    Pupils, answers, median(times), times.first(),
                    *std::max_element(times.cbegin(), times.cend()), Repeats);
    }

    const QString velkaro =
        qEnvironmentVariable("VELKARO_TEST_BINARY_DIR",
                             QCoreApplication::applicationDirPath() + QStringLiteral("/..")) +
        QStringLiteral("/bin/velkaro");
    if (QFile::exists(velkaro)) {
        QList<double> times;
        for (int i = 0; i < Repeats; ++i) {
            QProcess run;
            run.setStandardOutputFile(QProcess::nullDevice());
            timer.start();
            run.start(velkaro,
                      {QStringLiteral("--class-report"), server.url(Class, Teacher).text()});
            run.waitForFinished(60000);
            times.append(timer.nsecsElapsed() / 1e6);
        }
        std::printf("velkaro --class-report, start to exit: %.0f ms median\n", median(times));
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("waiting.sqlite"));
    {
        LocalRecord record(path);
        const QDateTime start = QDateTime::currentDateTimeUtc().addDays(-1);
        qint64 session = 0;
        for (int i = 0; i < Waiting; ++i) {
            if (i % AnswersPerRun == 0) {
                if (session)
                    record.endSession(session, start.addSecs(i));
                session = record.beginSession(start.addSecs(i));
            }
            record.add(LocalRecord::answer(start.addSecs(i + 1), session, 48 + i % 24, i % 5));
        }
        record.endSession(session, start.addSecs(Waiting + 1));
    }
    QList<double> times;
    for (int i = 0; i < Repeats; ++i) {
        // A new computer each time, so that all of them wait again.
        ClassCopier copier(server.url(Class, QStringLiteral("pupil01")), path,
                           QUuid::createUuid().toString(QUuid::WithoutBraces));
        timer.start();
        const ClassCopier::Outcome o = copier.copy();
        times.append(timer.nsecsElapsed() / 1e6);
        if (!o.reached || o.sent != Waiting) {
            std::printf("bench_class: sent %lld of %d: %s\n", o.sent, Waiting, qPrintable(o.error));
            return 1;
        }
    }
    std::printf("sending %d waiting answers in batches of %d: %.0f ms median, %.0f ms slowest "
                "of %d\n",
                Waiting, ClassCopier::BatchRows, median(times),
                *std::max_element(times.cbegin(), times.cend()), Repeats);
    return 0;
}
