// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/ProgressFigures.h"

#include <QWidget>

#include <array>

class QLabel;

// The totals, all time and over the last seven days side by side: notes
// answered, the share right, time spent in tests, number of tests and the
// longest run of right answers.
class TotalsTable : public QWidget
{
    Q_OBJECT
public:
    enum Row { Answered, Right, TestTime, Tests, LongestRun, RowCount };
    enum Column { AllTime, LastWeek, ColumnCount };

    explicit TotalsTable(QWidget *parent = nullptr);

    void setTotals(const ProgressFigures::Totals &allTime, const ProgressFigures::Totals &lastWeek);
    QString text(Row row, Column column) const;

private:
    void fill(Column column, const ProgressFigures::Totals &totals);

    std::array<std::array<QLabel *, ColumnCount>, RowCount> m_cells{};
};
