// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts the program as a user does, on a real (virtual) X display with a
// window manager, waits until the window is maximised, then measures what
// the user sees: the tallest band of empty rows, the keyboard's share of the
// width and the staff's line gap. Prints the figures; exits non-zero when
// the window wastes more than a fifth of its height, the keyboard takes less
// than two fifths of its width or the line gap is under 30 pixels.
//
// With --grand it starts with the grand staff instead, plays MIDI notes 36,
// 59, 60 and 83 and checks that they stand on the right staves with their
// ledger lines, over ten staff lines and a keyboard of 28 white keys; then,
// on the treble and the bass staff alone, that C2 and B5 are drawn whole or
// not at all.

#include "InkRuns.h"

#include "app/CommandLine.h"
#include "app/StartUp.h"
#include "app/VKControl.h"
#include "input/MidiInput.h"
#include "keyboard/VKKeyboard.h"
#include "notes/Catalogue.h"
#include "platform/QPEApplication.h"
#include "staff/StaffGeometry.h"
#include "staff/VKTest.h"

#include <QElapsedTimer>
#include <QImage>
#include <QTest>

#include <cstdio>
#include <cstring>

namespace {

constexpr double MostEmptyShare = 0.20;
constexpr double LeastKeyboardShare = 0.40;
constexpr double LeastLineGap = 30;

// The tallest run of rows that hold nothing but the background colour.
int tallestEmptyBand(const QImage &image, QRgb background)
{
    int tallest = 0;
    int run = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        const bool empty =
            std::all_of(row, row + image.width(), [&](QRgb p) { return p == background; });
        run = empty ? run + 1 : 0;
        tallest = std::max(tallest, run);
    }
    return tallest;
}

// Waits until the window manager has maximised the window and it has kept
// its size for a moment.
bool settled(QWidget *window)
{
    QElapsedTimer clock;
    clock.start();
    QSize last;
    int steady = 0;
    while (clock.elapsed() < 10000) {
        QTest::qWait(50);
        if (!window->isMaximized() || window->size() != last) {
            last = window->size();
            steady = 0;
            continue;
        }
        if (++steady >= 6)
            return true;
    }
    return false;
}

using namespace InkRuns;

bool fail(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    return false;
}

// The staff lines that cross the staff's right end, where no note stands.
int staffLines(const QImage &staff, qreal dpr)
{
    return int(runs(staff, staff.width() - qRound(10 * dpr), Qt::Vertical).size());
}

// Where the notes played stand: each head's top, and the ledger lines beside
// it, as the grand staff's written layout places them at this zoom.
bool grandStaffAsWritten(VKControl *window)
{
    using namespace StaffGeometry;
    VKTest *staff = window->staffView();
    const VKKeyboard *kb = window->keyboardView();
    const qreal dpr = window->devicePixelRatioF();
    const qreal z = staff->zoom() * dpr;
    struct Expected
    {
        int midi;
        int headTop;        // grid row
        QList<int> ledgers; // grid rows
    };
    const Expected played[] = {{36, 185, {180, 190}}, // C2: second ledger line below the bass staff
                               {59, 120, {}},         // B3: the space just above the bass staff
                               {60, 95, {100}}, // C4: first ledger line below the treble staff
                               {83, 30, {40}}}; // B5: over the treble staff's first ledger line
    for (const Expected &e : played)
        emit window->midiInput()->noteRead(e.midi);
    QTest::qWait(100);
    const QImage image = staff->grab().toImage();
    std::printf("grand staff: zoom %.2f, %d staff lines, %d white keys, keyboard %.0f%% of the "
                "width\n",
                staff->zoom(), staffLines(image, dpr), kb->whiteKeyCount(),
                100 * kb->zoom() * kb->whiteKeyCount() * kb->recordedGeometry().keyWidth /
                    window->width());
    if (staffLines(image, dpr) != 10)
        return fail("the grand staff does not have ten staff lines");
    if (kb->whiteKeyCount() != 28 ||
        kb->zoom() * 28 * kb->recordedGeometry().keyWidth < LeastKeyboardShare * window->width())
        return fail("the keyboard does not show 28 white keys over two fifths of the window");
    for (int i = 0; i < 4; ++i) {
        const int x = slotX(i, GrandFirstSlotX);
        const auto near = [&](qreal found, int row) { return std::abs(found - row * z) <= 2; };
        QList<Run> heads, lines;
        for (const Run &r : runs(image, qRound((x + 5.5) * z), Qt::Vertical)) {
            if (r.length() >= 5 * z)
                heads << r;
        }
        for (const Run &r : runs(image, qRound((x + 12.5) * z), Qt::Vertical)) {
            const int row = qRound(r.middle() / z - 0.5);
            const bool staffLine = (row >= 50 && row <= 90 && row % 10 == 0) ||
                                   (row >= 130 && row <= 170 && row % 10 == 0);
            if (!staffLine)
                lines << r;
        }
        bool placed = heads.size() == 1 && near(heads.first().start, played[i].headTop) &&
                      lines.size() == played[i].ledgers.size();
        for (int k = 0; placed && k < lines.size(); ++k)
            placed = near(lines[k].middle() - z / 2, played[i].ledgers[k]);
        if (!placed) {
            std::fprintf(stderr, "MIDI note %d: heads at %s, ledger lines at %s\n", played[i].midi,
                         qPrintable(describe(heads)), qPrintable(describe(lines)));
            return false;
        }
    }
    return true;
}

