// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/ClassSettings.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QSettings>
#include <QUuid>

namespace {

const QString UrlKey = QStringLiteral("class/url");
const QString PupilKey = QStringLiteral("class/pupil");

QSettings settings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("velkaro"),
                     QStringLiteral("velkaro"));
}

// A settings key may not hold every character of a path: the record is
// named by a hash of its absolute path.
QString machineKey(const QString &recordPath)
{
    const QByteArray path = QFileInfo(recordPath).absoluteFilePath().toUtf8();
    return QStringLiteral("machines/") +
           QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex());
}

} // namespace

ClassSettings ClassSettings::load()
{
    const QSettings s = settings();
    return ClassSettings{s.value(UrlKey).toString(), s.value(PupilKey).toString()};
}

void ClassSettings::save() const
{
    QSettings s = settings();
    if (url.isEmpty()) {
        s.remove(UrlKey);
        s.remove(PupilKey);
    } else {
        s.setValue(UrlKey, url);
        s.setValue(PupilKey, pupil);
    }
    s.sync();
}

QString ClassSettings::machineId(const QString &recordPath)
{
    QSettings s = settings();
    const QString key = machineKey(recordPath);
    QString id = s.value(key).toString();
    if (id.isEmpty()) {
        id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        s.setValue(key, id);
        s.sync();
    }
    return id;
}

void ClassSettings::keepMachineId(const QString &recordPath, const QString &id)
{
    QSettings s = settings();
    s.setValue(machineKey(recordPath), id);
    s.sync();
}

void ClassSettings::carryMachineId(const QString &from, const QString &to)
{
    const QString id = settings().value(machineKey(from)).toString();
    if (!id.isEmpty())
        keepMachineId(to, id);
}

QString ClassSettings::renewMachineId(const QString &recordPath)
{
    {
        QSettings s = settings();
        s.remove(machineKey(recordPath));
        s.sync();
    }
    return machineId(recordPath);
}
