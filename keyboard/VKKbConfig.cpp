// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyboard/VKKbConfig.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int OneOctaveKeys = KeyboardGeometry::OneOctave;
constexpr int TwoOctaveKeys = KeyboardGeometry::TwoOctaves;
} // namespace

VKKbConfig::VKKbConfig(QWidget *parent, const char *name) : QDialog(parent)
{
    setObjectName(QString::fromLatin1(name));
    setModal(true);

    // The labels are deliberately not translated: the keyboard settings keep
    // the handheld's English words in every language.
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto *group = new QGroupBox(QStringLiteral("Keyboard"), this);
    auto *groupColumn = new QVBoxLayout(group);
    oneOctaveButton = new QRadioButton(QStringLiteral("One Octave"), group);
    twoOctaveButton = new QRadioButton(QStringLiteral("Two Octave"), group);
    groupColumn->addWidget(oneOctaveButton);
    groupColumn->addWidget(twoOctaveButton);
    auto *exclusive = new QButtonGroup(group);
    exclusive->addButton(oneOctaveButton);
    exclusive->addButton(twoOctaveButton);
    column->addWidget(group);

    showChoiceInForce();
}

VKKbConfig::~VKKbConfig() = default;

void VKKbConfig::showChoiceInForce()
{
    if (whiteKeys == OneOctaveKeys)
        oneOctaveButton->setChecked(true);
    else
        twoOctaveButton->setChecked(true);
}

void VKKbConfig::choose(bool oneOctave)
{
    const int chosen = oneOctave ? OneOctaveKeys : TwoOctaveKeys;
    if (chosen == whiteKeys)
        return;
    whiteKeys = chosen;
    showChoiceInForce();
    emit selectOneOctave(oneOctave);
}

int VKKbConfig::exec()
{
    // Every run starts from the octave count in force: a cancelled run leaves
    // nothing behind.
    showChoiceInForce();
    const int result = QDialog::exec();
    if (result != QDialog::Accepted)
        return result;
    const int chosen = oneOctaveButton->isChecked() ? OneOctaveKeys : TwoOctaveKeys;
    if (chosen == whiteKeys)
        return result;
    whiteKeys = chosen;
    emit selectOneOctave(chosen == OneOctaveKeys);
    return result;
}
