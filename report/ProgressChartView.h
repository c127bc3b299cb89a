// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/ProgressFigures.h"

#include <QString>

class QWidget;

// The Progress window's chart of accuracy and speed over time. It is drawn
// with Qt Charts, which lives in a module of the program's own, loaded the
// first time a Progress window is made: the charting library then costs
// the program's start nothing.
class ProgressChartView
{
public:
    virtual ~ProgressChartView() = default;

    // The chart as a widget, owned by the parent it was made with.
    virtual QWidget *widget() = 0;
    virtual void setPeriods(const QList<ProgressFigures::PeriodFigures> &periods,
                            ProgressFigures::Period period) = 0;

    // A new chart from the module, or nullptr with *error saying why.
    static ProgressChartView *make(QWidget *parent, QString *error);
};

// What the module exports for make().
extern "C" {
using MakeProgressChart = ProgressChartView *(*)(QWidget *parent);
}
inline constexpr char MakeProgressChartName[] = "velkaroMakeProgressChart";
