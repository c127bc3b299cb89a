// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Paint and input costs: a full staff row at the handheld's size and
// maximised, in the treble clef and in the alto clef (drawn from the font's
// outline at every size), the keyboard in its sizes up to the 88 keys, a
// resized window, and the mapping of a tap to a note.
#include "app/VKControl.h"
#include "keyboard/VKKeyboard.h"
#include "notes/Catalogue.h"
#include "staff/VKTest.h"

#include <QApplication>
#include <QImage>

#include <algorithm>

#include <benchmark/benchmark.h>

namespace {

// Paints the widget into an image the way the window system would ask it to.
void paintInto(QWidget &widget, QImage &image, benchmark::State &state)
{
    for (auto _ : state) {
        widget.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// Arguments: the staff's width, its zoom in hundredths, and the clef mode.
// 1920 wide at zoom 4.9 is a maximised window on a 1920x1080 screen.
void fullStaffRow(benchmark::State &state)
{
    VKTest staff;
    staff.setClefMode(ClefMode(state.range(2)));
    staff.setZoom(state.range(1) / 100.0);
    staff.resize(int(state.range(0)), staff.height());
    // As many notes as the row holds, the last one a test note; one more
    // would start a new row.
    const int capacity = std::max(1, (int(staff.width() / staff.zoom()) - staff.firstSlotX()) / 20);
    const int row[] = {36, -37, 40, 59, 12, -44, 47, 53, 30, 57};
    for (int i = 0; i < capacity - 1; ++i)
        staff.drawNote(row[i % 10]);
    staff.checkNoNote(); // a missed answer: crossed out in red, and the next note shown
    staff.setTestMode(false);
    QImage image(staff.size(), QImage::Format_ARGB32_Premultiplied);
    paintInto(staff, image, state);
    state.counters["notes"] = staff.notesShown();
}
constexpr int Treble = int(ClefMode::Treble);
constexpr int Alto = int(ClefMode::Alto);
BENCHMARK(fullStaffRow)
    ->Args({240, 100, Treble})
    ->Args({1920, 100, Treble})
    ->Args({1920, 490, Treble})
    ->Args({240, 100, Alto})
    ->Args({1920, 490, Alto})
    ->Unit(benchmark::kMicrosecond);

// The whole window resized between a desktop's and a laptop's maximised size:
// the new zoom is chosen and everything is drawn anew, a full staff row
// included.
void windowResize(benchmark::State &state)
{
    VKControl window;
    window.resize(1920, 1040);
    window.show();
    QCoreApplication::processEvents();
    VKTest *staff = window.staffView();
    const int row[] = {36, -37, 40, 59, 12, -44, 47, 53, 30, 57};
    for (int i = 0; i < 16; ++i)
        staff->drawNote(row[i % 10]);
    const QSize sizes[] = {QSize(1366, 706), QSize(1920, 1040)};
    QImage images[] = {QImage(sizes[0], QImage::Format_ARGB32_Premultiplied),
                       QImage(sizes[1], QImage::Format_ARGB32_Premultiplied)};
    int i = 0;
    for (auto _ : state) {
        window.resize(sizes[i]);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        window.render(&images[i]);
        benchmark::DoNotOptimize(images[i].constBits());
        i = 1 - i;
    }
    state.counters["zoom"] = staff->zoom();
}
BENCHMARK(windowResize)->Unit(benchmark::kMillisecond);

// Arguments: the keyboard's width, and its white keys (52: all 88 keys).
void keyboard(benchmark::State &state)
{
    VKKeyboard kb;
    kb.resize(int(state.range(0)), 80);
    kb.setWhiteKeys(int(state.range(1)));
    QImage image(kb.size(), QImage::Format_ARGB32_Premultiplied);
    paintInto(kb, image, state);
}
BENCHMARK(keyboard)
    ->Args({240, 7})
    ->Args({240, 14})
    ->Args({640, 14})
    ->Args({1600, 52})
    ->Unit(benchmark::kMicrosecond);

void tapMapping(benchmark::State &state)
{
    VKKeyboard kb;
    kb.resize(240, 80);
    kb.setOneOctave(false);
    kb.grab();
    int x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kb.noteAt(15 + x % 210, 10 + x % 61));
        ++x;
    }
}
BENCHMARK(tapMapping);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
