// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/History.h"

class QSqlQuery;

// Every reader of answers for the figures, of the local record or of a
// class's server, selects what a verdict was in the same order: note,
// correct, response_ms, interval_ms and key.
namespace AnswerColumns {

// Reads those five columns of the query's current row, from column first on.
void readVerdict(const QSqlQuery &q, int first, LoggedAnswer &answer);

} // namespace AnswerColumns
