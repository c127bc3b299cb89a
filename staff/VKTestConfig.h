// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "staff/TestSettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// Test settings: clef, key, note interval, note labels and how notes are
// chosen. Holds no settings of
// its own: each run starts from the values it is given and hands the edited
// values back through its signals when accepted.
class VKTestConfig : public QDialog
{
    Q_OBJECT
public:
    explicit VKTestConfig(QWidget *parent = nullptr, const char *name = nullptr);

    // Runs the dialog preset with these values; true when it was accepted
    // and the values handed on.
    bool exec(const TestSettings &settings);
    // The same with the other settings at their defaults.
    bool exec(bool treble, int time, bool labels, bool weakNotes = false, bool showAnswer = false,
              bool grandStaff = false);
    // The grand staff needs a wide screen: where it has none, the choice is
    // shown unavailable, with the reason.
    void setGrandStaffAvailable(bool available, const QString &why = QString());

    QRadioButton *trebleChoice() const { return trebleButton; }
    QRadioButton *bassChoice() const { return bassButton; }
    QRadioButton *grandStaffChoice() const { return bothButton; }
    QLabel *grandStaffMessage() const { return grandStaffProblem; }
    QCheckBox *labelChoice() const { return labelBox; }
    QLineEdit *intervalField() const { return intervalEdit; }
    QComboBox *notesChoice() const { return notesBox; }
    QCheckBox *showAnswerChoice() const { return showAnswerBox; }
    // Every key, then "Changing".
    QComboBox *keyChoice() const { return keyBox; }
    QCheckBox *accidentalsChoice() const { return accidentalsBox; }
    // The explanation shown when the interval cannot be accepted.
    QLabel *intervalMessage() const { return intervalProblem; }

public slots:
    // Accepts only an interval of 1 to 999999 milliseconds; otherwise says
    // why in the dialog and stays open.
    void accept() override;

signals:
    void selectGClef(bool treble);
    // Both clefs on a grand staff, chosen in place of one clef.
    void selectGrandStaff();
    void selectLabelNotes(bool on);
    void newTestTime(int ms);
    // true: more of the notes the learner misses; false: all equally often.
    void selectWeakNotes(bool on);
    void selectShowAnswer(bool on);
    void selectKey(const KeyChoice &key);
    // In keys other than C major, the notes outside the key too.
    void selectChromatic(bool on);

private:
    bool intervalIsValid() const;

    QRadioButton *trebleButton;
    QRadioButton *bassButton;
    QRadioButton *bothButton;
    QLabel *grandStaffProblem;
    QCheckBox *labelBox;
    QLineEdit *intervalEdit;
    QLabel *intervalProblem;
    QComboBox *notesBox;
    QCheckBox *showAnswerBox;
    QComboBox *keyBox;
    QCheckBox *accidentalsBox;
};
