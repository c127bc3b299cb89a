// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBitmap>
#include <QFont>
#include <QHash>
#include <QList>
#include <QPainterPath>
#include <QStaticText>
#include <QWidget>

#include "notes/ClefMode.h"
#include "notes/Ink.h"
#include "notes/PixelScale.h"

#include <QElapsedTimer>

class NoteChooser;
class QPainter;
class QTimer;
class VKTestConfig;

// The test interval until the user sets another, in milliseconds.
constexpr int DefaultTestTime = 5000;
// How long a missed note and its right key stay shown, when the learner asks
// to see them, before the next note comes.
constexpr int AnswerPauseMs = 2000;

// The music staff: clef, five lines and a row of notes. Also runs the
// note-reading test, which shows random notes and judges the answers.
class VKTest : public QWidget
{
    Q_OBJECT
public:
    explicit VKTest(QWidget *parent = nullptr, const char *name = nullptr);

    // True starts the test cycle, false stops it.
    void setTestMode(bool on);

    // Read-only view of the state, for the window and for tests.
    bool isTrebleClef() const { return trebleClef; }
    ClefMode clefMode() const;
    bool labelsNotes() const { return labelNotes; }
    int testInterval() const { return testTime; }
    int currentTestNote() const { return testNote; }
    bool keyboardOneOctave() const { return kbOneOctave; }
    bool drillsWeakNotes() const { return weakNotes; }
    bool showsAnswers() const { return showAnswer; }
    bool isTesting() const { return testing; }
    // True while a missed note's right key is shown and no note waits.
    bool isShowingAnswer() const;
    int notesShown() const { return int(noteCount); }
    int noteInSlot(int slot) const { return staffNotes.at(slot); }
    bool markInSlot(int slot) const { return staffMarks.at(slot); }
    int slotCapacity() const { return int(staffNotes.size()); }
    bool testTimerActive() const;
    VKTestConfig *configDialog() const { return testConfig; }
    // The name written under the note n, in the user's language.
    static QString labelText(int n);

    // Draws the staff this many times larger than on the handheld; the strip
    // is as much taller, and as much wider a staff holds as many more notes
    // in a row as a handheld-sized staff would in the same grid. roomBelow
    // and roomAbove add that many rows of the grid under and over the strip,
    // for notes beyond the staff; the names under the notes move down with
    // the strip's edge. The grand staff has room of its own and takes none.
    void setZoom(qreal zoom, int roomBelow = 0, int roomAbove = 0);
    qreal zoom() const { return m_zoom; }
    int roomBelow() const { return m_roomBelow; }
    int roomAbove() const { return m_roomAbove; }
    // Rows of the grid the strip has at zoom 1: the single staff's or the
    // grand staff's.
    int stripRows() const;
    // The rows of room the staff wants above and below it when zoomed.
    int roomWantedAbove() const;
    int roomWantedBelow() const;

    // Draws the test's notes through chooser (not owned) while weak notes
    // are drilled; otherwise, or without one, every note is equally likely.
    void setNoteChooser(NoteChooser *chooser);

public slots:
    void drawNote(int note);
    void checkNote(int note);
    void checkNoNote();
    void generateNote();
    void setConfig();
    void setTestTime(int ms);
    void setTrebleClef(bool treble);
    // Treble or bass as setTrebleClef does, or the grand staff; empties the
    // staff either way.
    void setClefMode(ClefMode mode);
    void showGrandStaff();
    void setLabelNotes(bool on);
    void setKb(bool oneOctave);
    void setWeakNotes(bool on);
    void setShowAnswer(bool on);

signals:
    void testedNote(bool correct);
    void newNote(int note);
    void setClef(bool treble);
    // Every change of clef, the grand staff included.
    void clefModeChanged(ClefMode mode);
    // Every verdict, with what the log keeps: the note shown (signed as
    // shown), the answer (0 on a time-out), the time from the note's
    // appearance to the answer (-1 on a time-out) and the interval in force.
    void judged(int shown, int answer, bool correct, int responseMs, int intervalMs);
    // After a miss, when the learner asks to see it: the right note and the
    // one played (0 on a time-out), until answerHidden.
    void answerShown(int right, int played);
    void answerHidden();

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The widget's size in the handheld's pixels, which all layout uses.
    int gridWidth() const;
    int gridHeight() const;
    int deviceWidth() const;
    void paintStaff(QPainter &painter, const PixelScale &scale, const Ink &ink);
    void paintGrandStaff(QPainter &painter, const PixelScale &scale, const Ink &ink);
    void drawClef(QPainter &painter, const PixelScale &scale, bool treble, int x, int bottomLine,
                  const QColor &ink);
    QPainterPath clefOutline(bool treble, const QBitmap &bitmap) const;
    void drawBarLines(QPainter &painter, const PixelScale &scale, int x, int topLine,
                      int bottomLine, const QColor &ink);
    void drawStaffLines(QPainter &painter, const PixelScale &scale, int x, int bottomLine,
                        const QColor &ink);
    void drawBrace(QPainter &painter, const PixelScale &scale, int top, int bottom,
                   const QColor &ink);
    void drawNotes(QPainter &painter, const PixelScale &scale, const Ink &ink, int trebleBottom,
                   int bassBottom);
    bool fits(const QRect &extent, const PixelScale &scale) const;
    int firstSlotX() const;
    void applyHeight();
    void drawLabel(QPainter &painter, int x, int note);
    void startTestTimer();
    void nextNote();
    void endAnswerPause();

    QBitmap trebleBm;
    QBitmap bassBm;
    bool trebleClef = true;
    bool grandStaff = false;
    bool labelNotes = true;
    int testTime = DefaultTestTime;
    int testNote = 0;
    bool kbOneOctave = true;
    unsigned int noteCount = 0;
    QList<int> staffNotes;
    QList<bool> staffMarks;
    QTimer *testTimer = nullptr;
    VKTestConfig *testConfig = nullptr;
    bool weakNotes = false;
    bool showAnswer = false;
    bool testing = false;
    NoteChooser *m_chooser = nullptr;
    // Since the note under test appeared; the interval it was given.
    QElapsedTimer m_shownFor;
    int m_intervalInForce = DefaultTestTime;
    QTimer *m_answerPause = nullptr;

    qreal m_zoom = 1;
    int m_roomBelow = 0;
    int m_roomAbove = 0;
    // The clefs' smooth outlines, made when first drawn zoomed.
    QPainterPath m_trebleOutline;
    QPainterPath m_bassOutline;

    // Note names laid out for the font and zoom they were laid out in.
    struct Label
    {
        QStaticText text;
        QFont font;
        qreal dx = 0; // from the head's left edge
        qreal ascent = 0;
    };
    Label layOutLabel(const QString &name) const;
    QFont m_widgetFont;
    qreal m_labelZoom = 1;
    QHash<QString, Label> m_labelCache;
};
