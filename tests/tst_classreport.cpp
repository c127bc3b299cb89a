// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocalRecord.h"
#include "PostgresServer.h"

#include "classroom/ClassCopier.h"
#include "classroom/ClassReport.h"
#include "classroom/ServerProgress.h"
#include "progress/ProgressFigures.h"

#include <QTest>

#include <memory>

namespace {

const QString Class = QStringLiteral("report");
const QString Teacher = QStringLiteral("teacher");
const QDateTime Now(QDate(2026, 3, 10), QTime(12, 0), QTimeZone::utc());

// One test run of a record: its start, its length by its row in `sessions`
// (none: never ended), and its answers one second apart, each a note and
// whether it was right, oldest first.
struct Run
{
    qint64 startsBeforeNowS;
    std::optional<int> lengthS;
    int responseMs;
    QList<QPair<int, bool>> answers;
};

QList<QPair<int, bool>> notes(int note, const QList<bool> &rights)
{
    QList<QPair<int, bool>> list;
    for (const bool right : rights)
        list.append({note, right});
    return list;
}

constexpr qint64 Day = 24 * 60 * 60;

} // namespace

class ClassReportTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<PostgresServer> m_server;
    QTemporaryDir m_dir;

    // A record of these runs, sent as the pupil from a computer of its own.
    void send(const QString &pupil, const QString &machine, const QList<Run> &runs)
    {
        const QString path = m_dir.filePath(machine + QStringLiteral(".sqlite"));
        {
            LocalRecord record(path);
            for (const Run &run : runs) {
                const QDateTime start = Now.addSecs(-run.startsBeforeNowS);
                const qint64 session = record.beginSession(start);
                for (int i = 0; i < run.answers.size(); ++i)
                    record.add(LocalRecord::answer(start.addSecs(i + 1), session,
                                                   run.answers.at(i).first,
                                                   run.answers.at(i).second, run.responseMs));
                if (run.lengthS)
                    record.endSession(session, start.addSecs(*run.lengthS));
            }
            QVERIFY(record.isOk());
        }
        ClassCopier copier(m_server->url(Class, pupil), path, machine);
        const ClassCopier::Outcome o = copier.copy();
        QVERIFY2(o.reached && o.waiting == 0, qPrintable(o.error));
    }

    QList<PupilFigures> report()
    {
        ClassConnection c(m_server->url(Class, Teacher));
        if (!c.open())
            return {};
        QString error;
        return ClassReport::read(c.database(), Now, &error).value_or(QList<PupilFigures>());
    }

private slots:
    void initTestCase()
    {
        if (!PostgresServer::installed())
            QSKIP("PostgreSQL or Qt's QPSQL driver is not installed");
        m_server = std::make_unique<PostgresServer>();
        QVERIFY2(m_server->start(), qPrintable(m_server->log()));
        QVERIFY(m_server->makeClass(Class, Teacher));
        for (const char *pupil : {"anna", "bob", "carl"})
            QVERIFY(m_server->addPupil(Class, Teacher, QLatin1String(pupil)));

        // Anna: ten days ago a run of five minutes by its row; two days ago
        // one never ended, 10 s from the first note shown to the last verdict.
        send(QStringLiteral("anna"), QStringLiteral("anna-pc"),
             {{10 * Day, 300, 500,
               notes(60, {0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}) + notes(62, {0, 0, 0, 1, 1}) +
                   notes(64, {0, 1, 1})},
              {2 * Day, std::nullopt, 1000,
               notes(65, {0, 0, 1, 1}) + notes(67, {1, 1, 1, 1, 1, 1})}});
        // Bob, on two computers, the later one sent first: note 72's last ten
        // answers are the first computer's last six and the second's four.
        send(QStringLiteral("bob"), QStringLiteral("bob-laptop"),
             {{3 * 3600, 120, 800, notes(72, {0, 0, 1, 1}) + notes(74, {0, 0})}});
        send(QStringLiteral("bob"), QStringLiteral("bob-pc"),
             {{Day, 60, 800, notes(72, {0, 0, 1, 1, 1, 0, 1, 1})}});
    }

    // Each pupil's line, worked out by hand from the runs above: answers,
    // right %, right answers per minute of test time, the last 7 days'
    // answers and right %, and the notes missed most in their last ten.
    // Carl, added but never heard from, has a line of his own.
    void eachPupilsFiguresMatchTheRows_data()
    {
        QTest::addColumn<QString>("pupil");
        QTest::addColumn<QString>("line");
        QTest::addColumn<qint64>("testMs");
        // 22 right of 30; 22 in 310 s; the recent run 8 of 10; misses 3, 2, 1.
        QTest::newRow("anna") << "anna"
                              << "anna,30,73.3,4.3,10,80.0,D4 F4 E4" << qint64(310000);
        // 7 right of 14 in 180 s; note 72 missed 3 times in its last ten, 74 twice.
        QTest::newRow("bob") << "bob"
                             << "bob,14,50.0,2.3,14,50.0,C5 D5" << qint64(180000);
        QTest::newRow("carl") << "carl"
                              << "carl,0,,,0,," << qint64(0);
    }
    void eachPupilsFiguresMatchTheRows()
    {
        QFETCH(QString, pupil);
        QFETCH(QString, line);
        QFETCH(qint64, testMs);
        const QList<PupilFigures> pupils = report();
        QCOMPARE(pupils.size(), 3);
        const QStringList csv = ClassReport::csv(pupils).split(QLatin1Char('\n'));
        QVERIFY(csv.contains(line));
        const auto figures =
            std::find_if(pupils.cbegin(), pupils.cend(),
                         [&pupil](const PupilFigures &p) { return p.pupil == pupil; });
        QVERIFY(figures != pupils.cend());
        QCOMPARE(figures->testMs, testMs);

        // The table says the same, its columns lined up.
        const QStringList table = ClassReport::table(pupils).split(QLatin1Char('\n'));
        QCOMPARE(table.first().split(QRegularExpression(QStringLiteral("\\s{2,}"))),
                 ClassReport::header());
        const QStringList cells = ClassReport::cells(*figures);
        const auto row = std::find_if(table.cbegin(), table.cend(), [&](const QString &text) {
            return text.startsWith(pupil + QLatin1Char(' '));
        });
        QVERIFY(row != table.cend());
        QCOMPARE(row->simplified(), QStringList(cells).join(QLatin1Char(' ')).simplified());

        // The pupil's Progress window, read from the same rows, agrees.
        ServerProgress rows(m_server->url(Class, Teacher), pupil);
        QVERIFY2(rows.load(), qPrintable(rows.errorString()));
        const ProgressFigures::Totals totals = ProgressFigures::totals(rows.history());
        QCOMPARE(qint64(totals.answers), figures->answers);
        QCOMPARE(qint64(totals.right), figures->right);
        QCOMPARE(totals.testMs, figures->testMs);
    }
};

QTEST_GUILESS_MAIN(ClassReportTest)
#include "tst_classreport.moc"
