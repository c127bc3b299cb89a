// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartUp.h"

#include "notes/Catalogue.h"
#include "platform/Resource.h"
#include "platform/sound/QSound.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QStringList>
#include <QTimer>
#include <QTranslator>
#include <QWidget>

namespace {

const char TranslatorName[] = "velkaro-translator";

// Loads catalogue name for the first of locale's languages that it has;
// null when it has none of them.
QTranslator *loadCatalogue(QCoreApplication &app, const QLocale &locale, const QString &name,
                           const QString &folder)
{
    auto *translator = new QTranslator(&app);
    translator->setObjectName(QLatin1String(TranslatorName));
    if (translator->load(locale, name, QStringLiteral("_"), folder))
        return translator;
    delete translator;
    return nullptr;
}

} // namespace

namespace StartUp {

QString helpFilePath(const QString &dataDir, const char *argv0)
{
    // Only the name counts, not the folder it was started from: a launcher
    // or a shell may start the program by its full path.
    const QString name = QFileInfo(QString::fromLocal8Bit(argv0 ? argv0 : "")).fileName();
    return dataDir + QStringLiteral("/help/html/") + name + QStringLiteral(".html");
}

void prepare(QApplication &app)
{
    installTranslators(app);
    QApplication::setWindowIcon(programIcon());
}

void installTranslators(QCoreApplication &app, const QLocale &locale)
{
    const auto earlier =
        app.findChildren<QTranslator *>(QLatin1String(TranslatorName), Qt::FindDirectChildrenOnly);
    for (QTranslator *translator : earlier) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    // The first of the user's languages that the program speaks decides, and
    // Qt's own texts follow it, so that no dialog mixes two languages.
    QTranslator *own =
        loadCatalogue(app, locale, QStringLiteral("velkaro"), QStringLiteral(":/i18n"));
    const QLocale chosen(own ? own->language() : QStringLiteral("en"));
    QTranslator *qt = loadCatalogue(app, chosen, QStringLiteral("qtbase"),
                                    QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // The last one installed is asked first: the program's own texts win.
    if (qt)
        QCoreApplication::installTranslator(qt);
    if (own)
        QCoreApplication::installTranslator(own);
}

QIcon programIcon()
{
    return QIcon(Resource::loadPixmap(QStringLiteral("velkaro")));
}

// The samples installed; a key without one says so when it is first played.
void preloadSounds()
{
    // Keys without a file of their own are played from a neighbour's, which
    // this decodes once for all of them.
    QStringList paths;
    for (const Note &note : notes)
        paths << Resource::findSound(QString::fromLatin1(note.file()));
    QSound::preload(paths);
}

namespace {
// Waits for the window's first paint, then runs its work from the event loop.
class AfterFirstPaint : public QObject
{
public:
    AfterFirstPaint(QWidget *window, std::function<void()> work)
        : QObject(window), m_work(std::move(work))
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, m_work);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_work;
};
} // namespace

void afterFirstPaint(QWidget *window, std::function<void()> work)
{
    new AfterFirstPaint(window, std::move(work));
}

// Connecting to the sound server takes a few milliseconds that the first
// picture should not wait for.
void preloadSoundsAfterFirstPaint(QWidget *window)
{
    afterFirstPaint(window, &preloadSounds);
}

} // namespace StartUp
