// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "staff/VKTestConfig.h"

#include "notes/Ink.h"
#include "notes/NoteNames.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int IntervalDigits = 6;
constexpr int ShortestInterval = 1;
constexpr int LongestInterval = 999999;
// The key list: every key, then the changing one.
constexpr int ChangingKeyIndex = KeySignature::Count;

int keyIndex(const KeyChoice &choice)
{
    if (choice.changing)
        return ChangingKeyIndex;
    const auto keys = KeySignature::all();
    return int(std::find(keys.begin(), keys.end(), choice.key) - keys.begin());
}
} // namespace

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
    bothButton = new QRadioButton(tr("Both (grand staff)"), clefGroup);
    clefColumn->addWidget(trebleButton);
    clefColumn->addWidget(bassButton);
    clefColumn->addWidget(bothButton);
    // Says why the grand staff cannot be chosen; hidden while it can.
    grandStaffProblem = new QLabel(clefGroup);
    grandStaffProblem->setWordWrap(true);
    grandStaffProblem->hide();
    clefColumn->addWidget(grandStaffProblem);
    auto *exclusive = new QButtonGroup(clefGroup);
    exclusive->addButton(trebleButton);
    exclusive->addButton(bassButton);
    exclusive->addButton(bothButton);
    column->addWidget(clefGroup);

    // The key: each with its relative minor and its signature, then a new
    // one every few notes.
    auto *keyRow = new QHBoxLayout;
    column->addLayout(keyRow);
    auto *keyLabel = new QLabel(tr("Key:"), this);
    keyBox = new QComboBox(this);
    for (const KeySignature key : KeySignature::all())
        keyBox->addItem(NoteNames::keyName(key));
    keyBox->addItem(tr("Changing"));
    keyLabel->setBuddy(keyBox);
    keyRow->addWidget(keyLabel);
    keyRow->addWidget(keyBox, 1);
    accidentalsBox = new QCheckBox(tr("With accidentals"), this);
    column->addWidget(accidentalsBox);

    auto *intervalRow = new QHBoxLayout;
    column->addLayout(intervalRow);
    auto *intervalLabel = new QLabel(tr("Note Interval:"), this);
    intervalEdit = new QLineEdit(this);
    intervalEdit->setMaxLength(IntervalDigits);
    intervalLabel->setBuddy(intervalEdit);
    intervalRow->addWidget(intervalLabel);
    intervalRow->addWidget(intervalEdit);
    intervalRow->addWidget(new QLabel(tr(" mSec"), this));

    // Says why an interval cannot be accepted; hidden while there is nothing to say.
    intervalProblem = new QLabel(this);
    intervalProblem->setWordWrap(true);
    intervalProblem->hide();
    column->addWidget(intervalProblem);
    connect(intervalEdit, &QLineEdit::textEdited, intervalProblem, &QWidget::hide);

    labelBox = new QCheckBox(tr("Label Notes"), this);
    column->addWidget(labelBox);

    // How the test chooses its notes: the first item is the even draw.
    auto *notesRow = new QHBoxLayout;
    column->addLayout(notesRow);
    auto *notesLabel = new QLabel(tr("Notes:"), this);
    notesBox = new QComboBox(this);
    notesBox->addItem(tr("at random"));
    notesBox->addItem(tr("more of those I miss"));
    notesLabel->setBuddy(notesBox);
    notesRow->addWidget(notesLabel);
    notesRow->addWidget(notesBox, 1);

    showAnswerBox = new QCheckBox(tr("Show the right key after a miss"), this);
    column->addWidget(showAnswerBox);
}

bool VKTestConfig::intervalIsValid() const
{
    bool ok = false;
    const int ms = intervalEdit->text().toInt(&ok, 10);
    return ok && ms >= ShortestInterval && ms <= LongestInterval;
}

// An interval of 0 or less would judge notes faster than anyone can see them,
// and text that is no number would become 0: neither may end the dialog.
void VKTestConfig::accept()
{
    if (!intervalIsValid()) {
        // In a red that reads on the theme of the moment.
        QPalette warning = palette();
        warning.setColor(QPalette::WindowText, Ink::forPalette(warning).warning);
        intervalProblem->setPalette(warning);
        intervalProblem->setText(tr("The note interval must be a whole number of milliseconds "
                                    "from %1 to %2.")
                                     .arg(ShortestInterval)
                                     .arg(LongestInterval));
        intervalProblem->show();
        intervalEdit->selectAll();
        intervalEdit->setFocus(Qt::OtherFocusReason);
        return;
    }
    QDialog::accept();
}

void VKTestConfig::setGrandStaffAvailable(bool available, const QString &why)
{
    bothButton->setEnabled(available);
    grandStaffProblem->setText(why);
    grandStaffProblem->setVisible(!available && !why.isEmpty());
}

bool VKTestConfig::exec(bool treble, int time, bool labels, bool weakNotes, bool showAnswer,
                        bool grandStaff)
{
    TestSettings settings;
    settings.clef = grandStaff ? ClefMode::Both : treble ? ClefMode::Treble : ClefMode::Bass;
    settings.intervalMs = time;
    settings.labels = labels;
    settings.weakNotes = weakNotes;
    settings.showAnswer = showAnswer;
    return exec(settings);
}

bool VKTestConfig::exec(const TestSettings &settings)
{
    switch (settings.clef) {
    case ClefMode::Both:
        bothButton->setChecked(true);
        break;
    case ClefMode::Treble:
        trebleButton->setChecked(true);
        break;
    case ClefMode::Bass:
        bassButton->setChecked(true);
        break;
    }
    intervalEdit->setText(QString::number(settings.intervalMs, 10));
    intervalProblem->hide();
    labelBox->setChecked(settings.labels);
    notesBox->setCurrentIndex(settings.weakNotes ? 1 : 0);
    showAnswerBox->setChecked(settings.showAnswer);
    keyBox->setCurrentIndex(keyIndex(settings.key));
    accidentalsBox->setChecked(settings.chromatic);

    if (QDialog::exec() != QDialog::Accepted)
        return false;
    if (bothButton->isChecked())
        emit selectGrandStaff();
    else
        emit selectGClef(trebleButton->isChecked());
    emit selectLabelNotes(labelBox->isChecked());
    emit newTestTime(intervalEdit->text().toInt(nullptr, 10));
    emit selectWeakNotes(notesBox->currentIndex() == 1);
    emit selectShowAnswer(showAnswerBox->isChecked());
    const int key = keyBox->currentIndex();
    emit selectChromatic(accidentalsBox->isChecked());
    emit selectKey(key == ChangingKeyIndex ? KeyChoice{KeySignature(), true}
                                           : KeyChoice{KeySignature::all()[key], false});
    return true;
}
