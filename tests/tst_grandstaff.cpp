// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "InkRuns.h"

#include "input/ComputerKeyboard.h"
#include "keyboard/VKKeyboard.h"
#include "notes/Catalogue.h"
#include "staff/StaffGeometry.h"
#include "staff/VKTest.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

using namespace InkRuns;
using namespace StaffGeometry;

namespace {

// A staff in this mode and zoom with its usual room, or with Extra rows more
// above and below, in which every note of the catalogue fits.
constexpr int Extra = 100;
void setUp(VKTest &staff, ClefMode mode, qreal zoom, int extra = 0)
{
    staff.setClefMode(mode);
    staff.setLabelNotes(false);
    const bool zoomed = zoom > 1;
    staff.setZoom(zoom, (zoomed ? staff.roomWantedBelow() : 0) + extra,
                  (zoomed ? staff.roomWantedAbove() : 0) + extra);
    staff.resize(qRound(120 * zoom), staff.height());
}

bool sameImage(const QImage &a, const QImage &b)
{
    return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

// Whether image differs from empty anywhere in rows [from, to).
bool inkIn(const QImage &image, const QImage &empty, int from, int to)
{
    for (int y = std::max(0, from); y < std::min(to, image.height()); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != empty.pixel(x, y))
                return true;
        }
    }
    return false;
}

} // namespace

class GrandStaffTest : public QObject
{
    Q_OBJECT
private slots:
    // C4 and up on the treble staff, below it on the bass staff, each with
    // the ledger lines an engraver draws, at zoom 1 (rows of the grid).
    void notesFromMiddleCUpStandOnTheTrebleStaff_data()
    {
        QTest::addColumn<int>("note");
        QTest::addColumn<int>("headTop");
        QTest::addColumn<QList<int>>("ledgerRows");
        QTest::newRow("C2: second ledger line below the bass staff")
            << 36 << 185 << QList<int>{180, 190};
        QTest::newRow("B3: space above the bass staff") << 59 << 120 << QList<int>{};
        QTest::newRow("C4: first ledger line below the treble staff")
            << 60 << 95 << QList<int>{100};
        QTest::newRow("B5: above the treble staff's first ledger line")
            << 83 << 30 << QList<int>{40};
    }
    void notesFromMiddleCUpStandOnTheTrebleStaff()
    {
        QFETCH(int, note);
        QFETCH(int, headTop);
        QFETCH(QList<int>, ledgerRows);
        VKTest staff;
        setUp(staff, ClefMode::Both, 1);
        QCOMPARE(staff.height(), GrandHeight);
        staff.drawNote(note);
        const QImage image = staff.grab().toImage();
        const int x = GrandFirstSlotX;
        // Beside the head, column x + 13 holds staff lines and ledger lines only.
        QList<int> ledgers;
        for (const Run &r : runs(image, x + 13, Qt::Vertical)) {
            const int fromTreble = GrandTrebleBottomLine - r.start;
            const int fromBass = GrandBassBottomLine - r.start;
            const bool staffLine = (fromTreble >= 0 && fromTreble <= 40 && fromTreble % 10 == 0) ||
                                   (fromBass >= 0 && fromBass <= 40 && fromBass % 10 == 0);
            if (!staffLine)
                ledgers << r.start;
        }
        QCOMPARE(ledgers, ledgerRows);
        int top = -1;
        for (const Run &r : runs(image, x + 5, Qt::Vertical)) {
            if (r.length() >= 5)
                top = r.start;
        }
        QCOMPARE(top, headTop);
    }

    // Every note C2 to B5, in both spellings, in every clef mode and at the
    // handheld's size and two desktop zooms: drawn whole, or not at all.
    // Whole means what a staff with room to spare shows of it, and nothing
    // reaching the strip's edge; the test's own notes are always drawn.
    // (Further out, a note that fits only with its stem turned differs from
    // the roomy staff's by its stem: five ledger lines and no more are
    // checked with the C clefs.)
    void noNoteIsEverDrawnCut_data()
    {
        QTest::addColumn<ClefMode>("mode");
        QTest::addColumn<qreal>("zoom");
        const std::pair<const char *, ClefMode> modes[] = {{"treble", ClefMode::Treble},
                                                           {"bass", ClefMode::Bass},
                                                           {"alto", ClefMode::Alto},
                                                           {"tenor", ClefMode::Tenor},
                                                           {"grand", ClefMode::Both}};
        for (const auto &[name, mode] : modes) {
            for (const qreal zoom : {1.0, 2.0, 4.75})
                QTest::addRow("%s at %.2f", name, zoom) << mode << zoom;
        }
    }
    void noNoteIsEverDrawnCut()
    {
        QFETCH(ClefMode, mode);
        QFETCH(qreal, zoom);
        VKTest staff, roomy;
        setUp(staff, mode, zoom);
        setUp(roomy, mode, zoom, Extra);
        const QImage empty = staff.grab().toImage();
        const QImage roomyEmpty = roomy.grab().toImage();
        const int offset = qRound(Extra * zoom);
        const int lowestTest = lowestTestNote(mode);
        constexpr int C2 = 36, B5 = 83;
        for (int n = C2; n <= B5; ++n) {
            for (const bool flat : {false, true}) {
                if (flat && notes[n].offset() != 1)
                    continue;
                const WrittenNote shown = WrittenNote::fromMidi(n, flat);
                // Alone on the staff: choosing the clef again empties it.
                for (VKTest *s : {&staff, &roomy}) {
                    s->setClefMode(mode);
                    s->showNote(shown);
                }
                const QImage image = staff.grab().toImage();
                const QImage roomyImage = roomy.grab().toImage();
                const QString what = QStringLiteral("note %1").arg(shown.text());
                if (sameImage(image, empty)) {
                    QVERIFY2(n < lowestTest || n >= lowestTest + testNoteCount(mode),
                             qPrintable(what + QStringLiteral(", a test note, is missing")));
                    continue;
                }
                const bool atEdge = inkIn(image, empty, 0, 1) ||
                                    inkIn(image, empty, image.height() - 1, image.height());
                if (!atEdge)
                    continue;
                const QImage crop = roomyImage.copy(0, offset, image.width(), image.height());
                const bool beyond =
                    inkIn(roomyImage, roomyEmpty, 0, offset) ||
                    inkIn(roomyImage, roomyEmpty, offset + image.height(), roomyImage.height());
                QVERIFY2(sameImage(image, crop) && !beyond,
                         qPrintable(what + QStringLiteral(" is cut at the strip's edge")));
            }
        }
    }

