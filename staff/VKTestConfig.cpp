// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "staff/VKTestConfig.h"

#include "notes/Ink.h"
#include "notes/NoteNames.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int IntervalDigits = 6;
constexpr int ShortestInterval = 1;
constexpr int LongestInterval = 999999;
// The key list: every key, then the changing one.
constexpr int ChangingKeyIndex = KeySignature::Count;
// Room for the longest note name a range's end may be written with: F##4.
constexpr int NoteNameLength = 5;

// A range's ends in its two fields; an empty range leaves them empty.
void showRange(const NoteRange &range, QLineEdit *from, QLineEdit *to)
{
    from->setText(range.isEmpty() ? QString() : NoteRange::keyText(range.low()));
    to->setText(range.isEmpty() ? QString() : NoteRange::keyText(range.high()));
}

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

    // The G and F clefs in the first column, the C clefs beside them, and
    // the grand staff under all four.
    auto *clefGroup = new QGroupBox(tr("Clef"), this);
    auto *clefGrid = new QGridLayout(clefGroup);
    trebleButton = new QRadioButton(tr("Treble"), clefGroup);
    bassButton = new QRadioButton(tr("Bass"), clefGroup);
    altoButton = new QRadioButton(tr("Alto"), clefGroup);
    tenorButton = new QRadioButton(tr("Tenor"), clefGroup);
    bothButton = new QRadioButton(tr("Both (grand staff)"), clefGroup);
    clefGrid->addWidget(trebleButton, 0, 0);
    clefGrid->addWidget(bassButton, 1, 0);
    clefGrid->addWidget(altoButton, 0, 1);
    clefGrid->addWidget(tenorButton, 1, 1);
    clefGrid->addWidget(bothButton, 2, 0, 1, 2);
    // Says why the grand staff cannot be chosen; hidden while it can.
    grandStaffProblem = new QLabel(clefGroup);
    grandStaffProblem->setWordWrap(true);
    grandStaffProblem->hide();
    clefGrid->addWidget(grandStaffProblem, 3, 0, 1, 2);
    auto *exclusive = new QButtonGroup(clefGroup);
    for (QRadioButton *button : {trebleButton, bassButton, altoButton, tenorButton, bothButton}) {
        exclusive->addButton(button);
        connect(button, &QRadioButton::toggled, this, &VKTestConfig::showRangeFields);
    }
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

    // The notes a test draws from: a preset, which the fields under it show
    // as the chosen clef works it out, or a range of one's own typed there,
    // one for each staff of the grand staff.
    auto *rangeRow = new QHBoxLayout;
    column->addLayout(rangeRow);
    auto *rangeLabel = new QLabel(tr("Range:"), this);
    rangeBox = new QComboBox(this);
    rangeBox->addItem(tr("The clef's two octaves"));
    rangeBox->addItem(tr("On the staff"));
    rangeBox->addItem(tr("Staff and two ledger lines"));
    rangeBox->addItem(tr("Staff and four ledger lines"));
    rangeBox->addItem(tr("My own: from … to …"));
    rangeLabel->setBuddy(rangeBox);
    rangeRow->addWidget(rangeLabel);
    rangeRow->addWidget(rangeBox, 1);
    connect(rangeBox, &QComboBox::currentIndexChanged, this, &VKTestConfig::showRangeFields);

    const auto noteField = [this] {
        auto *field = new QLineEdit(this);
        field->setMaxLength(NoteNameLength);
        connect(field, &QLineEdit::textEdited, this, &VKTestConfig::ownRangeEdited);
        return field;
    };
    singleRow = new QWidget(this);
    auto *single = new QHBoxLayout(singleRow);
    single->setContentsMargins(0, 0, 0, 0);
    fromEdit = noteField();
    toEdit = noteField();
    auto *fromLabel = new QLabel(tr("From"), singleRow);
    fromLabel->setBuddy(fromEdit);
    single->addWidget(fromLabel);
    single->addWidget(fromEdit);
    single->addWidget(new QLabel(tr("to"), singleRow));
    single->addWidget(toEdit);
    column->addWidget(singleRow);

    grandRows = new QWidget(this);
    auto *grand = new QGridLayout(grandRows);
    grand->setContentsMargins(0, 0, 0, 0);
    trebleFromEdit = noteField();
    trebleToEdit = noteField();
    bassFromEdit = noteField();
    bassToEdit = noteField();
    const struct
    {
        QString label;
        QLineEdit *from;
        QLineEdit *to;
    } staves[] = {{tr("Treble staff: from"), trebleFromEdit, trebleToEdit},
                  {tr("Bass staff: from"), bassFromEdit, bassToEdit}};
    for (int row = 0; row < 2; ++row) {
        auto *label = new QLabel(staves[row].label, grandRows);
        label->setBuddy(staves[row].from);
        grand->addWidget(label, row, 0);
        grand->addWidget(staves[row].from, row, 1);
        grand->addWidget(new QLabel(tr("to"), grandRows), row, 2);
        grand->addWidget(staves[row].to, row, 3);
    }
    column->addWidget(grandRows);

    // Says why a range cannot be accepted; hidden while there is nothing to say.
    rangeProblem = new QLabel(this);
    rangeProblem->setWordWrap(true);
    rangeProblem->hide();
    column->addWidget(rangeProblem);

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

