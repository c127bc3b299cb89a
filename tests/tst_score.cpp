// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/VKScore.h"

#include <QTest>

class ScoreTest : public QObject
{
    Q_OBJECT
private slots:
    void aNewScoreShowsNoneOfNone()
    {
        VKScore score;
        QCOMPARE(score.text(), QStringLiteral("Score: 0 of 0"));
        QCOMPARE(score.alignment(), Qt::AlignCenter);
    }

    void verdictsCountRightAnswersOutOfNotesTested()
    {
        VKScore score;
        score.updateScore(true);
        score.updateScore(false);
        QCOMPARE(score.text(), QStringLiteral("Score: 1 of 2"));
        score.updateScore(true);
        QCOMPARE(score.text(), QStringLiteral("Score: 2 of 3"));
        score.updateScore(false);
        QCOMPARE(score.text(), QStringLiteral("Score: 2 of 4"));
    }

    void settingTheScoreShowsBothNumbersAtOnce()
    {
        VKScore score;
        score.setScore(7, 12);
        QCOMPARE(score.text(), QStringLiteral("Score: 7 of 12"));
        score.updateScore(true);
        QCOMPARE(score.text(), QStringLiteral("Score: 8 of 13"));
    }
};

QTEST_MAIN(ScoreTest)
#include "tst_score.moc"
