// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The staff and the keyboard read in every desktop theme: contrast figures
// measured on the grabbed pictures after the theme changes under them.
#include "Contrast.h"

#include "keyboard/VKKeyboard.h"
#include "notes/Catalogue.h"
#include "notes/Ink.h"
#include "platform/help/HelpFolder.h"
#include "platform/help/HelpWindow.h"
#include "staff/VKTest.h"
#include "staff/VKTestConfig.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

namespace {

using Contrast::ratio;

constexpr double TextContrast = 4.5;
constexpr double MarkContrast = 3;

// As the Adwaita-Dark style sets it: light text on dark grey, dimmed in an
// inactive window.
QPalette adwaitaDark()
{
    QPalette p;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor text = group == QPalette::Active ? QColor(0xeeeeec) : QColor(0x919190);
        p.setColor(group, QPalette::Window, QColor(0x353535));
        p.setColor(group, QPalette::Base, QColor(0x2d2d2d));
        p.setColor(group, QPalette::Button, QColor(0x373737));
        p.setColor(group, QPalette::WindowText, text);
        p.setColor(group, QPalette::Text, text);
        p.setColor(group, QPalette::ButtonText, text);
        p.setColor(group, QPalette::Link, QColor(0x3584e4));
    }
    return p;
}

QPalette twoColours(QRgb window, QRgb text)
{
    QPalette p{QColor(window), QColor(window)};
    p.setColor(QPalette::WindowText, QColor(text));
    p.setColor(QPalette::Text, QColor(text));
    return p;
}

QRect scaled(qreal zoom, int x, int y, int w, int h)
{
    return QRect(qRound(x * zoom), qRound(y * zoom), qRound(w * zoom), qRound(h * zoom));
}

QString figure(const char *what, double value)
{
    return QStringLiteral("%1 %2:1").arg(QLatin1String(what)).arg(value, 0, 'f', 2);
}

} // namespace

class ThemeTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        initNotes(notes);
        m_light = QApplication::palette();
    }
    void cleanup() { QApplication::setPalette(m_light); }

    void staffAndKeyboardReadInEveryTheme_data()
    {
        QTest::addColumn<QPalette>("theme");
        QTest::addColumn<qreal>("zoom");
        for (const qreal zoom : {1.0, 2.5}) {
            QTest::addRow("light, zoom %.1f", zoom) << m_light << zoom;
            QTest::addRow("Adwaita-Dark, zoom %.1f", zoom) << adwaitaDark() << zoom;
        }
        QTest::newRow("grey text on grey") << twoColours(0x808080, 0x5a5a5a) << 1.0;
        QTest::newRow("white on black") << twoColours(0x000000, 0xffffff) << 1.0;
        QTest::newRow("black on white") << twoColours(0xffffff, 0x000000) << 1.0;
    }
    void staffAndKeyboardReadInEveryTheme()
    {
        QFETCH(QPalette, theme);
        QFETCH(qreal, zoom);

        // Both views are made and drawn before the theme changes, as when
        // the desktop's theme is switched while the program runs.
        QWidget window;
        VKTest staff(&window);
        staff.setZoom(zoom, zoom > 1 ? 10 : 0);
        staff.resize(qRound(240 * zoom), staff.height());
        for (const int n : {40, 37, 59})
            staff.drawNote(n);
        staff.setTestMode(true);
        staff.checkNote(0); // slot 3 crossed out, a new test note in slot 4
        staff.setTestMode(false);
        QVERIFY(!staff.markInSlot(3));
        VKKeyboard keys(&window);
        keys.setZoom(zoom);
        keys.resize(qRound(240 * zoom), keys.height());
        staff.grab();
        keys.grab();
        QApplication::setPalette(theme);
        QCoreApplication::processEvents(); // the change reaches the widgets as an event

        QStringList figures;
        QStringList tooLow;
        const auto atLeast = [&](const char *what, double value, double least) {
            figures << figure(what, value);
            if (value < least)
                tooLow << figures.last();
        };
        const QImage image = staff.grab().toImage();
        const QRgb ground = image.pixel(2, 2);
        const auto black = [ground](QRgb p) { return p != ground && !Contrast::isRed(p); };
        const auto red = [](QRgb p) { return Contrast::isRed(p); };
        const auto ink = [&](const QRect &rect, auto wanted) {
            return ratio(Contrast::commonest(image, rect, wanted), ground);
        };
        atLeast("staff lines", ink(scaled(zoom, 28, 40, 5, 50), black), TextContrast);
        atLeast("clef", ink(scaled(zoom, 0, 30, 27, 71), black), TextContrast);
        for (int slot = 0; slot < 5; ++slot) {
            const int x = 35 + 20 * slot;
            const QRect body = scaled(zoom, x - 9, 0, 24, 100);
            const QRect label(qRound((x - 2) * zoom), staff.height() - qRound(14 * zoom),
                              qRound(16 * zoom), qRound(14 * zoom));
            const QRgb name = Contrast::strongest(image, label, ground);
            if (staff.markInSlot(slot)) {
                atLeast("note", ink(body, black), TextContrast);
                atLeast("name", ratio(name, ground), TextContrast);
            } else {
                QVERIFY(Contrast::isRed(name));
                atLeast("cross", ink(body, red), MarkContrast);
                atLeast("red name", ratio(name, ground), MarkContrast);
            }
        }
        // Unsmoothed, every pixel of the notes and lines is in full colour.
        if (zoom == 1) {
            for (int y = 0; y < 100; ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb p = image.pixel(x, y);
                    if (p != ground &&
                        ratio(p, ground) < (Contrast::isRed(p) ? MarkContrast : TextContrast))
                        QFAIL(qPrintable(QStringLiteral("pixel (%1, %2)").arg(x).arg(y)));
                }
            }
        }

        const QImage piano = keys.grab().toImage();
        const KeyboardGeometry g = keys.recordedGeometry();
        const auto any = [](QRgb) { return true; };
        const QRgb whiteKey =
            Contrast::commonest(piano,
                                scaled(zoom, g.kbLeft + 2, g.kbTop + g.blackHeight + 3,
                                       g.keyWidth - 4, g.keyHeight - g.blackHeight - 6),
                                any);
        const QRgb blackKey =
            Contrast::commonest(piano,
                                scaled(zoom, g.kbLeft + g.blackWidth + 2, g.kbTop + 2,
                                       g.blackWidth - 4, g.blackHeight - 4),
                                any);
        const QRgb edge = Contrast::strongest(
            piano, scaled(zoom, g.kbLeft + g.keyWidth - 1, g.kbTop + g.blackHeight + 3, 3, 10),
            whiteKey);
        atLeast("white and black keys", ratio(whiteKey, blackKey), TextContrast);
        atLeast("white key and its outline", ratio(whiteKey, edge), TextContrast);
        qInfo("%s", qPrintable(figures.join(QStringLiteral(", "))));
        QVERIFY2(tooLow.isEmpty(), qPrintable(tooLow.join(QStringLiteral(", "))));
        QVERIFY(Contrast::isLight(whiteKey));
        QVERIFY(!Contrast::isLight(blackKey));
    }

    // Adwaita-Dark dims the text of an inactive window below what the staff
    // needs: the music keeps the active window's ink when a dialog opens.
    void theInkStaysWhenTheWindowLosesTheFocus()
    {
        QPalette inactive = adwaitaDark();
        inactive.setCurrentColorGroup(QPalette::Inactive);
        QCOMPARE(Ink::forPalette(inactive).text, QColor(0xeeeeec));
    }

    void theIntervalWarningReadsInEveryTheme_data()
    {
        QTest::addColumn<QPalette>("theme");
        QTest::newRow("light") << m_light;
        QTest::newRow("Adwaita-Dark") << adwaitaDark();
    }
    void theIntervalWarningReadsInEveryTheme()
    {
        QFETCH(QPalette, theme);
        QApplication::setPalette(theme);
        VKTestConfig dialog;
        dialog.intervalField()->setText(QStringLiteral("0"));
        dialog.accept();
        QLabel *message = dialog.intervalMessage();
        message->resize(message->sizeHint());
        const QImage image = message->grab().toImage();
        const QRgb ground = image.pixel(0, 0);
        const double value = ratio(Contrast::strongest(image, image.rect(), ground), ground);
        QVERIFY2(value >= TextContrast, qPrintable(figure("warning", value)));
    }

    // The manual is a light page whatever the theme, and its own colours
    // read on it.
    void theUsersGuideReadsOnADarkTheme()
    {
        QApplication::setPalette(adwaitaDark());
        const QString data =
            qEnvironmentVariable("VELKARO_TEST_BINARY_DIR") + QStringLiteral("/share/velkaro");
        HelpWindow window;
        window.resize(600, 500);
        window.showPage(HelpFolder(data + QStringLiteral("/help")),
                        data + QStringLiteral("/help/html/velkaro.html"));
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage page = window.view()->viewport()->grab().toImage();
        const QRgb ground = Contrast::commonest(page, page.rect(), [](QRgb) { return true; });
        QVERIFY(Contrast::isLight(ground));
        // Every piece of text, in its own colour or the viewer's.
        const QColor text = window.view()->palette().color(QPalette::Text);
        double worst = 21;
        const QTextDocument *document = window.view()->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QBrush own = it.fragment().charFormat().foreground();
                worst = std::min(
                    worst, ratio((own.style() == Qt::NoBrush ? text : own.color()).rgb(), ground));
            }
        }
        QVERIFY2(worst >= TextContrast, qPrintable(figure("manual", worst)));
    }

private:
    QPalette m_light;
};

QTEST_MAIN(ThemeTest)
#include "tst_themes.moc"
