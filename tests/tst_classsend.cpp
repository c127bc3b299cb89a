// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocalRecord.h"
#include "PostgresServer.h"

#include "classroom/ClassSender.h"
#include "classroom/ClassSettings.h"

#include <QAtomicInteger>
#include <QScopeGuard>
#include <QSemaphore>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUuid>

#include <memory>
#include <vector>

namespace {

const QString Class = QStringLiteral("lesson");
const QString Teacher = QStringLiteral("teacher");
constexpr int Answers = 400;
// A test run ends every this many answers, as a learner switches Test off.
constexpr int RunLength = 60;
constexpr int AnswerPauseMs = 5;
constexpr int PokeMs = 50;
constexpr int OutageMs = 1500;
constexpr int SettleMs = 90000;

// What may happen to a record halfway through the answers.
enum Midway { SettingsWiped = 1, RecordMoved = 2 };

QString settingsFile()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("velkaro"),
                     QStringLiteral("velkaro"))
        .fileName();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// The notes a record's answers go through, so that their sum checks every row.
int noteOf(int i)
{
    return 48 + i % 24;
}

} // namespace

class ClassSendTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<PostgresServer> m_server;
    QTemporaryDir m_dir;

    // A number of the server's, asked as the cluster's superuser.
    qint64 serverNumber(const QString &sql)
    {
        ClassConnection c(m_server->url(Class, QStringLiteral("admin")));
        if (!c.open())
            return -1;
        QSqlQuery q(c.database());
        if (!q.exec(sql) || !q.next())
            return -1;
        return q.value(0).toLongLong();
    }

