// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/ClassCommands.h"

#include "classroom/ClassConnection.h"
#include "classroom/ClassReport.h"
#include "classroom/ClassSchema.h"
#include "classroom/ServerProgress.h"

#include <QDateTime>

#include <cstdio>

namespace ClassCommands {

namespace {

int failed(const QString &message)
{
    std::fprintf(stderr, "velkaro: %s\n", message.toLocal8Bit().constData());
    return Failed;
}

void print(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

} // namespace

int setup(const ClassUrl &url)
{
    ClassConnection server(url);
    if (!server.open())
        return failed(server.errorString());
    QString error;
    if (!ClassSchema::create(server.database(), &error))
        return failed(error);
    print(QStringLiteral("The class's tables are ready on %1.\n").arg(url.text()));
    return 0;
}

int addPupil(const ClassUrl &url, const QString &pupil)
{
    ClassConnection server(url);
    if (!server.open())
        return failed(server.errorString());
    QString error;
    const std::optional<QString> password = ClassSchema::addPupil(server.database(), pupil, &error);
    if (!password)
        return failed(error);
    print(QStringLiteral("Pupil %1 added. Their password, shown only this once:\n%2\n"
                         "For the pupil's ~/.pgpass (chmod 600 ~/.pgpass):\n%3\n"
                         "The pupil connects with: velkaro --class-server %4 --pupil %1\n")
              .arg(pupil, *password, url.withUser(pupil).passwordLine(*password),
                   url.withUser(QString()).text()));
    return 0;
}

int report(const ClassUrl &url, bool csv)
{
    ClassConnection server(url);
    if (!server.open())
        return failed(server.errorString());
    QString error;
    const std::optional<QList<PupilFigures>> pupils =
        ClassReport::read(server.database(), QDateTime::currentDateTimeUtc(), &error);
    if (!pupils)
        return failed(error);
    print(csv ? ClassReport::csv(*pupils) : ClassReport::table(*pupils));
    return 0;
}

int exportProgress(const ClassUrl &url, const QString &pupil, const QString &target)
{
    if (!ClassConnection::driverAvailable())
        return failed(ClassConnection::driverMissing());
    ServerProgress rows(url, pupil);
    QString error;
    if (!rows.exportCsv(target, &error))
        return failed(error);
    return 0;
}

} // namespace ClassCommands
