// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Handheld.h"
#include "MessageBoxCatcher.h"

#include "app/StartUp.h"
#include "app/VKControl.h"
#include "app/VKScore.h"
#include "keyboard/VKKeyboard.h"
#include "notes/Catalogue.h"
#include "platform/QPEApplication.h"
#include "report/ProgressWindow.h"
#include "report/ReportText.h"
#include "staff/VKTest.h"
#include "staff/VKTestConfig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QRadioButton>
#include <QTest>

#include <cstdio>

namespace {

const QString PrintTexts = QStringLiteral("--print-texts");

QStringList menuTexts(VKControl &w)
{
    QStringList texts;
    const auto menus = w.menuBar()->actions();
    for (QAction *menu : menus) {
        texts << menu->text();
        const auto items = menu->menu()->actions();
        for (QAction *item : items)
            texts << "  " + item->text();
    }
    return texts;
}

template <typename T> QStringList textsOf(const QObject *parent)
{
    QStringList texts;
    const auto children = parent->findChildren<T *>();
    for (T *child : children)
        texts << child->text();
    texts.sort();
    return texts;
}

QString testButtonText(VKControl &w)
{
    const auto buttons = w.findChildren<QPushButton *>();
    return buttons.size() == 1 ? buttons.first()->text() : QString();
}

QString cancelText()
{
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text();
}

} // namespace

