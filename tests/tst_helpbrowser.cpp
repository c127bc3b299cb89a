// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QCopChannel.h"
#include "platform/QCopEnvelope.h"
#include "platform/QPEApplication.h"
#include "platform/help/HelpBrowser.h"
#include "platform/help/HelpWindow.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

namespace {

const char HelpChannel[] = "QPE/Application/helpbrowser";

bool writeFile(const QString &path, const QByteArray &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

void requestPage(const QString &path)
{
    QCopEnvelope envelope(HelpChannel, "showFile(QString)");
    envelope << path;
}

// Lets the queued help message arrive and be handled.
void deliver()
{
    QTest::qWait(20);
}

HelpBrowser *browser()
{
    return static_cast<QPEApplication *>(qApp)->helpBrowser();
}

// A long page, so that following an anchor near its end has to scroll.
QByteArray longPage(const QByteArray &title, const QByteArray &links)
{
    QByteArray page = "<html><head><title>" + title + "</title></head><body>" + links;
    for (int i = 0; i < 200; ++i)
        page += "<p>Line " + QByteArray::number(i) + "</p>";
    return page + "<h2 id=\"end\">End</h2><p>Last words.</p></body></html>";
}

// Records the links handed to the desktop.
class DesktopRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

} // namespace

class HelpBrowserTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid());
        const QDir data(m_data.path());
        QVERIFY(data.mkpath("help/html/sub"));
        m_manual = data.filePath("help/html/velkaro.html");
        m_other = data.filePath("help/html/sub/other.html");
        QVERIFY(writeFile(m_manual,
                          longPage("Test Guide", "<a href=\"sub/other.html\">other</a>"
                                                 "<a href=\"#end\">end</a>"
                                                 "<a href=\"https://example.org/x\">web</a>")));
        QVERIFY(writeFile(m_other, longPage("Other Page", "<a href=\"../velkaro.html\">back</a>")));
        QVERIFY(writeFile(data.filePath("help/html/notes.txt"), "not a page"));
        QVERIFY(writeFile(data.filePath("outside.html"), longPage("Outside", "")));
        QVERIFY(QFile::link(data.filePath("outside.html"), data.filePath("help/html/link.html")));
        m_savedDataDir = qgetenv("QPEDIR");
        qputenv("QPEDIR", m_data.path().toUtf8());
    }

    void cleanupTestCase() { qputenv("QPEDIR", m_savedDataDir); }

    void theApplicationListensOnTheHelpChannel()
    {
        QVERIFY(browser());
        QVERIFY(QCopChannel::isRegistered(HelpChannel));
    }

    void theRequestedPageIsShownInTheHelpWindow()
    {
        requestPage(m_manual);
        QTRY_VERIFY(browser()->window() && browser()->window()->isVisible());
        HelpWindow *window = browser()->window();
        QCOMPARE(window->page(), QUrl::fromLocalFile(m_manual));
        QCOMPARE(window->windowTitle(), QStringLiteral("Test Guide"));
        window->hide();

        // A second request brings the same window back.
        requestPage(m_manual);
        QTRY_VERIFY(window->isVisible());
        QCOMPARE(browser()->window(), window);
    }

    void requestsForAnythingButAPageOfTheManualAreRefused_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::newRow("a page outside the help folder") << "outside.html";
        QTest::newRow("stepping out with ..") << "help/html/../../outside.html";
        QTest::newRow("a link inside leading outside") << "help/html/link.html";
        QTest::newRow("a missing page") << "help/html/missing.html";
        QTest::newRow("a folder") << "help/html/sub";
        QTest::newRow("not an HTML file") << "help/html/notes.txt";
        QTest::newRow("an empty name") << "";
    }

    void requestsForAnythingButAPageOfTheManualAreRefused()
    {
        QFETCH(QString, relative);
        const QString path = relative.isEmpty() ? QString() : m_data.filePath(relative);
        HelpWindow *window = browser()->window();
        const QUrl before = window ? window->page() : QUrl();
        if (window)
            window->hide();

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Help: not showing "));
        requestPage(path);
        deliver();
        QCOMPARE(browser()->window(), window);
        if (window) {
            QVERIFY(!window->isVisible());
            QCOMPARE(window->page(), before);
        }
    }

    void otherMessagesAreIgnored()
    {
        HelpWindow *window = browser()->window();
        if (window)
            window->hide();

        QTest::ignoreMessage(QtWarningMsg, "Help: unknown request showPage(QString)");
        {
            QCopEnvelope envelope(HelpChannel, "showPage(QString)");
            envelope << m_manual;
        }
        QTest::ignoreMessage(QtWarningMsg,
                             "Help: a request to show a page did not carry one file name");
        {
            QCopEnvelope envelope(HelpChannel, "showFile(QString)");
            envelope << m_manual << m_other;
        }
        QTest::ignoreMessage(QtWarningMsg,
                             "Help: a request to show a page did not carry one file name");
        {
            QCopEnvelope envelope(HelpChannel, "showFile(QString)");
            envelope << qint8(1);
        }
        deliver();
        QVERIFY(!window || !window->isVisible());
    }

    void linksWithinTheManualAreFollowedInTheWindow()
    {
        HelpWindow window;
        window.resize(400, 300);
        window.showPage(HelpFolder(m_data.filePath("help")), m_manual);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTextBrowser *view = window.view();

        // An anchor on the same page scrolls to it.
        QCOMPARE(view->verticalScrollBar()->value(), 0);
        emit view->anchorClicked(QUrl("#end"));
        QUrl end = QUrl::fromLocalFile(m_manual);
        end.setFragment("end");
        QCOMPARE(window.page(), end);
        QVERIFY(view->verticalScrollBar()->value() > 0);

        // Another page, by a relative link, and back by the page's own link.
        emit view->anchorClicked(QUrl("sub/other.html"));
        QCOMPARE(window.page(), QUrl::fromLocalFile(m_other));
        QCOMPARE(window.windowTitle(), QStringLiteral("Other Page"));
        emit view->anchorClicked(QUrl("../velkaro.html"));
        QCOMPARE(window.page(), QUrl::fromLocalFile(m_manual));

        // History and the Contents page.
        view->backward();
        QCOMPARE(window.page(), QUrl::fromLocalFile(m_other));
        window.showContents();
        QCOMPARE(window.page(), QUrl::fromLocalFile(m_manual));
    }

    void linksLeadingOutOfTheManualAreRefused_data()
    {
        QTest::addColumn<QUrl>("link");
        QTest::newRow("up and out") << QUrl("../../outside.html");
        QTest::newRow("an absolute file") << QUrl::fromLocalFile(m_data.filePath("outside.html"));
        QTest::newRow("a link inside leading outside") << QUrl("link.html");
        QTest::newRow("another scheme") << QUrl("ftp://example.org/velkaro.html");
        QTest::newRow("a missing page") << QUrl("missing.html#end");
    }

    void linksLeadingOutOfTheManualAreRefused()
    {
        QFETCH(QUrl, link);
        DesktopRecorder desktop;
        QDesktopServices::setUrlHandler("ftp", &desktop, "open");
        QDesktopServices::setUrlHandler("file", &desktop, "open");
        HelpWindow window;
        window.showPage(HelpFolder(m_data.filePath("help")), m_manual);

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Help: not following "));
        emit window.view()->anchorClicked(link);
        QCOMPARE(window.page(), QUrl::fromLocalFile(m_manual));
        QCOMPARE(desktop.opened.size(), 0);
        QDesktopServices::unsetUrlHandler("ftp");
        QDesktopServices::unsetUrlHandler("file");
    }

    void webAndMailLinksGoToTheDesktop()
    {
        DesktopRecorder desktop;
        QDesktopServices::setUrlHandler("https", &desktop, "open");
        QDesktopServices::setUrlHandler("mailto", &desktop, "open");
        HelpWindow window;
        window.showPage(HelpFolder(m_data.filePath("help")), m_manual);

        emit window.view()->anchorClicked(QUrl("https://example.org/x"));
        emit window.view()->anchorClicked(QUrl("mailto:someone@example.org"));
        QCOMPARE(desktop.opened,
                 QList<QUrl>({QUrl("https://example.org/x"), QUrl("mailto:someone@example.org")}));
        QCOMPARE(window.page(), QUrl::fromLocalFile(m_manual));
        QDesktopServices::unsetUrlHandler("https");
        QDesktopServices::unsetUrlHandler("mailto");
    }

    void everyLinkInTheUsersGuideLeadsToAPlaceInIt()
    {
        const QString dataDir =
            qEnvironmentVariable("VELKARO_TEST_BINARY_DIR") + QStringLiteral("/share/velkaro");
        const QString guide = dataDir + QStringLiteral("/help/html/velkaro.html");
        QVERIFY2(QFile::exists(guide), qPrintable(guide));
        HelpWindow window;
        window.resize(500, 400);
        window.showPage(HelpFolder(dataDir + QStringLiteral("/help")), guide);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // Ending in the program's name, the title is shown as it is: the
        // toolkit adds the name only to titles without it.
        QCOMPARE(window.windowTitle(), QStringLiteral("User's Guide \u2014 Velkaro"));

        // Collects the anchors and the links as the viewer understood them.
        QStringList anchors;
        QStringList links;
        const QTextDocument *document = window.view()->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                anchors << format.anchorNames();
                if (format.isAnchor() && !format.anchorHref().isEmpty())
                    links << format.anchorHref();
            }
            anchors << block.blockFormat().property(QTextFormat::AnchorName).toStringList();
        }
        links.removeDuplicates();
        QVERIFY2(links.size() >= 20, qPrintable(links.join(' ')));
        for (const QString &link : std::as_const(links)) {
            QVERIFY2(link.startsWith('#'), qPrintable(link));
            QVERIFY2(anchors.contains(link.mid(1)), qPrintable(link));
        }

        // Following one of them moves the view.
        emit window.view()->anchorClicked(QUrl("#trouble"));
        QVERIFY(window.view()->verticalScrollBar()->value() > 0);
        QCOMPARE(window.page().fragment(), QStringLiteral("trouble"));
    }

    // The manual opens on the screen, frame included, and beside what it
    // should keep clear when the screen has room for it there.
    void theManualOpensBesideTheStaffWhereThereIsRoom_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("staff");
        QTest::addColumn<bool>("besideIt");
        const QRect desktop(0, 0, 1920, 1040);
        QTest::newRow("nothing to keep clear") << desktop << QRect() << true;
        QTest::newRow("maximised, staff on top") << desktop << QRect(0, 100, 1920, 590) << true;
        QTest::newRow("staff at the bottom") << desktop << QRect(0, 500, 1920, 520) << true;
        QTest::newRow("window on the left") << desktop << QRect(0, 30, 1100, 400) << true;
        QTest::newRow("small screen at twice the density")
            << QRect(0, 0, 683, 384) << QRect(0, 40, 683, 200) << false;
        QTest::newRow("offset screen")
            << QRect(1920, 0, 1280, 1000) << QRect(1920, 80, 1280, 400) << true;
    }
    void theManualOpensBesideTheStaffWhereThereIsRoom()
    {
        QFETCH(QRect, available);
        QFETCH(QRect, staff);
        QFETCH(bool, besideIt);
        const QSize frame(0, 24);
        const QRect placed = HelpWindow::placement(available, staff, QSize(720, 640), frame);
        QVERIFY2(available.contains(placed), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                            .arg(placed.x())
                                                            .arg(placed.y())
                                                            .arg(placed.width())
                                                            .arg(placed.height())));
        QVERIFY(placed.width() >= 400 || placed.width() == available.width());
        QVERIFY(placed.height() >= 300 || placed.height() == available.height());
        QCOMPARE(!placed.intersects(staff), besideIt);
    }

private:
    QTemporaryDir m_data;
    QString m_manual;
    QString m_other;
    QByteArray m_savedDataDir;
};

int main(int argc, char **argv)
{
    QPEApplication app(argc, argv);
    HelpBrowserTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_helpbrowser.moc"
