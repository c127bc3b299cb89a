// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/AnswerColumns.h"

#include <QSqlQuery>
#include <QVariant>

void AnswerColumns::readVerdict(const QSqlQuery &q, int first, LoggedAnswer &answer)
{
    answer.note = q.value(first).toInt();
    answer.correct = q.value(first + 1).toInt() != 0;
    const QVariant response = q.value(first + 2);
    if (!response.isNull())
        answer.responseMs = response.toInt();
    answer.intervalMs = q.value(first + 3).toInt();
    answer.key = q.value(first + 4).toInt();
}
