// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/Ink.h"
#include "notes/PixelScale.h"

#include <QByteArray>
#include <QRect>
#include <QString>

#include <optional>

class QPainter;
class QPainterPath;

// Basic staff sizes, in pixels.
constexpr int StaffPitch = 5;      // one staff step: line to the next space
constexpr int NoteLineLength = 25; // length of a stem
constexpr int NoteWidth = 11;      // width of the note-head glyph

// One pitch of the catalogue: its letter, whether it is a black key, its
// nominal frequency, its place on the staff and the sound that plays it.
class Note
{
public:
    Note();
    Note(char name, int offset, int frequency, int position, QString file);

    char name() const { return m_name; }
    int offset() const { return m_offset; }
    int frequency() const { return m_frequency; }
    int position() const { return m_position; }
    // Latin-1 text of the sound name; valid while this record lives unchanged.
    const char *file() const { return m_fileLatin1.constData(); }

    // Draws the note on a staff whose bottom line is at row y, head's left
    // edge at column x, with the glyphs all notes share. Leaves the painter
    // with the last pen it set. Coordinates are those of the staff's pixel
    // grid; scale maps them to the painter's device pixels, where it paints a
    // zoomed staff. The note is drawn in ink's text colour, and its cross in
    // ink's mark colour.
    // The stem goes up on the right of the head in the treble clef and down
    // on the left in the bass clef, unless stem says otherwise.
    enum class Stem { ForClef, Up, Down };
    void draw(int y, int x, bool treble, QPainter &painter, bool correct, bool flat,
              const PixelScale &scale = PixelScale(), const Ink &ink = Ink(),
              Stem stem = Stem::ForClef) const;
    // The grid pixels that draw covers with the same arguments: head, sign,
    // ledger lines, stem and, for a wrong answer, the cross.
    QRect extent(int y, int x, bool treble, bool correct, bool flat,
                 Stem stem = Stem::ForClef) const;
    // The staff step the note is written at (1 the bottom line, 9 the top).
    int step(bool treble, bool flat) const;

    // How any note is drawn: at a staff step, with a sign in front of the
    // head when sign is set (its alteration: 1 sharp, -1 flat, 0 natural,
    // two of a sign for a double one), the stem up on the right or down on
    // the left.
    struct Placed
    {
        int step = 0;
        std::optional<int> sign;
        bool stemUp = true;
        bool correct = true;
    };
    static void drawPlaced(int y, int x, const Placed &note, QPainter &painter,
                           const PixelScale &scale = PixelScale(), const Ink &ink = Ink());
    static QRect placedExtent(int y, int x, const Placed &note);
    // A sign alone, where it would stand in front of a head at column x on
    // the step whose head top is at row top: the signs of a key signature.
    static void drawSign(int alteration, int x, int top, QPainter &painter,
                         const PixelScale &scale = PixelScale(), const Ink &ink = Ink());
    static QRect signExtent(int alteration, int x, int top);
    // The same sign's smooth outline, in the grid's units, for drawings that
    // scale freely.
    static QPainterPath signPath(int alteration, qreal x, qreal top);
    // Where a head on a step starts, for a staff whose bottom line is at row y.
    static constexpr int headTop(int y, int step) { return y - StaffPitch * step; }
    // The ledger lines a head on a step stands on or hangs from: those
    // between it and the staff, its own included. No note is drawn with
    // more than MostLedgerLines.
    static constexpr int TopLineStep = 9;
    static constexpr int MostLedgerLines = 5;
    static constexpr int ledgerLines(int step)
    {
        return step < 0 ? (1 - step) / 2 : step > TopLineStep + 1 ? (step - TopLineStep) / 2 : 0;
    }

private:
    Placed placed(bool treble, bool correct, bool flat, Stem stem) const;

    char m_name;
    int m_offset;
    int m_frequency;
    int m_position;
    QString m_file;
    QByteArray m_fileLatin1;
};
