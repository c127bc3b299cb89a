// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariantMap>

// Reads an answer log the way a learner's own script would: plain SQL on
// the file, through a connection of its own.
namespace LogRows {

// Every row a query gives, as column name -> value.
inline QList<QVariantMap> query(const QString &path, const QString &sql)
{
    QList<QVariantMap> rows;
    const QString name = QStringLiteral("log-rows-%1").arg(quintptr(&rows), 0, 16);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(sql)) {
                while (q.next()) {
                    QVariantMap row;
                    for (int i = 0; i < q.record().count(); ++i)
                        row.insert(q.record().fieldName(i), q.value(i));
                    rows << row;
                }
            }
        }
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

inline QList<QVariantMap> answers(const QString &path)
{
    return query(path, QStringLiteral("SELECT * FROM answers ORDER BY id"));
}

inline QString integrity(const QString &path)
{
    const auto rows = query(path, QStringLiteral("PRAGMA integrity_check"));
    return rows.isEmpty() ? QString() : rows.first().first().toString();
}

} // namespace LogRows