    void theFourOctaveKeyboardMapsTapsFromC2ToB5_data()
    {
        QTest::addColumn<int>("whiteKey");
        QTest::addColumn<bool>("black"); // the black key after it
        QTest::addColumn<int>("note");
        QTest::newRow("C2") << 0 << false << 36;
        QTest::newRow("C sharp 2") << 0 << true << 37;
        QTest::newRow("B3") << 13 << false << 59;
        QTest::newRow("C4") << 14 << false << 60;
        QTest::newRow("F sharp 4") << 17 << true << 66;
        QTest::newRow("A sharp 5") << 26 << true << 82;
        QTest::newRow("B5") << 27 << false << 83;
    }
    void theFourOctaveKeyboardMapsTapsFromC2ToB5()
    {
        QFETCH(int, whiteKey);
        QFETCH(bool, black);
        VKKeyboard kb;
        kb.setClef(true);
        kb.setOneOctave(true);
        kb.setClefMode(ClefMode::Both);
        kb.resize(900, 80);
        kb.grab();
        QCOMPARE(kb.whiteKeyCount(), 28);
        const KeyboardGeometry g = kb.recordedGeometry();
        const int x = g.kbLeft + whiteKey * g.keyWidth + (black ? g.keyWidth - 1 : g.keyWidth / 2);
        const int y = black ? g.kbTop + 2 : g.bottom() - 2;
        QTEST(kb.noteAt(x, y), "note");
        // Leaving the grand staff brings back the octave chosen.
        kb.setClefMode(ClefMode::Treble);
        QCOMPARE(kb.whiteKeyCount(), 7);
        QCOMPARE(kb.lowestNote(), MiddleC);
    }

    // Page Down and Page Up move the rows an octave over the whole piano,
    // from C0 (whose rows reach A0) to C7 (whose reach C8); keys beyond the
    // piano play nothing. A clef starts them afresh at its own C.
    void theOctaveKeysMoveTheComputerKeyboardsRows()
    {
        ComputerKeyboard keys;
        QObject window;
        window.installEventFilter(&keys);
        QSignalSpy moved(&keys, &ComputerKeyboard::rowsMoved);
        QSignalSpy played(&keys, &ComputerKeyboard::noteRead);
        const auto press = [&](int key) {
            QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(&window, &event);
        };
        const struct
        {
            int key;
            int first;
        } steps[] = {{Qt::Key_PageDown, 48}, {Qt::Key_PageDown, 36}, {Qt::Key_PageDown, 24},
                     {Qt::Key_PageDown, 12}, {Qt::Key_PageDown, 12}, {Qt::Key_PageUp, 24},
                     {Qt::Key_PageUp, 36},   {Qt::Key_PageUp, 48},   {Qt::Key_PageUp, 60},
                     {Qt::Key_PageUp, 72},   {Qt::Key_PageUp, 84},   {Qt::Key_PageUp, 96},
                     {Qt::Key_PageUp, 96}};
        int changes = 0;
        int before = keys.firstNote();
        for (const auto &step : steps) {
            press(step.key);
            QCOMPARE(keys.firstNote(), step.first);
            changes += step.first != before;
            before = step.first;
            played.clear();
            press(Qt::Key_Z); // the lower row's C
            press(Qt::Key_Q); // the upper row's C
            press(Qt::Key_U); // the upper row's B
            QList<int> heard;
            for (const QList<QVariant> &note : std::as_const(played))
                heard << note.first().toInt();
            QList<int> expected;
            for (const int note : {step.first, step.first + 12, step.first + 23}) {
                if (note >= 21 && note <= 108)
                    expected << note;
            }
            QCOMPARE(heard, expected);
        }
        QCOMPARE(moved.count(), changes);
        keys.setClefMode(ClefMode::Both);
        QCOMPARE(keys.firstNote(), 48);
        keys.setClefMode(ClefMode::Bass);
        QCOMPARE(keys.firstNote(), 36);
    }
};

QTEST_MAIN(GrandStaffTest)
#include "tst_grandstaff.moc"