ClefMode VKTestConfig::chosenClef() const
{
    if (bothButton->isChecked())
        return ClefMode::Both;
    if (altoButton->isChecked())
        return ClefMode::Alto;
    if (tenorButton->isChecked())
        return ClefMode::Tenor;
    return bassButton->isChecked() ? ClefMode::Bass : ClefMode::Treble;
}

// The fields of the clef chosen; under a preset, they show its range there.
void VKTestConfig::showRangeFields()
{
    const ClefMode mode = chosenClef();
    const bool grand = mode == ClefMode::Both;
    singleRow->setVisible(!grand);
    grandRows->setVisible(grand);
    const auto preset = RangePreset(rangeBox->currentIndex());
    if (preset == RangePreset::Own)
        return;
    if (grand) {
        showRange(RangeChoice::presetOn(preset, mode, Clef::Treble), trebleFromEdit, trebleToEdit);
        showRange(RangeChoice::presetOn(preset, mode, Clef::Bass), bassFromEdit, bassToEdit);
    } else {
        showRange(RangeChoice::presetOn(preset, mode, clefFor(mode, MiddleC)), fromEdit, toEdit);
    }
}

// Typing in a field makes the range one's own, starting from what it showed.
void VKTestConfig::ownRangeEdited()
{
    rangeProblem->hide();
    const QSignalBlocker quiet(rangeBox);
    rangeBox->setCurrentIndex(int(RangePreset::Own));
}

