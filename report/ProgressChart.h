// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/ProgressChartView.h"

#include <QChartView>

class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

// Accuracy and speed over time: the share of right answers and the notes
// answered per minute of test time, one point per day or per week in which
// the learner was tested; and the right notes of the best complete
// one-minute challenge of each day or week that had one, on the same scale
// of notes per minute. Built into the chart module (see
// ProgressChartView), not into the program.
class ProgressChart : public QChartView, public ProgressChartView
{
    Q_OBJECT
public:
    explicit ProgressChart(QWidget *parent = nullptr);

    QWidget *widget() override { return this; }
    void setPeriods(const QList<ProgressFigures::PeriodFigures> &periods,
                    ProgressFigures::Period period) override;

protected:
    void changeEvent(QEvent *event) override;

private:
    void applyPalette();
    void retitle();

    QLineSeries *m_accuracy;
    QLineSeries *m_speed;
    QLineSeries *m_challenge;
    QDateTimeAxis *m_time;
    QValueAxis *m_percent;
    QValueAxis *m_perMinute;
    ProgressFigures::Period m_period = ProgressFigures::Period::Day;
    bool m_empty = true;
};
