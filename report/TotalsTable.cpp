// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/TotalsTable.h"

#include "report/ReportText.h"

#include <QGridLayout>
#include <QLabel>
#include <QLocale>

namespace {
constexpr int ColumnSpacing = 24;
}

TotalsTable::TotalsTable(QWidget *parent) : QWidget(parent)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(ColumnSpacing);
    const QString headings[ColumnCount] = {tr("All time"), tr("Last 7 days")};
    for (int c = 0; c < ColumnCount; ++c) {
        auto *heading = new QLabel(QStringLiteral("<b>%1</b>").arg(headings[c]), this);
        grid->addWidget(heading, 0, c + 1, Qt::AlignRight);
    }
    const QString rows[RowCount] = {tr("Notes answered"), tr("Right"), tr("Time in tests"),
                                    tr("Tests"), tr("Longest run of right answers")};
    for (int r = 0; r < RowCount; ++r) {
        grid->addWidget(new QLabel(rows[r], this), r + 1, 0);
        for (int c = 0; c < ColumnCount; ++c) {
            m_cells[r][c] = new QLabel(this);
            m_cells[r][c]->setTextInteractionFlags(Qt::TextSelectableByMouse);
            grid->addWidget(m_cells[r][c], r + 1, c + 1, Qt::AlignRight);
        }
    }
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(RowCount + 1, 1);
    setTotals({}, {});
}

void TotalsTable::setTotals(const ProgressFigures::Totals &allTime,
                            const ProgressFigures::Totals &lastWeek)
{
    fill(AllTime, allTime);
    fill(LastWeek, lastWeek);
}

void TotalsTable::fill(Column column, const ProgressFigures::Totals &t)
{
    const QLocale locale;
    const auto share = t.share();
    m_cells[Answered][column]->setText(locale.toString(t.answers));
    m_cells[Right][column]->setText(
        share ? tr("%1 (%2)").arg(locale.toString(t.right), ReportText::percent(*share))
              : locale.toString(t.right));
    m_cells[TestTime][column]->setText(ReportText::duration(t.testMs));
    m_cells[Tests][column]->setText(locale.toString(t.tests));
    m_cells[LongestRun][column]->setText(locale.toString(t.longestRun));
}

QString TotalsTable::text(Row row, Column column) const
{
    return m_cells[row][column]->text();
}
