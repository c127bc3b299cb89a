// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageBoxCatcher.h"

#include "app/VKControl.h"
#include "platform/QCopChannel.h"
#include "platform/Resource.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const char HelpChannel[] = "QPE/Application/helpbrowser";

bool writeFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("<html><body>Guide</body></html>") > 0;
}

QString argumentOf(const QList<QVariant> &message)
{
    QDataStream in(message.at(1).toByteArray());
    QString path;
    in >> path;
    return in.status() == QDataStream::Ok && in.atEnd() ? path : QStringLiteral("<malformed>");
}

// Sets QPEDIR for the life of the object.
class DataFolder
{
public:
    explicit DataFolder(const QString &path) : m_saved(qgetenv("QPEDIR"))
    {
        qputenv("QPEDIR", path.toUtf8());
    }
    ~DataFolder() { qputenv("QPEDIR", m_saved); }

private:
    QByteArray m_saved;
};

const QString AboutText = QStringLiteral("Velkaro for Zaurus\n"
                                         "v1.0\n"
                                         "A note-reading trainer for learners of sheet music.\n"
                                         "Copyright 2026 The Velkaro developers.\n"
                                         "Free software under the GNU GPL, version 3 or later.\n");

} // namespace

class HelpTest : public QObject
{
    Q_OBJECT
private slots:
    void aPresentManualIsRequestedOnceWithItsExactPathAndNoDialog()
    {
        QTemporaryDir dir;
        // Blanks, a non-ASCII letter and a "./" step must all arrive unchanged.
        QVERIFY(QDir(dir.path()).mkpath("help/html/./bin"));
        const QString path = dir.path() + "/help/html/./bin/Velkaro Übung.html";
        QVERIFY(writeFile(path));

        QCopChannel browser(HelpChannel);
        QSignalSpy requests(&browser, &QCopChannel::received);
        MessageBoxCatcher catcher;
        VKControl w;
        w.setHelpFile(path);
        w.showHelp();

        QVERIFY(requests.wait(1000));
        QTest::qWait(50);
        QCOMPARE(requests.count(), 1);
        QCOMPARE(requests.first().at(0).toByteArray(), QByteArray("showFile(QString)"));
        QCOMPARE(argumentOf(requests.first()), path);
        QCOMPARE(catcher.boxes.size(), 0);
    }

    void aMissingManualShowsTheErrorBoxAndSendsNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("no such file") << "missing";
        QTest::newRow("empty path") << "empty";
        QTest::newRow("never set") << "unset";
        QTest::newRow("a folder of that name") << "folder";
    }

    void aMissingManualShowsTheErrorBoxAndSendsNothing()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.path() + "/help/html/velkaro.html";
        if (kind == "folder")
            QVERIFY(QDir(dir.path()).mkpath("help/html/velkaro.html"));

        QCopChannel browser(HelpChannel);
        QSignalSpy requests(&browser, &QCopChannel::received);
        MessageBoxCatcher catcher;
        VKControl w;
        if (kind == "empty")
            w.setHelpFile(QString());
        else if (kind != "unset")
            w.setHelpFile(path);
        w.showHelp();

        QCOMPARE(catcher.boxes.size(), 1);
        const MessageBoxCatcher::Box box = catcher.boxes.first();
        QCOMPARE(box.title, QStringLiteral("Error"));
        QCOMPARE(box.text, QStringLiteral("Help file not found"));
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.parent.data(), &w);
        QVERIFY(box.modal);
        QCOMPARE(box.standardButtons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box.defaultButton, QMessageBox::Ok);
        QVERIFY(!requests.wait(50));
    }

    void theManualIsLookedForAfreshOnEveryRequest()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("help/html"));
        const QString path = dir.path() + "/help/html/velkaro.html";
        QCopChannel browser(HelpChannel);
        QSignalSpy requests(&browser, &QCopChannel::received);
        MessageBoxCatcher catcher;
        VKControl w;
        w.setHelpFile(path);

        w.showHelp();
        QCOMPARE(catcher.boxes.size(), 1);

        // Installed while the program runs: found by the next request.
        QVERIFY(writeFile(path));
        w.showHelp();
        QVERIFY(requests.wait(1000));
        QCOMPARE(argumentOf(requests.first()), path);
        QCOMPARE(catcher.boxes.size(), 1);

        // And removed again: missed by the next one.
        QVERIFY(QFile::remove(path));
        w.showHelp();
        QCOMPARE(catcher.boxes.size(), 2);
        QVERIFY(!requests.wait(50));
        QCOMPARE(requests.count(), 1);
    }

    void aboutShowsTheBoxWithThePictureAsTheWindowIcon()
    {
        const QPixmap picture = Resource::loadPixmap("velkaro");
        QVERIFY2(!picture.isNull(), "the build's data folder has no velkaro picture");
        MessageBoxCatcher catcher;
        VKControl w;
        QVERIFY(w.windowIcon().isNull());

        w.about();
        QCOMPARE(catcher.boxes.size(), 1);
        const MessageBoxCatcher::Box box = catcher.boxes.first();
        QCOMPARE(box.title, QStringLiteral("Velkaro"));
        QCOMPARE(box.text, AboutText);
        QCOMPARE(box.parent.data(), &w);
        QVERIFY(box.modal);
        QCOMPARE(box.buttonTexts.size(), 1);
        // The icon was in place while the box was up, and the box shows it.
        const QImage expected = QIcon(picture).pixmap(QSize(64, 64)).toImage();
        QCOMPARE(box.parentIcon.pixmap(QSize(64, 64)).toImage(), expected);
        QCOMPARE(box.iconPixmap.toImage(), expected);
        // The window keeps it.
        QCOMPARE(w.windowIcon().pixmap(QSize(64, 64)).toImage(), expected);

        w.about();
        QCOMPARE(catcher.boxes.size(), 2);
        QCOMPARE(catcher.boxes.at(1).title, box.title);
        QCOMPARE(catcher.boxes.at(1).text, box.text);
        QCOMPARE(catcher.boxes.at(1).iconPixmap.toImage(), expected);
    }

    void aboutWithoutAPictureStillShowsTheBox()
    {
        QTemporaryDir empty;
        DataFolder folder(empty.path());
        MessageBoxCatcher catcher;
        VKControl w;
        w.about();
        QCOMPARE(catcher.boxes.size(), 1);
        QCOMPARE(catcher.boxes.first().text, AboutText);
        QVERIFY(w.windowIcon().isNull());
    }
};

QTEST_MAIN(HelpTest)
#include "tst_help.moc"
