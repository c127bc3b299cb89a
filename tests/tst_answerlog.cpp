// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeSound.h"
#include "LogRows.h"
#include "RecordChildren.h"
#include "WindowDriver.h"

#include "app/CommandLine.h"
#include "app/VKControl.h"
#include "app/VKScore.h"
#include "input/MidiInput.h"
#include "keyboard/VKKeyboard.h"
#include "notes/Catalogue.h"
#include "progress/AnswerLog.h"
#include "staff/VKTest.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

QProcess *startWriter(const QString &file, int count, const QString &then, QObject *parent)
{
    return RecordChildren::start({RecordChildren::WriteAnswers, file, QString::number(count), then},
                                 parent);
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// An SQLite file with a table of many rows, the user version given, and
// the application id given.
void makeDatabase(const QString &path, int userVersion, qint32 applicationId = 0)
{
    LogRows::query(path, QStringLiteral("CREATE TABLE t (x TEXT)"));
    LogRows::query(path, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1"
                                        " FROM n WHERE i < 3000)"
                                        " INSERT INTO t SELECT printf('row %08d', i) FROM n"));
    LogRows::query(path, QStringLiteral("CREATE INDEX tx ON t (x)"));
    LogRows::query(path, QStringLiteral("PRAGMA user_version = %1").arg(userVersion));
    LogRows::query(path, QStringLiteral("PRAGMA application_id = %1").arg(applicationId));
}

} // namespace

class AnswerLogTest : public QObject
{
    Q_OBJECT
private slots:

