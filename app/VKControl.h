// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/ClefMode.h"
#include "notes/NoteSource.h"
#include "progress/AnswerLog.h"

#include <QMainWindow>
#include <QString>

#include <memory>
#include <optional>

class Challenge;
class ChallengeResultBox;
class ClassLink;
class ComputerKeyboard;
class Drill;
class MidiInput;
class ProgressWindow;
class QAction;
class QMenu;
class QPushButton;
class QShortcut;
class VKKeyboard;
class VKScore;
class VKTest;
struct ChallengeResult;
struct StartOptions;
struct Verdict;

// The main window: staff on top, keyboard below, then the test toggle and
// the score line. The only place where the views are wired to each other:
// every key played reaches it with its source, and goes on to the staff
// and the sound in practice mode, to the test's judgement in test mode.
class VKControl : public QMainWindow
{
    Q_OBJECT
public:
    VKControl();
    ~VKControl() override;

    // Settings to start with, and another file for the answer log.
    void applyStartOptions(const StartOptions &options);
    // Opens the answer log in the background, once; says so when it cannot
    // record. Called after the first paint, or when the first test starts.
    void openAnswerLog();
    AnswerLog *answerLog() const { return m_log; }

    void setHelpFile(const QString &path);
    QString helpFilePath() const { return helpFile; }

    VKTest *staffView() const { return test; }
    VKKeyboard *keyboardView() const { return keyboard; }
    VKScore *scoreView() const { return score; }
    MidiInput *midiInput() const { return midi; }
    // The Progress window, once it has been opened.
    ProgressWindow *progressWindow() const { return m_progress; }
    ClassLink *classLink() const { return m_class; }
    // The one-minute challenge, and the box its result was last shown in.
    Challenge *challenge() const { return m_challenge; }
    ChallengeResultBox *challengeResultBox() const { return m_resultBox; }

public slots:
    void setMode(bool on);
    void about();
    void showHelp();
    void showProgress();
    // Starts a one-minute challenge with the Test settings in force; while
    // one is on, ends it early.
    void startChallenge();
    void stopChallenge();
    // Ends the program once the answers being written are in the record.
    void quitWhenSaved();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenus();
    void createInputs();
    template <typename Source> void wireSource(Source *source, NoteSource from);
    template <typename Source> void wireHeldKeys(Source *source);
    // A key played: drawn and sounded in practice, an answer in a test.
    void notePlayed(int midi, NoteSource source);
    // A key struck and held: sounded at its velocity in practice; in a test
    // only the test's own notes sound.
    void keyStruck(int midi, int velocity);
    static int grandStaffWidth();
    void makeRoomForKeys(int whiteKeys);
    void testSettings();
    void readDrillHistory();
    static QString clefName(ClefMode mode);
    QJsonObject runSettings() const;
    void recordVerdict(const Verdict &verdict);
    void answerLogOpened(AnswerLog::State state);
    void answerLogWrittenAgain(const QString &path, bool beside);
    void tellAboutLog(const QString &text);
    void forgetProgress();
    void beginChallengeMinute(const QDateTime &at);
    void challengeFinished(const ChallengeResult &result);
    void afterChallenge();
    std::optional<int> challengeBestInRecord() const;

    VKTest *test;
    VKKeyboard *keyboard;
    VKScore *score;
    QString helpFile;
    ComputerKeyboard *computerKeys = nullptr;
    MidiInput *midi = nullptr;
    AnswerLog *m_log = nullptr;
    std::unique_ptr<Drill> m_drill;
    ProgressWindow *m_progress = nullptr;
    ClassLink *m_class = nullptr;
    bool m_quitting = false;

    QPushButton *m_testButton = nullptr;
    QMenu *m_configMenu = nullptr;
    QAction *m_challengeAction = nullptr;
    QShortcut *m_endChallenge = nullptr;
    Challenge *m_challenge = nullptr;
    ChallengeResultBox *m_resultBox = nullptr;
    // What a challenge sets aside in the test cycle, given back after it.
    int m_intervalBefore = 0;
    bool m_showAnswerBefore = false;
};
