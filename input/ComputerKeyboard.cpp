// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/ComputerKeyboard.h"

#include "notes/Catalogue.h"

#include <QKeyEvent>

#include <algorithm>
#include <iterator>

namespace {

// One row of the piano, C to B in semitones. Scan codes are the kernel's
// key codes plus 8, which is what X11 and Wayland report.
struct PianoKey
{
    quint32 scanCode;
    int key; // the US layout's letter or digit at that place
};

constexpr PianoKey LowerRow[12] = {
    {52, Qt::Key_Z}, {39, Qt::Key_S}, {53, Qt::Key_X}, {40, Qt::Key_D},
    {54, Qt::Key_C}, {55, Qt::Key_V}, {42, Qt::Key_G}, {56, Qt::Key_B},
    {43, Qt::Key_H}, {57, Qt::Key_N}, {44, Qt::Key_J}, {58, Qt::Key_M},
};
constexpr PianoKey UpperRow[12] = {
    {24, Qt::Key_Q}, {11, Qt::Key_2}, {25, Qt::Key_W}, {12, Qt::Key_3},
    {26, Qt::Key_E}, {27, Qt::Key_R}, {14, Qt::Key_5}, {28, Qt::Key_T},
    {15, Qt::Key_6}, {29, Qt::Key_Y}, {16, Qt::Key_7}, {30, Qt::Key_U},
};

constexpr int Octave = 12;

// Where the rows start in each clef mode: the test's own two octaves in one
// clef, and the two around middle C on the grand staff.
int firstNoteFor(ClefMode mode)
{
    return mode == ClefMode::Both ? MiddleC - Octave : lowestTestNote(mode);
}

// A key of the rows that lies beyond the piano plays nothing.
template <typename Match> int noteWhere(int first, Match matches)
{
    for (int semitone = 0; semitone < int(std::size(LowerRow)); ++semitone) {
        const int note = matches(LowerRow[semitone])   ? first + semitone
                         : matches(UpperRow[semitone]) ? first + Octave + semitone
                                                       : -1;
        if (note >= 0)
            return NoteRange::piano().contains(note) ? note : -1;
    }
    return -1;
}

int noteForScanCodeFrom(quint32 scanCode, int first)
{
    return noteWhere(first, [scanCode](const PianoKey &k) { return k.scanCode == scanCode; });
}

int noteForKeyFrom(int key, int first)
{
    return noteWhere(first, [key](const PianoKey &k) { return k.key == key; });
}

} // namespace

ComputerKeyboard::ComputerKeyboard(QObject *parent) : QObject(parent) {}

int ComputerKeyboard::noteForScanCode(quint32 scanCode, bool treble)
{
    return noteForScanCodeFrom(scanCode, firstNoteFor(treble ? ClefMode::Treble : ClefMode::Bass));
}

int ComputerKeyboard::noteForKey(int key, bool treble)
{
    return noteForKeyFrom(key, firstNoteFor(treble ? ClefMode::Treble : ClefMode::Bass));
}

void ComputerKeyboard::setClef(bool treble)
{
    setClefMode(treble ? ClefMode::Treble : ClefMode::Bass);
}

void ComputerKeyboard::setClefMode(ClefMode mode)
{
    m_mode = mode;
    placeRows();
}

void ComputerKeyboard::setTestRange(NoteRange range)
{
    m_range = range;
    placeRows();
}

// At the clef's C, while the rows reach into the test's notes; otherwise at
// the C at or below the lowest of them.
void ComputerKeyboard::placeRows()
{
    int first = firstNoteFor(m_mode);
    const NoteRange rows(first, first + 2 * Octave - 1);
    if (!m_range.isEmpty() && rows.intersected(m_range).isEmpty())
        first = m_range.low() - m_range.low() % Octave;
    moveRows(first);
}

void ComputerKeyboard::moveRows(int firstNote)
{
    firstNote = std::clamp(firstNote, LowestFirstNote, HighestFirstNote);
    if (firstNote == m_firstNote)
        return;
    m_firstNote = firstNote;
    emit rowsMoved(firstNote);
}

bool ComputerKeyboard::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        return keyPressed(static_cast<QKeyEvent *>(event));
    case QEvent::KeyRelease:
        return keyReleased(static_cast<QKeyEvent *>(event));
    case QEvent::WindowDeactivate:
        // The release of a key held now would go to another window.
        releaseAll();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

namespace {

// A key by its place, or by its letter where the platform reports no place.
quint32 keyId(const QKeyEvent *key)
{
    return key->nativeScanCode() != 0 ? key->nativeScanCode() : quint32(key->key()) | 0x80000000u;
}

} // namespace

bool ComputerKeyboard::keyPressed(const QKeyEvent *key)
{
    // Chords with Ctrl, Alt or Meta belong to shortcuts, menus and mnemonics.
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (key->key() == Qt::Key_PageDown || key->key() == Qt::Key_PageUp) {
        moveRows(m_firstNote + (key->key() == Qt::Key_PageUp ? Octave : -Octave));
        return true;
    }
    // Platforms that report no scan code (the offscreen one, for instance)
    // get the US layout's letters instead of places.
    const int note = key->nativeScanCode() != 0
                         ? noteForScanCodeFrom(key->nativeScanCode(), m_firstNote)
                         : noteForKeyFrom(key->key(), m_firstNote);
    if (note < 0)
        return false;
    // A held key plays once; its repeats are swallowed with it.
    if (key->isAutoRepeat())
        return true;
    // Pressed again with no release since (one lost on the way), it strikes
    // afresh.
    const auto again = held.constFind(keyId(key));
    if (again != held.constEnd())
        emit noteReleased(*again);
    held.insert(keyId(key), note);
    emit noteStruck(note, Velocity);
    emit noteRead(note);
    return true;
}

// Whatever the modifiers are by now: a key struck is let go however it comes up.
bool ComputerKeyboard::keyReleased(const QKeyEvent *key)
{
    const auto it = held.constFind(keyId(key));
    if (it == held.constEnd())
        return false;
    // A repeating key reports a release before each repeat: it is still down.
    if (key->isAutoRepeat())
        return true;
    const int note = *it;
    held.erase(it);
    emit noteReleased(note);
    return true;
}

void ComputerKeyboard::releaseAll()
{
    const QList<int> notes = held.values();
    held.clear();
    for (int note : notes)
        emit noteReleased(note);
}