    void everyVerdictIsARowWithWhatHappened()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("pupil.sqlite"));
        FakeSound sound;
        VKControl w;
        StartOptions options;
        options.progressFile = file;
        w.applyStartOptions(options);
        w.show();
        VKTest *staff = w.staffView();
        WindowDriver::testToggle(&w)->click();

        struct Expected
        {
            int note;
            bool flat;
            QVariant answer;
            QString source;
        };
        QList<Expected> expected;
        // Answers by pitch, as the one-octave keyboard judges them.
        const auto answerWith = [&](const QString &source, int note, auto act) {
            const WrittenNote shown = *staff->currentTestNote();
            expected << Expected{shown.midi(), shown.alteration() < 0,
                                 note ? QVariant(note) : QVariant(), source};
            QTest::qWait(20);
            act(note);
        };
        answerWith(QStringLiteral("screen"), staff->currentTestNote()->midi(),
                   [&](int n) { emit w.keyboardView()->noteRead(n); });
        answerWith(QStringLiteral("keys"), MiddleC, [&](int) { QTest::keyClick(&w, Qt::Key_Z); });
        answerWith(QStringLiteral("midi"), staff->currentTestNote()->midi() + 1,
                   [&](int n) { emit w.midiInput()->noteRead(n); });
        answerWith(QString(), 0, [&](int) { staff->checkNoNote(); });
        WindowDriver::testToggle(&w)->click();
        QVERIFY(w.answerLog()->finishWrites());

        const QList<QVariantMap> rows = LogRows::answers(file);
        QCOMPARE(rows.size(), expected.size());
        for (int i = 0; i < rows.size(); ++i) {
            const QVariantMap &row = rows[i];
            const Expected &e = expected[i];
            QCOMPARE(row["note"].toInt(), e.note);
            QCOMPARE(row["flat"].toInt(), e.flat ? 1 : 0);
            QCOMPARE(row["written"].toString(), WrittenNote::fromMidi(e.note, e.flat).text());
            QCOMPARE(row["key"].toInt(), 0);
            QCOMPARE(row["answer"].isNull(), !e.answer.isValid());
            QCOMPARE(row["answer"].toInt(), e.answer.toInt());
            const bool right = e.answer.isValid() && e.answer.toInt() % 12 == e.note % 12;
            QCOMPARE(row["correct"].toInt(), right ? 1 : 0);
            QCOMPARE(row["source"].toString(), e.source);
            QCOMPARE(row["source"].isNull(), e.source.isEmpty());
            QCOMPARE(row["response_ms"].isNull(), !e.answer.isValid());
            if (e.answer.isValid())
                QVERIFY(row["response_ms"].toInt() >= 20);
            QCOMPARE(row["clef"].toString(), QStringLiteral("treble"));
            QCOMPARE(row["interval_ms"].toInt(), DefaultTestTime);
            QCOMPARE(row["session"], rows.first()["session"]);
            const QString at = row["at"].toString();
            QVERIFY2(QDateTime::fromString(at, Qt::ISODateWithMs).isValid() && at.endsWith('Z') &&
                         at.contains('.'),
                     qPrintable(at));
        }
        // The next test run has a number of its own.
        WindowDriver::testToggle(&w)->click();
        staff->checkNoNote();
        WindowDriver::testToggle(&w)->click();
        QVERIFY(w.answerLog()->finishWrites());
        QVERIFY(LogRows::answers(file).last()["session"] != rows.first()["session"]);
        const auto runs =
            LogRows::query(file, QStringLiteral("SELECT kind, settings FROM sessions"));
        QCOMPARE(runs.size(), 2);
        QCOMPARE(runs.first()["kind"].toString(), QStringLiteral("test"));
        const QJsonObject settings =
            QJsonDocument::fromJson(runs.first()["settings"].toByteArray()).object();
        QCOMPARE(settings["clef"].toString(), QStringLiteral("treble"));
        QCOMPARE(settings["interval_ms"].toInt(), DefaultTestTime);
        QCOMPARE(settings["notes"].toString(), QStringLiteral("random"));
    }

    void anAnswerJudgedSurvivesTheProgramBeingKilled()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("progress.sqlite"));
        constexpr int Count = 40;
        QProcess *child = startWriter(file, Count, QStringLiteral("wait"), this);
        QByteArray printed;
        while (!printed.contains(QByteArray::number(Count - 1) + '\n') &&
               child->state() != QProcess::NotRunning) {
            child->waitForReadyRead(5000);
            printed += child->readAllStandardOutput();
        }
        ::kill(pid_t(child->processId()), SIGKILL);
        QVERIFY(child->waitForFinished());
        QCOMPARE(child->exitStatus(), QProcess::CrashExit);
        QCOMPARE(LogRows::answers(file).size(), Count);
        QCOMPARE(LogRows::integrity(file), QStringLiteral("ok"));
    }

    void twoProgramsOnOneFileBothRecordEverything()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("progress.sqlite"));
        constexpr int Count = 300;
        QProcess *first = startWriter(file, Count, QStringLiteral("exit"), this);
        QProcess *second = startWriter(file, Count, QStringLiteral("exit"), this);
        for (QProcess *child : {first, second}) {
            QVERIFY(child->waitForFinished(60000));
            QCOMPARE(child->exitCode(), 0);
        }
        const auto sessions = LogRows::query(
            file, QStringLiteral("SELECT session, count(*) AS n FROM answers GROUP BY session"));
        QCOMPARE(sessions.size(), 2);
        for (const QVariantMap &s : sessions)
            QCOMPARE(s["n"].toInt(), Count);
        QCOMPARE(LogRows::integrity(file), QStringLiteral("ok"));
    }

    // Only the default record is cleared out of the way; a file the learner
    // named is left as it is, and nothing is recorded.
    void aBrokenFileIsMovedAsideNeverOverwritten_data()
    {
        QTest::addColumn<bool>("database");
        QTest::addColumn<bool>("defaultRecord");
        QTest::newRow("not a database") << false << true;
        QTest::newRow("a damaged database") << true << true;
        QTest::newRow("not a database, named by the learner") << false << false;
        QTest::newRow("a damaged database, named by the learner") << true << false;
    }

    void aBrokenFileIsMovedAsideNeverOverwritten()
    {
        QFETCH(bool, database);
        QFETCH(bool, defaultRecord);
        QTemporaryDir dir;
        const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", dir.path().toLocal8Bit());
        const QString file =
            defaultRecord ? AnswerLog::defaultPath() : dir.filePath(QStringLiteral("pupil.sqlite"));
        qputenv("XDG_DATA_HOME", dataHome);
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        if (database) {
            makeDatabase(file, 1);
            QByteArray bytes = contents(file);
            QVERIFY(bytes.size() > 5 * 4096);
            bytes.replace(2 * 4096, 4096, QByteArray(4096, '\x55'));
            writeFile(file, bytes);
        } else {
            writeFile(file,
                      QByteArray("Dear diary, today I practised the bass clef.\n").repeated(100));
            writeFile(file + QStringLiteral("-wal"), QByteArray(64, 'w'));
        }
        const QByteArray before = contents(file);

        AnswerLog log(file);
        if (!defaultRecord) {
            QCOMPARE(log.open(), AnswerLog::State::NotOurs);
            QCOMPARE(contents(file), before);
            QVERIFY(!log.record(Answer()));
            return;
        }
        qputenv("XDG_DATA_HOME", dir.path().toLocal8Bit());
        QCOMPARE(log.open(), AnswerLog::State::Recording);
        qputenv("XDG_DATA_HOME", dataHome);
        QVERIFY(log.movedAside().startsWith(file + QStringLiteral(".broken-")));
        QCOMPARE(contents(log.movedAside()), before);
        if (!database)
            QCOMPARE(contents(log.movedAside() + QStringLiteral("-wal")), QByteArray(64, 'w'));
        Answer a;
        a.clef = QStringLiteral("bass");
        a.written = WrittenNote::fromMidi(40);
        QVERIFY(log.record(a));
        QVERIFY(log.finishWrites());
        QCOMPARE(LogRows::answers(file).size(), 1);
    }

    void aFileFromANewerVersionIsLeftUntouched()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("progress.sqlite"));
        makeDatabase(file, AnswerLog::SchemaVersion + 1, RecordSchema::ApplicationId);
        const QByteArray before = contents(file);
        {
            AnswerLog log(file);
            QCOMPARE(log.open(), AnswerLog::State::Newer);
            log.beginSession();
            QVERIFY(!log.record(Answer()));
        }
        QCOMPARE(contents(file), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"progress.sqlite"});
    }

    void anUnwritablePlaceLeavesTheWindowWorkingAndSaysSoOnce()
    {
        QTemporaryDir dir;
        // A folder that cannot be made: its parent is a file.
        writeFile(dir.filePath(QStringLiteral("notafolder")), "x");
        FakeSound sound;
        VKControl w;
        StartOptions options;
        options.progressFile = dir.filePath(QStringLiteral("notafolder/progress.sqlite"));
        w.applyStartOptions(options);
        w.openAnswerLog();
        QTRY_COMPARE(w.answerLog()->state(), AnswerLog::State::Unwritable);
        WindowDriver::testToggle(&w)->click();
        for (int i = 0; i < 3; ++i)
            emit w.keyboardView()->noteRead(w.staffView()->currentTestNote()->midi());
        WindowDriver::testToggle(&w)->click();
        QVERIFY(w.scoreView()->text().contains(QLatin1String("3 of 3")));
        const auto boxes = w.findChildren<QMessageBox *>();
        QCOMPARE(boxes.size(), 1);
        QVERIFY(boxes.first()->text().contains(QLatin1String("notafolder")));
    }
};

int main(int argc, char **argv)
{
    if (const int status = RecordChildren::runChild(argc, argv); status >= 0)
        return status;
    QApplication app(argc, argv);
    AnswerLogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_answerlog.moc"
