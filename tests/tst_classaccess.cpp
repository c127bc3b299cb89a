// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocalRecord.h"
#include "PostgresServer.h"

#include "classroom/ClassCopier.h"
#include "classroom/ClassReport.h"
#include "classroom/ServerProgress.h"

#include <QHash>
#include <QTest>

#include <memory>

namespace {

const QString Class = QStringLiteral("access");
const QString Teacher = QStringLiteral("teacher");
const QString Anna = QStringLiteral("anna");
const QString Bob = QStringLiteral("bob");
const QString Carl = QStringLiteral("carl"); // added, never heard from
constexpr int AnnaAnswers = 12;
constexpr int BobAnswers = 20;

} // namespace

class ClassAccessTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<PostgresServer> m_server;
    QTemporaryDir m_dir;
    QHash<QString, QString> m_passwords; // as printed for the teacher

    // Sends a record of answers the way the program does.
    void send(const QString &pupil, int answers)
    {
        const QString path = m_dir.filePath(pupil + QStringLiteral(".sqlite"));
        {
            LocalRecord record(path);
            const QDateTime start = QDateTime::currentDateTimeUtc().addDays(-1);
            const qint64 session = record.beginSession(start);
            for (int i = 0; i < answers; ++i)
                record.add(LocalRecord::answer(start.addSecs(i + 1), session, 60 + i % 5, i % 2));
            record.endSession(session, start.addSecs(answers + 1));
            QVERIFY(record.isOk());
        }
        ClassCopier copier(m_server->url(Class, pupil), path, pupil + QStringLiteral("-pc"));
        const ClassCopier::Outcome o = copier.copy();
        QVERIFY2(o.reached, qPrintable(o.error));
        QCOMPARE(o.sent, qint64(answers));
    }

    // Bob's rows as the superuser sees them: count, right answers, ended runs.
    QString bobsRows()
    {
        ClassConnection c(m_server->url(Class, QStringLiteral("admin")));
        if (!c.open())
            return c.errorString();
        QSqlQuery q(c.database());
        q.exec(QStringLiteral("SELECT (SELECT count(*) || '/' || sum(correct) FROM answers"
                              " WHERE pupil = 'bob') || ' ' || (SELECT count(*) || '/' ||"
                              " count(ended_at) FROM sessions WHERE pupil = 'bob')"));
        return q.next() ? q.value(0).toString() : q.lastError().text();
    }

