// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/VKScore.h"

VKScore::VKScore(QWidget *parent, const char *name) : QLabel(QStringLiteral(" "), parent)
{
    setObjectName(QString::fromLatin1(name));
    setAlignment(Qt::AlignCenter);
    displayScore();
}

void VKScore::setScore(int right, int tested)
{
    correct = right;
    total = tested;
    displayScore();
}

void VKScore::updateScore(bool right)
{
    ++total;
    if (right)
        ++correct;
    displayScore();
}

void VKScore::displayScore()
{
    setText(tr("Score: %1 of %2").arg(correct, 0, 10).arg(total, 0, 10));
}
