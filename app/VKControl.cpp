// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/VKControl.h"

#include "app/Challenge.h"
#include "app/ChallengeResultBox.h"
#include "app/ClassLink.h"
#include "app/CommandLine.h"
#include "app/MidiStatusBar.h"
#include "app/VKScore.h"
#include "app/ZoomLayout.h"
#include "input/ComputerKeyboard.h"
#include "input/MidiInput.h"
#include "keyboard/KeyboardGeometry.h"
#include "keyboard/KeyboardSpan.h"
#include "keyboard/VKKbConfig.h"
#include "keyboard/VKKeyboard.h"
#include "notes/Catalogue.h"
#include "platform/QCopEnvelope.h"
#include "platform/Resource.h"
#include "platform/help/HelpChannel.h"
#include "progress/AnswerLog.h"
#include "progress/Drill.h"
#include "progress/ProgressFigures.h"
#include "report/ProgressWindow.h"
#include "staff/VKTest.h"
#include "staff/VKTestConfig.h"
#include "staff/Verdict.h"

#include "VelkaroVersion.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QJsonObject>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

namespace {
constexpr int ButtonRowMargin = 10;

// The keyboard chosen, as the record's run settings name it: 1, 2, 4 or 88.
int octavesName(int whiteKeys)
{
    return whiteKeys == KeyboardSpan::PianoWhiteKeys ? 88 : whiteKeys / KeyboardGeometry::OneOctave;
}

// The range chosen, as the record's run settings name it: a preset, or the
// learner's own range ("A3-C6"; on the grand staff the treble staff's, a
// comma, and the bass staff's).
QString rangeName(const RangeChoice &range, ClefMode mode)
{
    switch (range.preset) {
    case RangePreset::ClefOctaves:
        return QStringLiteral("clef");
    case RangePreset::Staff:
        return QStringLiteral("staff");
    case RangePreset::TwoLedgerLines:
        return QStringLiteral("two-ledger-lines");
    case RangePreset::FourLedgerLines:
        return QStringLiteral("four-ledger-lines");
    case RangePreset::Own:
        break;
    }
    if (mode == ClefMode::Both)
        return range.ownTreble.text() + QLatin1Char(',') + range.ownBass.text();
    return range.own.text();
}
// Un-maximised, the window takes this share of the screen.
constexpr qreal RestoredShare = 2.0 / 3.0;
// Quitting waits for the answers still being written; after this long it
// says so.
constexpr int SavingNoteAfterMs = 1000;
} // namespace

