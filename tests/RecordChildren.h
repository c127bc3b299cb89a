// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/AnswerLog.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>

#include <cstdio>
#include <unistd.h>

// Other programs on the record, as a test starts them from its own binary:
// one that records answers, and one that holds the record's write lock.
namespace RecordChildren {

inline const QString WriteAnswers = QStringLiteral("--write-answers");
inline const QString HoldLock = QStringLiteral("--hold-lock");

// The answer numbered i of a child's run: the two octaves from middle C over
// and over, every other one right.
inline Answer numbered(int i)
{
    Answer a;
    a.clef = QStringLiteral("treble");
    a.written = WrittenNote::fromMidi(60 + i % 24, i % 3 == 0);
    a.answer = a.note() + i % 2;
    a.correct = i % 2 == 0;
    a.responseMs = 500 + i;
    a.source = QStringLiteral("keys");
    a.intervalMs = 5000;
    return a;
}

// --write-answers FILE COUNT THEN [PAUSE]: records COUNT answers in one run,
// printing each one's number once it is committed. With PAUSE, stops after
// that many until a line comes on standard input. THEN "wait" waits to be
// killed; "exit" ends the run and the program.
inline int writeAnswers(const QStringList &args)
{
    const int at = int(args.indexOf(WriteAnswers));
    const int count = args.value(at + 2).toInt();
    const bool wait = args.value(at + 3) == QLatin1String("wait");
    const int pause = args.value(at + 4, QString::number(count)).toInt();
    AnswerLog log(args.value(at + 1));
    if (log.open() != AnswerLog::State::Recording)
        return 3;
    int committed = 0;
    QObject::connect(&log, &AnswerLog::recorded, [&] {
        std::printf("%d\n", committed++);
        std::fflush(stdout);
    });
    QObject::connect(&log, &AnswerLog::stopped, [] { QCoreApplication::exit(4); });
    log.beginSession();
    for (int i = 0; i < count; ++i) {
        if (i == pause) {
            log.finishWrites();
            char line[16];
            if (!std::fgets(line, sizeof line, stdin))
                return 5;
        }
        log.record(numbered(i));
    }
    log.finishWrites();
    if (wait) {
        for (;;)
            ::pause();
    }
    log.endSession();
    log.finishWrites();
    return committed == count ? 0 : 4;
}

// --hold-lock FILE MS: takes the record's write lock as another program's
// long transaction would, says "locked", holds it MS milliseconds, lets go
// and says "released".
inline int holdLock(const QStringList &args)
{
    const int at = int(args.indexOf(HoldLock));
    int status = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "holder");
        db.setDatabaseName(args.value(at + 1));
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        QSqlQuery q(db);
        if (!db.open() || !q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
            status = 3;
        } else {
            std::puts("locked");
            std::fflush(stdout);
            QThread::msleep(args.value(at + 2).toULong());
            q.exec(QStringLiteral("COMMIT"));
            std::puts("released");
            std::fflush(stdout);
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("holder"));
    return status;
}

// Runs the child a test binary was started as, if any; -1 otherwise.
inline int runChild(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QLatin1String arg(argv[i]);
        if (arg == WriteAnswers || arg == HoldLock) {
            QCoreApplication app(argc, argv);
            return arg == WriteAnswers ? writeAnswers(app.arguments()) : holdLock(app.arguments());
        }
    }
    return -1;
}

inline QProcess *start(const QStringList &arguments, QObject *parent)
{
    auto *child = new QProcess(parent);
    child->start(QCoreApplication::applicationFilePath(), arguments);
    return child;
}

// Reads the child's output until it has printed the line given, or ended.
inline QByteArray readUntil(QProcess *child, const QByteArray &line, QByteArray *printed)
{
    while (!printed->contains(line + '\n') && child->state() != QProcess::NotRunning) {
        child->waitForReadyRead(1000);
        *printed += child->readAllStandardOutput();
    }
    *printed += child->readAllStandardOutput();
    return *printed;
}

} // namespace RecordChildren
