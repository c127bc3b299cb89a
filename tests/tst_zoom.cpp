// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "InkRuns.h"
#include "WindowDriver.h"

#include "app/VKControl.h"
#include "app/ZoomLayout.h"
#include "keyboard/VKKeyboard.h"
#include "notes/Catalogue.h"
#include "notes/MusicFont.h"
#include "staff/StaffGeometry.h"
#include "staff/VKTest.h"

#include <QApplication>
#include <QBitmap>
#include <QMouseEvent>
#include <QTest>

#include <cmath>

// The staff and the keyboard drawn larger: every written place scaled by the
// zoom and the device pixel ratio (the test runs once at ratio 1 and once
// with QT_SCALE_FACTOR=2), lines on whole device pixels with even thickness.
namespace {

using namespace InkRuns;

// Device pixels per pixel of the handheld's drawing.
qreal deviceScale(qreal zoom)
{
    return zoom * qApp->devicePixelRatio();
}

int thickness(qreal scale)
{
    return std::max(1, int(std::floor(scale + 0.5)));
}

struct PaintCounter : QObject
{
    explicit PaintCounter(QWidget *w) { w->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

void release(QWidget *w, QPointF p)
{
    QMouseEvent event(QEvent::MouseButtonRelease, p, w->mapToGlobal(p), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

} // namespace

class ZoomTest : public QObject
{
    Q_OBJECT
private slots:

    // Zooms to try: 2, a fractional one, and 1 where the screen itself is
    // denser than the handheld's.
    void staffLinesLieOnTheirScaledRowsEquallyThick_data() { zooms(); }
    void staffLinesLieOnTheirScaledRowsEquallyThick()
    {
        QFETCH(qreal, zoom);
        VKTest staff;
        staff.setZoom(zoom);
        staff.resize(qRound(240 * zoom), staff.height());
        QCOMPARE(staff.height(), qRound(120 * zoom));
        const QImage image = staff.grab().toImage();
        const qreal f = deviceScale(zoom);
        const QList<Run> lines = runs(image, image.width() * 3 / 5, Qt::Vertical);
        QVERIFY2(lines.size() == 5, qPrintable(describe(lines)));
        for (int i = 0; i < 5; ++i) {
            const int row = 45 + 10 * i;
            QCOMPARE(lines[i].length(), thickness(f));
            QVERIFY2(std::abs(lines[i].middle() - (row + 0.5) * f) <= 1,
                     qPrintable(QStringLiteral("line %1 at %2").arg(row).arg(lines[i].middle())));
        }
        // The bar lines run along both edges, two grid pixels wide.
        const QList<Run> across = runs(image, qRound(60.5 * f), Qt::Horizontal);
        QVERIFY(across.size() >= 2);
        QCOMPARE(across.first().start, 0);
        QCOMPARE(across.last().end, image.width());
        QCOMPARE(across.last().length(), thickness(2 * f));
    }

    // A note on a line has that line through the middle of its head, in
    // either clef, ledger lines included.
    void noteHeadsAreCentredOnTheirScaledSteps_data() { zooms(); }
    void noteHeadsAreCentredOnTheirScaledSteps()
    {
        QFETCH(qreal, zoom);
        VKTest staff;
        staff.setZoom(zoom);
        staff.resize(qRound(240 * zoom), staff.height());
        staff.setLabelNotes(false);
        const qreal f = deviceScale(zoom);
        const struct
        {
            bool treble;
            QList<int> onLines;
        } clefs[] = {{true, {60, 64, 67, 71, 74, 77, 81}}, {false, {36, 43, 47, 50, 53, 57, 60}}};
        for (const auto &clef : clefs) {
            for (const int n : clef.onLines) {
                staff.setTrebleClef(clef.treble);
                staff.drawNote(n);
                const int step = notes[n].position() + (clef.treble ? 0 : 12);
                const qreal centre = (85 - 5 * (step - 1) + 0.5) * f;
                const QImage image = staff.grab().toImage();
                const QList<Run> column = runs(image, qRound((35 + 5.5) * f), Qt::Vertical);
                const auto head = std::find_if(column.begin(), column.end(), [&](const Run &r) {
                    return r.start <= centre && centre < r.end;
                });
                QVERIFY2(head != column.end(), qPrintable(QStringLiteral("note %1").arg(n)));
                QVERIFY2(std::abs(head->middle() - centre) <= 1,
                         qPrintable(QStringLiteral("note %1: head %2-%3 around %4")
                                        .arg(n)
                                        .arg(head->start)
                                        .arg(head->end)
                                        .arg(centre)));
                // As tall as the handheld's ten-row head, give or take the
                // line through it.
                QVERIFY(std::abs(head->length() - 10 * f) <= 2 + f);
            }
        }
    }

    // Released at the middle of each grid pixel of the written examples.
    void tapsAtScaledPointsGiveTheWrittenNotes_data()
    {
        QTest::addColumn<qreal>("zoom");
        QTest::addColumn<bool>("oneOctave");
        QTest::addColumn<bool>("treble");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("note"); // -1: ignored
        const struct
        {
            bool one, treble;
            QPoint p;
            int note;
        } taps[] = {
            {true, true, {20, 60}, 60},    {true, true, {40, 20}, 61},
            {true, true, {50, 20}, 61},    {true, true, {40, 60}, 60},
            {true, true, {130, 45}, 66},   {true, true, {224, 70}, 71},
            {true, true, {225, 30}, -1},   {true, true, {14, 30}, -1},
            {true, true, {100, 9}, -1},    {true, true, {100, 71}, -1},
            {false, false, {122, 60}, 48}, {false, false, {26, 20}, 37},
        };
        for (const qreal zoom : {2.0, 2.5}) {
            for (const auto &t : taps) {
                QTest::addRow("zoom %.1f, (%d, %d)", zoom, t.p.x(), t.p.y())
                    << zoom << t.one << t.treble << t.p << t.note;
            }
        }
    }
    void tapsAtScaledPointsGiveTheWrittenNotes()
    {
        QFETCH(qreal, zoom);
        QFETCH(bool, oneOctave);
        QFETCH(bool, treble);
        QFETCH(QPoint, point);
        QFETCH(int, note);
        VKKeyboard kb;
        kb.setZoom(zoom);
        kb.resize(qRound(240 * zoom), kb.height());
        kb.setClef(treble);
        kb.setOneOctave(oneOctave);
        kb.grab(); // taps go by the layout of the last paint
        QList<int> read;
        connect(&kb, &VKKeyboard::noteRead, this, [&](int n) { read << n; });
        release(&kb, (QPointF(point) + QPointF(0.5, 0.5)) * zoom);
        QCOMPARE(read, note < 0 ? QList<int>() : QList<int>{note});
    }

    // One octave, 240 grid pixels wide: white keys from 15, 30 wide and 60
    // tall from row 10; black keys 20 by 40 from 35, 65, 125, 155 and 185.
    void keysLieAtTheirScaledPlaces_data() { zooms(); }
    void keysLieAtTheirScaledPlaces()
    {
        QFETCH(qreal, zoom);
        VKKeyboard kb;
        kb.setZoom(zoom);
        kb.resize(qRound(240 * zoom), kb.height());
        kb.setOneOctave(true);
        const QImage image = kb.grab().toImage();
        const qreal f = deviceScale(zoom);
        const auto near = [](qreal a, qreal b) { return std::abs(a - b) <= 1; };

        // Below the black keys: the left edges of the seven white keys; the
        // last key's right edge lies under the gray shadow.
        const QList<Run> edges = runs(image, qRound(60.5 * f), Qt::Horizontal);
        QVERIFY2(edges.size() == 7, qPrintable(describe(edges)));
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(edges[i].length(), thickness(f));
            QVERIFY2(near(edges[i].middle(), (15 + 30 * i + 0.5) * f), qPrintable(describe(edges)));
        }
        QCOMPARE(image.pixel(qRound(225.5 * f), qRound(60.5 * f)), QColor(Qt::gray).rgb());
        // Across the black keys, each of which covers the edge it hangs over.
        const QList<Run> upper = runs(image, qRound(30.5 * f), Qt::Horizontal);
        QVERIFY2(upper.size() == 7, qPrintable(describe(upper)));
        const int blackLeft[] = {35, 65, 125, 155, 185};
        const int at[] = {1, 2, 4, 5, 6};
        for (int k = 0; k < 5; ++k) {
            const Run &key = upper[at[k]];
            QVERIFY2(near(key.start, blackLeft[k] * f) && near(key.end, (blackLeft[k] + 21) * f),
                     qPrintable(describe(upper)));
        }
        // Down a black key: from the keys' top edge to the key's lower end;
        // the keys' bottom edge lies under the shadow.
        const QList<Run> down = runs(image, qRound(40.5 * f), Qt::Vertical);
        QVERIFY2(down.size() == 1, qPrintable(describe(down)));
        QVERIFY(near(down[0].start, 10 * f) && near(down[0].end, 51 * f));
        QCOMPARE(image.pixel(qRound(40.5 * f), qRound(70.5 * f)), QColor(Qt::gray).rgb());
    }

    // The zoom the window's layout picks for its central area.
    void theZoomIsTheLargestThatFits_data()
    {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<int>("whiteKeys");
        QTest::addColumn<qreal>("zoom");
        // Staff and keyboard are 200 pixels tall, the row here 50; the
        // keyboard is 230 wide with one octave and 440 with two.
        QTest::newRow("handheld") << QSize(240, 270) << 7 << 1.0;
        QTest::newRow("handheld width, any height") << QSize(240, 5000) << 7 << 1.0;
        QTest::newRow("narrower than the handheld") << QSize(120, 900) << 7 << 1.0;
        QTest::newRow("too low for zoom 1") << QSize(800, 150) << 7 << 1.0;
        QTest::newRow("height decides") << QSize(1920, 1036) << 7 << 4.9;
        QTest::newRow("width decides") << QSize(1920, 1036) << 14 << 4.35;
        QTest::newRow("laptop") << QSize(1366, 706) << 7 << 3.25;
        QTest::newRow("just wider than the handheld") << QSize(241, 600) << 7 << 1.0;
        QTest::newRow("a quarter more") << QSize(288, 300) << 7 << 1.25;
        // Ten rows under the staff: 210 pixels tall.
        QTest::newRow("room below the staff") << QSize(1920, 1036) << -7 << 4.65;
    }
    void theZoomIsTheLargestThatFits()
    {
        QFETCH(QSize, area);
        QFETCH(int, whiteKeys);
        const int room = whiteKeys < 0 ? 10 : 0;
        QTEST(ZoomLayout::zoomFor(area, 50, std::abs(whiteKeys), room), "zoom");
    }

    // With its room, a zoomed staff shows notes with four ledger lines beyond
    // it, where a MIDI keyboard reaches: C3 under the treble staff, C5 over
    // the bass staff.
    void aZoomedStaffShowsFourLedgerLinesBeyondIt_data()
    {
        QTest::addColumn<bool>("treble");
        QTest::addColumn<int>("note");
        QTest::addColumn<int>("firstLine"); // grid row of the line nearest the staff
        QTest::addColumn<int>("direction");
        // The treble staff's bottom line is at row 85 of the grid, the bass
        // staff's at 95, under its room above.
        QTest::newRow("C3 under the treble staff") << true << 48 << 95 << 1;
        QTest::newRow("C5 over the bass staff") << false << 72 << 45 << -1;
    }
    void aZoomedStaffShowsFourLedgerLinesBeyondIt()
    {
        QFETCH(bool, treble);
        QFETCH(int, note);
        QFETCH(int, firstLine);
        QFETCH(int, direction);
        VKTest staff;
        staff.setTrebleClef(treble);
        staff.setZoom(2, staff.roomWantedBelow(), staff.roomWantedAbove());
        staff.resize(480, staff.height());
        staff.drawNote(note);
        const qreal f = deviceScale(2);
        const QImage image = staff.grab().toImage();
        const QList<Run> column = runs(image, qRound(48.5 * f), Qt::Vertical);
        // Beyond the staff lines: under the bottom one, or over the top one.
        const int edge = direction > 0 ? firstLine - 10 : firstLine + 10;
        QList<Run> ledger;
        for (const Run &r : column) {
            if (direction > 0 ? r.start > (edge + 1) * f : r.start + r.length() < edge * f)
                ledger << r;
        }
        if (direction < 0)
            std::reverse(ledger.begin(), ledger.end());
        QVERIFY2(ledger.size() == 4, qPrintable(describe(column)));
        for (int i = 0; i < 4; ++i)
            QVERIFY(std::abs(ledger[i].middle() - (firstLine + direction * 10 * i + 0.5) * f) <= 1);
    }

    // In a window, both views take the layout's zoom, follow the window's
    // size and the octave count, and stay together in the middle.
    void theWindowZoomsItsViewsAlike()
    {
        VKControl w;
        w.resize(1600, 900);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        VKTest *staff = w.staffView();
        VKKeyboard *kb = w.keyboardView();
        QPushButton *button = WindowDriver::testToggle(&w);
        const auto check = [&](int whiteKeys) {
            QWidget *area = w.centralWidget();
            const int row = button->height() + 20;
            const qreal zoom = staff->zoom();
            QVERIFY(zoom > 1);
            QCOMPARE(kb->zoom(), zoom);
            // Zoomed, the staff has room for the lines of notes below it.
            const int room = StaffGeometry::TrebleRoomBelow;
            QCOMPARE(staff->roomBelow(), room);
            QCOMPARE(staff->roomAbove(), 0);
            QCOMPARE(zoom, ZoomLayout::zoomFor(area->size(), row, whiteKeys, room));
            QCOMPARE(staff->height(), qRound((StaffGeometry::Height + room) * zoom));
            QCOMPARE(kb->y(), staff->geometry().bottom() + 1);
            QCOMPARE(button->y(), kb->geometry().bottom() + 11);
            const int spare = area->height() - staff->height() - kb->height() - row;
            QVERIFY(std::abs(staff->y() - spare / 2) <= 1);
        };
        check(7);
        w.resize(1000, 700);
        QTRY_COMPARE(w.centralWidget()->width(), 1000);
        check(7);
        kb->setOneOctave(false);
        QTRY_COMPARE(kb->zoom(),
                     ZoomLayout::zoomFor(w.centralWidget()->size(), button->height() + 20, 14,
                                         StaffGeometry::TrebleRoomBelow));
        check(14);
    }

    // A resize costs each view one repaint, whatever its zoom becomes.
    void aResizeRepaintsEachViewOnce()
    {
        VKControl w;
        w.resize(1200, 800);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::qWait(50);
        PaintCounter staff(w.staffView()), keys(w.keyboardView());
        for (const QSize size : {QSize(1600, 900), QSize(900, 700), QSize(1400, 1000)}) {
            const qreal before = w.staffView()->zoom();
            staff.paints = keys.paints = 0;
            w.resize(size);
            QTRY_COMPARE(w.size(), size);
            QTest::qWait(50);
            QVERIFY(w.staffView()->zoom() != before);
            QCOMPARE(staff.paints, 1);
            QCOMPARE(keys.paints, 1);
        }
    }

    // The music font is found without setup and its glyphs by their names:
    // a G clef some seven staff spaces tall, a head one space tall.
    void theMusicFontsGlyphsAreFoundByName()
    {
        QVERIFY2(!MusicFont::fontFile().isEmpty(), "the music font is not installed");
        const QRectF clef = MusicFont::glyph(MusicFont::TrebleClef).boundingRect();
        QVERIFY(clef.height() > 6.5 && clef.height() < 8);
        QVERIFY(clef.top() < -4 && clef.bottom() > 2); // around the G line
        const QRectF head = MusicFont::glyph(MusicFont::NoteHead).boundingRect();
        QVERIFY(head.height() > 0.9 && head.height() < 1.2);
        for (const auto g : {MusicFont::BassClef, MusicFont::Sharp, MusicFont::Flat})
            QVERIFY(!MusicFont::glyph(g).isEmpty());
    }

    void aTracedBitmapCoversItsSetPixels()
    {
        const uchar bits[] = {0x01, 0x06}; // rows: #..., .##.
        const QPainterPath path =
            MusicFont::traced(QBitmap::fromData(QSize(4, 2), bits, QImage::Format_MonoLSB));
        QCOMPARE(path.boundingRect(), QRectF(0, 0, 3, 2));
        QVERIFY(path.contains(QPointF(0.5, 0.5)) && path.contains(QPointF(1.5, 1.5)));
        QVERIFY(!path.contains(QPointF(1.5, 0.5)) && !path.contains(QPointF(0.5, 1.5)));
    }

private:
    void zooms()
    {
        QTest::addColumn<qreal>("zoom");
        if (qApp->devicePixelRatio() != 1)
            QTest::newRow("zoom 1") << 1.0;
        QTest::newRow("zoom 2") << 2.0;
        QTest::newRow("zoom 2.5") << 2.5;
    }
};

QTEST_MAIN(ZoomTest)
#include "tst_zoom.moc"