VKControl::VKControl() : QMainWindow(nullptr)
{
    setWindowTitle(tr("Velkaro"));

    auto *frame = new QFrame(this);
    setCentralWidget(frame);

    test = new VKTest(frame, nullptr);
    keyboard = new VKKeyboard(frame, nullptr);

    // The toggle's label stays untranslated on purpose: the manual and every
    // language refer to the button as "Test".
    auto *testButton = m_testButton = new QPushButton(QStringLiteral("&Test"), frame);
    testButton->setCheckable(true);
    connect(testButton, &QPushButton::toggled, this, &VKControl::setMode);
    testButton->setChecked(false);

    score = new VKScore(frame, nullptr);

    // The button, then the score; the column decides how they share the row.
    auto *row = new QHBoxLayout;
    row->setSpacing(0);
    row->setContentsMargins(ButtonRowMargin, ButtonRowMargin, ButtonRowMargin, ButtonRowMargin);
    row->addWidget(testButton);
    row->addWidget(score);

    // Staff on top, then the keyboard, then the row; staff and keyboard as
    // large as the window allows.
    auto *column = new ZoomLayout(test, keyboard, row, frame);
    // Two octaves need twice the width: the zoom is chosen anew.
    connect(keyboard, &VKKeyboard::oneOctaveKb, column, &QLayout::invalidate);
    connect(keyboard, &VKKeyboard::keysChanged, column, &QLayout::invalidate);

    m_challenge = new Challenge(this);
    createMenus();

    wireSource(keyboard, NoteSource::Screen);
    // A test's notes sound and its verdicts count while the test runs.
    connect(test, &VKTest::newNote, this, [this](int midi) {
        if (test->isTesting())
            keyboard->playNote(midi);
    });
    // A challenge's verdicts count on its own line, not in the score.
    connect(test, &VKTest::testedNote, this, [this](bool correct) {
        if (test->isTesting() && !m_challenge->isActive())
            score->updateScore(correct);
    });
    connect(keyboard, &VKKeyboard::oneOctaveKb, test, &VKTest::setKb);
    connect(test, &VKTest::setClef, keyboard, &VKKeyboard::setClef);
    // The grand staff changes the staff's height and the keyboard's octaves;
    // the test's range the room around the staff and the keys shown.
    connect(test, &VKTest::clefModeChanged, keyboard, &VKKeyboard::setClefMode);
    connect(test, &VKTest::clefModeChanged, column, &QLayout::invalidate);
    connect(test, &VKTest::testRangeChanged, keyboard, &VKKeyboard::setTestRange);
    connect(test, &VKTest::testRangeChanged, column, &QLayout::invalidate);
    connect(keyboard, &VKKeyboard::keysChanged, this, &VKControl::makeRoomForKeys);
    connect(test, &VKTest::answerShown, keyboard, &VKKeyboard::showAnswer);
    connect(test, &VKTest::answerHidden, keyboard, &VKKeyboard::clearAnswer);
    createInputs();

    // Every verdict goes into the learner's record, which the drill reads.
    m_log = new AnswerLog(AnswerLog::defaultPath(), this);
    m_drill = std::make_unique<Drill>();
    test->setNoteChooser(m_drill.get());
    connect(test, &VKTest::judged, this, &VKControl::recordVerdict);
    connect(test, &VKTest::judged, m_challenge, &Challenge::count);
    connect(m_challenge, &Challenge::lineChanged, score, &QLabel::setText);
    connect(m_challenge, &Challenge::minuteStarted, this, &VKControl::beginChallengeMinute);
    connect(m_challenge, &Challenge::finished, this, &VKControl::challengeFinished);
    connect(m_challenge, &Challenge::cancelled, this, &VKControl::afterChallenge);
    // Each key has its own history: a new one mid-test is read anew.
    connect(test, &VKTest::keyChanged, this, [this] {
        if (test->isTesting())
            readDrillHistory();
    });
    connect(m_log, &AnswerLog::opened, this, &VKControl::answerLogOpened);
    connect(m_log, &AnswerLog::stopped, this, [this] {
        tellAboutLog(tr("Velkaro can no longer write to your practice record %1 (the disk "
                        "may be full), so it has stopped recording your answers. Everything "
                        "else works as usual.")
                         .arg(QDir::toNativeSeparators(m_log->path())));
    });
    connect(m_log, &AnswerLog::writtenAgain, this, &VKControl::answerLogWrittenAgain);

    // A class's server, when the learner has one, gets a copy of the record.
    m_class = new ClassLink(this);
    connect(m_class, &ClassLink::statusChanged, static_cast<MidiStatusBar *>(statusBar()),
            &MidiStatusBar::setClassStatus);
    connect(m_log, &AnswerLog::recorded, m_class, &ClassLink::answersRecorded);

    // Each view tells the other its initial setting through those connections.
    test->setTrebleClef(true);
    keyboard->setOneOctave(true);

    // The size the window returns to when it is no longer maximised; it can
    // still be made as small as the handheld's drawing.
    if (const QScreen *s = screen())
        resize((QSizeF(s->availableGeometry().size()) * RestoredShare)
                   .toSize()
                   .expandedTo(sizeHint()));
}

VKControl::~VKControl()
{
    // The staff holds the drill as its chooser and may outlive it briefly.
    test->setNoteChooser(nullptr);
}

void VKControl::applyStartOptions(const StartOptions &options)
{
    if (!options.progressFile.isEmpty())
        m_log->setPath(options.progressFile);
    if (options.clef)
        test->setClefMode(*options.clef);
    // Through the dialog, which keeps its own copy of the choice.
    if (options.whiteKeys)
        keyboard->configDialog()->chooseWhiteKeys(*options.whiteKeys);
    if (options.range)
        test->setRangeChoice(RangeChoice::ownRange(*options.range));
    if (options.intervalMs)
        test->setTestTime(*options.intervalMs);
    if (options.weakNotes)
        test->setWeakNotes(*options.weakNotes);
    test->setShowAnswer(options.showAnswer);
    if (options.key)
        test->setKeyChoice(*options.key);
    test->setChromatic(options.chromatic);
    if (!options.classServer.isEmpty())
        m_class->choose(options.classServer, options.pupil);
}