// Runs under a German locale, set in main before the application starts,
// as a user's session would set it.
class TranslationTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { StartUp::installTranslators(*qApp); }

    void theWindowSpeaksGermanButTheTestButtonKeepsItsLabel()
    {
        VKControl w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Velkaro"));
        QCOMPARE(menuTexts(w),
                 QStringList({"Datei", "  Fortschritt", "  Eine-Minute-Herausforderung",
                              "  Klasse\u2026", "  ", "  Beenden", "Einstellungen", "  Test",
                              "  Tastatur", "Hilfe", "  Benutzerhandbuch", "  Über Velkaro"}));
        QCOMPARE(w.scoreView()->text(), QStringLiteral("Punkte: 0 von 0"));
        QCOMPARE(testButtonText(w), QStringLiteral("&Test"));
    }

    // Notes are named as under the staff, numbers written the German way.
    void theProgressWindowIsGermanToo()
    {
        VKControl w;
        w.showProgress();
        QCOMPARE(w.progressWindow()->windowTitle(), QStringLiteral("Fortschritt \u2013 Velkaro"));
        QCOMPARE(ReportText::noteName(71), QStringLiteral("H4"));
        QCOMPARE(ReportText::noteName(61), QStringLiteral("Cis4"));
        QCOMPARE(ReportText::seconds(1500), QStringLiteral("1,5 s"));
        QCOMPARE(ReportText::duration(2 * 3600 * 1000 + 5 * 60 * 1000),
                 QStringLiteral("2 h 05 min"));
    }

    void theTestSettingsAreGermanAndTheKeyboardSettingsAreNot()
    {
        VKControl w;
        const VKTest *staff = w.staffView();
        QCOMPARE(staff->findChildren<QGroupBox *>().size(), 1);
        QCOMPARE(staff->findChild<QGroupBox *>()->title(), QStringLiteral("Notenschlüssel"));
        QCOMPARE(textsOf<QRadioButton>(staff),
                 QStringList({"Altschlüssel", "Bassschlüssel", "Beide (Klaviersystem)",
                              "Tenorschlüssel", "Violinschlüssel"}));
        QCOMPARE(textsOf<QLabel>(staff),
                 QStringList({"", "", "", " ms", "Basssystem: von",
                              "Noten:", "Tonart:", "Tonumfang:", "Violinsystem: von", "Von",
                              "Zeit pro Note:", "bis", "bis", "bis"}));
        const QComboBox *range = staff->configDialog()->rangeChoice();
        QCOMPARE(range->itemText(0), QStringLiteral("Die zwei Oktaven des Schlüssels"));
        QCOMPARE(range->itemText(3), QStringLiteral("Liniensystem und vier Hilfslinien"));
        QCOMPARE(textsOf<QCheckBox>(staff),
                 QStringList({"Mit Vorzeichen", "Nach einem Fehler die richtige Taste zeigen",
                              "Noten beschriften"}));
        const QComboBox *keys = staff->configDialog()->keyChoice();
        QCOMPARE(keys->itemText(0), QStringLiteral("C-Dur / A-Moll"));
        QCOMPARE(keys->itemText(6), QStringLiteral("Fis-Dur / Dis-Moll (6\u266f)"));
        QCOMPARE(keys->itemText(14), QStringLiteral("Ces-Dur / As-Moll (7\u266d)"));
        const QComboBox *notesChoice = staff->configDialog()->notesChoice();
        QCOMPARE(notesChoice->itemText(0), QStringLiteral("zufällig"));
        QCOMPARE(notesChoice->itemText(1), QStringLiteral("mehr von denen, die ich verfehle"));
        VKTestConfig *config = staff->configDialog();
        config->intervalField()->setText("0");
        config->accept();
        QCOMPARE(config->intervalMessage()->text(),
                 QStringLiteral("Das Notenintervall muss eine ganze Zahl von 1 bis 999999 "
                                "Millisekunden sein."));

        const VKKeyboard *keyboard = w.keyboardView();
        QCOMPARE(keyboard->findChild<QGroupBox *>()->title(), QStringLiteral("Keyboard"));
        // The handheld's two sizes keep their English words; the larger ones are new.
        QCOMPARE(textsOf<QRadioButton>(keyboard),
                 QStringList({"Alle 88 Tasten", "One Octave", "Two Octave", "Vier Oktaven"}));
    }

    void theErrorBoxIsGermanAndTheAboutBoxIsNot()
    {
        MessageBoxCatcher catcher;
        VKControl w;
        w.showHelp();
        w.about();
        QCOMPARE(catcher.boxes.size(), 2);
        QCOMPARE(catcher.boxes.at(0).title, QStringLiteral("Fehler"));
        QCOMPARE(catcher.boxes.at(0).text, QStringLiteral("Hilfedatei nicht gefunden"));
        QCOMPARE(catcher.boxes.at(1).title, QStringLiteral("Velkaro"));
        QVERIFY(catcher.boxes.at(1).text.startsWith("Velkaro for Zaurus\nv1.0\n"));
    }

    void qtsOwnButtonsAreGermanToo() { QCOMPARE(cancelText(), QStringLiteral("Abbrechen")); }

    void anotherLanguageReplacesTheTranslationsInForce()
    {
        StartUp::installTranslators(*qApp, QLocale(QLocale::French, QLocale::France));
        VKControl w;
        QCOMPARE(menuTexts(w).first(), QStringLiteral("Fichier"));
        QCOMPARE(w.scoreView()->text(), QStringLiteral("Score\u00a0: 0 sur 0"));
        QCOMPARE(cancelText(), QStringLiteral("Annuler"));
    }

    void englishAndUntranslatedLanguagesGetTheOriginalTexts_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("Finnish") << QLocale(QLocale::Finnish, QLocale::Finland);
    }

    void englishAndUntranslatedLanguagesGetTheOriginalTexts()
    {
        QFETCH(QLocale, locale);
        StartUp::installTranslators(*qApp, locale);
        VKControl w;
        QCOMPARE(menuTexts(w).first(), QStringLiteral("File"));
        QCOMPARE(w.scoreView()->text(), QStringLiteral("Score: 0 of 0"));
        QCOMPARE(cancelText(), QStringLiteral("Cancel"));
    }

    // The names under the notes, through the real catalogues: English and
    // German letters (H for B, and B for B flat in German), French
    // syllables. Sharps and flats keep the name of the step they stand at.
    void noteNamesFollowTheLanguage_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("names");
        // C D E F G A B, then B flat, A sharp, D flat and F sharp.
        QTest::newRow("English") << QLocale(QLocale::English)
                                 << QStringList{"C", "D", "E", "F", "G", "A",
                                                "B", "B", "A", "D", "F"};
        QTest::newRow("German") << QLocale(QLocale::German)
                                << QStringList{"C", "D", "E", "F", "G", "A",
                                               "H", "B", "A", "D", "F"};
        QTest::newRow("French") << QLocale(QLocale::French)
                                << QStringList{"Do", "Ré", "Mi", "Fa", "Sol", "La",
                                               "Si", "Si", "La", "Ré", "Fa"};
    }
    void noteNamesFollowTheLanguage()
    {
        QFETCH(QLocale, locale);
        QFETCH(QStringList, names);
        StartUp::installTranslators(*qApp, locale);
        QStringList shown;
        for (const int n : {36, 38, 40, 41, 43, 45, 47, -46, 46, -37, 42})
            shown << VKTest::labelText(Handheld::note(n));
        QCOMPARE(shown, names);
        // A staff laid out in another language shows the new names at once.
        StartUp::installTranslators(*qApp, QLocale(QLocale::German));
        QCOMPARE(VKTest::labelText(Handheld::note(47)), QStringLiteral("H"));
    }

    // Longer names sit centred under their heads and never reach their
    // neighbours', at the handheld's size and zoomed.
    void longNamesStayWithinTheirSlots_data()
    {
        QTest::addColumn<qreal>("zoom");
        QTest::newRow("handheld") << 1.0;
        QTest::newRow("zoom 2.5") << 2.5;
    }
    void longNamesStayWithinTheirSlots()
    {
        QFETCH(qreal, zoom);
        StartUp::installTranslators(*qApp, QLocale(QLocale::French));
        VKTest staff;
        staff.setZoom(zoom);
        staff.resize(qRound(240 * zoom), staff.height());
        const QList<int> row{43, 43, 45, 43, 47, 43, 36, 43, 43, 43}; // Sol, La, Si, Do
        for (const int n : row)
            Handheld::draw(staff, n);
        const QImage image = staff.grab().toImage();
        // Ink in the strip's bottom rows, column by column: the names only.
        QList<int> inkColumns;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = image.height() - qRound(12 * zoom); y < image.height(); ++y) {
                if (qGray(image.pixel(x, y)) < 160) {
                    inkColumns << x;
                    break;
                }
            }
        }
        for (int i = 0; i < row.size(); ++i) {
            const qreal centre = (35 + 20 * i + 5.5) * zoom;
            const qreal half = 10 * zoom;
            QList<int> mine;
            for (const int x : inkColumns) {
                if (std::abs(x + 0.5 - centre) < half)
                    mine << x;
            }
            QVERIFY2(!mine.isEmpty(), qPrintable(QStringLiteral("slot %1 has no name").arg(i)));
            // Not squeezed illegibly thin, and clear of the slot's edges.
            QVERIFY(mine.last() - mine.first() >= 8 * zoom);
            QVERIFY2(mine.first() > centre - half + zoom && mine.last() < centre + half - zoom,
                     qPrintable(QStringLiteral("slot %1: ink from %2 to %3 around %4")
                                    .arg(i)
                                    .arg(mine.first())
                                    .arg(mine.last())
                                    .arg(centre)));
            if (VKTest::labelText(Handheld::note(row[i])).size() > 1)
                QVERIFY(std::abs((mine.first() + mine.last() + 1) / 2.0 - centre) <= 1.5 * zoom);
        }
    }

    void theSessionsLanguagesAreTriedInTheirOrder_data()
    {
        QTest::addColumn<QString>("languages");
        QTest::addColumn<QString>("texts");
        QTest::newRow("German only") << ""
                                     << "Datei|Abbrechen";
        QTest::newRow("English before German") << "en_GB:de"
                                               << "File|Cancel";
        QTest::newRow("French before German") << "fr:de"
                                              << "Fichier|Annuler";
        QTest::newRow("Finnish, then German") << "fi:de"
                                              << "Datei|Abbrechen";
        QTest::newRow("Finnish only") << "fi"
                                      << "File|Cancel";
    }

    void theSessionsLanguagesAreTriedInTheirOrder()
    {
        QFETCH(QString, languages);
        QFETCH(QString, texts);
        // A fresh process: the system locale is read once, at start.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LANG", "de_DE.UTF-8");
        env.insert("LC_ALL", "de_DE.UTF-8");
        if (languages.isEmpty())
            env.remove("LANGUAGE");
        else
            env.insert("LANGUAGE", languages);
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {PrintTexts});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()).trimmed(), texts);
    }
};

int main(int argc, char **argv)
{
    if (argc == 2 && argv[1] == PrintTexts) {
        // The first menu and Qt's Cancel, as a program started in this
        // session shows them.
        QPEApplication app(argc, argv);
        StartUp::installTranslators(app);
        VKControl w;
        std::printf("%s|%s\n", qPrintable(menuTexts(w).first()), qPrintable(cancelText()));
        return 0;
    }
    qputenv("LANG", "de_DE.UTF-8");
    qputenv("LC_ALL", "de_DE.UTF-8");
    qunsetenv("LANGUAGE");
    QPEApplication app(argc, argv);
    TranslationTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_translations.moc"
