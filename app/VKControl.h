// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QString>

class ComputerKeyboard;
class MidiInput;
class VKKeyboard;
class VKScore;
class VKTest;

// The main window: staff on top, keyboard below, then the test toggle and
// the score line. The only place where the views are wired to each other;
// switching between practice and test mode is a matter of rewiring.
class VKControl : public QMainWindow
{
    Q_OBJECT
public:
    VKControl();

    void setHelpFile(const QString &path);
    QString helpFilePath() const { return helpFile; }

    VKTest *staffView() const { return test; }
    VKKeyboard *keyboardView() const { return keyboard; }
    VKScore *scoreView() const { return score; }
    MidiInput *midiInput() const { return midi; }

public slots:
    void setMode(bool on);
    void about();
    void showHelp();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenus();
    void createInputs();
    template <typename Source> void wireNotes(Source *source, bool testMode);
    template <typename Source> void wireHeldKeys(Source *source);

    VKTest *test;
    VKKeyboard *keyboard;
    VKScore *score;
    QString helpFile;
    ComputerKeyboard *computerKeys = nullptr;
    MidiInput *midi = nullptr;
};
