// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Handheld.h"
#include "ReferenceRaster.h"
#include "ReferenceStaff.h"

#include "notes/Catalogue.h"
#include "staff/ClefBits.h"
#include "staff/VKTest.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <climits>

using ReferenceStaff::Slot;

namespace {

// Text is antialiased: a letter is compared with the reference's letter
// within this much per colour channel, which any other letter exceeds.
constexpr int LetterTolerance = 40;

// Checks a grabbed staff against the reference: every pixel outside the
// label boxes exactly; inside them, the right letter in the right colour.
QString staffDifferences(VKTest &staff, bool treble, const QList<Slot> &row, bool labels = true)
{
    const QImage actual = staff.grab().toImage();
    const QImage bare = ReferenceStaff::render(staff.width(), treble, row);
    const QString tag = QStringLiteral("staff%1").arg(staff.width());
    if (!labels)
        return ReferenceRaster::differences(actual, bare, {}, 0, tag);

    QRegion boxes;
    for (int i = 0; i < row.size(); ++i)
        boxes += ReferenceStaff::labelBox(i);
    QString d = ReferenceRaster::differences(actual, bare, boxes, 0, tag);
    if (!d.isEmpty())
        return QStringLiteral("outside the labels: ") + d;
    const QFont font = staff.font();
    const QImage lettered = ReferenceStaff::render(staff.width(), treble, row, &font);
    d = ReferenceRaster::differences(actual, lettered, QRegion(actual.rect()) - boxes,
                                     LetterTolerance, tag + QStringLiteral("-labels"));
    if (!d.isEmpty())
        return QStringLiteral("in the labels: ") + d;

    for (int i = 0; i < row.size(); ++i) {
        const QRect box = ReferenceStaff::labelBox(i);
        const int key = std::abs(row[i].note);
        if (!actual.rect().contains(box) ||
            ReferenceStaff::shown(treble, key, row[i].right, row[i].note < 0) ==
                ReferenceStaff::Shown::Not)
            continue;
        int ink = 0;
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) {
                const QRgb p = actual.pixel(x, y);
                if (p == bare.pixel(x, y))
                    continue;
                ++ink;
                const bool red = qRed(p) > qGreen(p) && qRed(p) > qBlue(p);
                const bool grey = qRed(p) == qGreen(p) && qGreen(p) == qBlue(p);
                if (row[i].right ? !grey : !red)
                    return QStringLiteral("label %1 has a pixel of the wrong colour at (%2, %3)")
                        .arg(i)
                        .arg(x)
                        .arg(y);
            }
        }
        if (ink == 0)
            return QStringLiteral("label %1 is missing").arg(i);
    }
    return QString();
}

// The row a staff of this width shows after these notes arrive one by one.
QList<Slot> rowAfter(int width, const QList<int> &arrivals)
{
    const int capacity = std::max(1, (width - 35) / 20);
    QList<Slot> row;
    for (int n : arrivals) {
        if (row.size() + 1 > capacity)
            row.clear();
        row << Slot{n};
    }
    return row;
}

} // namespace

class StaffTest : public QObject
{
    Q_OBJECT
private slots:

    // Staff and bar lines hide some clef pixels: compare the data itself too.
    void clefImagesHoldTheWrittenRows()
    {
        for (const bool treble : {true, false}) {
            const QImage expected = ReferenceStaff::clef(treble);
            const uchar *bits = treble ? ClefBits::treble_bits : ClefBits::bass_bits;
            QCOMPARE(int(treble ? sizeof ClefBits::treble_bits : sizeof ClefBits::bass_bits),
                     4 * expected.height());
            const QImage mono(bits, expected.width(), expected.height(), 4, QImage::Format_MonoLSB);
            QImage actual = ReferenceRaster::blank(expected.width(), expected.height());
            for (int y = 0; y < actual.height(); ++y) {
                for (int x = 0; x < actual.width(); ++x) {
                    if (mono.pixelIndex(x, y))
                        actual.setPixel(x, y, ReferenceRaster::Black);
                }
            }
            QCOMPARE(ReferenceRaster::differences(actual, expected), QString());
        }
    }

