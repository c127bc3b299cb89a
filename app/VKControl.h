// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/ClefMode.h"

#include <QMainWindow>
#include <QString>

#include <memory>

class AnswerLog;
class ClassLink;
class ComputerKeyboard;
class Drill;
class MidiInput;
class ProgressWindow;
class VKKeyboard;
class VKScore;
class VKTest;
struct StartOptions;

// The main window: staff on top, keyboard below, then the test toggle and
// the score line. The only place where the views are wired to each other;
// switching between practice and test mode is a matter of rewiring.
class VKControl : public QMainWindow
{
    Q_OBJECT
public:
    VKControl();
    ~VKControl() override;

    // Settings to start with, and another file for the answer log.
    void applyStartOptions(const StartOptions &options);
    // Opens the answer log, once; says so when it cannot record. Called
    // after the first paint, or when the first test starts.
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

public slots:
    void setMode(bool on);
    void about();
    void showHelp();
    void showProgress();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenus();
    void createInputs();
    template <typename Source>
    void wireNotes(Source *source, bool testMode, void (VKControl::*answer)(int));
    template <typename Source> void wireHeldKeys(Source *source);
    // A test's answers, by where they came from.
    void answerFromScreen(int note);
    void answerFromKeys(int note);
    void answerFromMidi(int note);
    static int grandStaffWidth();
    void makeRoomFor(ClefMode mode);
    void testSettings();
    void recordVerdict(int shown, int answer, bool correct, int responseMs, int intervalMs);
    void tellAboutLog(const QString &text);
    void forgetProgress();

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
    QString m_answerSource;
};
