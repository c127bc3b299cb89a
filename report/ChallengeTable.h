// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/ProgressFigures.h"

#include <QList>
#include <QWidget>

class QGridLayout;
class QLabel;

// The best one-minute challenge for each of the settings tried, those tried
// last on top: the settings, the most right notes in a complete minute,
// the day it was set, and how many complete challenges there were.
class ChallengeTable : public QWidget
{
    Q_OBJECT
public:
    enum Column { Settings, Best, SetOn, Count, ColumnCount };

    explicit ChallengeTable(QWidget *parent = nullptr);

    void setBests(const QList<ProgressFigures::ChallengeBest> &bests);
    int rows() const { return int(m_rows.size()); }
    QString text(int row, Column column) const;

private:
    QGridLayout *m_grid;
    QLabel *m_none;
    QList<QList<QLabel *>> m_rows;
};