    // Slot 0 of a 240-pixel staff: each note alone, or crossed out by a
    // time-out (which also puts the next test note in slot 1).
    void everyNoteMatchesTheReference_data()
    {
        QTest::addColumn<bool>("treble");
        QTest::addColumn<bool>("flat");
        QTest::addColumn<bool>("right");
        for (const bool treble : {true, false}) {
            for (const bool flat : {false, true}) {
                for (const bool right : {true, false}) {
                    QTest::addRow("%s %s %s", treble ? "treble" : "bass", flat ? "flat" : "sharp",
                                  right ? "right" : "wrong")
                        << treble << flat << right;
                }
            }
        }
    }
    void everyNoteMatchesTheReference()
    {
        QFETCH(bool, treble);
        QFETCH(bool, flat);
        QFETCH(bool, right);
        VKTest staff;
        staff.resize(240, 120);
        for (int key = Handheld::Lowest; key <= Handheld::Highest; ++key) {
            const bool black = QByteArrayView("010100101010").at(key % 12) == '1';
            if (flat && !black)
                continue;
            const int n = flat ? -key : key;
            staff.setTrebleClef(treble);
            Handheld::draw(staff, n);
            QList<Slot> row{{n, right}};
            if (!right) {
                staff.checkNoNote();
                staff.setTestMode(false);
                QCOMPARE(staff.notesShown(), 2);
                row << Slot{Handheld::number(staff.noteInSlot(1))};
            }
            const QString d = staffDifferences(staff, treble, row);
            QVERIFY2(d.isEmpty(), qPrintable(QStringLiteral("note %1: %2").arg(n).arg(d)));
        }
    }

