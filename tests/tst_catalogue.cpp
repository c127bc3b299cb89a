// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes/Catalogue.h"

#include <QTest>

#include <cstring>

class CatalogueTest : public QObject
{
    Q_OBJECT
private slots:
    void catalogueHoldsThePianosEightyEightKeysInOrderByMidiNumber()
    {
        QCOMPARE(notes.size(), 88);
        int expected = 21;
        for (const Note &note : notes)
            QCOMPARE(&note, notes.find(expected++));
        QCOMPARE(expected, 109);
    }

    void everyEntryMatchesTheNoteTable_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<char>("name");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("frequency");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("file");
        // The published table of pitches, written out independently of the rules.
        struct Row
        {
            int n;
            char name;
            int offset, freq, pos;
            const char *file;
        };
        const Row rows[] = {
            {21, 'A', 0, 28, -24, "A0"},   {22, 'A', 1, 29, -24, "Bb0"},
            {23, 'B', 0, 31, -23, "B0"},   {24, 'C', 0, 33, -22, "C1"},
            {35, 'B', 0, 62, -16, "B1"},   {84, 'C', 0, 1047, 13, "C6"},
            {107, 'B', 0, 3951, 26, "B7"}, {108, 'C', 0, 4186, 27, "C8"},
            {36, 'C', 0, 65, -15, "C2"},   {37, 'C', 1, 69, -15, "Cs2"},
            {38, 'D', 0, 73, -14, "D2"},   {39, 'D', 1, 78, -14, "Eb2"},
            {40, 'E', 0, 82, -13, "E2"},   {41, 'F', 0, 87, -12, "F2"},
            {42, 'F', 1, 92, -12, "Fs2"},  {43, 'G', 0, 98, -11, "G2"},
            {44, 'G', 1, 104, -11, "Gs2"}, {45, 'A', 0, 110, -10, "A2"},
            {46, 'A', 1, 117, -10, "Bb2"}, {47, 'B', 0, 123, -9, "B2"},
            {48, 'C', 0, 131, -8, "C3"},   {49, 'C', 1, 139, -8, "Cs3"},
            {50, 'D', 0, 147, -7, "D3"},   {51, 'D', 1, 156, -7, "Eb3"},
            {52, 'E', 0, 165, -6, "E3"},   {53, 'F', 0, 175, -5, "F3"},
            {54, 'F', 1, 185, -5, "Fs3"},  {55, 'G', 0, 196, -4, "G3"},
            {56, 'G', 1, 208, -4, "Gs3"},  {57, 'A', 0, 220, -3, "A3"},
            {58, 'A', 1, 233, -3, "Bb3"},  {59, 'B', 0, 247, -2, "B3"},
            {60, 'C', 0, 262, -1, "C4"},   {61, 'C', 1, 277, -1, "Cs4"},
            {62, 'D', 0, 294, 0, "D4"},    {63, 'D', 1, 311, 0, "Eb4"},
            {64, 'E', 0, 330, 1, "E4"},    {65, 'F', 0, 349, 2, "F4"},
            {66, 'F', 1, 370, 2, "Fs4"},   {67, 'G', 0, 392, 3, "G4"},
            {68, 'G', 1, 415, 3, "Gs4"},   {69, 'A', 0, 440, 4, "A4"},
            {70, 'A', 1, 466, 4, "Bb4"},   {71, 'B', 0, 494, 5, "B4"},
            {72, 'C', 0, 523, 6, "C5"},    {73, 'C', 1, 554, 6, "Cs5"},
            {74, 'D', 0, 587, 7, "D5"},    {75, 'D', 1, 622, 7, "Eb5"},
            {76, 'E', 0, 659, 8, "E5"},    {77, 'F', 0, 698, 9, "F5"},
            {78, 'F', 1, 740, 9, "Fs5"},   {79, 'G', 0, 784, 10, "G5"},
            {80, 'G', 1, 831, 10, "Gs5"},  {81, 'A', 0, 880, 11, "A5"},
            {82, 'A', 1, 932, 11, "Bb5"},  {83, 'B', 0, 988, 12, "B5"},
        };
        for (const Row &r : rows)
            QTest::addRow("%d", r.n) << r.n << r.name << r.offset << r.freq << r.pos
                                     << QStringLiteral("velkaro/") + QLatin1String(r.file);
    }

    void everyEntryMatchesTheNoteTable()
    {
        QFETCH(int, number);
        const Note &note = *notes.find(number);
        QTEST(note.name(), "name");
        QTEST(note.offset(), "offset");
        QTEST(note.frequency(), "frequency");
        QTEST(note.position(), "position");
        QTEST(QString::fromLatin1(note.file()), "file");
    }

    void blackKeysSitAtThePositionOfTheNoteBelow()
    {
        for (int n = 22; n <= 108; ++n) {
            if (notes[n].offset() == 1)
                QCOMPARE(notes[n].position(), notes[n - 1].position());
        }
    }

    // Looking up a number the catalogue does not hold finds nothing and
    // changes nothing; the lookup that must answer gets an empty record.
    void anAbsentNumberIsNeverInserted()
    {
        for (int n : {0, 20, 109, -61, 127}) {
            QVERIFY(!notes.find(n));
            QVERIFY(!notes.contains(n));
            const Note &none = notes[n];
            QCOMPARE(none.frequency(), 0);
            QCOMPARE(std::strlen(none.file()), size_t(0));
        }
        QCOMPARE(notes.size(), 88);
    }

    void fileTextStaysValidWhileTheRecordLives()
    {
        // The pointer must not come from a temporary conversion.
        const char *first = notes[63].file();
        const char *second = notes[63].file();
        QCOMPARE(first, second);
        const char *copied = nullptr;
        {
            Note copy = notes[63];
            copied = copy.file();
            QCOMPARE(QByteArray(copied), QByteArray("velkaro/Eb4"));
        }
        QCOMPARE(QByteArray(notes[63].file()), QByteArray("velkaro/Eb4"));
    }
};

QTEST_GUILESS_MAIN(CatalogueTest)
#include "tst_catalogue.moc"
