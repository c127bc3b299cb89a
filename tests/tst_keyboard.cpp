// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReferenceKeyboard.h"
#include "ReferenceRaster.h"

#include "keyboard/VKKeyboard.h"
#include "notes/Catalogue.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

namespace {

// A keyboard of this size and octave count, painted once so that it has
// recorded where its keys are.
struct PaintedKeyboard
{
    PaintedKeyboard(int width, int height, bool oneOctave, bool treble = true)
    {
        kb.setFixedHeight(height);
        kb.resize(width, height);
        kb.setClef(treble);
        kb.setOneOctave(oneOctave);
        image = kb.grab().toImage();
    }
    VKKeyboard kb;
    QImage image;
};

void send(QWidget *w, QEvent::Type type, Qt::MouseButton button, QPointF p)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, p, w->mapToGlobal(p), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

} // namespace

class KeyboardTest : public QObject
{
    Q_OBJECT
private slots:

    // Guards the reference against the written worked examples.
    void referenceLayoutAgreesWithTheWrittenExamples()
    {
        using ReferenceKeyboard::layout;
        const auto l = layout(240, 80, 7);
        QCOMPARE(QList<int>({l.left, l.top, l.keyWidth, l.keyHeight, l.blackWidth, l.blackHeight}),
                 QList<int>({15, 10, 30, 60, 20, 40}));
        QCOMPARE(layout(240, 80, 14).keyWidth, 15);
        QCOMPARE(layout(240, 80, 14).left, 15);
        QCOMPARE(layout(640, 80, 7).left, 215);
        QCOMPARE(layout(640, 80, 14).left, 110);
    }

