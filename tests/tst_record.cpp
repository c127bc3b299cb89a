// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The record kept safe: files of other programs refused and left as they
// were, version 1 upgraded without a row lost, a record deleted under the
// program written again, another program's lock delaying only the writing,
// and numbers never given twice.
#include "FakeSound.h"
#include "LogRows.h"
#include "RecordChildren.h"
#include "VersionOneRecord.h"

#include "app/CommandLine.h"
#include "app/VKControl.h"
#include "app/VKScore.h"
#include "notes/Catalogue.h"
#include "progress/AnswerLog.h"
#include "progress/RecordSchema.h"
#include "staff/VKTest.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

using Folder = QMap<QString, QByteArray>;

// Every file of a folder with its bytes.
Folder folderContents(const QString &path)
{
    Folder files;
    const QDir dir(path);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden)) {
        QFile f(dir.filePath(name));
        files.insert(name, f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("unreadable"));
    }
    return files;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// One row as version 1 wrote it, with what version 2 makes of it.
struct VersionOneRow
{
    qint64 id;
    qint64 session;
    const char *clef;
    int note;
    bool flat;
    std::optional<int> answer; // none: timed out
    const char *clefNow;
    const char *written;
};

// Grand-staff rows on both sides of middle C, sharps and flats, a time-out,
// ids with gaps, and a run (7) that has no row of its own, as an import
// writes them.
const VersionOneRow VersionOneRows[] = {
    {1, 1, "both", 60, false, 60, "treble", "C4"},
    {2, 1, "both", 59, false, 59, "bass", "B3"},
    {3, 1, "both", 61, true, 63, "treble", "Db4"},
    {5, 1, "both", 58, false, 58, "bass", "A#3"},
    {8, 2, "treble", 70, true, 70, "treble", "Bb4"},
    {9, 2, "bass", 42, true, 44, "bass", "Gb2"},
    {10, 2, "treble", 66, false, std::nullopt, "treble", "F#4"},
    {11, 7, "bass", 36, false, 36, "bass", "C2"},
    {12, 7, "both", 83, false, 83, "treble", "B5"},
};

// A record as version 1 made it, through the connection named, which is
// left open in the journal's mode with the rows still in its journal.
bool writeVersionOneRecord(const QString &path, const QString &connection)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(path);
    QSqlQuery q(db);
    bool ok = db.open() && q.exec("PRAGMA wal_autocheckpoint=0") &&
              VersionOneRecord::createTables(q) &&
              q.exec("INSERT INTO sessions VALUES (1, '2026-01-05T10:00:00.000Z',"
                     " '2026-01-05T10:05:00.000Z'), (2, '2026-01-06T10:00:00.000Z', NULL)");
    ok = ok && q.prepare(VersionOneRecord::InsertAnswer);
    for (const VersionOneRow &r : VersionOneRows) {
        q.addBindValue(r.id);
        q.addBindValue(
            QStringLiteral("2026-01-05T10:00:%1.250Z").arg(r.id, 2, 10, QLatin1Char('0')));
        q.addBindValue(r.session);
        q.addBindValue(QLatin1String(r.clef));
        q.addBindValue(r.note);
        q.addBindValue(r.flat ? 1 : 0);
        q.addBindValue(r.answer ? QVariant(*r.answer) : QVariant(QMetaType(QMetaType::Int)));
        q.addBindValue(r.answer == r.note ? 1 : 0);
        q.addBindValue(r.answer ? QVariant(700 + int(r.id)) : QVariant(QMetaType(QMetaType::Int)));
        q.addBindValue(r.answer ? QVariant(QStringLiteral("keys"))
                                : QVariant(QMetaType(QMetaType::QString)));
        q.addBindValue(4000);
        ok = ok && q.exec();
    }
    return ok;
}

// The computer key that plays a pitch class on the letter rows.
Qt::Key keyFor(int midi)
{
    constexpr Qt::Key Row[12] = {Qt::Key_Z, Qt::Key_S, Qt::Key_X, Qt::Key_D, Qt::Key_C, Qt::Key_V,
                                 Qt::Key_G, Qt::Key_B, Qt::Key_H, Qt::Key_N, Qt::Key_J, Qt::Key_M};
    return Row[midi % 12];
}

} // namespace

