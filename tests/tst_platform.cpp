// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QCopChannel.h"
#include "platform/QCopEnvelope.h"
#include "platform/QPEApplication.h"
#include "platform/Resource.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class PlatformTest : public QObject
{
    Q_OBJECT
private slots:
    void dataFolderComesFromTheEnvironmentWhenSet()
    {
        const QByteArray saved = qgetenv("QPEDIR");
        qputenv("QPEDIR", "/opt/somewhere/velkaro");
        QCOMPARE(QPEApplication::qpeDir(), QStringLiteral("/opt/somewhere/velkaro"));
        qputenv("QPEDIR", saved);
    }

    void dataFolderIsFoundFromTheProgramsOwnPlace()
    {
        // Tests live one folder below the build tree, as programs live in bin/
        // beside share/: the same relative step finds the data in both.
        const QByteArray saved = qgetenv("QPEDIR");
        qunsetenv("QPEDIR");
        const QString expected =
            QDir::cleanPath(qEnvironmentVariable("VELKARO_TEST_BINARY_DIR") + "/share/velkaro");
        const QString found = QPEApplication::qpeDir();
        qputenv("QPEDIR", saved);
        QCOMPARE(found, expected);
    }

    void resourcesResolveInsideTheDataFolder()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("pics"));
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(dir.path() + "/pics/velkaro.png"));
        const QByteArray saved = qgetenv("QPEDIR");
        qputenv("QPEDIR", dir.path().toUtf8());

        QCOMPARE(Resource::loadPixmap("velkaro").size(), QSize(4, 3));
        QVERIFY(Resource::loadPixmap("missing").isNull());
        QCOMPARE(Resource::findSound("velkaro/C4"), dir.path() + "/sounds/velkaro/C4.wav");
        // Names never lead out of the data folder.
        QVERIFY(Resource::findSound("../../etc/passwd").isEmpty());
        QVERIFY(Resource::findSound("/etc/passwd").isEmpty());
        QVERIFY(Resource::loadPixmap("../pics/velkaro").isNull());

        qputenv("QPEDIR", saved);
    }

    void envelopeDeliversChannelMessageAndArgumentsAfterItIsDestroyed()
    {
        QCopChannel receiver("QPE/Application/helpbrowser");
        QSignalSpy spy(&receiver, &QCopChannel::received);
        const QString path = QStringLiteral("/usr/share/velkaro/help/html/./bin/velkaro.html ü");
        {
            QCopEnvelope envelope("QPE/Application/helpbrowser", "showFile(QString)");
            envelope << path;
            QCoreApplication::processEvents();
            QCOMPARE(spy.count(), 0);
        }
        // Sent, but delivered from the event loop: the sender never waits.
        QCOMPARE(spy.count(), 0);
        QVERIFY(spy.wait(1000));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toByteArray(), QByteArray("showFile(QString)"));
        QDataStream in(spy.at(0).at(1).toByteArray());
        QString decoded;
        in >> decoded;
        QCOMPARE(in.status(), QDataStream::Ok);
        QVERIFY(in.atEnd());
        QCOMPARE(decoded, path);
    }

    void messagesReachOnlyTheirOwnChannel()
    {
        QCopChannel other("QPE/Application/other");
        QSignalSpy spy(&other, &QCopChannel::received);
        QVERIFY(!QCopChannel::isRegistered("QPE/Application/nobody"));
        {
            QCopEnvelope envelope("QPE/Application/nobody", "showFile(QString)");
            envelope << QStringLiteral("x");
        }
        QTest::qWait(20);
        QCOMPARE(spy.count(), 0);
    }

    void aReceiverDestroyedBeforeDeliveryIsSkipped()
    {
        auto *receiver = new QCopChannel("QPE/Application/helpbrowser");
        {
            QCopEnvelope envelope("QPE/Application/helpbrowser", "showFile(QString)");
            envelope << QStringLiteral("x");
        }
        delete receiver;
        QVERIFY(!QCopChannel::isRegistered("QPE/Application/helpbrowser"));
        QTest::qWait(20); // must not touch the dead receiver
    }
};

QTEST_MAIN(PlatformTest)
#include "tst_platform.moc"
