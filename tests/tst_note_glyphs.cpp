// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Handheld.h"
#include "ReferenceRaster.h"
#include "ReferenceStaff.h"

#include "notes/Catalogue.h"
#include "notes/NoteGlyphs.h"
#include "staff/VKTest.h"

#include <QApplication>
#include <QBitmap>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// One note drawn by the record itself and by the reference, on blank images.
QString drawDifferences(int number, int y, int x, bool treble, bool right, bool flat)
{
    QImage actual = ReferenceRaster::blank(120, 240);
    {
        QPainter painter(&actual);
        notes[Handheld::midi(number)].draw(y, x, treble, painter, right, flat);
    }
    QImage expected = ReferenceRaster::blank(120, 240);
    ReferenceStaff::drawNote(expected, y, x, treble, number, right, flat);
    return ReferenceRaster::differences(actual, expected, {}, 0,
                                        QStringLiteral("note%1-%2-%3").arg(number).arg(y).arg(x));
}

} // namespace

class NoteGlyphTest : public QObject
{
    Q_OBJECT
private slots:

    // Each record draws head, sign, ledger lines, stem and cross relative to
    // the place it is given, for every note, clef, spelling and mark.
    void everyNoteDrawsAsWrittenWhereverItIsPlaced_data()
    {
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("x");
        QTest::addColumn<bool>("treble");
        QTest::addColumn<bool>("right");
        for (const QPoint yx : {QPoint(85, 35), QPoint(120, 60), QPoint(150, 11)}) {
            for (const bool treble : {true, false}) {
                for (const bool right : {true, false}) {
                    QTest::addRow("y %d x %d %s %s", yx.x(), yx.y(), treble ? "treble" : "bass",
                                  right ? "right" : "wrong")
                        << yx.x() << yx.y() << treble << right;
                }
            }
        }
    }
    void everyNoteDrawsAsWrittenWhereverItIsPlaced()
    {
        QFETCH(int, y);
        QFETCH(int, x);
        QFETCH(bool, treble);
        QFETCH(bool, right);
        // A natural note ignores the flat spelling; the reference says so too.
        for (int n = Handheld::Lowest; n <= Handheld::Highest; ++n) {
            for (const bool flat : {false, true}) {
                const QString d = drawDifferences(n, y, x, treble, right, flat);
                QVERIFY2(
                    d.isEmpty(),
                    qPrintable(
                        QStringLiteral("note %1%2: %3").arg(n).arg(flat ? " flat" : "").arg(d)));
            }
        }
    }

    void drawLeavesItsLastPenAndNothingElse_data()
    {
        QTest::addColumn<bool>("right");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<int>("width");
        QTest::newRow("right: black, 1 pixel") << true << QColor(Qt::black) << 1;
        QTest::newRow("wrong: red, 2 pixels") << false << QColor(Qt::red) << 2;
    }
    void drawLeavesItsLastPenAndNothingElse()
    {
        QFETCH(bool, right);
        QFETCH(QColor, colour);
        QFETCH(int, width);
        QImage image = ReferenceRaster::blank(100, 120);
        QPainter painter(&image);
        painter.setPen(QPen(Qt::blue, 5, Qt::DashLine));
        painter.setBrush(Qt::green);
        const QFont font(QStringLiteral("DejaVu Sans"), 17);
        painter.setFont(font);
        notes[Handheld::midi(37)].draw(85, 35, true, painter, right, false);
        QCOMPARE(painter.pen().color(), colour);
        QCOMPARE(painter.pen().width(), width);
        QCOMPARE(painter.pen().style(), Qt::SolidLine);
        QCOMPARE(painter.brush().color(), QColor(Qt::green));
        QCOMPARE(painter.font(), font);
    }

    // One set of glyphs serves every note, whatever records come and go.
    void glyphsOutliveEveryRecordMadeOrDestroyed()
    {
        VKTest staff;
        staff.resize(240, 120);
        Handheld::draw(staff, 37);
        const QList<ReferenceStaff::Slot> shown{{37}};
        const QImage expected = ReferenceStaff::render(240, true, shown);
        const QRegion labels(ReferenceStaff::labelBox(0));
        QCOMPARE(ReferenceRaster::differences(staff.grab().toImage(), expected, labels), QString());
        QVERIFY(NoteGlyphs::exist());
        {
            Note temporary;
            const Note copy = notes[Handheld::midi(37)];
        }
        QVERIFY(NoteGlyphs::exist());
        QCOMPARE(ReferenceRaster::differences(staff.grab().toImage(), expected, labels), QString());
    }

    // The catalogue is a static object, whose records die after the
    // application, and the glyphs are alive when it goes: that must end
    // quietly.
    void programWithLiveGlyphsEndsCleanly()
    {
        QTemporaryDir runtime;
        QVERIFY(runtime.isValid());
        QProcess helper;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        helper.setProcessEnvironment(env);
        helper.start(QStringLiteral(STAFF_SHUTDOWN_HELPER), {});
        QVERIFY(helper.waitForFinished(30000));
        QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
        QCOMPARE(QString::fromLocal8Bit(helper.readAllStandardError()), QString());
        QCOMPARE(QString::fromLocal8Bit(helper.readAllStandardOutput()), QString());
        QCOMPARE(helper.exitCode(), 0);
    }
};

QTEST_MAIN(NoteGlyphTest)
#include "tst_note_glyphs.moc"
