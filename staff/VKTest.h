// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBitmap>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QStaticText>
#include <QWidget>

#include "notes/ClefMode.h"
#include "notes/Ink.h"
#include "notes/KeySignature.h"
#include "notes/NoteSource.h"
#include "notes/PixelScale.h"
#include "notes/WrittenNote.h"
#include "staff/TestSettings.h"
#include "staff/Verdict.h"

#include <QElapsedTimer>

#include <optional>
#include <random>

class NoteChooser;
class QPainter;
class QTimer;
class VKTestConfig;

// How long a missed note and its right key stay shown, when the learner asks
// to see them, before the next note comes.
constexpr int AnswerPauseMs = 2000;
// With a changing key, the notes of a test in one key before the next.
constexpr int NotesPerChangingKey = 12;

// The music staff: clef, key signature, five lines and a row of notes. Also
// runs the note-reading test, which shows random notes and judges the
// answers.
class VKTest : public QWidget
{
    Q_OBJECT
public:
    explicit VKTest(QWidget *parent = nullptr, const char *name = nullptr);

    // True starts the test cycle, false stops it.
    void setTestMode(bool on);

    // Read-only view of the state, for the window and for tests.
    bool isTrebleClef() const { return m_mode == ClefMode::Treble; }
    ClefMode clefMode() const { return m_mode; }
    bool labelsNotes() const { return labelNotes; }
    int testInterval() const { return testTime; }
    // The note waiting for an answer, or the last one shown.
    std::optional<WrittenNote> currentTestNote() const { return testNote; }
    bool keyboardOneOctave() const { return kbOneOctave; }
    bool drillsWeakNotes() const { return weakNotes; }
    bool showsAnswers() const { return showAnswer; }
    bool isTesting() const { return testing; }
    // The key the staff is written in now, and whether it changes.
    KeySignature key() const { return m_key; }
    KeyChoice keyChoice() const { return {m_chosenKey, m_changingKey}; }
    bool withAccidentals() const { return m_chromatic; }
    // Every setting the Test settings dialog edits.
    TestSettings settings() const;
    // True while a missed note's right key is shown and no note waits.
    bool isShowingAnswer() const;
    int notesShown() const { return int(noteCount); }
    WrittenNote noteInSlot(int slot) const { return staffNotes.at(slot); }
    bool markInSlot(int slot) const { return staffMarks.at(slot); }
    int slotCapacity() const { return int(staffNotes.size()); }
    bool testTimerActive() const;
    VKTestConfig *configDialog() const { return testConfig; }
    // The name written under a note in this key, in the user's language.
    static QString labelText(const WrittenNote &note, KeySignature key = KeySignature());
    // The pitches a test draws from now: those of the range chosen, or in a
    // key other than C major those of its scale (all of them with
    // accidentals, or where the range holds none of the scale).
    QList<int> testPitches() const;
    RangeChoice rangeChoice() const { return m_range; }
    // From the lowest note a test draws to the highest.
    NoteRange testRange() const { return m_range.span(m_mode); }

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
    // Where the first note of a row stands: after the clef and the key
    // signature.
    int firstSlotX() const;

