// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocalRecord.h"
#include "PostgresServer.h"

#include "classroom/ClassSender.h"

#include <QAtomicInteger>
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
        m_server = std::make_unique<PostgresServer>();
        QVERIFY2(m_server->start(), qPrintable(m_server->log()));
        QVERIFY(m_server->makeClass(Class, Teacher));
        for (const char *pupil : {"anna", "bob", "carl", "dora"})
            QVERIFY(m_server->addPupil(Class, Teacher, QLatin1String(pupil)));
    }

    // Each record is written by a thread of its own while its senders send
    // it; with an outage, the server is shut down halfway and started again
    // 1.5 s later. In the end the server holds every answer of every record
    // once, numbered 1 to Answers, and every test run with its end.
    void everyAnswerReachesTheServerOnce_data()
    {
        QTest::addColumn<QStringList>("pupils"); // one record each
        QTest::addColumn<int>("sendersPerRecord");
        QTest::addColumn<bool>("outage");
        QTest::newRow("two pupils at once") << QStringList{"anna", "bob"} << 1 << false;
        QTest::newRow("two pupils at once, server down midway")
            << QStringList{"anna", "bob"} << 1 << true;
        QTest::newRow("one pupil on two computers, server down midway")
            << QStringList{"carl", "carl"} << 1 << true;
        QTest::newRow("one record sent by two windows, server down midway")
            << QStringList{"dora"} << 2 << true;
    }
    void everyAnswerReachesTheServerOnce()
    {
        QFETCH(QStringList, pupils);
        QFETCH(int, sendersPerRecord);
        QFETCH(bool, outage);

        QStringList machines;
        std::vector<std::unique_ptr<ClassSender>> senders;
        std::vector<std::unique_ptr<QSignalSpy>> statuses;
        QStringList paths;
        for (const QString &pupil : pupils) {
            machines.append(QUuid::createUuid().toString(QUuid::WithoutBraces));
            paths.append(m_dir.filePath(machines.last() + QStringLiteral(".sqlite")));
            for (int s = 0; s < sendersPerRecord; ++s) {
                senders.push_back(std::make_unique<ClassSender>(m_server->url(Class, pupil),
                                                                paths.last(), machines.last()));
                statuses.push_back(std::make_unique<QSignalSpy>(senders.back().get(),
                                                                &ClassSender::statusChanged));
            }
        }

        QAtomicInteger<int> written;
        std::vector<std::unique_ptr<QThread>> writers;
        for (const QString &path : std::as_const(paths)) {
            writers.emplace_back(QThread::create([path, &written] {
                LocalRecord record(path);
                const QDateTime start = QDateTime::currentDateTimeUtc();
                qint64 session = 0;
                for (int i = 0; i < Answers; ++i) {
                    const QDateTime at = start.addMSecs(1000 * i);
                    if (i % RunLength == 0) {
                        if (session)
                            record.endSession(session, at);
                        session = record.beginSession(at.addMSecs(-1000));
                    }
                    record.add(LocalRecord::answer(at, session, noteOf(i), i % 3 != 0));
                    ++written;
                    QThread::msleep(AnswerPauseMs);
                }
                record.endSession(session, start.addMSecs(1000 * Answers));
                QVERIFY(record.isOk());
            }));
            writers.back()->start();
        }

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
        for (const auto &writer : writers)
            QVERIFY(writer->wait(SettleMs));

        const QString mine = QStringLiteral("machine IN ('%1')").arg(machines.join("','"));
        QTRY_COMPARE_WITH_TIMEOUT(
            serverNumber(QStringLiteral("SELECT count(*) FROM answers WHERE ") + mine),
            qint64(total), SettleMs);
        // Ended runs follow their answers.
        const int runs = int(paths.size()) * ((Answers + RunLength - 1) / RunLength);
        QTRY_COMPARE_WITH_TIMEOUT(
            serverNumber(QStringLiteral("SELECT count(*) FROM sessions WHERE ended_at IS NOT NULL"
                                        " AND ") +
                         mine),
            qint64(runs), SettleMs);
        poke.stop();
        QTRY_VERIFY_WITH_TIMEOUT(std::all_of(senders.cbegin(), senders.cend(),
                                             [](const auto &s) {
                                                 return s->status().state ==
                                                        ClassStatus::State::Sent;
                                             }),
                                 SettleMs);

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
};

QTEST_GUILESS_MAIN(ClassSendTest)
#include "tst_classsend.moc"
