// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The music and the manual read in every desktop theme: contrast figures
// measured on grabbed pictures after the theme changes under them.
#include "Contrast.h"

#include "keyboard/VKKeyboard.h"
#include "notes/Catalogue.h"
#include "notes/Ink.h"
#include "platform/help/HelpFolder.h"
#include "platform/help/HelpWindow.h"
#include "staff/VKTest.h"

#include <QApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

using Contrast::ratio;

namespace {

constexpr double TextContrast = 4.5;
constexpr double MarkContrast = 3;

// As the Adwaita-Dark style sets it, with its text dimmed in inactive windows.
QPalette adwaitaDark()
{
    QPalette p;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor text(group == QPalette::Active ? 0xeeeeec : 0x919190);
        p.setColor(group, QPalette::Window, QColor(0x353535));
        p.setColor(group, QPalette::Base, QColor(0x2d2d2d));
        p.setColor(group, QPalette::Button, QColor(0x373737));
        p.setColor(group, QPalette::Link, QColor(0x3584e4));
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            p.setColor(group, role, text);
    }
    return p;
}

QRect grid(qreal zoom, int x, int y, int w, int h)
{
    return QRect(qRound(x * zoom), qRound(y * zoom), qRound(w * zoom), qRound(h * zoom));
}

} // namespace

class ThemeTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { m_light = QApplication::palette(); }
    void cleanup() { QApplication::setPalette(m_light); }

    void staffAndKeyboardReadInEveryTheme_data()
    {
        QTest::addColumn<QPalette>("theme");
        QTest::addColumn<qreal>("zoom");
        QPalette grey(QColor(0x808080), QColor(0x808080));
        grey.setColor(QPalette::WindowText, QColor(0x5a5a5a));
        for (const qreal zoom : {1.0, 2.5}) {
            QTest::addRow("light, zoom %.1f", zoom) << m_light << zoom;
            QTest::addRow("Adwaita-Dark, zoom %.1f", zoom) << adwaitaDark() << zoom;
        }
        QTest::newRow("grey text on grey") << grey << 1.0;
    }
    void staffAndKeyboardReadInEveryTheme()
    {
        QFETCH(QPalette, theme);
        QFETCH(qreal, zoom);
        // Drawn before the theme changes, as when it is switched while the program runs.
        QWidget window;
        VKTest staff(&window);
        staff.setZoom(zoom, zoom > 1 ? 10 : 0);
        staff.resize(qRound(240 * zoom), staff.height());
        for (const int n : {64, 61, 83})
            staff.drawNote(n);
        staff.setTestMode(true);
        staff.checkNoNote(); // slot 3 crossed out, a new test note in slot 4
        staff.setTestMode(false);
        VKKeyboard keys(&window);
        keys.setZoom(zoom);
        keys.resize(qRound(240 * zoom), keys.height());
        staff.grab();
        keys.grab();
        QApplication::setPalette(theme);
        QCoreApplication::processEvents(); // the change reaches the widgets as an event

        QStringList figures, tooLow;
        const auto atLeast = [&](const char *what, double value, double least) {
            figures << QStringLiteral("%1 %2:1").arg(what).arg(value, 0, 'f', 2);
            if (value < least)
                tooLow << figures.last();
        };
        const QImage image = staff.grab().toImage();
        const QRgb ground = image.pixel(2, 2);
        const auto ink = [&](QRect rect, bool red) {
            return ratio(
                Contrast::commonest(
                    image, rect, [&](QRgb p) { return p != ground && Contrast::isRed(p) == red; }),
                ground);
        };
        atLeast("lines", ink(grid(zoom, 28, 40, 5, 50), false), TextContrast);
        atLeast("clef", ink(grid(zoom, 0, 30, 27, 71), false), TextContrast);
        for (int slot = 0; slot < 5; ++slot) {
            const int x = 35 + 20 * slot;
            const bool right = staff.markInSlot(slot);
            const QRect label(qRound((x - 2) * zoom), staff.height() - qRound(14 * zoom),
                              qRound(16 * zoom), qRound(14 * zoom));
            const QRgb name = Contrast::strongest(image, label, ground);
            QCOMPARE(Contrast::isRed(name), !right);
            atLeast(right ? "note" : "cross", ink(grid(zoom, x - 9, 0, 24, 100), !right),
                    right ? TextContrast : MarkContrast);
            atLeast("name", ratio(name, ground), right ? TextContrast : MarkContrast);
        }

        const QImage piano = keys.grab().toImage();
        const KeyboardGeometry g = keys.recordedGeometry();
        const auto any = [](QRgb) { return true; };
        const QRgb white = Contrast::commonest(
            piano, grid(zoom, g.kbLeft + 2, g.bottom() - 10, g.keyWidth - 4, 8), any);
        const QRgb black = Contrast::commonest(
            piano, grid(zoom, g.kbLeft + g.blackWidth + 2, g.kbTop + 2, 6, 20), any);
        const QRgb edge = Contrast::strongest(
            piano, grid(zoom, g.kbLeft + g.keyWidth - 1, g.bottom() - 10, 3, 8), white);
        atLeast("white and black keys", ratio(white, black), TextContrast);
        atLeast("white key and outline", ratio(white, edge), TextContrast);
        qInfo("%s", qPrintable(figures.join(QStringLiteral(", "))));
        QVERIFY2(tooLow.isEmpty(), qPrintable(tooLow.join(QStringLiteral(", "))));
        QVERIFY(Contrast::isLight(white) && !Contrast::isLight(black));
    }

    // The music keeps the active window's ink when a dialog takes the focus.
    void theInkStaysWhenTheWindowLosesTheFocus()
    {
        QPalette inactive = adwaitaDark();
        inactive.setCurrentColorGroup(QPalette::Inactive);
        QCOMPARE(Ink::forPalette(inactive).text, QColor(0xeeeeec));
    }

    // The manual is a light page whatever the theme, and all its text reads on it.
    void theUsersGuideReadsOnADarkTheme()
    {
        QApplication::setPalette(adwaitaDark());
        const QString data = qEnvironmentVariable("VELKARO_TEST_BINARY_DIR") + "/share/velkaro";
        HelpWindow window;
        window.showPage(HelpFolder(data + "/help"), data + "/help/html/velkaro.html");
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage page = window.view()->viewport()->grab().toImage();
        const QRgb ground = page.pixel(1, 1);
        QVERIFY(Contrast::isLight(ground));
        const QColor text = window.view()->palette().color(QPalette::Text);
        for (QTextBlock b = window.view()->document()->begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QBrush own = it.fragment().charFormat().foreground();
                const QColor colour = own.style() == Qt::NoBrush ? text : own.color();
                QVERIFY2(ratio(colour.rgb(), ground) >= TextContrast,
                         qPrintable(it.fragment().text()));
            }
        }
    }

private:
    QPalette m_light;
};

QTEST_MAIN(ThemeTest)
#include "tst_themes.moc"
