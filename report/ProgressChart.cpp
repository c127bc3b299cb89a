// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ProgressChart.h"

#include "report/ReportColours.h"
#include "report/ReportGeometry.h"

#include <QChart>
#include <QDateTimeAxis>
#include <QEvent>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>

using ProgressFigures::Period;

namespace {

const QColor AccuracyColour(0x1f, 0x77, 0xb4);
const QColor SpeedColour(0xd9, 0x5f, 0x02);
const QColor ChallengeColour(0x1b, 0x9e, 0x77);
constexpr qreal LineWidth = 2;
constexpr int DailyTicks = 8;
constexpr int WeeklyTicks = 7;
constexpr int PercentTicks = 6;
constexpr qreal LeastSpeedRange = 10;
constexpr qreal SpeedHeadroom = 1.15;

// A period's point stands at its middle.
qreal middleOf(const ProgressFigures::PeriodFigures &p)
{
    const QDateTime first = p.first.startOfDay();
    const QDateTime end = p.last.addDays(1).startOfDay();
    return (first.toMSecsSinceEpoch() + end.toMSecsSinceEpoch()) / 2.0;
}

} // namespace

// The view is made with its chart: a view made without one makes a chart of
// its own, which it lets go of, undeleted, when it is given another.
ProgressChart::ProgressChart(QWidget *parent) : QChartView(new QChart, parent)
{
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(ReportGeometry::ChartMinimumWidth, ReportGeometry::ChartMinimumHeight);
    QChart *chart = this->chart();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);

    m_accuracy = new QLineSeries(chart);
    m_speed = new QLineSeries(chart);
    m_challenge = new QLineSeries(chart);
    for (QLineSeries *series : {m_accuracy, m_speed, m_challenge}) {
        series->setPointsVisible(true);
        chart->addSeries(series);
    }

    m_time = new QDateTimeAxis(chart);
    m_percent = new QValueAxis(chart);
    m_percent->setRange(0, 100);
    m_percent->setTickCount(PercentTicks);
    m_percent->setLabelFormat(QStringLiteral("%d"));
    m_perMinute = new QValueAxis(chart);
    m_perMinute->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(m_time, Qt::AlignBottom);
    chart->addAxis(m_percent, Qt::AlignLeft);
    chart->addAxis(m_perMinute, Qt::AlignRight);
    m_accuracy->attachAxis(m_time);
    m_accuracy->attachAxis(m_percent);
    m_speed->attachAxis(m_time);
    m_speed->attachAxis(m_perMinute);
    m_challenge->attachAxis(m_time);
    m_challenge->attachAxis(m_perMinute);
    retitle();
    applyPalette();
}

void ProgressChart::setPeriods(const QList<ProgressFigures::PeriodFigures> &periods, Period period)
{
    m_period = period;
    QList<QPointF> accuracy;
    QList<QPointF> speed;
    QList<QPointF> challenge;
    qreal fastest = 0;
    for (const ProgressFigures::PeriodFigures &p : periods) {
        const qreal x = middleOf(p);
        if (const auto share = p.accuracy())
            accuracy.append(QPointF(x, *share * 100));
        if (const auto perMinute = p.notesPerMinute()) {
            speed.append(QPointF(x, *perMinute));
            fastest = std::max(fastest, *perMinute);
        }
        if (p.challengeBest) {
            challenge.append(QPointF(x, *p.challengeBest));
            fastest = std::max(fastest, qreal(*p.challengeBest));
        }
    }
    m_accuracy->replace(accuracy);
    m_speed->replace(speed);
    m_challenge->replace(challenge);
    m_empty = accuracy.isEmpty();
    if (!periods.isEmpty())
        m_time->setRange(periods.first().first.startOfDay(),
                         periods.last().last.addDays(1).startOfDay());
    m_time->setTickCount(period == Period::Day ? DailyTicks : WeeklyTicks);
    m_perMinute->setRange(0, std::max(LeastSpeedRange, fastest * SpeedHeadroom));
    m_perMinute->applyNiceNumbers();
    retitle();
}

void ProgressChart::retitle()
{
    m_accuracy->setName(tr("Right answers (%)"));
    m_speed->setName(tr("Notes per minute of test time"));
    m_challenge->setName(m_period == Period::Day
                             ? tr("Right notes in the day's best one-minute challenge")
                             : tr("Right notes in the week's best one-minute challenge"));
    //: The date format of the labels under the chart (d day, M month, MMM its short name).
    m_time->setFormat(tr("MMM d"));
    if (m_empty)
        chart()->setTitle(tr("No tests in the last %1 days").arg(ProgressFigures::ChartDays));
    else if (m_period == Period::Day)
        chart()->setTitle(tr("Accuracy and speed, day by day"));
    else
        chart()->setTitle(tr("Accuracy and speed, week by week"));
}

// The chart's own themes know nothing of the desktop's: its colours are
// taken from the palette, the lines' made readable on its background.
void ProgressChart::applyPalette()
{
    const QPalette pal = palette();
    const QColor background = ReportColours::paper(pal);
    const QColor ink = ReportColours::ink(pal);
    QChart *c = chart();
    c->setBackgroundBrush(background);
    c->setBackgroundRoundness(0);
    c->setTitleBrush(ink);
    c->legend()->setLabelColor(ink);
    for (QAbstractAxis *axis :
         {static_cast<QAbstractAxis *>(m_time), static_cast<QAbstractAxis *>(m_percent),
          static_cast<QAbstractAxis *>(m_perMinute)}) {
        axis->setLabelsColor(ink);
        axis->setLinePenColor(ink);
        axis->setGridLineColor(pal.color(QPalette::Mid));
    }
    const struct
    {
        QLineSeries *series;
        QColor colour;
    } lines[] = {
        {m_accuracy, AccuracyColour}, {m_speed, SpeedColour}, {m_challenge, ChallengeColour}};
    for (const auto &line : lines) {
        QPen pen(ReportColours::readable(line.colour, background), LineWidth);
        line.series->setPen(pen);
        line.series->setBrush(pen.color());
    }
    setBackgroundBrush(background);
}

extern "C" Q_DECL_EXPORT ProgressChartView *velkaroMakeProgressChart(QWidget *parent)
{
    return new ProgressChart(parent);
}

void ProgressChart::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        applyPalette();
    else if (event->type() == QEvent::LanguageChange)
        retitle();
    QChartView::changeEvent(event);
}
