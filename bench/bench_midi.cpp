// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The latency from a MIDI keyboard's note-on to the note at the sound
// server's sink, through the whole window in practice mode: the MIDI input's
// JACK client, the queued hand-over to the GUI thread, the staff and the
// sound service. The keyboard is a JACK client of this program on a JACK
// server of its own (dummy backend, 256 frames at 48 kHz: 5.3 ms a period),
// so the figure includes up to two JACK periods: the keyboard's note goes out
// at its next period and is read by the input in the same one.
// Run it with bench/run.sh, which provides a private sound server.
//
// Both ends are stamped with one monotonic clock (MonitorRecorder::now): the
// note-on just before it is handed to the keyboard's port, the onset when
// the recorder's block holding the note's first frame arrives. Each note is
// played into silence, so its first frame is the first that is not zero: an
// upper bound of when it reached the sink, as in bench_sound.

#include "JackServer.h"
#include "MonitorRecorder.h"

#include "app/VKControl.h"
#include "input/MidiInput.h"
#include "notes/Catalogue.h"
#include "platform/Resource.h"
#include "platform/sound/QSound.h"
#include "platform/sound/SoundEngine.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <RtMidi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int Rate = MonitorRecorder::Rate;
constexpr int DefaultNotes = 60;
constexpr int SearchMs = 500;
constexpr int QuietMs = 50;
// C4 to B4, the white keys, in MIDI numbers.
constexpr unsigned char WhiteKeys[] = {60, 62, 64, 65, 67, 69, 71};

double ms(qint64 ns)
{
    return double(ns) / 1e6;
}

double rank(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const auto at = size_t(std::ceil(fraction * double(values.size())));
    return values[std::min(values.size() - 1, at > 0 ? at - 1 : 0)];
}

void print(const char *what, const std::vector<double> &values)
{
    if (values.empty()) {
        std::printf("%-44s no samples\n", what);
        return;
    }
    std::printf("%-44s n=%3zu  median %6.2f ms  p95 %6.2f ms  min %6.2f  max %6.2f\n", what,
                values.size(), rank(values, 0.5), rank(values, 0.95), rank(values, 0.0),
                rank(values, 1.0));
}

bool silentFor(const MonitorRecorder &recorder, int quietMs)
{
    const qint64 frames = Rate * quietMs / 1000;
    const QList<qint16> tail = recorder.samples(recorder.frames() - frames, frames);
    return std::all_of(tail.cbegin(), tail.cend(), [](qint16 s) { return s == 0; });
}

void waitForSilence(const MonitorRecorder &recorder)
{
    QElapsedTimer timer;
    timer.start();
    do
        QTest::qWait(QuietMs);
    while (!silentFor(recorder, QuietMs) && timer.elapsed() < 5000);
}

// The first frame from `from` on that is not silent, or -1.
qint64 onset(const MonitorRecorder &recorder, qint64 from)
{
    const QList<qint16> heard = recorder.samples(from, Rate * SearchMs / 1000);
    const auto it = std::find_if(heard.cbegin(), heard.cend(), [](qint16 s) { return s != 0; });
    return it == heard.cend() ? -1 : from + (it - heard.cbegin());
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int count = DefaultNotes;
    const QStringList args = app.arguments();
    const qsizetype countArg = args.indexOf(QStringLiteral("--notes"));
    if (countArg > 0 && countArg + 1 < args.size())
        count = qMax(1, args.at(countArg + 1).toInt());

    if (!QSound::available()) {
        std::fprintf(stderr, "no sound server reachable: run bench/run.sh\n");
        return 1;
    }
    JackServer server;
    server.useByDefault();
    if (!server.start()) {
        std::fprintf(stderr, "cannot start jackd (package jackd2)\n");
        return 1;
    }

    QStringList paths;
    for (int n = LowestNote; n <= HighestNote; ++n)
        paths << Resource::findSound(QString::fromLatin1(notes[n].file()));
    QSignalSpy loaded(SoundEngine::instance(), &SoundEngine::preloadFinished);
    QSound::preload(paths);
    loaded.wait(10000);

    VKControl window;
    window.resize(1024, 300);
    window.show();
    RtMidiOut keyboard(RtMidi::UNIX_JACK, "BenchKeys");
    keyboard.openVirtualPort("keys");
    QElapsedTimer found;
    found.start();
    while (!window.midiInput()->sources().contains(QStringLiteral("BenchKeys:keys"))) {
        if (found.elapsed() > 5000) {
            std::fprintf(stderr, "the keyboard was not found\n");
            return 1;
        }
        QTest::qWait(10);
    }
    std::printf("keyboard found %lld ms after it appeared\n", found.elapsed());

    qint64 read = 0;
    QObject::connect(window.midiInput(), &MidiInput::noteRead,
                     [&read] { read = MonitorRecorder::now(); });

    MonitorRecorder recorder;
    if (!recorder.start()) {
        std::fprintf(stderr, "cannot record out.monitor\n");
        return 1;
    }
    QTest::qWait(MonitorRecorder::WarmUpMs);

    std::vector<double> toSound;
    std::vector<double> toRead;
    int missed = 0;
    for (int i = 0; i < count; ++i) {
        waitForSilence(recorder);
        const unsigned char key = WhiteKeys[i % int(std::size(WhiteKeys))];
        std::vector<unsigned char> on{0x90, key, 100};
        std::vector<unsigned char> off{0x80, key, 64};
        const qint64 from = recorder.frames();
        read = 0;
        const qint64 sent = MonitorRecorder::now();
        keyboard.sendMessage(&on);
        keyboard.sendMessage(&off);
        // The window's event loop runs meanwhile, as it does in the program.
        QElapsedTimer waited;
        waited.start();
        while (recorder.frames() < from + Rate * SearchMs / 1000 && waited.elapsed() < 5000)
            QTest::qWait(1);
        const qint64 first = onset(recorder, from);
        if (first < 0 || read == 0) {
            ++missed;
            continue;
        }
        toSound.push_back(ms(recorder.arrivalOf(first) - sent));
        toRead.push_back(ms(read - sent));
    }
    print("MIDI note-on to onset at the sink", toSound);
    print("  of which note-on to noteRead (JACK, queue)", toRead);
    std::printf("recorder block: median %.2f ms\n", recorder.medianBlockFrames() * 1000.0 / Rate);
    if (missed)
        std::printf("  %d notes not found in the recording\n", missed);
    return 0;
}