// On one clef's staff, a note beyond its reach is left out or drawn whole:
// nothing of it touches the strip's top or bottom edge.
bool wholeOrAbsent(VKControl *window, ClefMode mode, int midi)
{
    VKTest *staff = window->staffView();
    staff->setClefMode(mode);
    QTest::qWait(200);
    const QImage empty = staff->grab().toImage();
    emit window->midiInput()->noteRead(midi);
    QTest::qWait(100);
    const QImage image = staff->grab().toImage();
    bool atEdge = false;
    for (const int y : {0, image.height() - 1}) {
        for (int x = 0; x < image.width(); ++x)
            atEdge = atEdge || image.pixel(x, y) != empty.pixel(x, y);
    }
    std::printf("MIDI note %d on the %s staff: %s\n", midi,
                mode == ClefMode::Treble ? "treble" : "bass",
                image == empty ? "not drawn"
                : atEdge       ? "cut"
                               : "drawn whole");
    return !atEdge;
}

} // namespace

int main(int argc, char **argv)
{
    const bool grand = argc > 1 && std::strcmp(argv[1], "--grand") == 0;
    QPEApplication app(argc, argv, QPEApplication::GuiClient);
    StartUp::prepare(app);
    auto *window = new VKControl;
    if (grand) {
        StartOptions options;
        options.clef = ClefMode::Both;
        window->applyStartOptions(options);
    }
    app.showMainWidget(window, false);
    if (!settled(window)) {
        std::fprintf(stderr, "the window was not maximised\n");
        return 1;
    }
    const qreal dpr = window->devicePixelRatioF();
    const QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb background = window->palette().color(QPalette::Window).rgb();
    const double emptyShare = double(tallestEmptyBand(image, background)) / image.height();
    const VKKeyboard *kb = window->keyboardView();
    const KeyboardGeometry g = kb->recordedGeometry();
    const double keyboardShare =
        kb->zoom() * kb->whiteKeyCount() * g.keyWidth / double(window->width());
    const double lineGap = 10 * window->staffView()->zoom();

    const QSize screen = window->screen()->size() * dpr;
    std::printf("screen %dx%d at %.0fx, window %dx%d: zoom %.2f, line gap %.1f px, "
                "keyboard %.0f%% of the width, tallest empty band %.0f%% of the height\n",
                screen.width(), screen.height(), dpr, window->width(), window->height(),
                window->staffView()->zoom(), lineGap, 100 * keyboardShare, 100 * emptyShare);
    if (grand) {
        bool ok = grandStaffAsWritten(window);
        ok = wholeOrAbsent(window, ClefMode::Treble, 36) && ok;
        ok = wholeOrAbsent(window, ClefMode::Bass, 83) && ok;
        return ok ? 0 : 1;
    }
    const bool fits = emptyShare <= MostEmptyShare && keyboardShare >= LeastKeyboardShare &&
                      lineGap >= LeastLineGap;
    return fits ? 0 : 1;
}
