// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a made-up learner's history into a new answer log, for the
// screenshots of the progress window and its benchmark.
//
// Usage: velkaro_make_history FILE [ANSWERS [DAYS]]
// (default 3000 answers over the last 60 days). An existing file is left
// alone.
#include "HistoryWriter.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool countOk = true;
    bool daysOk = true;
    const int count = args.size() > 2 ? args.at(2).toInt(&countOk) : 3000;
    const int days = args.size() > 3 ? args.at(3).toInt(&daysOk) : 60;
    if (args.size() < 2 || args.size() > 4 || !countOk || !daysOk || count < 1 || days < 1) {
        std::fputs("usage: velkaro_make_history FILE [ANSWERS [DAYS]]\n", stderr);
        return 2;
    }
    const QString path = args.at(1);
    if (QFileInfo::exists(path)) {
        std::fprintf(stderr, "%s exists already; it is left as it is\n", qPrintable(path));
        return 1;
    }
    if (!writeGeneratedHistory(path, count, days, QDateTime::currentDateTimeUtc())) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return 1;
    }
    return 0;
}