private slots:
    void initTestCase()
    {
        if (!PostgresServer::installed())
            QSKIP("PostgreSQL or Qt's QPSQL driver is not installed");
        // It logs every statement, as a school's server may.
        m_server = std::make_unique<PostgresServer>(false, true);
        QVERIFY2(m_server->start(), qPrintable(m_server->log()));
        QVERIFY(m_server->makeClass(Class, Teacher));
        for (const QString &pupil : {Anna, Bob, Carl}) {
            const std::optional<QString> password = m_server->addPupil(Class, Teacher, pupil);
            QVERIFY(password);
            m_passwords.insert(pupil, *password);
        }
        send(Anna, AnnaAnswers);
        send(Bob, BobAnswers);
    }

    // Anna, logged in with her own password, tries Bob's rows every way SQL
    // offers. Reading finds nothing of his, writing is refused or touches
    // nothing, and his rows are as they were.
    void aPupilCannotReachAnotherPupilsRows_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<qint64>("result"); // the count read, or the rows changed
        const QString bobsAnswer =
            QStringLiteral("INSERT INTO answers (pupil, machine, local_id, at, session, clef, note,"
                           " correct, written) VALUES ('bob', 'pc', 999, now(), 1, 'treble', 60, 1,"
                           " 'C4')");
        QTest::newRow("her own answers, read")
            << "SELECT count(*) FROM answers" << false << qint64(AnnaAnswers);
        QTest::newRow("his answers, read")
            << "SELECT count(*) FROM answers WHERE pupil = 'bob'" << false << qint64(0);
        QTest::newRow("his test runs, read")
            << "SELECT count(*) FROM sessions WHERE pupil = 'bob'" << false << qint64(0);
        QTest::newRow("an answer in his name") << bobsAnswer << true << qint64(0);
        QTest::newRow("a test run in his name")
            << "INSERT INTO sessions (pupil, machine, local_id, started_at)"
               " VALUES ('bob', 'pc', 999, now())"
            << true << qint64(0);
        QTest::newRow("his answers, changed")
            << "UPDATE answers SET correct = 1 WHERE pupil = 'bob'" << true << qint64(0);
        QTest::newRow("his answers, deleted")
            << "DELETE FROM answers WHERE pupil = 'bob'" << true << qint64(0);
        QTest::newRow("his test runs, changed")
            << "UPDATE sessions SET ended_at = NULL WHERE pupil = 'bob'" << false << qint64(0);
        QTest::newRow("his test runs, deleted")
            << "DELETE FROM sessions WHERE pupil = 'bob'" << true << qint64(0);
        QTest::newRow("her own answers, changed")
            << "UPDATE answers SET correct = 1" << true << qint64(0);
        QTest::newRow("row security, switched off")
            << "ALTER TABLE answers DISABLE ROW LEVEL SECURITY" << true << qint64(0);
        QTest::newRow("the teachers' group, joined")
            << "SET ROLE access_teachers" << true << qint64(0);
    }
    void aPupilCannotReachAnotherPupilsRows()
    {
        QFETCH(QString, sql);
        QFETCH(bool, refused);
        QFETCH(qint64, result);
        const QString before = bobsRows();
        ClassConnection anna(m_server->url(Class, Anna));
        QVERIFY2(anna.open(), qPrintable(anna.errorString()));
        QSqlQuery q(anna.database());
        const bool done = q.exec(sql);
        QCOMPARE(!done, refused);
        if (done && q.isSelect()) {
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toLongLong(), result);
        } else if (done) {
            QCOMPARE(qint64(q.numRowsAffected()), result);
        }
        QCOMPARE(bobsRows(), before);
        QCOMPARE(before, QStringLiteral("%1/%2 1/1").arg(BobAnswers).arg(BobAnswers / 2));
    }

    // What the program shows a pupil comes through the same rules: Bob's
    // Progress and export read as Anna hold nothing of his, and the class
    // report (File > Class..., --class-report) read by a pupil is that
    // pupil's line alone, not even a classmate's name; the teacher reads
    // every row and every pupil of the class.
    void theProgramShowsAPupilOnlyHerOwnRows_data()
    {
        QTest::addColumn<QString>("login");
        QTest::addColumn<int>("bobsAnswers");
        QTest::addColumn<bool>("teacher");
        QTest::addColumn<QStringList>("reportLines"); // the report's pupils
        QTest::newRow("Anna") << Anna << 0 << false << QStringList{Anna};
        QTest::newRow("Carl, never heard from") << Carl << 0 << false << QStringList{Carl};
        QTest::newRow("the teacher")
            << Teacher << BobAnswers << true << QStringList{Anna, Bob, Carl};
    }
    void theProgramShowsAPupilOnlyHerOwnRows()
    {
        QFETCH(QString, login);
        QFETCH(int, bobsAnswers);
        QFETCH(bool, teacher);
        QFETCH(QStringList, reportLines);
        ServerProgress progress(m_server->url(Class, login), Bob);
        QVERIFY2(progress.load(), qPrintable(progress.errorString()));
        QCOMPARE(progress.history().answers.size(), bobsAnswers);

        const QString csv = m_dir.filePath(login + QStringLiteral(".csv"));
        QString error;
        qint64 rows = -1;
        QVERIFY2(progress.exportCsv(csv, &error, &rows), qPrintable(error));
        QCOMPARE(rows, qint64(bobsAnswers));

        ClassConnection c(m_server->url(Class, login));
        QVERIFY(c.open());
        QCOMPARE(ClassSchema::isTeacher(c.database(), &error), std::optional<bool>(teacher));
        const std::optional<QList<PupilFigures>> report =
            ClassReport::read(c.database(), QDateTime::currentDateTimeUtc(), &error);
        QVERIFY2(report, qPrintable(error));
        QStringList names;
        for (const PupilFigures &p : *report)
            names.append(p.pupil);
        QCOMPARE(names, reportLines);
        for (const PupilFigures &p : *report)
            QCOMPARE(p.answers, qint64(p.pupil == Anna  ? AnnaAnswers
                                       : p.pupil == Bob ? BobAnswers
                                                        : 0));
    }

    // A new pupil's login is made from a verifier computed by the program:
    // the server keeps it as it came, the pupil logs in with the password
    // printed, and the server's log of every statement holds the statements
    // that made the logins but never a password.
    void aNewPupilsPasswordNeverReachesTheServer_data()
    {
        QTest::addColumn<QString>("pupil");
        for (const QString &pupil : {Anna, Bob, Carl})
            QTest::newRow(qPrintable(pupil)) << pupil;
    }
    void aNewPupilsPasswordNeverReachesTheServer()
    {
        QFETCH(QString, pupil);
        const QString password = m_passwords.value(pupil);
        QCOMPARE(password.size(), ClassSchema::PasswordLength);
        ClassConnection own(m_server->url(Class, pupil));
        QVERIFY2(own.open(), qPrintable(own.errorString()));

        ClassConnection admin(m_server->url(Class, QStringLiteral("admin")));
        QVERIFY(admin.open());
        QSqlQuery q(admin.database());
        q.prepare(QStringLiteral("SELECT rolpassword FROM pg_authid WHERE rolname = ?"));
        q.addBindValue(pupil);
        QVERIFY(q.exec() && q.next());
        const QString stored = q.value(0).toString();
        QVERIFY2(stored.startsWith(QStringLiteral("SCRAM-SHA-256$4096:")), qPrintable(stored));

        const QString log = m_server->log();
        QVERIFY(!log.contains(password));
        QVERIFY(
            log.contains(QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD '%2'").arg(pupil, stored)));
    }
};

QTEST_GUILESS_MAIN(ClassAccessTest)
#include "tst_classaccess.moc"
