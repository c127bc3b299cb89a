// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "staff/TestSettings.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// Test settings: clef, key, the range of notes, note interval, note labels
// and how notes are chosen. Holds no settings of its own: each run starts from the values it is
// given and hands the edited values back through its signals when accepted.
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
    QRadioButton *altoChoice() const { return altoButton; }
    QRadioButton *tenorChoice() const { return tenorButton; }
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
    // The presets in the order of RangePreset, the learner's own last.
    QComboBox *rangeChoice() const { return rangeBox; }
    // The range's ends on a single staff, and on each of the grand staff's.
    QLineEdit *fromField() const { return fromEdit; }
    QLineEdit *toField() const { return toEdit; }
    QLineEdit *trebleFromField() const { return trebleFromEdit; }
    QLineEdit *trebleToField() const { return trebleToEdit; }
    QLineEdit *bassFromField() const { return bassFromEdit; }
    QLineEdit *bassToField() const { return bassToEdit; }
    // The explanation shown when the range cannot be accepted.
    QLabel *rangeMessage() const { return rangeProblem; }

public slots:
    // Accepts only an interval of 1 to 999999 milliseconds and a range of
    // the piano's keys, lowest first; otherwise says why in the dialog and
    // stays open.
    void accept() override;

signals:
    void selectGClef(bool treble);
    // Both clefs on a grand staff, chosen in place of one clef.
    void selectGrandStaff();
    // The alto or the tenor clef, chosen in place of the others.
    void selectCClef(ClefMode mode);
    void selectLabelNotes(bool on);
    void newTestTime(int ms);
    // true: more of the notes the learner misses; false: all equally often.
    void selectWeakNotes(bool on);
    void selectShowAnswer(bool on);
    void selectKey(const KeyChoice &key);
    // In keys other than C major, the notes outside the key too.
    void selectChromatic(bool on);
    void selectRange(const RangeChoice &range);

private:
    bool intervalIsValid() const;
    ClefMode chosenClef() const;
    void showRangeFields();
    void ownRangeEdited();
    std::optional<RangeChoice> rangeTyped(QString *problem) const;
    void showProblem(QLabel *label, const QString &text, QLineEdit *field);

    QRadioButton *trebleButton;
    QRadioButton *bassButton;
    QRadioButton *altoButton;
    QRadioButton *tenorButton;
    QRadioButton *bothButton;
    QLabel *grandStaffProblem;
    QCheckBox *labelBox;
    QLineEdit *intervalEdit;
    QLabel *intervalProblem;
    QComboBox *notesBox;
    QCheckBox *showAnswerBox;
    QComboBox *keyBox;
    QCheckBox *accidentalsBox;
    QComboBox *rangeBox;
    QWidget *singleRow;
    QWidget *grandRows;
    QLineEdit *fromEdit;
    QLineEdit *toEdit;
    QLineEdit *trebleFromEdit;
    QLineEdit *trebleToEdit;
    QLineEdit *bassFromEdit;
    QLineEdit *bassToEdit;
    QLabel *rangeProblem;
    // The range handed in, whose own ranges a preset leaves as they were.
    RangeChoice m_range;
};
