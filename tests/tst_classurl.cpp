// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ClassLink.h"
#include "app/CommandLine.h"
#include "classroom/ClassSettings.h"
#include "classroom/ClassUrl.h"
#include "report/ClassWindow.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

namespace {

const QString Secret = QStringLiteral("s3cret-Pw");

QString settingsText()
{
    QFile file(QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("velkaro"),
                         QStringLiteral("velkaro"))
                   .fileName());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class ClassUrlTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_config;

private slots:
    void initTestCase()
    {
        // The settings file of this test alone.
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
        qputenv("PGPASSWORD", Secret.toLocal8Bit());
    }

    // Every way a password can ride in a URL is refused: by the parser, by
    // the command line (status 2, before anything is kept or sent) and by
    // File > Class..., which keeps nothing. No message repeats the password.
    void aUrlWithAPasswordIsRefused_data()
    {
        QTest::addColumn<QString>("url");
        QTest::newRow("in the user part")
            << "postgresql://anna:" + Secret + "@school.example/class";
        QTest::newRow("an empty one") << QStringLiteral("postgresql://anna:@school.example/class");
        QTest::newRow("its colon percent-encoded")
            << "postgres://anna%3A" + Secret + "@school.example/class";
        QTest::newRow("as a parameter") << "postgresql://school.example/class?password=" + Secret;
        QTest::newRow("as a parameter among others")
            << "postgresql:///class?host=/run/school&sslmode=require&password=" + Secret;
        QTest::newRow("as a percent-encoded parameter")
            << "postgresql://school.example/class?pass%77ord=" + Secret;
        QTest::newRow("in a database name that libpq would read as settings")
            << "postgresql://school.example/dbname%3Dclass%20password%3D" + Secret;
        QTest::newRow("in a URI given as the database")
            << "postgresql://school.example/?dbname=postgresql://anna:" + Secret + "@other/class";
        QTest::newRow("in a key=value string") << "host=school.example password=" + Secret;
    }
    void aUrlWithAPasswordIsRefused()
    {
        QFETCH(QString, url);
        QString error;
        QVERIFY(!ClassUrl::parse(url, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!error.contains(Secret));

        for (const QStringList &arguments :
             {QStringList{"velkaro", "--class-server", url, "--pupil", "anna"},
              QStringList{"velkaro", "--class-report", url},
              QStringList{"velkaro", "--export-progress", "-", "--class-server", url}}) {
            const CommandLine::Parsed parsed = CommandLine::parse(arguments);
            QCOMPARE(parsed.exitStatus, std::optional<int>(CommandLine::UsageError));
            QVERIFY(!parsed.error.contains(Secret));
        }

        QWidget main;
        ClassLink link(&main);
        link.showWindow();
        ClassWindow *window = link.window();
        QSignalSpy chosen(window, &ClassWindow::classChosen);
        window->urlEdit()->setText(url);
        window->pupilEdit()->setText(QStringLiteral("anna"));
        QTest::mouseClick(window->joinButton(), Qt::LeftButton);
        QCOMPARE(chosen.size(), 0);
        QVERIFY(!window->message().isEmpty());
        QVERIFY(!window->message().contains(Secret));
        QVERIFY(!settingsText().contains(Secret));
    }

    // A URL without one is taken apart as libpq would take it, and kept in
    // a spelling that parses back to the same.
    void aUrlWithoutAPasswordIsTakenApart_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("options");
        QTest::newRow("host and database") << "postgresql://school.example/velkaro"
                                           << "school.example" << -1 << "velkaro"
                                           << ""
                                           << "";
        QTest::newRow("user, port and TLS")
            << "postgres://anna@school.example:6432/velkaro?sslmode=verify-full&connect_timeout=4"
            << "school.example" << 6432 << "velkaro"
            << "anna"
            << "sslmode=verify-full connect_timeout=4";
        QTest::newRow("a socket folder") << "postgresql:///velkaro?host=/run/school&user=anna"
                                         << "/run/school" << -1 << "velkaro"
                                         << "anna"
                                         << "";
        QTest::newRow("an IPv6 address") << "postgresql://[::1]:5433/velkaro"
                                         << "::1" << 5433 << "velkaro"
                                         << ""
                                         << "";
        QTest::newRow("a service file's entry") << "postgresql:///?service=school"
                                                << "" << -1 << ""
                                                << ""
                                                << "service=school";
    }
    void aUrlWithoutAPasswordIsTakenApart()
    {
        QFETCH(QString, url);
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(QString, database);
        QFETCH(QString, user);
        QFETCH(QString, options);
        QString error;
        const std::optional<ClassUrl> parsed = ClassUrl::parse(url, &error);
        QVERIFY2(parsed, qPrintable(error));
        QCOMPARE(parsed->host(), host);
        QCOMPARE(parsed->port(), port);
        QCOMPARE(parsed->database(), database);
        QCOMPARE(parsed->user(), user);
        QStringList pairs;
        for (const ClassUrl::Option &o : parsed->options())
            pairs.append(o.first + QLatin1Char('=') + o.second);
        QCOMPARE(pairs.join(QLatin1Char(' ')), options);
        const std::optional<ClassUrl> again = ClassUrl::parse(parsed->text(), &error);
        QVERIFY2(again, qPrintable(error));
        QCOMPARE(again->text(), parsed->text());
        QVERIFY(*again == *parsed);
    }

    // Joining a class from the command line or from File > Class... keeps
    // the URL and the login name, and nothing of the password that libpq
    // is given in the environment.
    void theSettingsFileHoldsNoPassword()
    {
        const QString url = QStringLiteral("postgresql:///class?host=/nonexistent/velkaro-test");
        const CommandLine::Parsed parsed =
            CommandLine::parse({QStringLiteral("velkaro"), QStringLiteral("--class-server"), url,
                                QStringLiteral("--pupil"), QStringLiteral("anna")});
        QVERIFY(!parsed.exitStatus);
        QWidget main;
        ClassLink link(&main);
        link.choose(parsed.options.classServer, parsed.options.pupil);
        QCOMPARE(ClassSettings::load().url, url);
        QCOMPARE(ClassSettings::load().pupil, QStringLiteral("anna"));

        link.showWindow();
        ClassWindow *window = link.window();
        window->urlEdit()->setText(url + QStringLiteral("&sslmode=disable"));
        window->pupilEdit()->setText(QStringLiteral("bob"));
        QTest::mouseClick(window->joinButton(), Qt::LeftButton);
        QCOMPARE(ClassSettings::load().pupil, QStringLiteral("bob"));
        QVERIFY(ClassSettings::load().url.endsWith(QStringLiteral("sslmode=disable")));
        ClassSettings::machineId(m_config.filePath(QStringLiteral("progress.sqlite")));
        QTRY_VERIFY(!window->isBusy());

        const QString text = settingsText();
        QVERIFY(text.contains(QStringLiteral("bob")));
        QVERIFY(!text.contains(Secret));
        QVERIFY(!text.contains(QStringLiteral("password"), Qt::CaseInsensitive));
    }
};

QTEST_MAIN(ClassUrlTest)
#include "tst_classurl.moc"
