// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocalRecord.h"
#include "LogRows.h"
#include "app/ClassLink.h"
#include "classroom/ClassSettings.h"
#include "progress/AnswerLog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString SqliteDriver = QStringLiteral("sqldrivers/libqsqlite.so");

// Qt's plugins as on a computer without libqt6sql6-psql: the SQLite driver
// alone. Made before anything opens a database, so that Qt looks nowhere
// else for drivers.
bool pluginsWithoutPostgres(const QTemporaryDir &dir)
{
    const QString installed =
        QDir(QLibraryInfo::path(QLibraryInfo::PluginsPath)).filePath(SqliteDriver);
    const QString link = dir.filePath(SqliteDriver);
    if (!QDir(dir.path()).mkpath(QStringLiteral("sqldrivers")) || !QFile::link(installed, link))
        return false;
    QCoreApplication::setLibraryPaths({dir.path()});
    return true;
}

} // namespace

// A class is kept in the settings, but Qt's PostgreSQL driver is not
// installed: the answers are recorded on this computer as ever, and the
// status line says what is missing instead of a bare "offline".
class ClassNoDriverTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(QSqlDatabase::drivers().contains(QStringLiteral("QSQLITE")));
        QVERIFY(!QSqlDatabase::drivers().contains(QStringLiteral("QPSQL")));
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
        ClassSettings{QStringLiteral("postgresql://school.example/class"), QStringLiteral("anna")}
            .save();
    }

    void theRecordGoesOnAndTheStatusLineSaysWhatIsMissing()
    {
        const QString path = m_dir.filePath(QStringLiteral("progress.sqlite"));
        AnswerLog log(path);
        QCOMPARE(log.open(), AnswerLog::State::Recording);

        QWidget window;
        ClassLink link(&window);
        QSignalSpy status(&link, &ClassLink::statusChanged);
        link.start(path);
        QCOMPARE(status.size(), 1);
        QCOMPARE(status.first().at(0).toString(),
                 QStringLiteral("Class: PostgreSQL driver missing"));
        QVERIFY(status.first().at(1).toString().contains(QStringLiteral("libqt6sql6-psql")));
        QCOMPARE(link.sender(), nullptr);

        log.beginSession();
        const QDateTime at = QDateTime::currentDateTimeUtc();
        for (const int note : {60, 64, 67}) {
            Answer a = LocalRecord::answer(at, log.currentSession(), note, true);
            QVERIFY(log.record(a));
            link.answersRecorded();
        }
        log.endSession();
        QVERIFY(log.finishWrites());
        QCOMPARE(LogRows::answers(path).size(), 3);
        QCOMPARE(link.statusText(), QStringLiteral("Class: PostgreSQL driver missing"));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // After the platform's plugin is loaded, before any database is.
    QTemporaryDir plugins;
    if (!plugins.isValid() || !pluginsWithoutPostgres(plugins))
        qFatal("the plugin folder for the test could not be made");
    ClassNoDriverTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_classnodriver.moc"
