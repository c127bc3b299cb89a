// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keyboard/KeyboardGeometry.h"

#include <QDialog>

class QRadioButton;

// Keyboard settings: one, two or four octaves, or a piano's 88 keys. Keeps
// its own copy of the choice in force, shows it on every run and reports
// only a change of it.
class VKKbConfig : public QDialog
{
    Q_OBJECT
public:
    explicit VKKbConfig(QWidget *parent = nullptr, const char *name = nullptr);
    ~VKKbConfig() override;

    int exec() override;
    // Makes the choice as if it had been accepted in the dialog: the
    // keyboard hears of it when it changes.
    void choose(bool oneOctave);
    // The same for any size, as white keys: 7, 14, 28 or 52.
    void chooseWhiteKeys(int keys);

    int whiteKeyChoice() const { return whiteKeys; }
    QRadioButton *oneOctaveChoice() const { return oneOctaveButton; }
    QRadioButton *twoOctaveChoice() const { return twoOctaveButton; }
    QRadioButton *fourOctaveChoice() const { return fourOctaveButton; }
    QRadioButton *pianoChoice() const { return pianoButton; }

signals:
    // A new size, as white keys, and whether it is one octave.
    void selectWhiteKeys(int keys);
    void selectOneOctave(bool one);

private:
    void showChoiceInForce();
    int checkedKeys() const;

    int whiteKeys = KeyboardGeometry::OneOctave;
    QRadioButton *oneOctaveButton;
    QRadioButton *twoOctaveButton;
    QRadioButton *fourOctaveButton;
    QRadioButton *pianoButton;
};