void VKControl::openAnswerLog()
{
    m_log->openInBackground();
}

void VKControl::answerLogOpened(AnswerLog::State state)
{
    const QString where = QDir::toNativeSeparators(m_log->path());
    switch (state) {
    case AnswerLog::State::Recording:
        // A test begun before the record was open draws on it from now on.
        if (test->isTesting())
            readDrillHistory();
        if (m_challenge->isActive())
            m_challenge->knowEarlierBest(challengeBestInRecord());
        // A class's server, when the learner has one, gets a copy of it.
        m_class->start(m_log->path());
        if (!m_log->movedAside().isEmpty())
            tellAboutLog(tr("Your practice record could not be read, so Velkaro has started a "
                            "new one. The old file is kept as %1.")
                             .arg(QDir::toNativeSeparators(m_log->movedAside())));
        break;
    case AnswerLog::State::Newer:
        tellAboutLog(tr("Your practice record %1 was written by a newer version of Velkaro. "
                        "This version leaves it untouched and does not record your answers.")
                         .arg(where));
        break;
    case AnswerLog::State::NotOurs:
        tellAboutLog(tr("%1 is not a Velkaro practice record, or it is damaged. Velkaro leaves "
                        "it as it is and does not record your answers this time.")
                         .arg(where));
        break;
    case AnswerLog::State::Unwritable:
    case AnswerLog::State::Closed:
    case AnswerLog::State::Opening:
        tellAboutLog(tr("Velkaro cannot write your practice record to %1, so your answers are "
                        "not recorded this time. Everything else works as usual.")
                         .arg(where));
        break;
    }
}

// The record vanished from its path while the program ran; the writer has
// written it again, and the learner should know where it is now.
void VKControl::answerLogWrittenAgain(const QString &path, bool beside)
{
    const QString where = QDir::toNativeSeparators(path);
    if (beside)
        tellAboutLog(tr("Another file has taken the place of your practice record. Velkaro has "
                        "left that file alone and saved your record, with every answer, as %1; "
                        "it goes on recording there.")
                         .arg(where));
    else
        tellAboutLog(tr("Your practice record was deleted or moved away while Velkaro was "
                        "running. Velkaro has saved it again, with every answer, at %1 and goes "
                        "on recording there.")
                         .arg(where));
    if (m_progress)
        m_progress->setLogPath(path);
    m_class->recordMoved(path);
}

