// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyboard/VKKbConfig.h"

#include "keyboard/KeyboardSpan.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

VKKbConfig::VKKbConfig(QWidget *parent, const char *name) : QDialog(parent)
{
    setObjectName(QString::fromLatin1(name));
    setModal(true);

    // The first two labels are deliberately not translated: the keyboard
    // settings keep the handheld's English words in every language. The
    // handheld had no larger keyboards; their labels are translated.
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto *group = new QGroupBox(QStringLiteral("Keyboard"), this);
    auto *groupColumn = new QVBoxLayout(group);
    oneOctaveButton = new QRadioButton(QStringLiteral("One Octave"), group);
    twoOctaveButton = new QRadioButton(QStringLiteral("Two Octave"), group);
    fourOctaveButton = new QRadioButton(tr("Four Octaves"), group);
    pianoButton = new QRadioButton(tr("All 88 Keys"), group);
    auto *exclusive = new QButtonGroup(group);
    for (QRadioButton *button : {oneOctaveButton, twoOctaveButton, fourOctaveButton, pianoButton}) {
        groupColumn->addWidget(button);
        exclusive->addButton(button);
    }
    column->addWidget(group);

    showChoiceInForce();
}

VKKbConfig::~VKKbConfig() = default;

void VKKbConfig::showChoiceInForce()
{
    switch (whiteKeys) {
    case KeyboardGeometry::OneOctave:
        oneOctaveButton->setChecked(true);
        break;
    case KeyboardGeometry::TwoOctaves:
        twoOctaveButton->setChecked(true);
        break;
    case KeyboardGeometry::FourOctaves:
        fourOctaveButton->setChecked(true);
        break;
    default:
        pianoButton->setChecked(true);
        break;
    }
}

int VKKbConfig::checkedKeys() const
{
    if (oneOctaveButton->isChecked())
        return KeyboardGeometry::OneOctave;
    if (twoOctaveButton->isChecked())
        return KeyboardGeometry::TwoOctaves;
    if (fourOctaveButton->isChecked())
        return KeyboardGeometry::FourOctaves;
    return KeyboardSpan::PianoWhiteKeys;
}

void VKKbConfig::choose(bool oneOctave)
{
    chooseWhiteKeys(oneOctave ? KeyboardGeometry::OneOctave : KeyboardGeometry::TwoOctaves);
}

void VKKbConfig::chooseWhiteKeys(int keys)
{
    if (keys == whiteKeys)
        return;
    whiteKeys = keys;
    showChoiceInForce();
    emit selectWhiteKeys(keys);
    emit selectOneOctave(keys == KeyboardGeometry::OneOctave);
}

int VKKbConfig::exec()
{
    // Every run starts from the size in force: a cancelled run leaves
    // nothing behind.
    showChoiceInForce();
    const int result = QDialog::exec();
    if (result == QDialog::Accepted)
        chooseWhiteKeys(checkedKeys());
    return result;
}