    void keysMatchTheReference_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("oneOctave");
        for (const int width : {240, 640, 320, 300, 160, 61, 41})
            for (const bool one : {true, false})
                QTest::addRow("%d, %s", width, one ? "one octave" : "two octaves")
                    << width << 80 << one;
        QTest::newRow("240 x 200, one octave") << 240 << 200 << true;
        QTest::newRow("240 x 41, two octaves") << 240 << 41 << false;
    }
    void keysMatchTheReference()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, oneOctave);
        const PaintedKeyboard p(width, height, oneOctave);
        const int whiteKeys = oneOctave ? 7 : 14;
        QCOMPARE(ReferenceRaster::differences(p.image,
                                              ReferenceKeyboard::render(width, height, whiteKeys),
                                              {}, 0, QStringLiteral("keyboard%1").arg(width)),
                 QString());
        const auto l = ReferenceKeyboard::layout(width, height, whiteKeys);
        const KeyboardGeometry g = p.kb.recordedGeometry();
        QCOMPARE(
            QList<int>({g.kbLeft, g.kbTop, g.keyWidth, g.keyHeight, g.blackWidth, g.blackHeight}),
            QList<int>({l.left, l.top, l.keyWidth, l.keyHeight, l.blackWidth, l.blackHeight}));
    }

    void switchingOctavesRepaintsAtOnceAndAlwaysAnnounces()
    {
        VKKeyboard kb;
        kb.resize(240, 80);
        kb.show();
        QVERIFY(QTest::qWaitForWindowExposed(&kb));
        QSignalSpy octave(&kb, &VKKeyboard::oneOctaveKb);
        for (const bool one : {false, true, true}) {
            kb.setOneOctave(one);
            QCOMPARE(octave.takeFirst().at(0).toBool(), one);
            QCOMPARE(kb.recordedGeometry().keyWidth, one ? 30 : 15);
        }
    }

    void writtenTapExamples_data()
    {
        QTest::addColumn<bool>("oneOctave");
        QTest::addColumn<QPoint>("tap");
        QTest::addColumn<int>("trebleNote"); // 0: ignored; the bass clef gives 24 less
        const struct
        {
            bool one;
            QPoint p;
            int note;
            const char *what;
        } rows[] = {
            {true, {20, 60}, 60, "C"},
            {true, {40, 20}, 61, "right third of C, upper zone"},
            {true, {50, 20}, 61, "left third of D, upper zone"},
            {true, {40, 60}, 60, "right third of C, lower zone"},
            {true, {130, 45}, 66, "F sharp"},
            {true, {224, 70}, 71, "B, bottom row"},
            {true, {225, 30}, 0, "right shadow column"},
            {true, {14, 30}, 0, "left of the keys"},
            {true, {100, 9}, 0, "above the keys"},
            {true, {100, 71}, 0, "below the keys"},
            {false, {122, 60}, 72, "C of the second octave"},
            {false, {26, 20}, 61, "right third of the first C"},
        };
        for (const auto &r : rows) {
            QTest::addRow("%s octave, (%d, %d) %s", r.one ? "one" : "two", r.p.x(), r.p.y(), r.what)
                << r.one << r.p << r.note;
        }
    }
    void writtenTapExamples()
    {
        QFETCH(bool, oneOctave);
        QFETCH(QPoint, tap);
        QFETCH(int, trebleNote);
        for (const bool treble : {true, false}) {
            PaintedKeyboard p(240, 80, oneOctave, treble);
            QSignalSpy read(&p.kb, &VKKeyboard::noteRead);
            QTest::mouseClick(&p.kb, Qt::LeftButton, {}, tap);
            if (trebleNote == 0) {
                QCOMPARE(read.count(), 0);
            } else {
                QCOMPARE(read.count(), 1);
                QCOMPARE(read.at(0).at(0).toInt(), treble ? trebleNote : trebleNote - 24);
            }
        }
    }

    // A pen may lift between pixel centres: the pixel it lifts in counts.
    void releaseBetweenPixelsCountsForThePixelItIsIn_data()
    {
        QTest::addColumn<QPointF>("tap");
        QTest::addColumn<int>("note"); // 0: ignored
        QTest::newRow("last column of B") << QPointF(224.6, 60.2) << 71;
        QTest::newRow("left of the keys") << QPointF(14.6, 30.0) << 0;
        QTest::newRow("last row of the upper zone") << QPointF(44.9, 49.5) << 61;
        QTest::newRow("bottom row") << QPointF(100.2, 70.7) << 64;
    }
    void releaseBetweenPixelsCountsForThePixelItIsIn()
    {
        QFETCH(QPointF, tap);
        QFETCH(int, note);
        PaintedKeyboard p(240, 80, true);
        QSignalSpy read(&p.kb, &VKKeyboard::noteRead);
        send(&p.kb, QEvent::MouseButtonRelease, Qt::LeftButton, tap);
        QCOMPARE(read.count(), note ? 1 : 0);
        if (note)
            QCOMPARE(read.at(0).at(0).toInt(), note);
    }

    void onlyTheLeftButtonsReleaseCounts()
    {
        PaintedKeyboard p(240, 80, true);
        QSignalSpy read(&p.kb, &VKKeyboard::noteRead);
        const QPoint fSharp(130, 45);
        for (const Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton, Qt::BackButton})
            QTest::mouseClick(&p.kb, b, {}, fSharp);
        send(&p.kb, QEvent::MouseButtonPress, Qt::LeftButton, fSharp);
        send(&p.kb, QEvent::MouseMove, Qt::LeftButton, QPoint(20, 60));
        send(&p.kb, QEvent::MouseButtonDblClick, Qt::LeftButton, QPoint(20, 60));
        QCOMPARE(read.count(), 0);
        // The stroke counts where the pen lifts.
        send(&p.kb, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(20, 60));
        QCOMPARE(read.count(), 1);
        QCOMPARE(read.at(0).at(0).toInt(), 60);
    }

    // Every pixel around the keyboard, against the written key tables:
    // a tap inside a key's thirds gives that third's note, a spare pixel at
    // a key's right end a note of that key, and nothing outside the keys.
    void everyPixelMapsAsTheKeyTablesSay_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("oneOctave");
        QTest::addColumn<bool>("treble");
        QTest::addColumn<bool>("blackKeys");
        QTest::newRow("240, one octave, treble") << 240 << 80 << true << true << true;
        QTest::newRow("240, two octaves, bass") << 240 << 80 << false << false << true;
        QTest::newRow("240, black keys off") << 240 << 80 << true << true << false;
        QTest::newRow("320, two octaves (key 21)") << 320 << 80 << false << true << true;
        QTest::newRow("160, one octave (key 20, 2 spare)") << 160 << 80 << true << true << true;
        QTest::newRow("180, one octave (key 22, 1 spare)") << 180 << 80 << true << false << true;
        QTest::newRow("300, two octaves (key 20, 2 spare)") << 300 << 80 << false << true << true;
        QTest::newRow("640, two octaves, bass") << 640 << 80 << false << false << true;
        QTest::newRow("61, one octave (key 5)") << 61 << 80 << true << true << true;
        QTest::newRow("41, one octave (key 3)") << 41 << 80 << true << false << true;
        QTest::newRow("48, two octaves (key 2)") << 48 << 80 << false << true << true;
        QTest::newRow("30, one octave (key 1)") << 30 << 80 << true << true << true;
        QTest::newRow("23, no room for keys") << 23 << 80 << true << true << true;
        QTest::newRow("240 x 200") << 240 << 200 << true << true << true;
        QTest::newRow("240 x 20, one row of keys") << 240 << 20 << true << true << true;
        QTest::newRow("240 x 12") << 240 << 12 << false << true << true;
    }
    void everyPixelMapsAsTheKeyTablesSay()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, oneOctave);
        QFETCH(bool, treble);
        QFETCH(bool, blackKeys);
        PaintedKeyboard p(width, height, oneOctave, treble);
        p.kb.setBlackKeys(blackKeys);
        const int whiteKeys = oneOctave ? 7 : 14;
        const int base = treble ? 60 : 36;
        QSignalSpy read(&p.kb, &VKKeyboard::noteRead);
        for (int y = -2; y < height + 2; ++y) {
            for (int x = -2; x < width + 2; ++x) {
                send(&p.kb, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(x, y));
                const QList<int> allowed =
                    ReferenceKeyboard::notesAt(width, height, whiteKeys, base, blackKeys, x, y);
                const QString where = QStringLiteral("(%1, %2)").arg(x).arg(y);
                if (allowed.isEmpty()) {
                    QVERIFY2(read.isEmpty(), qPrintable(where + QStringLiteral(" gave a note")));
                    continue;
                }
                QVERIFY2(read.count() == 1, qPrintable(where + QStringLiteral(" gave no note")));
                const int note = read.takeFirst().at(0).toInt();
                QVERIFY2(note >= base && note < base + 12 * (whiteKeys / 7),
                         qPrintable(where + QStringLiteral(" out of the keyboard's range")));
                QVERIFY2(allowed.contains(note), qPrintable(QStringLiteral("%1 gave %2, not %3")
                                                                .arg(where)
                                                                .arg(note)
                                                                .arg(allowed.first())));
            }
        }
    }

    // Keys held on a computer or MIDI keyboard are drawn pressed, in the
    // highlight colour (a black key darker, inside its black edge), each
    // within its own key; let go, the keyboard is as it was. Notes beyond
    // the keys shown draw nothing.
    void heldKeysAreDrawnPressed_data()
    {
        QTest::addColumn<bool>("oneOctave");
        QTest::addColumn<qreal>("zoom");
        QTest::addColumn<QList<int>>("held");
        QTest::addColumn<QList<int>>("shown");
        QTest::newRow("C4") << true << 1.0 << QList<int>{60} << QList<int>{60};
        QTest::newRow("F sharp 4 and B4")
            << true << 1.0 << QList<int>{66, 71} << QList<int>{66, 71};
        QTest::newRow("second octave, E5 and A sharp 5")
            << false << 1.0 << QList<int>{76, 82} << QList<int>{76, 82};
        QTest::newRow("a chord, zoomed 2.5 times")
            << false << 2.5 << QList<int>{60, 64, 67, 73} << QList<int>{60, 64, 67, 73};
        QTest::newRow("beyond the keys")
            << true << 1.0 << QList<int>{36, 59, 72, 83} << QList<int>{};
    }
    void heldKeysAreDrawnPressed()
    {
        QFETCH(bool, oneOctave);
        QFETCH(qreal, zoom);
        QFETCH(QList<int>, held);
        QFETCH(QList<int>, shown);
        VKKeyboard kb;
        kb.setZoom(zoom);
        kb.resize(qRound(240 * zoom), kb.height());
        kb.setClef(true);
        kb.setOneOctave(oneOctave);
        const QImage before = kb.grab().toImage();
        for (int note : held)
            kb.pressKey(note);
        const QImage pressed = kb.grab().toImage();

        const KeyboardGeometry g = kb.recordedGeometry();
        const QColor white = kb.palette().color(QPalette::Highlight);
        QList<QRect> keys;
        for (int note : shown) {
            const int offset = note - kb.lowestNote();
            const int semitone = offset % 12;
            const bool black = QList<int>{1, 3, 6, 8, 10}.contains(semitone);
            const int whiteKey = 7 * (offset / 12) + (semitone + (semitone > 4 ? 1 : 0)) / 2;
            const QRect key = black ? QRect(g.kbLeft + whiteKey * g.keyWidth + g.blackWidth,
                                            g.kbTop, g.blackWidth + 1, g.blackHeight + 1)
                                    : QRect(g.kbLeft + whiteKey * g.keyWidth, g.kbTop,
                                            g.keyWidth + 1, g.keyHeight + 1);
            keys << QRectF(QRectF(key).topLeft() * zoom, QRectF(key).size() * zoom)
                        .toAlignedRect()
                        .adjusted(-1, -1, 1, 1);
            // Below the black keys for a white key, in the middle of a black one.
            const QPointF inside(key.center().x() + 0.5,
                                 black ? key.center().y() : g.kbTop + g.blackHeight + 10);
            QCOMPARE(pressed.pixel((inside * zoom).toPoint()),
                     (black ? white.darker(160) : white).rgb());
        }
        for (int y = 0; y < pressed.height(); ++y) {
            for (int x = 0; x < pressed.width(); ++x) {
                if (pressed.pixel(x, y) == before.pixel(x, y))
                    continue;
                const bool inAKey = std::any_of(keys.cbegin(), keys.cend(),
                                                [&](const QRect &k) { return k.contains(x, y); });
                QVERIFY2(inAKey, qPrintable(QStringLiteral("(%1, %2) changed").arg(x).arg(y)));
            }
        }
        for (int note : held)
            kb.releaseKey(note);
        QCOMPARE(kb.grab().toImage(), before);
    }

    // Below the sizes where keys can be drawn, and before any paint, the
    // keyboard neither fails nor gives a note outside the catalogue.
    void aMissLightsTheRightKeyAndMarksThePlayedOneUntilCleared()
    {
        VKKeyboard kb;
        kb.setClef(true);
        kb.setOneOctave(true);
        kb.resize(240, 80);
        const QImage plain = kb.grab().toImage();
        const KeyboardGeometry g = kb.recordedGeometry();
        // Inside a black key, and low in a white key where no black key hangs.
        const auto blackKey = [&](int after) {
            return QPoint(g.kbLeft + after * g.keyWidth + g.keyWidth, g.kbTop + 5);
        };
        const auto whiteKey = [&](int k) {
            return QPoint(g.kbLeft + k * g.keyWidth + g.keyWidth / 2, g.bottom() - 5);
        };
        // C sharp 4 right, E played; then notes beyond the one octave shown.
        kb.showAnswer(61, 64);
        QImage lit = kb.grab().toImage();
        QColor right = lit.pixelColor(blackKey(0)), played = lit.pixelColor(whiteKey(2));
        QVERIFY(right.green() > 2 * right.red());
        QVERIFY(played.red() > played.green() + 60);
        QCOMPARE(lit.pixelColor(whiteKey(1)), plain.pixelColor(whiteKey(1)));
        kb.showAnswer(83, std::nullopt);
        lit = kb.grab().toImage();
        right = lit.pixelColor(whiteKey(6));
        QVERIFY(right.green() > right.red() + 40);
        QCOMPARE(lit.pixelColor(whiteKey(2)), plain.pixelColor(whiteKey(2)));
        kb.clearAnswer();
        QCOMPARE(kb.grab().toImage(), plain);
    }

    void degenerateSizesNeverFail_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        for (const int width : {0, 5, 20, 23, 30, 1000})
            for (const int height : {0, 1, 19, 20, 21, 80, 300})
                QTest::addRow("%d x %d", width, height) << width << height;
    }
    void degenerateSizesNeverFail()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        for (const bool one : {true, false}) {
            VKKeyboard kb;
            kb.setFixedHeight(height);
            kb.resize(width, height);
            QSignalSpy read(&kb, &VKKeyboard::noteRead);
            const auto tapAll = [&] {
                const int step = std::max(1, width / 40);
                for (int y = -1; y <= height + 1; y += std::max(1, height / 20))
                    for (int x = -1; x <= width + 1; x += step)
                        QTest::mouseClick(&kb, Qt::LeftButton, {}, QPoint(x, y));
            };
            tapAll(); // before the first paint has recorded any keys
            kb.setOneOctave(one);
            kb.grab();
            tapAll();
            for (const auto &args : std::as_const(read))
                QVERIFY(notes.contains(args.at(0).toInt()));
        }
    }
};

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