    // Draws the test's notes through chooser (not owned) while weak notes
    // are drilled; otherwise, or without one, every note is equally likely.
    void setNoteChooser(NoteChooser *chooser);

public slots:
    // A key played (a MIDI number), written as the key writes it.
    void drawNote(int midi);
    // A note as it is written.
    void showNote(const WrittenNote &note);
    // An answer: the key played, and where it came from.
    void checkNote(int midi, NoteSource source);
    void checkNoNote();
    void generateNote();
    void setConfig();
    void setTestTime(int ms);
    void setTrebleClef(bool treble);
    // Treble or bass as setTrebleClef does, the alto or tenor clef, or the
    // grand staff; empties the staff either way.
    void setClefMode(ClefMode mode);
    // The notes a test draws from.
    void setRangeChoice(const RangeChoice &range);
    void showGrandStaff();
    void setLabelNotes(bool on);
    void setKb(bool oneOctave);
    void setWeakNotes(bool on);
    void setShowAnswer(bool on);
    // The key to write in, or a new one every NotesPerChangingKey test
    // notes; empties the staff.
    void setKeyChoice(const KeyChoice &choice);
    void setChromatic(bool on);

signals:
    void testedNote(bool correct);
    // A test note was put on the staff: the key that sounds it.
    void newNote(int midi);
    void setClef(bool treble);
    // Every change of clef, the grand staff included.
    void clefModeChanged(ClefMode mode);
    // The notes a test draws from now span another range, after a change of
    // clef or of the range chosen.
    void testRangeChanged(NoteRange range);
    // The staff is now written in another key.
    void keyChanged(KeySignature key);
    // Every verdict, with all the record keeps of it.
    void judged(const Verdict &verdict);
    // After a miss, when the learner asks to see it: the right key and the
    // one played (none on a time-out), until answerHidden.
    void answerShown(int right, std::optional<int> played);
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
    void drawClef(QPainter &painter, const PixelScale &scale, Clef clef, int x, int bottomLine,
                  const QColor &ink);
    void drawCClef(QPainter &painter, const PixelScale &scale, Clef clef, int x, int bottomLine,
                   const QColor &ink);
    QPainterPath clefOutline(bool treble, const QBitmap &bitmap) const;
    static QPainterPath cClefOutline();
    int roomFor(const NoteRange &range, Clef clef, bool above) const;
    void drawKeySignature(QPainter &painter, const PixelScale &scale, Clef clef, int clefX,
                          int bottomLine, const Ink &ink);
    void drawBarLines(QPainter &painter, const PixelScale &scale, int x, int topLine,
                      int bottomLine, const QColor &ink);
    void drawStaffLines(QPainter &painter, const PixelScale &scale, int x, int bottomLine,
                        const QColor &ink);
    void drawBrace(QPainter &painter, const PixelScale &scale, int top, int bottom,
                   const QColor &ink);
    void drawNotes(QPainter &painter, const PixelScale &scale, const Ink &ink, int upperBottom,
                   int lowerBottom);
    bool fits(const QRect &extent, const PixelScale &scale) const;
    Clef clefOf(const WrittenNote &note) const;
    void applyHeight();
    void drawLabel(QPainter &painter, int x, const WrittenNote &note);
    void judge(std::optional<int> answer, std::optional<NoteSource> source);
    void startTestTimer();
    void nextNote();
    void endAnswerPause();
    void useKey(KeySignature key);
    void changeKeyIfDue();

    QBitmap trebleBm;
    QBitmap bassBm;
    ClefMode m_mode = ClefMode::Treble;
    RangeChoice m_range;
    bool labelNotes = true;
    int testTime = DefaultTestTime;
    std::optional<WrittenNote> testNote;
    bool kbOneOctave = true;
    unsigned int noteCount = 0;
    QList<WrittenNote> staffNotes;
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

    // The key chosen, and the one in force: with a changing key, a new one
    // every NotesPerChangingKey notes, drawn from its own generator so that
    // the notes' sequence stays that of the C major test.
    KeySignature m_chosenKey;
    bool m_changingKey = false;
    KeySignature m_key;
    bool m_chromatic = false;
    int m_notesInKey = 0;
    std::mt19937 m_keyRandom{std::random_device()()};

    qreal m_zoom = 1;
    int m_roomBelow = 0;
    int m_roomAbove = 0;
    // The clefs' smooth outlines, made when first drawn zoomed.
    QPainterPath m_trebleOutline;
    QPainterPath m_bassOutline;
    QPainterPath m_cClefOutline;
    // The C clef as last drawn: where, in which ink, and its pixels.
    struct DrawnClef
    {
        QTransform place;
        QRgb ink = 0;
        QRect box;
        QImage image;
    };
    DrawnClef m_cClef;

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
