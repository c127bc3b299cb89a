// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/VKControl.h"

#include "app/CommandLine.h"
#include "app/MidiStatusBar.h"
#include "app/VKScore.h"
#include "app/ZoomLayout.h"
#include "input/ComputerKeyboard.h"
#include "input/MidiInput.h"
#include "keyboard/KeyboardGeometry.h"
#include "keyboard/VKKbConfig.h"
#include "keyboard/VKKeyboard.h"
#include "notes/Catalogue.h"
#include "platform/QCopEnvelope.h"
#include "platform/Resource.h"
#include "platform/help/HelpChannel.h"
#include "progress/AnswerLog.h"
#include "progress/Drill.h"
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
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace {
constexpr int ButtonRowMargin = 10;
// Un-maximised, the window takes this share of the screen.
constexpr qreal RestoredShare = 2.0 / 3.0;
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
    auto *testButton = new QPushButton(QStringLiteral("&Test"), frame);
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

    createMenus();

    wireSource(keyboard, NoteSource::Screen);
    // A test's notes sound and its verdicts count while the test runs.
    connect(test, &VKTest::newNote, this, [this](int midi) {
        if (test->isTesting())
            keyboard->playNote(midi);
    });
    connect(test, &VKTest::testedNote, this, [this](bool correct) {
        if (test->isTesting())
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
    // Each key has its own history: a new one mid-test is read anew.
    connect(test, &VKTest::keyChanged, this, [this] {
        if (test->isTesting())
            readDrillHistory();
    });

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
}

void VKControl::openAnswerLog()
{
    if (m_log->state() != AnswerLog::State::Closed)
        return;
    const QString where = QDir::toNativeSeparators(m_log->path());
    switch (m_log->open()) {
    case AnswerLog::State::Recording:
        if (!m_log->movedAside().isEmpty())
            tellAboutLog(tr("Your practice record could not be read, so Velkaro has started a "
                            "new one. The old file is kept as %1.")
                             .arg(QDir::toNativeSeparators(m_log->movedAside())));
        connect(m_log, &AnswerLog::stopped, this, [this, where] {
            tellAboutLog(tr("Velkaro can no longer write to your practice record %1 (the disk "
                            "may be full), so it has stopped recording your answers. Everything "
                            "else works as usual.")
                             .arg(where));
        });
        break;
    case AnswerLog::State::Newer:
        tellAboutLog(tr("Your practice record %1 was written by a newer version of Velkaro. "
                        "This version leaves it untouched and does not record your answers.")
                         .arg(where));
        break;
    case AnswerLog::State::Unwritable:
    case AnswerLog::State::Closed:
        tellAboutLog(tr("Velkaro cannot write your practice record to %1, so your answers are "
                        "not recorded this time. Everything else works as usual.")
                         .arg(where));
        break;
    }
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
    file->addSeparator();
    // Ends the event loop directly: unlike quit(), exit() does not first ask
    // the windows to close.
    QAction *quit = file->addAction(tr("Quit"), qApp, [] { QCoreApplication::exit(0); });
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    bar->addMenu(file);

    auto *config = new QMenu(tr("Configuration"), bar);
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
    if (!test->isTesting())
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
        m_log->beginSession();
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
    m_drill->setHistory(m_log->recentAnswers(PianoLowest, PianoHighest, Drill::Memory));
}

void VKControl::recordVerdict(const Verdict &verdict)
{
    Answer row;
    row.at = QDateTime::currentDateTimeUtc();
    row.clef = Clefs::name(verdict.clef);
    row.note = verdict.shown.midi();
    row.flat = verdict.shown.alteration() < 0;
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
    }
    m_progress->show();
    m_progress->raise();
    m_progress->activateWindow();
}

void VKControl::forgetProgress()
{
    openAnswerLog();
    m_progress->forgetDone(m_log->forget());
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
    // Every close is granted, and for good: the window goes, and with it the
    // program.
    event->accept();
    setAttribute(Qt::WA_DeleteOnClose);
}
