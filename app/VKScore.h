// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// The score line: right answers out of notes tested, for the whole session.
class VKScore : public QLabel
{
    Q_OBJECT
public:
    explicit VKScore(QWidget *parent = nullptr, const char *name = nullptr);

    void setScore(int right, int tested);
    int rightAnswers() const { return correct; }
    int notesTested() const { return total; }

public slots:
    void updateScore(bool right);
    void displayScore();

private:
    int correct = 0;
    int total = 0;
};
