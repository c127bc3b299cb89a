// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "staff/VKTestConfig.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int IntervalDigits = 6;
}

VKTestConfig::VKTestConfig(QWidget *parent, const char *name) : QDialog(parent)
{
    setObjectName(QString::fromLatin1(name));
    setModal(true);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);

    auto *clefGroup = new QGroupBox(tr("Clef"), this);
    auto *clefColumn = new QVBoxLayout(clefGroup);
    trebleButton = new QRadioButton(tr("Treble"), clefGroup);
    bassButton = new QRadioButton(tr("Bass"), clefGroup);
    clefColumn->addWidget(trebleButton);
    clefColumn->addWidget(bassButton);
    auto *exclusive = new QButtonGroup(clefGroup);
    exclusive->addButton(trebleButton);
    exclusive->addButton(bassButton);
    column->addWidget(clefGroup);

    auto *intervalRow = new QHBoxLayout;
    column->addLayout(intervalRow);
    auto *intervalLabel = new QLabel(tr("Note Interval:"), this);
    intervalEdit = new QLineEdit(this);
    intervalEdit->setMaxLength(IntervalDigits);
    intervalLabel->setBuddy(intervalEdit);
    intervalRow->addWidget(intervalLabel);
    intervalRow->addWidget(intervalEdit);
    intervalRow->addWidget(new QLabel(tr(" mSec"), this));

    labelBox = new QCheckBox(tr("Label Notes"), this);
    column->addWidget(labelBox);
}

void VKTestConfig::exec(bool treble, int time, bool labels)
{
    if (treble)
        trebleButton->setChecked(true);
    else
        bassButton->setChecked(true);
    intervalEdit->setText(QString::number(time, 10));
    labelBox->setChecked(labels);

    if (QDialog::exec() != QDialog::Accepted)
        return;
    emit selectGClef(trebleButton->isChecked());
    emit selectLabelNotes(labelBox->isChecked());
    emit newTestTime(intervalEdit->text().toInt(nullptr, 10));
}
