// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ChallengeTable.h"

#include "report/ReportText.h"

#include <QDateTime>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>

namespace {
constexpr int ColumnSpacing = 24;
}

ChallengeTable::ChallengeTable(QWidget *parent) : QWidget(parent)
{
    m_grid = new QGridLayout(this);
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setHorizontalSpacing(ColumnSpacing);
    const QString headings[ColumnCount] = {tr("Settings"), tr("Best"), tr("Set on"),
                                           tr("Challenges")};
    for (int c = 0; c < ColumnCount; ++c) {
        auto *heading = new QLabel(QStringLiteral("<b>%1</b>").arg(headings[c]), this);
        m_grid->addWidget(heading, 0, c, c == Settings ? Qt::AlignLeft : Qt::AlignRight);
    }
    m_none = new QLabel(tr("No one-minute challenge has run its whole minute yet: start one "
                           "with File \u2192 One-Minute Challenge (Ctrl+M)."),
                        this);
    m_none->setWordWrap(true);
    m_grid->addWidget(m_none, 1, 0, 1, ColumnCount);
    m_grid->setColumnStretch(Settings, 1);
}

void ChallengeTable::setBests(const QList<ProgressFigures::ChallengeBest> &bests)
{
    for (const QList<QLabel *> &row : std::as_const(m_rows))
        qDeleteAll(row);
    m_rows.clear();
    const QLocale locale;
    for (const ProgressFigures::ChallengeBest &best : bests) {
        const QString texts[ColumnCount] = {
            ReportText::challengeSettings(best.settings), locale.toString(best.right),
            locale.toString(QDateTime::fromMSecsSinceEpoch(best.atMs).date(), QLocale::ShortFormat),
            locale.toString(best.complete)};
        QList<QLabel *> row;
        for (int c = 0; c < ColumnCount; ++c) {
            auto *cell = new QLabel(texts[c], this);
            cell->setTextInteractionFlags(Qt::TextSelectableByMouse);
            if (c == Settings)
                cell->setWordWrap(true);
            m_grid->addWidget(cell, int(m_rows.size()) + 2, c,
                              c == Settings ? Qt::AlignLeft : Qt::AlignRight);
            row << cell;
        }
        m_rows << row;
    }
    m_none->setVisible(bests.isEmpty());
}

QString ChallengeTable::text(int row, Column column) const
{
    return m_rows.at(row).at(column)->text();
}
