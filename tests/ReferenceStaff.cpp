// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReferenceStaff.h"

#include "ReferenceRaster.h"

#include <QByteArray>
#include <QFont>
#include <QPainter>
#include <QStringList>

#include <cstdlib>
#include <cstring>

using namespace ReferenceRaster;

namespace {

// The glyphs as pictures, one string per pixel row.
const char *const Head[] = {
    ".....####..", "...#######.", "..#########", ".##########", "###########",
    "###########", "##########.", "#########..", ".#######...", "..####.....",
};
const char *const Flat[] = {
    "..#.......", "..#.......", "..#.......", "..#.......", "..#.......",
    "..#.......", "..#.......", "..#.......", "..#.......", "..#.......",
    "..#.##....", "..#####...", "..##..##..", "..#....#..", "..#....#..",
    "..#...##..", "..#...#...", "..#.##....", "..###.....", "..#.......",
};
const char *const Sharp[] = {
    "..........", "......#...", "......#...", "...#..#...", "...#..#...",
    "...#..###.", "...#####..", "..#####...", ".###..#...", "...#..#...",
    "...#..#...", "...#..###.", "...#####..", "..#####...", ".###..#...",
    "...#..#...", "...#..#...", "...#..#...", "...#......", "..........",
};

// The clef images as rows of eight hex digits, four bytes per row, the
// least significant bit of each byte its leftmost pixel.
const char TrebleRows[] = "00800300 00c00700 00e00700 00e00f00 00f00f00 00f00800 00701800 00381800 "
                          "00381800 00381800 00381800 00181800 00181800 00181800 00181c00 00181c00 "
                          "00181e00 00101f00 00900f00 00d00f00 00f00700 00f00700 00f80300 00fc0100 "
                          "00fe0100 00ff0000 807f0000 c07f0000 c05f0000 e04f0000 f0470000 f8430000 "
                          "f8c10f00 f8e03f00 7cf8ff00 7cfcff01 3efeff01 3ebef103 1e8ec107 1e078107 "
                          "1e070107 0e030107 1e030307 0e030206 1c030206 1c020206 38060206 38040607 "
                          "70180603 e0208401 c0c1c401 8007fc00 00fe3f00 00f80f00 00000800 00000800 "
                          "00000800 00000800 00000800 001c1800 003e1000 007f1000 80ff1000 80ff1000 "
                          "80ff1000 807f1800 007f0800 003e0c00 000e0600 00f80100 00700000";
const char BassRows[] = "80ff0000 e0ff0300 60e00700 30800f0e 38001f1e 38003f1f 7c003e1e fc037e1e "
                        "fc077e00 fc077e00 fc077e00 f8077e00 f0037e1e 00007e1f 00003f1f 00003f1e "
                        "00001f0c 00800f00 00800f00 00c00700 00e00300 00e00100 00f00000 00380000 "
                        "001c0000 00060000 00030000 c0010000 70000000 1c000000 07000000";

void drawClef(QImage &image, int left, int top, int width, const char *hexRows)
{
    const QStringList rows = QString::fromLatin1(hexRows).split(QLatin1Char(' '));
    for (int r = 0; r < rows.size(); ++r) {
        const QByteArray bytes = QByteArray::fromHex(rows[r].toLatin1());
        for (int c = 0; c < width; ++c) {
            if (bytes[c / 8] & (1 << (c % 8)))
                plot(image, left + c, top + r, Black);
        }
    }
}

// Semitones 0 to 11: the letter a key is written with, and which are black.
const char SemitoneLetter[] = "CCDDEFFGGAAB";
const char BlackSemitone[] = "010100101010";

bool isBlack(int number)
{
    return BlackSemitone[number % 12] == '1';
}

// Staff position: diatonic steps above D4, counted along C D E F G A B.
int position(int number)
{
    const int octave = number / 12 + 1;
    const int letter = int(std::strchr("CDEFGAB", SemitoneLetter[number % 12]) - "CDEFGAB");
    return 7 * (octave - 4) + letter - 1;
}

// A step's line or space lies 5 pixels per step above the bottom line (step 1).
int rowOfStep(int y, int step)
{
    return y - 5 * (step - 1);
}

// A key signature's signs, in the order they are written, as the steps of
// the treble staff they stand on (1 its bottom line, E4): sharps on F5 C5
// G5 D5 A4 E5 B4, flats on B4 E5 A4 D5 G4 C5 F4. The bass staff has them two
// octaves lower, which is two steps lower on its lines.
constexpr int TrebleSharpSteps[7] = {9, 6, 10, 7, 4, 8, 5};
constexpr int TrebleFlatSteps[7] = {5, 8, 4, 7, 3, 6, 2};
constexpr int BassBelowTreble = 2;
// The first sign's picture starts at column 29, right of the clef; each
// next one 9 columns further for sharps, 8 for flats; the first note comes
// 4 columns after the last sign's room.
constexpr int SignatureLeft = 29;
constexpr int SharpAdvance = 9;
constexpr int FlatAdvance = 8;
constexpr int SignatureGap = 4;

} // namespace