private slots:
    void initTestCase()
    {
        if (!PostgresServer::installed())
            QSKIP("PostgreSQL or Qt's QPSQL driver is not installed");
        // The machine ids this test makes stay in its own settings.
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
        m_server = std::make_unique<PostgresServer>();
        QVERIFY2(m_server->start(), qPrintable(m_server->log()));
        QVERIFY(m_server->makeClass(Class, Teacher));
        for (const char *pupil : {"anna", "bob", "carl", "dora", "emil", "fay"})
            QVERIFY(m_server->addPupil(Class, Teacher, QLatin1String(pupil)));
    }

    // Each record is written by a thread of its own while its senders send
    // it; with an outage, the server is shut down halfway and started again
    // 1.5 s later. Halfway, a record may also lose its machine id (the
    // settings file wiped: its window starts again with a fresh one) or be
    // written again beside a file that took its place (the window moves its
    // sender there), or both. In the end the server holds every answer of
    // every record once, numbered 1 to Answers under the id the record had
    // from the start, and every test run with its end.
    void everyAnswerReachesTheServerOnce_data()
    {
        QTest::addColumn<QStringList>("pupils"); // one record each
        QTest::addColumn<int>("sendersPerRecord");
        QTest::addColumn<bool>("outage");
        QTest::addColumn<int>("midway"); // Midway flags
        QTest::newRow("two pupils at once") << QStringList{"anna", "bob"} << 1 << false << 0;
        QTest::newRow("two pupils at once, server down midway")
            << QStringList{"anna", "bob"} << 1 << true << 0;
        QTest::newRow("one pupil on two computers, server down midway")
            << QStringList{"carl", "carl"} << 1 << true << 0;
        QTest::newRow("one record sent by two windows, server down midway")
            << QStringList{"dora"} << 2 << true << 0;
        QTest::newRow("the settings file wiped midway")
            << QStringList{"emil", "fay"} << 1 << false << int(SettingsWiped);
        QTest::newRow("the record written again beside another file midway")
            << QStringList{"emil"} << 2 << false << int(RecordMoved);
        QTest::newRow("the record moved and the settings wiped midway")
            << QStringList{"fay"} << 1 << false << (RecordMoved | SettingsWiped);
    }
    void everyAnswerReachesTheServerOnce()
    {
        QFETCH(QStringList, pupils);
        QFETCH(int, sendersPerRecord);
        QFETCH(bool, outage);
        QFETCH(int, midway);

        const qint64 arrivedBefore = serverNumber(QStringLiteral("SELECT max(id) FROM answers"));
        QStringList machines;
        std::vector<std::unique_ptr<ClassSender>> senders;
        std::vector<std::unique_ptr<QSignalSpy>> statuses;
        QStringList paths;
        const auto startSenders = [&](qsizetype r) {
            for (int s = 0; s < sendersPerRecord; ++s) {
                senders.push_back(
                    std::make_unique<ClassSender>(m_server->url(Class, pupils.at(r)), paths.at(r),
                                                  ClassSettings::machineId(paths.at(r))));
                statuses.push_back(std::make_unique<QSignalSpy>(senders.back().get(),
                                                                &ClassSender::statusChanged));
            }
        };
        for (qsizetype r = 0; r < pupils.size(); ++r) {
            paths.append(m_dir.filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) +
                                        QStringLiteral(".sqlite")));
            machines.append(ClassSettings::machineId(paths.last()));
            startSenders(r);
        }

        QAtomicInteger<int> written;
        // A writer stops halfway, its record closed, until the main thread
        // has done what happens midway and says where the record is now.
        QSemaphore halfway;
        QSemaphore goOn;
        QStringList pathsNow = paths;
        std::vector<std::unique_ptr<QThread>> writers;
        for (qsizetype r = 0; r < paths.size(); ++r) {
            writers.emplace_back(QThread::create([r, &pathsNow, &written, &halfway, &goOn, midway] {
                auto record = std::make_unique<LocalRecord>(pathsNow.at(r));
                // Two computers never give an answer in the same millisecond.
                const QDateTime start = QDateTime::currentDateTimeUtc().addMSecs(-137 * r);
                qint64 session = 0;
                for (int i = 0; i < Answers; ++i) {
                    const QDateTime at = start.addMSecs(1000 * i);
                    if (midway && i == Answers / 2) {
                        QVERIFY(record->isOk());
                        record.reset();
                        halfway.release();
                        goOn.acquire();
                        record = std::make_unique<LocalRecord>(pathsNow.at(r));
                    }
                    if (i % RunLength == 0) {
                        if (session)
                            record->endSession(session, at);
                        session = record->beginSession(at.addMSecs(-1000));
                    }
                    record->add(LocalRecord::answer(at, session, noteOf(i), i % 3 != 0));
                    ++written;
                    QThread::msleep(AnswerPauseMs);
                }
                record->endSession(session, start.addMSecs(1000 * Answers));
                QVERIFY(record->isOk());
            }));
            writers.back()->start();
        }

        // A check that fails midway still lets the writers finish.
        const auto finishWriters = qScopeGuard([&] {
            goOn.release(int(writers.size()));
            for (const auto &writer : writers)
                writer->wait();
        });

        // The window tells its sender of every answer recorded.
        QTimer poke;
        connect(&poke, &QTimer::timeout, this, [&senders] {
            for (const auto &sender : senders)
                sender->answersRecorded();
        });
        poke.start(PokeMs);

        const int total = int(paths.size()) * Answers;
        if (outage) {
            QTRY_VERIFY_WITH_TIMEOUT(written.loadRelaxed() >= total / 3, SettleMs);
            QVERIFY(m_server->stop());
            QTest::qWait(OutageMs);
            QVERIFY2(m_server->start(), qPrintable(m_server->log()));
        }
        if (midway) {
            // The first half reaches the server before anything happens.
            QTRY_VERIFY_WITH_TIMEOUT(halfway.available() == paths.size(), SettleMs);
            const qint64 firstHalf = paths.size() * (Answers / 2);
            QTRY_COMPARE_WITH_TIMEOUT(
                serverNumber(QStringLiteral("SELECT count(*) FROM answers WHERE id > %1")
                                 .arg(arrivedBefore)),
                firstHalf, SettleMs);
            for (qsizetype r = 0; r < paths.size(); ++r) {
                if (midway & RecordMoved) {
                    pathsNow[r] = paths.at(r) + QStringLiteral(".recovered-20260310-120000");
                    QVERIFY(LocalRecord::writeAgain(paths.at(r), pathsNow.at(r)));
                    for (const char *part : {"", "-wal", "-shm"})
                        QFile::remove(paths.at(r) + QLatin1String(part));
                    QVERIFY(writeFile(paths.at(r), "a file that took the record's place\n"));
                }
            }
            if (midway & SettingsWiped) {
                senders.clear();
                statuses.clear();
                QVERIFY(QFile::remove(settingsFile()));
                for (qsizetype r = 0; r < paths.size(); ++r) {
                    paths[r] = pathsNow.at(r);
                    QVERIFY(ClassSettings::machineId(paths.at(r)) != machines.at(r));
                    startSenders(r);
                }
            } else {
                for (qsizetype r = 0; r < paths.size(); ++r) {
                    for (int s = 0; s < sendersPerRecord; ++s)
                        senders.at(r * sendersPerRecord + s)->moveRecord(pathsNow.at(r));
                    paths[r] = pathsNow.at(r);
                }
            }
            goOn.release(int(paths.size()));
        }
        for (const auto &writer : writers)
            QVERIFY(writer->wait(SettleMs));

        const auto arrived = [&] {
            return serverNumber(
                QStringLiteral("SELECT count(*) FROM answers WHERE id > %1").arg(arrivedBefore));
        };
        QTRY_VERIFY_WITH_TIMEOUT(arrived() >= total, SettleMs);
        // Each sender has said that it sent everything.
        QTRY_VERIFY_WITH_TIMEOUT(
            std::all_of(statuses.cbegin(), statuses.cend(),
                        [](const auto &spy) {
                            return !spy->isEmpty() &&
                                   spy->last().first().template value<ClassStatus>().state ==
                                       ClassStatus::State::Sent;
                        }),
            SettleMs);
        // Nothing twice, and each record under the id it had from the start.
        QCOMPARE(arrived(), qint64(total));
        for (qsizetype r = 0; r < paths.size(); ++r)
            QCOMPARE(ClassSettings::machineId(paths.at(r)), machines.at(r));
        // Ended runs follow their answers.
        const QString mine = QStringLiteral("machine IN ('%1')").arg(machines.join("','"));
        const int runs = int(paths.size()) * ((Answers + RunLength - 1) / RunLength);
        QTRY_COMPARE_WITH_TIMEOUT(
            serverNumber(QStringLiteral("SELECT count(*) FROM sessions WHERE ended_at IS NOT NULL"
                                        " AND ") +
                         mine),
            qint64(runs), SettleMs);
        poke.stop();

        int expectedNotes = 0;
        for (int i = 0; i < Answers; ++i)
            expectedNotes += noteOf(i);
        for (qsizetype r = 0; r < paths.size(); ++r) {
            const QString where =
                QStringLiteral(" FROM answers WHERE machine = '%1' AND pupil = '%2'")
                    .arg(machines.at(r), pupils.at(r));
            QCOMPARE(serverNumber(QStringLiteral("SELECT count(DISTINCT local_id)") + where),
                     qint64(Answers));
            QCOMPARE(serverNumber(QStringLiteral("SELECT min(local_id)") + where), qint64(1));
            QCOMPARE(serverNumber(QStringLiteral("SELECT max(local_id)") + where), qint64(Answers));
            QCOMPARE(serverNumber(QStringLiteral("SELECT sum(note)") + where),
                     qint64(expectedNotes));
        }
        // The outage was seen, and said.
        if (outage) {
            bool offline = false;
            for (const auto &spy : statuses) {
                for (const QList<QVariant> &signal : std::as_const(*spy))
                    offline = offline || signal.first().value<ClassStatus>().state ==
                                             ClassStatus::State::Offline;
            }
            QVERIFY(offline);
        }
        senders.clear();
    }

    // A record file replaced by another (started anew, or copied from
    // elsewhere) numbers other answers with the same numbers: all of them
    // reach the server under a new machine id, beside the old file's rows.
    void aRecordReplacedIsSentWhole_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("by a longer one") << 5 << 8;
        QTest::newRow("by a shorter one") << 5 << 3;
    }
    void aRecordReplacedIsSentWhole()
    {
        QFETCH(int, before);
        QFETCH(int, after);
        const QString path =
            m_dir.filePath(QStringLiteral("replaced-%1-%2.sqlite").arg(before).arg(after));
        const auto write = [&path](int answers, int firstNote) {
            for (const QString &file : {path, path + "-wal", path + "-shm"})
                QFile::remove(file);
            LocalRecord record(path);
            const QDateTime start = QDateTime::currentDateTimeUtc().addSecs(-firstNote);
            const qint64 session = record.beginSession(start);
            for (int i = 0; i < answers; ++i)
                record.add(LocalRecord::answer(start.addSecs(i + 1), session, firstNote + i, true));
            record.endSession(session, start.addSecs(answers + 1));
            QVERIFY(record.isOk());
        };
        const auto rows = [this](const QString &machine) {
            return QStringLiteral("%1/%2")
                .arg(
                    serverNumber(QStringLiteral("SELECT count(*) FROM answers WHERE machine = '%1'")
                                     .arg(machine)))
                .arg(serverNumber(
                    QStringLiteral(
                        "SELECT coalesce(sum(note), 0) FROM answers WHERE machine = '%1'")
                        .arg(machine)));
        };
        const auto notes = [](int answers, int firstNote) {
            return QStringLiteral("%1/%2").arg(answers).arg(answers * firstNote +
                                                            answers * (answers - 1) / 2);
        };

        write(before, 40);
        const QString first = ClassSettings::machineId(path);
        ClassSender sender(m_server->url(Class, QStringLiteral("anna")), path, first);
        QSignalSpy renewed(&sender, &ClassSender::machineRenewed);
        QTRY_COMPARE_WITH_TIMEOUT(rows(first), notes(before, 40), SettleMs);

        write(after, 60);
        sender.answersRecorded();
        QTRY_COMPARE_WITH_TIMEOUT(renewed.size(), 1, SettleMs);
        const QString second = ClassSettings::machineId(path);
        QVERIFY(second != first);
        QTRY_COMPARE_WITH_TIMEOUT(rows(second), notes(after, 60), SettleMs);
        QCOMPARE(rows(first), notes(before, 40));
    }
};

QTEST_GUILESS_MAIN(ClassSendTest)
#include "tst_classsend.moc"