// The range as the dialog shows it; none, with the reason, for fields that
// name no range of the piano's keys.
std::optional<RangeChoice> VKTestConfig::rangeTyped(QString *problem) const
{
    RangeChoice range = m_range;
    range.preset = RangePreset(rangeBox->currentIndex());
    if (range.preset != RangePreset::Own)
        return range;
    const QString how = tr("Write a range's lowest and highest notes as a letter, a # or b if "
                           "it has one, and an octave, such as A3 and C6, the lower first.");
    const auto read = [](const QLineEdit *from, const QLineEdit *to) -> std::optional<NoteRange> {
        const std::optional<int> low = NoteRange::keyFromText(from->text());
        const std::optional<int> high = NoteRange::keyFromText(to->text());
        if (!low || !high || *low > *high)
            return std::nullopt;
        return NoteRange(*low, *high);
    };
    if (chosenClef() != ClefMode::Both) {
        const std::optional<NoteRange> own = read(fromEdit, toEdit);
        if (!own) {
            *problem = how + QLatin1Char(' ') + tr("The piano's keys go from A0 to C8.");
            return std::nullopt;
        }
        range.own = *own;
        return range;
    }
    // On the grand staff a staff whose fields are both empty gets no notes.
    const QString grandStaff = tr("On the grand staff the treble staff holds notes from C4 to "
                                  "C8, the bass staff from A0 to B3; leave a staff's fields "
                                  "empty for no notes on it.");
    for (const Clef staff : {Clef::Treble, Clef::Bass}) {
        const bool treble = staff == Clef::Treble;
        const QLineEdit *from = treble ? trebleFromEdit : bassFromEdit;
        const QLineEdit *to = treble ? trebleToEdit : bassToEdit;
        NoteRange &own = treble ? range.ownTreble : range.ownBass;
        if (from->text().trimmed().isEmpty() && to->text().trimmed().isEmpty()) {
            own = NoteRange();
            continue;
        }
        const std::optional<NoteRange> typed = read(from, to);
        if (!typed || !RangeChoice::grandStaffPart(staff).contains(*typed)) {
            *problem = how + QLatin1Char(' ') + grandStaff;
            return std::nullopt;
        }
        own = *typed;
    }
    if (range.ownTreble.isEmpty() && range.ownBass.isEmpty()) {
        *problem = tr("Give the treble staff or the bass staff a range: with both left empty "
                      "there is nothing to test.");
        return std::nullopt;
    }
    return range;
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
        showProblem(intervalProblem,
                    tr("The note interval must be a whole number of milliseconds "
                       "from %1 to %2.")
                        .arg(ShortestInterval)
                        .arg(LongestInterval),
                    intervalEdit);
        return;
    }
    QString problem;
    const std::optional<RangeChoice> range = rangeTyped(&problem);
    if (!range) {
        showProblem(rangeProblem, problem,
                    chosenClef() == ClefMode::Both ? trebleFromEdit : fromEdit);
        return;
    }
    m_range = *range;
    QDialog::accept();
}

// In a red that reads on the theme of the moment, with the field to mend
// ready for typing.
void VKTestConfig::showProblem(QLabel *label, const QString &text, QLineEdit *field)
{
    QPalette warning = palette();
    warning.setColor(QPalette::WindowText, Ink::forPalette(warning).warning);
    label->setPalette(warning);
    label->setText(text);
    label->show();
    field->selectAll();
    field->setFocus(Qt::OtherFocusReason);
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
    case ClefMode::Alto:
        altoButton->setChecked(true);
        break;
    case ClefMode::Tenor:
        tenorButton->setChecked(true);
        break;
    }
    intervalEdit->setText(QString::number(settings.intervalMs, 10));
    intervalProblem->hide();
    labelBox->setChecked(settings.labels);
    notesBox->setCurrentIndex(settings.weakNotes ? 1 : 0);
    showAnswerBox->setChecked(settings.showAnswer);
    keyBox->setCurrentIndex(keyIndex(settings.key));
    accidentalsBox->setChecked(settings.chromatic);
    // The learner's own ranges, shown as they are unless a preset shows its own.
    m_range = settings.range;
    showRange(m_range.own, fromEdit, toEdit);
    showRange(m_range.ownTreble, trebleFromEdit, trebleToEdit);
    showRange(m_range.ownBass, bassFromEdit, bassToEdit);
    {
        const QSignalBlocker quiet(rangeBox);
        rangeBox->setCurrentIndex(int(m_range.preset));
    }
    showRangeFields();
    rangeProblem->hide();

    if (QDialog::exec() != QDialog::Accepted)
        return false;
    const ClefMode clef = chosenClef();
    if (clef == ClefMode::Both)
        emit selectGrandStaff();
    else if (clef == ClefMode::Alto || clef == ClefMode::Tenor)
        emit selectCClef(clef);
    else
        emit selectGClef(clef == ClefMode::Treble);
    emit selectLabelNotes(labelBox->isChecked());
    emit newTestTime(intervalEdit->text().toInt(nullptr, 10));
    emit selectWeakNotes(notesBox->currentIndex() == 1);
    emit selectShowAnswer(showAnswerBox->isChecked());
    const int key = keyBox->currentIndex();
    emit selectChromatic(accidentalsBox->isChecked());
    emit selectKey(key == ChangingKeyIndex ? KeyChoice{KeySignature(), true}
                                           : KeyChoice{KeySignature::all()[key], false});
    emit selectRange(m_range);
    return true;
}
