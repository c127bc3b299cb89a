// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes/Catalogue.h"

#include <QTest>

#include <cstring>

class CatalogueTest : public QObject
{
    Q_OBJECT
private slots:
    void catalogueHoldsTheFortyEightNotesInOrder()
    {
        QCOMPARE(notes.size(), 48);
        int expected = LowestNote;
        for (const Note &note : notes)
            QCOMPARE(&note, notes.find(expected++));
        QCOMPARE(expected, 60);
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
            {12, 'C', 0, 65, -15, "C2"},   {13, 'C', 1, 69, -15, "Cs2"},
            {14, 'D', 0, 73, -14, "D2"},   {15, 'D', 1, 78, -14, "Eb2"},
            {16, 'E', 0, 82, -13, "E2"},   {17, 'F', 0, 87, -12, "F2"},
            {18, 'F', 1, 92, -12, "Fs2"},  {19, 'G', 0, 98, -11, "G2"},
            {20, 'G', 1, 104, -11, "Gs2"}, {21, 'A', 0, 110, -10, "A2"},
            {22, 'A', 1, 117, -10, "Bb2"}, {23, 'B', 0, 123, -9, "B2"},
            {24, 'C', 0, 131, -8, "C3"},   {25, 'C', 1, 139, -8, "Cs3"},
            {26, 'D', 0, 147, -7, "D3"},   {27, 'D', 1, 156, -7, "Eb3"},
            {28, 'E', 0, 165, -6, "E3"},   {29, 'F', 0, 175, -5, "F3"},
            {30, 'F', 1, 185, -5, "Fs3"},  {31, 'G', 0, 196, -4, "G3"},
            {32, 'G', 1, 208, -4, "Gs3"},  {33, 'A', 0, 220, -3, "A3"},
            {34, 'A', 1, 233, -3, "Bb3"},  {35, 'B', 0, 247, -2, "B3"},
            {36, 'C', 0, 262, -1, "C4"},   {37, 'C', 1, 277, -1, "Cs4"},
            {38, 'D', 0, 294, 0, "D4"},    {39, 'D', 1, 311, 0, "Eb4"},
            {40, 'E', 0, 330, 1, "E4"},    {41, 'F', 0, 349, 2, "F4"},
            {42, 'F', 1, 370, 2, "Fs4"},   {43, 'G', 0, 392, 3, "G4"},
            {44, 'G', 1, 415, 3, "Gs4"},   {45, 'A', 0, 440, 4, "A4"},
            {46, 'A', 1, 466, 4, "Bb4"},   {47, 'B', 0, 494, 5, "B4"},
            {48, 'C', 0, 523, 6, "C5"},    {49, 'C', 1, 554, 6, "Cs5"},
            {50, 'D', 0, 587, 7, "D5"},    {51, 'D', 1, 622, 7, "Eb5"},
            {52, 'E', 0, 659, 8, "E5"},    {53, 'F', 0, 698, 9, "F5"},
            {54, 'F', 1, 740, 9, "Fs5"},   {55, 'G', 0, 784, 10, "G5"},
            {56, 'G', 1, 831, 10, "Gs5"},  {57, 'A', 0, 880, 11, "A5"},
            {58, 'A', 1, 932, 11, "Bb5"},  {59, 'B', 0, 988, 12, "B5"},
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
        for (int n = 13; n <= 59; ++n) {
            if (notes[n].offset() == 1)
                QCOMPARE(notes[n].position(), notes[n - 1].position());
        }
    }

    // Looking up a number the catalogue does not hold finds nothing and
    // changes nothing; the lookup that must answer gets an empty record.
    void anAbsentNumberIsNeverInserted()
    {
        for (int n : {0, 11, 60, -37, 100}) {
            QVERIFY(!notes.find(n));
            QVERIFY(!notes.contains(n));
            const Note &none = notes[n];
            QCOMPARE(none.frequency(), 0);
            QCOMPARE(std::strlen(none.file()), size_t(0));
        }
        QCOMPARE(notes.size(), 48);
    }

    void fileTextStaysValidWhileTheRecordLives()
    {
        // The pointer must not come from a temporary conversion.
        const char *first = notes[39].file();
        const char *second = notes[39].file();
        QCOMPARE(first, second);
        const char *copied = nullptr;
        {
            Note copy = notes[39];
            copied = copy.file();
            QCOMPARE(QByteArray(copied), QByteArray("velkaro/Eb4"));
        }
        QCOMPARE(QByteArray(notes[39].file()), QByteArray("velkaro/Eb4"));
    }
};

QTEST_GUILESS_MAIN(CatalogueTest)
#include "tst_catalogue.moc"