namespace ReferenceStaff {

QImage renderSignature(int width, bool treble, int fifths)
{
    QImage image = render(width, treble, {});
    const int signs = std::abs(fifths);
    for (int i = 0; i < signs; ++i) {
        const int step =
            (fifths > 0 ? TrebleSharpSteps : TrebleFlatSteps)[i] - (treble ? 0 : BassBelowTreble);
        const int headTop = BottomLine - 5 * step;
        const int x = SignatureLeft + i * (fifths > 0 ? SharpAdvance : FlatAdvance);
        if (fifths > 0)
            stamp(image, x, headTop - 4, Sharp, 20, Black);
        else
            stamp(image, x, headTop - 8, Flat, 20, Black);
    }
    return image;
}

int firstSlotAfterSignature(int fifths)
{
    const int signs = std::abs(fifths);
    return slotX(0) +
           (signs == 0 ? 0 : signs * (fifths > 0 ? SharpAdvance : FlatAdvance) + SignatureGap);
}

QImage clef(bool treble)
{
    QImage image = treble ? blank(27, 71) : blank(29, 31);
    drawClef(image, 0, 0, image.width(), treble ? TrebleRows : BassRows);
    return image;
}

int slotX(int slot)
{
    return 35 + 20 * slot;
}

QRect labelBox(int slot)
{
    return QRect(slotX(slot), Height - LabelBoxHeight, LabelBoxWidth, LabelBoxHeight);
}

QChar labelLetter(int note)
{
    const int key = std::abs(note);
    // A black key written as a flat is named after the natural note above it.
    const int named = note < 0 && isBlack(key) ? key + 1 : key;
    return QLatin1Char(SemitoneLetter[named % 12]);
}

void drawNote(QImage &image, int y, int x, bool treble, int number, bool right, bool flat,
              Stem stem)
{
    const bool black = isBlack(number);
    const int step = position(number) + (treble ? 0 : 12) + (black && flat ? 1 : 0);
    const int top = y - 5 * step;

    if (black && flat)
        stamp(image, x - 9, top - 8, Flat, 20, Black);
    else if (black)
        stamp(image, x - 9, top - 4, Sharp, 20, Black);
    stamp(image, x, top, Head, 10, Black);

    // Ledger lines: every line step between the staff (steps 1 to 9) and the
    // note, the note's own line included.
    for (int line = -1; step < 0 && line >= step; line -= 2)
        horizontalLine(image, x - 2, x + 13, rowOfStep(y, line), Black);
    for (int line = 11; line <= step; line += 2)
        horizontalLine(image, x - 2, x + 13, rowOfStep(y, line), Black);

    if (stem == Stem::Up || (stem == Stem::ForClef && treble))
        verticalLine(image, x + 9, top + 2, top + 2 - 25, Black);
    else
        verticalLine(image, x, top + 5, top + 5 + 25, Black);

    if (!right) {
        QPainter painter(&image);
        painter.setPen(QPen(Qt::red, 2));
        painter.drawLine(x - 3, top, x + 14, top + 10);
        painter.drawLine(x - 3, top + 10, x + 14, top);
    }
}

Shown shown(bool treble, int number, bool right, bool flat)
{
    constexpr int Beyond = 200; // rows of the taller picture above and below the strip
    const auto fits = [&](Stem stem) {
        QImage tall = blank(80, Height + 2 * Beyond);
        drawNote(tall, BottomLine + Beyond, 30, treble, number, right, flat, stem);
        for (int y = 0; y < tall.height(); ++y) {
            if (y >= Beyond && y < Beyond + Height)
                continue;
            for (int x = 0; x < tall.width(); ++x) {
                if (tall.pixel(x, y) != Background)
                    return false;
            }
        }
        return true;
    };
    if (fits(Stem::ForClef))
        return Shown::Whole;
    return fits(treble ? Stem::Down : Stem::Up) ? Shown::Turned : Shown::Not;
}

QImage render(int width, bool treble, const QList<Slot> &row, const QFont *labelFont)
{
    QImage image = blank(width, Height);
    if (treble)
        drawClef(image, 0, 30, 27, TrebleRows);
    else
        drawClef(image, 0, 47, 29, BassRows);
    thickVerticalLine(image, 1, BottomLine, BottomLine - 40, Black);
    thickVerticalLine(image, width - 1, BottomLine, BottomLine - 40, Black);
    for (int line = 0; line < 5; ++line)
        horizontalLine(image, 0, width - 1, BottomLine - 10 * line, Black);

    for (int i = 0; i < row.size(); ++i) {
        const Slot &s = row[i];
        const Shown how = shown(treble, std::abs(s.note), s.right, s.note < 0);
        if (how == Shown::Not)
            continue;
        const Stem turned = treble ? Stem::Down : Stem::Up;
        drawNote(image, BottomLine, slotX(i), treble, std::abs(s.note), s.right, s.note < 0,
                 how == Shown::Turned ? turned : Stem::ForClef);
        if (labelFont) {
            QPainter painter(&image);
            painter.setFont(*labelFont);
            painter.setPen(s.right ? QPen(Qt::black, 1) : QPen(Qt::red, 2));
            painter.drawText(slotX(i), Height, QString(labelLetter(s.note)));
        }
    }
    return image;
}

} // namespace ReferenceStaff