class RecordTest : public QObject
{
    Q_OBJECT
private slots:
    // The real program, with no display: a file that is not ours stops it
    // before any window with status 2, and nothing in the folder changes,
    // no journal added. Files that are ours, or empty, pass to the display
    // check (status 1); an export reads without leaving traces either.
    void filesOfOtherProgramsAreRefusedAndLeftAsTheyWere_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("exporting");
        QTest::addColumn<int>("status");
        QTest::newRow("a teacher's CSV") << "csv" << false << 2;
        QTest::newRow("another program's SQLite file") << "sqlite" << false << 2;
        QTest::newRow("another program's file with its journal") << "journal" << false << 2;
        QTest::newRow("an empty file") << "empty" << false << 1;
        QTest::newRow("a version-1 record") << "v1" << false << 1;
        QTest::newRow("a record exported") << "v2" << true << 0;
    }
    void filesOfOtherProgramsAreRefusedAndLeftAsTheyWere()
    {
        QFETCH(QString, kind);
        QFETCH(bool, exporting);
        QTemporaryDir dir, elsewhere;
        const QString file = dir.filePath(QStringLiteral("anna.sqlite"));
        if (kind == QLatin1String("csv")) {
            QVERIFY(writeFile(file, "id,at,note\n1,2026-01-05,60\n"));
        } else if (kind == QLatin1String("sqlite") || kind == QLatin1String("journal")) {
            // A journal without its index: what a killed program leaves.
            const QString live = elsewhere.filePath(QStringLiteral("live.sqlite"));
            LogRows::query(live, "CREATE TABLE contacts (name TEXT, phone TEXT)");
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
            db.setDatabaseName(live);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("PRAGMA journal_mode=WAL") && q.exec("PRAGMA wal_autocheckpoint=0"));
            QVERIFY(q.exec("INSERT INTO contacts VALUES ('Anna', '555')"));
            QVERIFY(QFile::copy(live, file));
            if (kind == QLatin1String("journal"))
                QVERIFY(QFile::copy(live + "-wal", file + "-wal"));
            q.finish();
            db.close();
        } else if (kind == QLatin1String("empty")) {
            QVERIFY(writeFile(file, QByteArray()));
        } else if (kind == QLatin1String("v1")) {
            QVERIFY(writeVersionOneRecord(file, "v1"));
            QSqlDatabase::database("v1").close();
        } else {
            AnswerLog log(file);
            QCOMPARE(log.open(), AnswerLog::State::Recording);
            log.beginSession();
            QVERIFY(log.record(RecordChildren::numbered(0)));
            QVERIFY(log.finishWrites());
        }
        QSqlDatabase::removeDatabase("other");
        QSqlDatabase::removeDatabase("v1");
        const Folder before = folderContents(dir.path());

        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(name));
        program.setProcessEnvironment(env);
        QStringList arguments{"--progress-file", file};
        if (exporting)
            arguments << "--export-progress" << elsewhere.filePath(QStringLiteral("out.csv"));
        program.start(qEnvironmentVariable("VELKARO_TEST_BINARY_DIR") + "/bin/velkaro", arguments);
        QVERIFY(program.waitForFinished(20000));
        const QString error = program.readAllStandardError();
        QTEST(program.exitCode(), "status");
        if (program.exitCode() == CommandLine::UsageError)
            QVERIFY2(error.contains(file), qPrintable(error));
        QCOMPARE(folderContents(dir.path()), before);
    }

    // Every row keeps its number and values, the grand staff's rows get
    // their staff, the written note is spelled as version 1 drew it, and
    // the file as it was, journal included, stays beside it as .v1.
    void aVersionOneRecordIsUpgradedWithEveryRowKept()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("progress.sqlite"));
        QVERIFY(writeVersionOneRecord(file, "v1"));
        const QList<QVariantMap> before = LogRows::answers(file);
        QCOMPARE(before.size(), int(std::size(VersionOneRows)));
        {
            AnswerLog log(file);
            QCOMPARE(log.open(), AnswerLog::State::Recording);
            QCOMPARE(log.keptCopy(), file + ".v1");
            // The next run goes on above every number in use, run 7 included.
            log.beginSession();
            QVERIFY(log.record(RecordChildren::numbered(0)));
            QVERIFY(log.finishWrites());
        }
        QSqlDatabase::database("v1").close();
        QSqlDatabase::removeDatabase("v1");

        const QList<QVariantMap> after = LogRows::answers(file);
        QCOMPARE(after.size(), before.size() + 1);
        for (int i = 0; i < before.size(); ++i) {
            const VersionOneRow &r = VersionOneRows[i];
            for (const QString &column : RecordSchema::answerColumnNames(1)) {
                if (column != QLatin1String("clef"))
                    QCOMPARE(after[i][column], before[i][column]);
            }
            QCOMPARE(after[i]["clef"].toString(), QLatin1String(r.clefNow));
            QCOMPARE(after[i]["written"].toString(), QLatin1String(r.written));
            QCOMPARE(WrittenNote::fromText(after[i]["written"].toString())->midi(), r.note);
            QCOMPARE(after[i]["key"].toInt(), 0);
        }
        QVERIFY(after.last()["id"].toLongLong() > before.last()["id"].toLongLong());
        QCOMPARE(after.last()["session"].toLongLong(), 8);
        QCOMPARE(LogRows::query(file, "SELECT count(*) AS n FROM sessions WHERE kind = 'test'")
                     .first()["n"]
                     .toInt(),
                 3);
        const auto header = LogRows::query(file, "SELECT * FROM pragma_user_version,"
                                                 " pragma_application_id");
        QCOMPARE(header.first()["user_version"].toInt(), 2);
        QCOMPARE(header.first()["application_id"].toInt(), RecordSchema::ApplicationId);
        QCOMPARE(LogRows::integrity(file), QStringLiteral("ok"));

        const QString copy = file + ".v1";
        QVERIFY(!QFile::exists(copy + "-wal"));
        QCOMPARE(LogRows::query(copy, "PRAGMA user_version").first().first().toInt(), 1);
        QCOMPARE(LogRows::answers(copy), before);
    }

    // A child records, the record is taken from under it, it records on and
    // is killed: every answer of its run is in the record at the path, or
    // beside the file that took its place, which is left alone.
    void aRecordThatVanishesIsWrittenAgainWithEveryAnswer_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("deleted") << "delete";
        QTest::newRow("deleted with its journal") << "delete all";
        QTest::newRow("moved away") << "move";
        QTest::newRow("replaced by another file") << "replace";
    }
    void aRecordThatVanishesIsWrittenAgainWithEveryAnswer()
    {
        QFETCH(QString, what);
        constexpr int Count = 12, Before = 5;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("progress.sqlite"));
        QProcess *child =
            RecordChildren::start({RecordChildren::WriteAnswers, file, QString::number(Count),
                                   "wait", QString::number(Before)},
                                  this);
        QByteArray printed;
        RecordChildren::readUntil(child, QByteArray::number(Before - 1), &printed);
        QCOMPARE(printed.count('\n'), Before);

        const QByteArray someoneElses = "notes of another program\n";
        if (what == QLatin1String("move"))
            QVERIFY(QFile::rename(file, file + ".old"));
        else
            QVERIFY(QFile::remove(file));
        if (what == QLatin1String("delete all")) {
            QFile::remove(file + "-wal");
            QFile::remove(file + "-shm");
        }
        if (what == QLatin1String("replace"))
            QVERIFY(writeFile(file, someoneElses));
        child->write("go on\n");
        RecordChildren::readUntil(child, QByteArray::number(Count - 1), &printed);
        ::kill(pid_t(child->processId()), SIGKILL);
        QVERIFY(child->waitForFinished());
        QCOMPARE(printed.count('\n'), Count);

        QString record = file;
        // The killed program leaves its journal beside the file it recorded in.
        QStringList recovered = QDir(dir.path()).entryList({"progress.sqlite.recovered-*"});
        recovered.removeIf([](const QString &name) {
            return name.endsWith(QLatin1String("-wal")) || name.endsWith(QLatin1String("-shm"));
        });
        if (what == QLatin1String("replace")) {
            QFile other(file);
            QVERIFY(other.open(QIODevice::ReadOnly));
            QCOMPARE(other.readAll(), someoneElses);
            QCOMPARE(recovered.size(), 1);
            record = dir.filePath(recovered.first());
        } else {
            QVERIFY(recovered.isEmpty());
        }
        const QList<QVariantMap> rows = LogRows::answers(record);
        QCOMPARE(rows.size(), Count);
        for (int i = 0; i < Count; ++i) {
            const Answer a = RecordChildren::numbered(i);
            QCOMPARE(rows[i]["written"].toString(), a.written.text());
            QCOMPARE(rows[i]["answer"].toInt(), *a.answer);
            QCOMPARE(rows[i]["session"], rows.first()["session"]);
        }
        QCOMPARE(LogRows::integrity(record), QStringLiteral("ok"));
    }

    // Another program holds the write lock for three seconds from before
    // the run begins. Every key is judged at once against the note it
    // answered, all of them before the lock goes; the answers are written
    // when it does, none lost, and recording goes on.
    void anotherProgramsLockDelaysOnlyTheWriting()
    {
        constexpr int Keys = 5;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("progress.sqlite"));
        FakeSound sound;
        VKControl w;
        StartOptions options;
        options.progressFile = file;
        w.applyStartOptions(options);
        w.show();
        QCOMPARE(w.answerLog()->open(), AnswerLog::State::Recording);
        QSignalSpy stopped(w.answerLog(), &AnswerLog::stopped);

        QProcess *holder = RecordChildren::start({RecordChildren::HoldLock, file, "3000"}, this);
        QByteArray said;
        RecordChildren::readUntil(holder, "locked", &said);
        QVERIFY2(said.contains("locked\n"), said.constData());

        w.setMode(true);
        QList<int> shown;
        for (int i = 1; i <= Keys; ++i) {
            shown << w.staffView()->currentTestNote()->midi();
            QTest::keyClick(&w, keyFor(shown.last()));
            QVERIFY2(w.scoreView()->text().contains(QStringLiteral("%1 of %1").arg(i)),
                     qPrintable(w.scoreView()->text()));
        }
        said += holder->readAllStandardOutput();
        QVERIFY2(!said.contains("released"), "the keys waited for the other program");
        // Every answer waits (the run's start may too).
        QVERIFY(w.answerLog()->pendingWrites() >= Keys);
        QVERIFY(LogRows::answers(file).isEmpty());

        w.setMode(false);
        QVERIFY(holder->waitForFinished(10000));
        QCOMPARE(holder->exitCode(), 0);
        QVERIFY(w.answerLog()->finishWrites(10000));
        const QList<QVariantMap> rows = LogRows::answers(file);
        QCOMPARE(rows.size(), Keys);
        for (int i = 0; i < Keys; ++i) {
            QCOMPARE(rows[i]["note"].toInt(), shown[i]);
            QCOMPARE(rows[i]["correct"].toInt(), 1);
            QCOMPARE(rows[i]["answer"].toInt() % 12, shown[i] % 12);
            QCOMPARE(rows[i]["source"].toString(), QStringLiteral("keys"));
        }
        QCOMPARE(stopped.size(), 0);
        QVERIFY(w.answerLog()->isRecording());
    }

    // Forgetting empties the record but never lets a number come round
    // again, so exports from before and after it do not clash; and it names
    // the copies beside the record that still hold old answers.
    void numbersAreNeverGivenAgainAfterForgetting()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("progress.sqlite"));
        QVERIFY(writeFile(file + ".broken-20260101-101010", "old"));
        QVERIFY(writeFile(file + ".v1", "older"));
        AnswerLog log(file);
        QCOMPARE(log.open(), AnswerLog::State::Recording);
        for (int run = 0; run < 2; ++run) {
            log.beginSession();
            for (int i = 0; i < 3; ++i)
                QVERIFY(log.record(RecordChildren::numbered(i)));
            log.endSession();
        }
        QVERIFY(log.finishWrites());
        const auto last = [&] {
            return LogRows::query(file, "SELECT (SELECT max(id) FROM answers) AS answer,"
                                        " (SELECT max(id) FROM sessions) AS session")
                .first();
        };
        const QVariantMap before = last();
        QCOMPARE(before["answer"].toInt(), 6);

        QSignalSpy forgotten(&log, &AnswerLog::forgotten);
        log.forget();
        QVERIFY(log.finishWrites());
        QCOMPARE(forgotten.size(), 1);
        const auto report = forgotten.first().first().value<ForgetReport>();
        QVERIFY(report.emptied);
        QVERIFY(report.wiped);
        QCOMPARE(report.copies, QStringList({file + ".broken-20260101-101010", file + ".v1"}));
        QVERIFY(LogRows::answers(file).isEmpty());

        log.beginSession();
        QVERIFY(log.record(RecordChildren::numbered(0)));
        QVERIFY(log.finishWrites());
        const QVariantMap after = last();
        QVERIFY(after["answer"].toInt() > before["answer"].toInt());
        QVERIFY(after["session"].toInt() > before["session"].toInt());
        QCOMPARE(LogRows::answers(file).first()["session"], after["session"]);
    }
};

int main(int argc, char **argv)
{
    if (const int status = RecordChildren::runChild(argc, argv); status >= 0)
        return status;
    QApplication app(argc, argv);
    RecordTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_record.moc"
