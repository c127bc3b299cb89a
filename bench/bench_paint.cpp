// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Paint and input costs: a full staff row, the keyboard in both sizes, and
// the mapping of a tap to a note.
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

void fullStaffRow(benchmark::State &state)
{
    VKTest staff;
    staff.resize(int(state.range(0)), 120);
    // Sharps, flats, ledger lines and a crossed-out note among them.
    const int row[] = {36, -37, 40, 59, 12, -44, 47, 53, 30, 57};
    // As many notes as the row holds: one more would start a new row.
    const int capacity = std::max(1, (staff.width() - 35) / 20);
    for (int i = 0; i < capacity; ++i)
        staff.drawNote(row[i % 10]);
    QImage image(staff.size(), QImage::Format_ARGB32_Premultiplied);
    paintInto(staff, image, state);
    state.counters["notes"] = staff.notesShown();
}
BENCHMARK(fullStaffRow)->Arg(240)->Arg(1920)->Unit(benchmark::kMicrosecond);

void keyboard(benchmark::State &state)
{
    VKKeyboard kb;
    kb.resize(int(state.range(0)), 80);
    kb.setOneOctave(state.range(1) == 1);
    QImage image(kb.size(), QImage::Format_ARGB32_Premultiplied);
    paintInto(kb, image, state);
}
BENCHMARK(keyboard)->Args({240, 1})->Args({240, 2})->Args({640, 2})->Unit(benchmark::kMicrosecond);

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
    initNotes(notes);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