    void rowsOfNotesMatchTheReference_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("treble");
        QTest::addColumn<bool>("labels");
        QTest::addColumn<QList<int>>("arrivals");
        QList<int> all, ten, eleven;
        for (int n = Handheld::Lowest; n <= Handheld::Highest; ++n)
            all << n;
        for (int n = 36; n < 46; ++n)
            ten << n;
        eleven = ten;
        eleven << 59;
        const QList<int> mixed{12, -13, 23, -25, 30, 35, -34, 24, 59, -58, 40, -39, 47, 48};
        QTest::newRow("240 treble: ten notes fill the row") << 240 << true << true << ten;
        QTest::newRow("240 treble: the eleventh starts a new row") << 240 << true << true << eleven;
        QTest::newRow("240 bass: sharps and flats") << 240 << false << true << mixed;
        QTest::newRow("240 treble: labels off") << 240 << true << false << mixed;
        QTest::newRow("1000 treble: all 48 in one row") << 1000 << true << true << all;
        QTest::newRow("1000 bass: all 48 in one row") << 1000 << false << true << all;
        QTest::newRow("1000 bass: labels off") << 1000 << false << false << all;
        QTest::newRow("333 bass: fourteen to a row") << 333 << false << true << all.mid(20, 20);
        QTest::newRow("75 treble: two to a row") << 75 << true << true << mixed;
        QTest::newRow("54 treble: only the newest") << 54 << true << true << mixed;
        QTest::newRow("54 bass: labels off") << 54 << false << false << mixed;
        QTest::newRow("20 bass: clipped clef, note off the edge") << 20 << false << true << mixed;
        QTest::newRow("3 treble") << 3 << true << true << ten;
    }
    void rowsOfNotesMatchTheReference()
    {
        QFETCH(int, width);
        QFETCH(bool, treble);
        QFETCH(bool, labels);
        QFETCH(QList<int>, arrivals);
        VKTest staff;
        staff.resize(width, 120);
        staff.setTrebleClef(treble);
        staff.setLabelNotes(labels);
        for (int n : arrivals)
            Handheld::draw(staff, n);
        const QList<Slot> row = rowAfter(width, arrivals);
        QCOMPARE(staff.notesShown(), row.size());
        QCOMPARE(staffDifferences(staff, treble, row, labels), QString());
    }

    void narrowedStaffKeepsItsNotesUntilOneDoesNotFit()
    {
        VKTest staff;
        staff.resize(240, 120);
        const QList<int> first{36, 38, -39, 41, 43, 45, 47};
        for (int n : first)
            Handheld::draw(staff, n);
        staff.resize(100, 120); // room for three
        QList<Slot> row = rowAfter(240, first);
        QCOMPARE(staffDifferences(staff, true, row), QString());

        Handheld::draw(staff, -49);
        QCOMPARE(staffDifferences(staff, true, {{-49}}), QString());
        Handheld::draw(staff, 50);
        Handheld::draw(staff, 52);
        QCOMPARE(staffDifferences(staff, true, {{-49}, {50}, {52}}), QString());
        staff.resize(240, 120); // wider again: the row goes on
        Handheld::draw(staff, 53);
        QCOMPARE(staffDifferences(staff, true, {{-49}, {50}, {52}, {53}}), QString());
    }

    void setTrebleClefEmptiesTheStaffAndAlwaysAnnouncesTheClef_data()
    {
        QTest::addColumn<bool>("from");
        QTest::addColumn<bool>("to");
        QTest::newRow("treble again") << true << true;
        QTest::newRow("treble to bass") << true << false;
        QTest::newRow("bass to treble") << false << true;
        QTest::newRow("bass again") << false << false;
    }
    void setTrebleClefEmptiesTheStaffAndAlwaysAnnouncesTheClef()
    {
        QFETCH(bool, from);
        QFETCH(bool, to);
        VKTest staff;
        staff.resize(240, 120);
        staff.setTrebleClef(from);
        for (int n : {24, 36, -37})
            Handheld::draw(staff, n);
        QSignalSpy clef(&staff, &VKTest::setClef);
        staff.setTrebleClef(to);
        QCOMPARE(clef.count(), 1);
        QCOMPARE(clef.at(0).at(0).toBool(), to);
        QCOMPARE(staff.notesShown(), 0);
        QCOMPARE(staffDifferences(staff, to, {}), QString());
    }

    void invalidNumbersAreRefusedWithAWarning_data()
    {
        QTest::addColumn<int>("number");
        for (int n : {5, 20, 109, -60, 0, -1, INT_MIN, INT_MAX, INT_MIN + 1})
            QTest::addRow("%d", n) << n;
    }
    void invalidNumbersAreRefusedWithAWarning()
    {
        QFETCH(int, number);
        VKTest staff;
        staff.resize(240, 120);
        Handheld::draw(staff, 40);
        Handheld::draw(staff, -42);
        const QImage before = staff.grab().toImage();
        QTest::ignoreMessage(
            QtWarningMsg, qPrintable(QStringLiteral("Invalid MIDI note number: %1\n").arg(number)));
        staff.drawNote(number);
        QCOMPARE(staff.notesShown(), 2);
        QCOMPARE(staff.noteInSlot(1), Handheld::note(-42));
        QCOMPARE(ReferenceRaster::differences(staff.grab().toImage(), before), QString());
        QCOMPARE(notes.size(), 88);
    }

    // A negative number is stored as given and spelled as the flat of the
    // letter above; a natural note given negative keeps its own letter, and
    // drawing it adds nothing to the catalogue.
    void negativeNumbersKeepTheirSignAndLetter_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QChar>("letter");
        QTest::newRow("-13 is D flat 2") << -13 << QChar(QLatin1Char('D'));
        QTest::newRow("-58 is B flat 5") << -58 << QChar(QLatin1Char('B'));
        QTest::newRow("-16 is E2") << -16 << QChar(QLatin1Char('E'));
        QTest::newRow("-59 is B5") << -59 << QChar(QLatin1Char('B'));
    }
    void negativeNumbersKeepTheirSignAndLetter()
    {
        QFETCH(int, number);
        QFETCH(QChar, letter);
        QCOMPARE(ReferenceStaff::labelLetter(number), letter);
        for (const bool treble : {false, true}) {
            VKTest staff;
            staff.resize(240, 120);
            staff.setTrebleClef(treble);
            Handheld::draw(staff, number);
            QCOMPARE(staff.noteInSlot(0), Handheld::note(number));
            QCOMPARE(staffDifferences(staff, treble, {{number}}), QString());
            QCOMPARE(notes.size(), 88);
        }
    }

    // Below the staff, ledger lines run from the staff down to the note and
    // never beyond: steps -1 and -2 get one, -3 and -4 two, and so on. Column
    // 48 (x + 13) holds nothing but staff and ledger lines.
    void ledgerLinesBelowTheStaffStopAtTheNote()
    {
        VKTest staff;
        staff.resize(240, 120);
        staff.setLabelNotes(false);
        for (const bool treble : {true, false}) {
            for (int n = Handheld::Lowest; n <= Handheld::Highest; ++n) {
                const int step = notes[Handheld::midi(n)].position() + (treble ? 0 : 12);
                if (step >= 0)
                    continue;
                staff.setTrebleClef(treble);
                Handheld::draw(staff, n);
                const QImage image = staff.grab().toImage();
                int lines = 0;
                for (int y = ReferenceStaff::BottomLine + 1; y < image.height(); ++y)
                    lines += image.pixel(48, y) == ReferenceRaster::Black;
                // A note that does not fit the strip is not drawn, lines and all.
                const bool drawn =
                    ReferenceStaff::shown(treble, n, true, false) != ReferenceStaff::Shown::Not;
                QVERIFY2(lines == (drawn ? (1 - step) / 2 : 0),
                         qPrintable(QStringLiteral("%1 clef, note %2 (step %3): %4 lines")
                                        .arg(treble ? "treble" : "bass")
                                        .arg(n)
                                        .arg(step)
                                        .arg(lines)));
            }
        }
    }

    // Pixels the written layout gives explicitly, read off the widget.
    void writtenPlacesOfStemsAndLedgerLines()
    {
        VKTest staff;
        staff.resize(240, 120);
        staff.setLabelNotes(false);
        const auto black = [&staff](int n, bool treble, QList<QPoint> points) {
            staff.setTrebleClef(treble);
            Handheld::draw(staff, n);
            const QImage image = staff.grab().toImage();
            for (const QPoint p : points) {
                if (image.pixel(p) != ReferenceRaster::Black)
                    return QStringLiteral("note %1: (%2, %3) not black")
                        .arg(n)
                        .arg(p.x())
                        .arg(p.y());
            }
            return QString();
        };
        // E4 treble: stem from (44, 82) up to (44, 57); C4: ledger line row 95, columns 33 to 48.
        QCOMPARE(black(40, true, {{44, 57}, {44, 70}, {44, 79}}), QString());
        QCOMPARE(black(36, true, {{33, 95}, {48, 95}}), QString());
        // B3 treble: one ledger line, on row 95, none under the head; B5: on row 35.
        QCOMPARE(black(35, true, {{33, 95}, {48, 95}}), QString());
        QCOMPARE(staff.grab().toImage().pixel(48, 105), ReferenceRaster::Background);
        QCOMPARE(black(59, true, {{33, 35}, {48, 35}}), QString());
        // C2 bass: ledger lines on rows 95 and 105; its stem would run off the
        // strip's bottom, so it rises from (44, 102) to (44, 77), as an
        // engraver turns the stem of a note far below the staff.
        QCOMPARE(black(12, false, {{33, 95}, {33, 105}, {44, 102}, {44, 77}}), QString());
        QCOMPARE(staff.grab().toImage().pixel(35, 119), ReferenceRaster::Background);
        // D flat 4 treble: the flat's stem in column 28, rows 77 to 96.
        QCOMPARE(black(-37, true, {{28, 77}, {28, 96}}), QString());
    }
};

QTEST_MAIN(StaffTest)
#include "tst_staff.moc"
