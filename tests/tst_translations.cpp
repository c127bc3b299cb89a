// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageBoxCatcher.h"

#include "app/StartUp.h"
#include "app/VKControl.h"
#include "app/VKScore.h"
#include "keyboard/VKKeyboard.h"
#include "platform/QPEApplication.h"
#include "staff/VKTest.h"
#include "staff/VKTestConfig.h"

#include <QCheckBox>
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
                 QStringList({"Datei", "  Beenden", "Einstellungen", "  Test", "  Tastatur",
                              "Hilfe", "  Benutzerhandbuch", "  Über Velkaro"}));
        QCOMPARE(w.scoreView()->text(), QStringLiteral("Punkte: 0 von 0"));
        QCOMPARE(testButtonText(w), QStringLiteral("&Test"));
    }

    void theTestSettingsAreGermanAndTheKeyboardSettingsAreNot()
    {
        VKControl w;
        const VKTest *staff = w.staffView();
        QCOMPARE(staff->findChildren<QGroupBox *>().size(), 1);
        QCOMPARE(staff->findChild<QGroupBox *>()->title(), QStringLiteral("Notenschlüssel"));
        QCOMPARE(textsOf<QRadioButton>(staff), QStringList({"Bassschlüssel", "Violinschlüssel"}));
        QCOMPARE(textsOf<QLabel>(staff), QStringList({"", " ms", "Zeit pro Note:"}));
        QCOMPARE(textsOf<QCheckBox>(staff), QStringList({"Noten beschriften"}));
        VKTestConfig *config = staff->configDialog();
        config->intervalField()->setText("0");
        config->accept();
        QCOMPARE(config->intervalMessage()->text(),
                 QStringLiteral("Das Notenintervall muss eine ganze Zahl von 1 bis 999999 "
                                "Millisekunden sein."));

        const VKKeyboard *keyboard = w.keyboardView();
        QCOMPARE(keyboard->findChild<QGroupBox *>()->title(), QStringLiteral("Keyboard"));
        QCOMPARE(textsOf<QRadioButton>(keyboard), QStringList({"One Octave", "Two Octave"}));
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
