// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ChallengeResultBox.h"

#include "app/Challenge.h"
#include "report/ReportText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr qreal HeadlineScale = 1.6;
constexpr int FigureColumnSpacing = 24;
// Wide enough for the title on the frame and the settings on two lines.
constexpr int WidthInCharacters = 50;
} // namespace

ChallengeResultBox::ChallengeResultBox(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("One-Minute Challenge"));
    setModal(false);

    m_headline = new QLabel(this);
    QFont big = m_headline->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * HeadlineScale);
    m_headline->setFont(big);
    m_settings = new QLabel(this);
    m_settings->setWordWrap(true);
    m_settings->setMinimumWidth(fontMetrics().averageCharWidth() * WidthInCharacters);

    auto *form = new QFormLayout;
    form->setHorizontalSpacing(FigureColumnSpacing);
    const QString names[FigureCount] = {
        tr("Right notes:"), tr("Wrong notes:"), tr("Right notes per minute:"),
        tr("Median time per right note:"), tr("Best so far with these settings:")};
    for (int f = 0; f < FigureCount; ++f) {
        m_figures[f] = new QLabel(this);
        m_figures[f]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(names[f], m_figures[f]);
    }
    m_note = new QLabel(this);
    m_note->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(this);
    m_again = buttons->addButton(tr("Again"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Close);
    m_again->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_again, &QPushButton::clicked, this, [this] {
        hide();
        emit againRequested();
    });

    auto *column = new QVBoxLayout(this);
    column->addWidget(m_headline);
    column->addWidget(m_settings);
    column->addLayout(form);
    column->addWidget(m_note);
    column->addWidget(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

void ChallengeResultBox::showResult(const ChallengeResult &result)
{
    const QLocale locale;
    const ProgressFigures::ChallengeFigures &f = result.figures;
    const bool complete = f.isComplete();
    m_headline->setText(result.newBest ? tr("New personal best!")
                        : complete     ? tr("Time\u2019s up!")
                                       : tr("Ended early"));
    m_settings->setText(ReportText::challengeSettings(f.settings));
    m_figures[Right]->setText(locale.toString(f.right));
    m_figures[Wrong]->setText(locale.toString(f.wrong));
    const std::optional<qreal> perMinute = f.rightPerMinute();
    m_figures[PerMinute]->setText(!perMinute ? QStringLiteral("\u2013")
                                  : complete ? locale.toString(f.right)
                                             : locale.toString(*perMinute, 'f', 1));
    m_figures[Median]->setText(f.medianMs ? ReportText::seconds(*f.medianMs)
                                          : QStringLiteral("\u2013"));
    m_figures[Best]->setText(result.earlierBest ? locale.toString(*result.earlierBest)
                                                : tr("none yet"));
    m_note->setText(complete ? QString()
                             : tr("A challenge ended before its minute is up never counts as "
                                  "a best."));
    m_note->setVisible(!complete);
    show();
    raise();
    activateWindow();
}

QString ChallengeResultBox::headline() const
{
    return m_headline->text();
}

QString ChallengeResultBox::settingsText() const
{
    return m_settings->text();
}

QString ChallengeResultBox::figureText(Figure figure) const
{
    return m_figures[figure]->text();
}

QString ChallengeResultBox::note() const
{
    return m_note->text();
}