// Said once, without stopping the learner: the window goes on behind it.
void VKControl::tellAboutLog(const QString &text)
{
    auto *box =
        new QMessageBox(QMessageBox::Warning, tr("Practice record"), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

int VKControl::grandStaffWidth()
{
    return ZoomLayout::fullKeyboardWidth(KeyboardGeometry::FourOctaves);
}

// A keyboard of four octaves or more (the grand staff's, or one chosen or
// widened for the test's range) needs room for full-sized keys: a window
// narrower than that grows, as far as its screen allows.
void VKControl::makeRoomForKeys(int whiteKeys)
{
    if (whiteKeys < KeyboardGeometry::FourOctaves || isMaximized() || isFullScreen())
        return;
    const int wanted = ZoomLayout::fullKeyboardWidth(whiteKeys);
    if (width() >= wanted)
        return;
    const QScreen *s = screen();
    const int room = s ? s->availableGeometry().width() : wanted;
    resize(std::min(wanted, room), height());
}

// The grand staff is offered only on a screen wide enough for its keyboard.
void VKControl::testSettings()
{
    const int wanted = grandStaffWidth();
    const QScreen *s = screen();
    const bool wide = !s || s->availableGeometry().width() >= wanted;
    test->configDialog()->setGrandStaffAvailable(
        wide, wide ? QString()
                   : tr("The grand staff needs a screen at least %1 pixels wide.").arg(wanted));
    test->setConfig();
}

void VKControl::createMenus()
{
    QMenuBar *bar = menuBar();

    auto *file = new QMenu(tr("File"), bar);
    QAction *progress = file->addAction(tr("Progress"), this, &VKControl::showProgress);
    progress->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    // Checked while a challenge is on; choosing it again ends the challenge.
    m_challengeAction = file->addAction(tr("One-Minute Challenge"));
    m_challengeAction->setCheckable(true);
    m_challengeAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    connect(m_challengeAction, &QAction::triggered, this,
            [this] { m_challenge->isActive() ? stopChallenge() : startChallenge(); });
    m_endChallenge = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    m_endChallenge->setEnabled(false);
    connect(m_endChallenge, &QShortcut::activated, this, &VKControl::stopChallenge);
    file->addAction(tr("Class\u2026"), this, [this] { m_class->showWindow(); });
    file->addSeparator();
    // Ends the event loop directly: unlike quit(), exit() does not first ask
    // the windows to close.
    QAction *quit = file->addAction(tr("Quit"), this, &VKControl::quitWhenSaved);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    bar->addMenu(file);

    auto *config = m_configMenu = new QMenu(tr("Configuration"), bar);
    config->addAction(tr("Test"), this, &VKControl::testSettings);
    config->addAction(tr("Keyboard"), keyboard, &VKKeyboard::setConfig);
    bar->addMenu(config);

    auto *help = new QMenu(tr("Help"), bar);
    QAction *guide = help->addAction(tr("User's Guide"), this, &VKControl::showHelp);
    guide->setShortcut(QKeySequence(Qt::Key_F1));
    help->addAction(tr("About"), this, &VKControl::about);
    bar->addMenu(help);
}

// Every source hands its keys to the window, which knows the mode.
template <typename Source> void VKControl::wireSource(Source *source, NoteSource from)
{
    connect(source, &Source::noteRead, this, [this, from](int midi) { notePlayed(midi, from); });
}

void VKControl::notePlayed(int midi, NoteSource source)
{
    // Keys count in a challenge only within its minute.
    if (m_challenge->isActive()) {
        if (m_challenge->takesAnswer())
            test->checkNote(midi, source);
        return;
    }
    if (test->isTesting()) {
        test->checkNote(midi, source);
        return;
    }
    test->drawNote(midi);
    // A tap plays its note out; a held key sounded as it was struck.
    if (source == NoteSource::Screen)
        keyboard->playNote(midi);
}

void VKControl::keyStruck(int midi, int velocity)
{
    if (!test->isTesting() && !m_challenge->isActive())
        keyboard->strikeNote(midi, velocity);
}

// In both modes a held key is drawn pressed, and its release damps the note
// it sounded in practice mode. A test note is never damped: it was not
// struck by a key.
template <typename Source> void VKControl::wireHeldKeys(Source *source)
{
    connect(source, &Source::noteStruck, this, &VKControl::keyStruck);
    connect(source, &Source::noteStruck, keyboard, &VKKeyboard::pressKey);
    connect(source, &Source::noteReleased, keyboard, &VKKeyboard::releaseKey);
    connect(source, &Source::noteReleased, keyboard, &VKKeyboard::releaseNote);
}

// The computer keyboard and MIDI keyboards answer like the on-screen keys and
// are rewired with them.
void VKControl::createInputs()
{
    computerKeys = new ComputerKeyboard(this);
    // Keys that no focused child takes end up at the window.
    installEventFilter(computerKeys);
    connect(test, &VKTest::clefModeChanged, computerKeys, &ComputerKeyboard::setClefMode);
    connect(test, &VKTest::testRangeChanged, computerKeys, &ComputerKeyboard::setTestRange);
    // Where the computer keyboard's rows start shows on the on-screen keys.
    connect(computerKeys, &ComputerKeyboard::rowsMoved, keyboard, &VKKeyboard::setComputerRows);
    keyboard->setComputerRows(computerKeys->firstNote());
    wireSource(computerKeys, NoteSource::Keys);
    wireHeldKeys(computerKeys);

    midi = new MidiInput(this);
    wireSource(midi, NoteSource::Midi);
    wireHeldKeys(midi);
    connect(midi, &MidiInput::sustainChanged, keyboard, &VKKeyboard::setSustain);
    auto *midiStatus = new MidiStatusBar(this);
    setStatusBar(midiStatus);
    connect(midi, &MidiInput::sourcesChanged, midiStatus, &MidiStatusBar::setSources);
}

void VKControl::setMode(bool on)
{
    if (on) {
        openAnswerLog();
        m_log->beginSession(QStringLiteral("test"), runSettings());
        readDrillHistory();
    }
    test->setTestMode(on);
    if (!on)
        m_log->endSession();
}

// The drill starts from the record as it stands, other programs' answers
// included.
void VKControl::readDrillHistory()
{
    m_drill->setHistory(
        m_log->recentAnswers(test->key().fifths(), PianoLowest, PianoHighest, Drill::Memory));
}

QString VKControl::clefName(ClefMode mode)
{
    switch (mode) {
    case ClefMode::Treble:
        return QStringLiteral("treble");
    case ClefMode::Bass:
        return QStringLiteral("bass");
    case ClefMode::Alto:
        return QStringLiteral("alto");
    case ClefMode::Tenor:
        return QStringLiteral("tenor");
    case ClefMode::Both:
        break;
    }
    return QStringLiteral("both");
}

// What a test run is begun with, as the record keeps it with the run.
QJsonObject VKControl::runSettings() const
{
    const KeyChoice key = test->keyChoice();
    return {
        {QStringLiteral("clef"), clefName(test->clefMode())},
        {QStringLiteral("octaves"), octavesName(keyboard->chosenWhiteKeys())},
        {QStringLiteral("interval_ms"), test->testInterval()},
        {QStringLiteral("notes"),
         test->drillsWeakNotes() ? QStringLiteral("weak") : QStringLiteral("random")},
        {QStringLiteral("show_answer"), test->showsAnswers()},
        {QStringLiteral("key"), key.changing ? QStringLiteral("changing") : key.key.optionName()},
        {QStringLiteral("chromatic"), test->withAccidentals()},
        {QStringLiteral("range"), rangeName(test->rangeChoice(), test->clefMode())},
    };
}

void VKControl::recordVerdict(const Verdict &verdict)
{
    Answer row;
    // In a challenge, on the minute's own clock, which its end is written by.
    row.at = m_challenge->isRunning() ? m_challenge->now() : QDateTime::currentDateTimeUtc();
    row.clef = Clefs::name(verdict.clef);
    row.written = verdict.shown;
    row.key = verdict.key.fifths();
    row.answer = verdict.answer;
    row.responseMs = verdict.responseMs;
    if (verdict.source)
        row.source = sourceName(*verdict.source);
    row.correct = verdict.correct;
    row.intervalMs = verdict.intervalMs;
    m_log->record(row);
}

// Made on first use, so that it costs nothing until asked for; asked again,
// the same window comes to the front.
void VKControl::showProgress()
{
    if (!m_progress) {
        m_progress = new ProgressWindow(m_log->path(), this);
        connect(m_log, &AnswerLog::recorded, m_progress, &ProgressWindow::scheduleRefresh);
        connect(m_progress, &ProgressWindow::forgetRequested, this, &VKControl::forgetProgress);
        connect(m_log, &AnswerLog::forgotten, m_progress, &ProgressWindow::forgetDone);
    }
    m_progress->show();
    m_progress->raise();
    m_progress->activateWindow();
}

// A challenge runs the test cycle without a note interval, the next note
// coming as soon as one is answered. "Show the right key after a miss" is
// set aside too: its pause would take two seconds of the minute from every
// miss, and a key lit over the next note would point at the wrong one. The
// Test toggle and the settings wait until it is over, so that the run's
// settings hold throughout.
void VKControl::startChallenge()
{
    if (m_challenge->isActive())
        return;
    if (m_testButton->isChecked())
        m_testButton->setChecked(false);
    openAnswerLog();
    QJsonObject settings = runSettings();
    settings.remove(QStringLiteral("interval_ms"));
    settings.remove(QStringLiteral("show_answer"));
    m_intervalBefore = test->testInterval();
    m_showAnswerBefore = test->showsAnswers();
    test->setTestTime(-1);
    test->setShowAnswer(false);
    m_testButton->setEnabled(false);
    m_configMenu->menuAction()->setEnabled(false);
    m_challengeAction->setChecked(true);
    m_endChallenge->setEnabled(true);
    // The keys are the answers: they must reach this window.
    if (m_resultBox)
        m_resultBox->hide();
    activateWindow();
    m_challenge->start(settings);
    m_challenge->knowEarlierBest(challengeBestInRecord());
}

void VKControl::stopChallenge()
{
    m_challenge->stop();
}

void VKControl::beginChallengeMinute(const QDateTime &at)
{
    m_log->beginSession(QLatin1String(ProgressFigures::ChallengeKind), m_challenge->settings(), at);
    readDrillHistory();
    test->setTestMode(true);
}

// The note still waiting gets no verdict, and the run ends where the minute
// did, or where it was ended early.
void VKControl::challengeFinished(const ChallengeResult &result)
{
    test->setTestMode(false);
    m_log->endSession(result.endedAt);
    afterChallenge();
    if (!m_resultBox) {
        m_resultBox = new ChallengeResultBox(this);
        connect(m_resultBox, &ChallengeResultBox::againRequested, this, &VKControl::startChallenge);
    }
    m_resultBox->showResult(result);
}

void VKControl::afterChallenge()
{
    test->setTestTime(m_intervalBefore);
    test->setShowAnswer(m_showAnswerBefore);
    m_testButton->setEnabled(true);
    m_configMenu->menuAction()->setEnabled(true);
    m_challengeAction->setChecked(false);
    m_endChallenge->setEnabled(false);
    score->displayScore();
}

// Read while the challenge counts in, or when the record opens later.
std::optional<int> VKControl::challengeBestInRecord() const
{
    using namespace ProgressFigures;
    return bestRight(challenges(m_log->challenges()),
                     ChallengeSettings::of(m_challenge->settings()));
}

void VKControl::forgetProgress()
{
    openAnswerLog();
    m_log->forget();
}

// Answers still being written (another program holding the record, say)
// are written before the program ends. Past a second the learner is told,
// and may choose to go without them when the other program never lets go.
void VKControl::quitWhenSaved()
{
    if (m_quitting)
        return;
    m_quitting = true;
    if (m_log->pendingWrites() == 0) {
        QCoreApplication::exit(0);
        return;
    }
    connect(m_log, &AnswerLog::allWritten, qApp, [] { QCoreApplication::exit(0); });
    QTimer::singleShot(SavingNoteAfterMs, this, [this] {
        if (m_log->pendingWrites() == 0)
            return;
        auto *note = new QMessageBox(QMessageBox::Information, tr("Practice record"),
                                     tr("Saving your answers\u2026"), QMessageBox::NoButton, this);
        note->setInformativeText(tr("Another program is holding your practice record %1. "
                                    "Velkaro quits as soon as your answers are saved.")
                                     .arg(QDir::toNativeSeparators(m_log->path())));
        QPushButton *now =
            note->addButton(tr("Quit without saving them"), QMessageBox::DestructiveRole);
        connect(now, &QPushButton::clicked, qApp, [this] {
            m_log->abandonWrites();
            QCoreApplication::exit(0);
        });
        note->setWindowModality(Qt::NonModal);
        note->setAttribute(Qt::WA_DeleteOnClose);
        note->show();
    });
}

void VKControl::setHelpFile(const QString &path)
{
    helpFile = path;
}

void VKControl::showHelp()
{
    // Looked for on every request: the manual may have been installed or
    // removed since the last one.
    if (QFileInfo(helpFile).isFile()) {
        QCopEnvelope envelope(HelpChannel::Name, HelpChannel::ShowFile);
        envelope << helpFile;
        return;
    }
    QMessageBox box(QMessageBox::Critical, tr("Error"), tr("Help file not found"), QMessageBox::Ok,
                    this);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

void VKControl::about()
{
    // The About text keeps the handheld's wording and stays untranslated on
    // purpose: it is the program's name plate, the same in every language.
    const QString text = QStringLiteral("Velkaro for Zaurus\n") + QLatin1Char('v') +
                         QLatin1String(VelkaroVersion) +
                         QStringLiteral("\n"
                                        "A note-reading trainer for learners of sheet music.\n"
                                        "Copyright 2026 The Velkaro developers.\n"
                                        "Free software under the GNU GPL, version 3 or later.\n");
    const QPixmap picture = Resource::loadPixmap(QStringLiteral("velkaro"));
    setWindowIcon(QIcon(picture));
    QMessageBox::about(this, QStringLiteral("Velkaro"), text);
}

void VKControl::closeEvent(QCloseEvent *event)
{
    // While answers are still being written, the window stays until they
    // are; otherwise every close is granted, and for good: the window goes,
    // and with it the program.
    if (m_log->pendingWrites() > 0) {
        event->ignore();
        quitWhenSaved();
        return;
    }
    event->accept();
    setAttribute(Qt::WA_DeleteOnClose);
}
