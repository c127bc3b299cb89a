// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Figures for the sound path: how long the samples of the 88 keys take to
// load and how much memory they hold; the keys' tuning and loudness as the
// mixer plays them; what reading a key from a neighbour's file costs and how
// clean it is; what a sound-availability query costs; and the latency from
// a tap on the keyboard to the note at the sound server's sink. Run it with
// bench/run.sh, which provides a private sound server.
//
// How latency is measured. Both ends are stamped with one monotonic clock
// (MonitorRecorder::now, a QElapsedTimer):
// - the tap: just before QTest::mouseRelease sends the release to a
//   VKKeyboard wired as in practice mode, so the key mapping, noteRead,
//   playNote, the availability query and the hand-over to the mixer count;
// - the onset: parec records the silent sink's monitor in small blocks, and a
//   thread of its own stamps each block as it comes out of the pipe. The
//   note's first frame is found in the recording by matching the first 10 ms
//   of its sample (normalised cross-correlation), which pins it to the frame
//   even over a note still ringing, and without waiting for the sample to rise
//   above some level. The onset time is the arrival of the block holding that
//   frame.
// So each figure includes the monitor's delivery to the recorder and waiting
// for the rest of the block (parec's block size is printed): it is an upper
// bound of when the note reached the sink, never an under-estimate.

#include "AudioAnalysis.h"
#include "KeySounds.h"
#include "MonitorRecorder.h"

#include "keyboard/VKKeyboard.h"
#include "notes/Catalogue.h"
#include "platform/Resource.h"
#include "platform/sound/QSound.h"
#include "platform/sound/SincInterpolator.h"
#include "platform/sound/SoundEngine.h"
#include "platform/sound/SoundNames.h"
#include "platform/sound/SoundOutput.h"
#include "platform/sound/VoiceMix.h"
#include "platform/sound/WavReader.h"
#include "sounds/NotePitch.h"

#include <QApplication>
#include <QAudioDevice>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMediaDevices>
#include <QSignalSpy>
#include <QSoundEffect>
#include <QTest>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int Rate = MonitorRecorder::Rate;
constexpr int DefaultTaps = 60;
constexpr int TemplateFrames = Rate / 100;
constexpr int SearchFrames = Rate / 2;
constexpr int LookBackFrames = Rate * 3 / 1000;
constexpr double MaxResidualShare = 0.75;
// A note that arrives whole differs from its sample by rounding at most.
constexpr double WholeNoteTolerance = 1e-4;
constexpr int WholeNotes = 20;
constexpr int RingingTapSpacingMs = 300;
constexpr int AvailabilityQueries = 2000;
// White keys of a one-octave 240-pixel keyboard: 30 pixels each from x = 15.
constexpr int KeyboardWidth = 240;
constexpr int KeyboardHeight = 80;
constexpr int FirstKeyCentre = 30;
constexpr int KeyWidth = 30;
constexpr int LowerZoneY = 60;
constexpr int WhiteKeyNotes[] = {36, 38, 40, 41, 43, 45, 47};
// Soft enough that 16 keys stay under the limiter's ceiling.
constexpr int SoftVelocity = 40;
constexpr double SineAmplitude = 20000.0;

double ms(qint64 ns)
{
    return double(ns) / 1e6;
}

struct Figures
{
    std::vector<double> values;
    void add(double v) { values.push_back(v); }
    double at(double fraction) const
    {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        const auto rank = size_t(std::ceil(fraction * double(sorted.size())));
        const size_t index = std::min(sorted.size() - 1, rank > 0 ? rank - 1 : 0);
        return sorted[index];
    }
    void print(const char *what) const
    {
        if (values.empty()) {
            std::printf("%-44s no samples\n", what);
            return;
        }
        std::printf("%-44s n=%3zu  median %6.2f ms  p95 %6.2f ms  min %6.2f  max %6.2f\n", what,
                    values.size(), at(0.5), at(0.95), at(0.0), at(1.0));
    }
};

// The sound output the program used before the mixer: a fresh QSoundEffect
// per play, with one never-played effect per file keeping it decoded.
// Measured here with the same clock for comparison.
class EffectPerPlay : public SoundOutput
{
public:
    ~EffectPerPlay() override
    {
        qDeleteAll(m_playing);
        qDeleteAll(m_keepers);
    }
    bool available() override { return !QMediaDevices::audioOutputs().isEmpty(); }
    void play(const QString &path) override
    {
        if (!m_keepers.contains(path)) {
            auto *keeper = new QSoundEffect;
            keeper->setSource(QUrl::fromLocalFile(path));
            m_keepers.insert(path, keeper);
        }
        if (m_playing.size() >= 16)
            delete m_playing.takeFirst();
        auto *effect = new QSoundEffect;
        effect->setSource(QUrl::fromLocalFile(path));
        effect->play();
        m_playing.append(effect);
    }
    // The comparison plays taps only.
    void strike(const QString &path, int) override { play(path); }
    void release(const QString &) override {}
    void setSustain(bool) override {}
    void preload(const QStringList &paths)
    {
        for (const QString &path : paths) {
            auto *keeper = new QSoundEffect;
            keeper->setSource(QUrl::fromLocalFile(path));
            m_keepers.insert(path, keeper);
        }
    }

private:
    QHash<QString, QSoundEffect *> m_keepers;
    QList<QSoundEffect *> m_playing;
};

class TapBench
{
public:
    TapBench()
    {
        keyboard.resize(KeyboardWidth, KeyboardHeight);
        keyboard.setClef(true);
        keyboard.setOneOctave(true);
        QObject::connect(&keyboard, &VKKeyboard::noteRead, &keyboard, &VKKeyboard::playNote);
        keyboard.grab(); // the first paint records where the keys are
        for (int note : WhiteKeyNotes)
            starts.insert(note, playedAlone(note).mid(0, TemplateFrames));
    }

    bool startRecorder()
    {
        if (!recorder.start())
            return false;
        QTest::qWait(MonitorRecorder::WarmUpMs);
        return recorder.frames() > 0;
    }

    static QString soundOf(int note)
    {
        return Resource::findSound(QString::fromLatin1(notes[note].file()));
    }

    // The note as the mixer plays it alone, from its own file or a
    // neighbour's.
    static QList<qint16> playedAlone(int note) { return KeySounds::played(KeySounds::of(note)); }

    // Taps white key `key`; returns tap-to-onset in ms, or a negative value
    // when the note was not found in the recording.
    double tap(int key, double *guiMs, bool *cut)
    {
        const QPoint point(FirstKeyCentre + key * KeyWidth, LowerZoneY);
        QTest::mousePress(&keyboard, Qt::LeftButton, {}, point);
        const qint64 from = recorder.frames();
        const qint64 tapped = MonitorRecorder::now();
        QTest::mouseRelease(&keyboard, Qt::LeftButton, {}, point);
        *guiMs = ms(MonitorRecorder::now() - tapped);
        // The event loop keeps running meanwhile, as it does in the program.
        QElapsedTimer waited;
        waited.start();
        while (recorder.frames() < from + SearchFrames + TemplateFrames) {
            if (waited.elapsed() > 5000)
                return -1;
            QTest::qWait(1);
        }
        const qint64 onset = findOnset(starts.value(WhiteKeyNotes[key]), from, cut);
        if (onset < 0)
            return -1;
        return ms(recorder.arrivalOf(onset) - tapped);
    }

    void waitForSilence(int quietMs)
    {
        QElapsedTimer timer;
        timer.start();
        // Every note ends within its length; wait for the sink to be silent.
        while (timer.elapsed() < 5000) {
            QTest::qWait(quietMs);
            const qint64 end = recorder.frames();
            if (AudioAnalysis::peak(
                    recorder.samples(end - Rate * quietMs / 1000, Rate * quietMs / 1000)) == 0)
                return;
        }
    }

    // Sounds white key `key` alone and checks that the whole note arrives
    // unchanged: a stream that ran dry in the middle of it (the mixer's
    // thread came too late) leaves a gap that no alignment can explain.
    bool playsWhole(int key)
    {
        const int note = WhiteKeyNotes[key];
        const QList<qint16> sample = playedAlone(note);
        const qint64 from = recorder.frames();
        QSound::play(soundOf(note));
        bool cut = false;
        QElapsedTimer waited;
        waited.start();
        while (recorder.frames() < from + SearchFrames + sample.size()) {
            if (waited.elapsed() > 5000)
                return false;
            QTest::qWait(5);
        }
        const qint64 onset = findOnset(starts.value(note), from, &cut);
        if (onset < 0)
            return false;
        // Where the monitor lost the first frames, the note sits earlier.
        const qint64 placed = cut ? findPlacement(sample, from) : onset;
        const QList<qint16> heard = recorder.samples(placed, sample.size());
        double error2 = 0.0;
        double energy = 0.0;
        for (qsizetype i = LookBackFrames; i < sample.size() && i < heard.size(); ++i) {
            const double d = double(heard[i]) - sample[i];
            error2 += d * d;
            energy += double(sample[i]) * sample[i];
        }
        return heard.size() == sample.size() && error2 <= WholeNoteTolerance * energy;
    }

    // parec's block length, for the granularity of the onset times.
    double medianBlockMs() const { return recorder.medianBlockFrames() * 1000.0 / Rate; }

private:
    // The frame at which the note's sample starts in the recording: the
    // alignment that leaves the least when the sample is subtracted, since
    // the mixer adds a note unchanged to whatever rings already. The search
    // starts a little before the tap because the monitor may lose the very
    // first frames of a note that starts a stream again (the sink rewinds
    // over audio the monitor has already passed on); such a note is placed
    // by its later frames, and its onset is where it first appears, at the
    // tap's frame.
    qint64 findOnset(const QList<qint16> &start, qint64 from, bool *cut) const
    {
        const qint64 searchFrom = qMax<qint64>(0, from - LookBackFrames);
        const QList<qint16> heard =
            recorder.samples(searchFrom, SearchFrames + LookBackFrames + TemplateFrames);
        double startEnergy = 0.0;
        for (qint16 s : start)
            startEnergy += double(s) * s;
        double best = -1.0;
        double bestHeard = 0.0;
        qint64 bestLag = -1;
        const qsizetype lags =
            qMin(heard.size() - start.size() + 1, qsizetype(SearchFrames + LookBackFrames));
        for (qsizetype lag = 0; lag < lags; ++lag) {
            double residual = 0.0;
            double energy = 0.0;
            for (qsizetype i = 0; i < start.size(); ++i) {
                const double h = heard[lag + i];
                const double r = h - start[i];
                residual += r * r;
                energy += h * h;
            }
            if (best < 0.0 || residual < best) {
                best = residual;
                bestHeard = energy;
                bestLag = lag;
            }
        }
        // The note explains most of what was heard where it is placed.
        if (bestLag < 0 || best > MaxResidualShare * bestHeard)
            return -1;
        const qint64 onset = searchFrom + bestLag;
        *cut = onset < from;
        return qMax(onset, from);
    }

    // The frame where the sample's first frame would be, before clamping.
    qint64 findPlacement(const QList<qint16> &sample, qint64 from) const
    {
        const QList<qint16> start = sample.mid(0, TemplateFrames);
        const qint64 searchFrom = qMax<qint64>(0, from - LookBackFrames);
        const QList<qint16> heard =
            recorder.samples(searchFrom, 2 * LookBackFrames + TemplateFrames);
        double best = -1.0;
        qint64 bestLag = 0;
        for (qsizetype lag = 0; lag + start.size() <= heard.size(); ++lag) {
            double residual = 0.0;
            for (qsizetype i = 0; i < start.size(); ++i) {
                const double r = double(heard[lag + i]) - start[i];
                residual += r * r;
            }
            if (best < 0.0 || residual < best) {
                best = residual;
                bestLag = lag;
            }
        }
        return searchFrom + bestLag;
    }

    VKKeyboard keyboard;
    QHash<int, QList<qint16>> starts;
    MonitorRecorder recorder;
};

// Taps the white keys at these indices in turn, all of them when none are
// given.
void measureTaps(TapBench &bench, const char *what, int taps, int restMs, bool waitForSilence,
                 std::vector<int> keys = {})
{
    if (keys.empty()) {
        for (int key = 0; key < int(std::size(WhiteKeyNotes)); ++key)
            keys.push_back(key);
    }
    Figures latency;
    Figures gui;
    int missed = 0;
    int cutShort = 0;
    for (int i = 0; i < taps; ++i) {
        if (waitForSilence)
            bench.waitForSilence(50);
        else
            QTest::qWait(restMs);
        double guiMs = 0.0;
        bool cut = false;
        const double value = bench.tap(keys[size_t(i) % keys.size()], &guiMs, &cut);
        gui.add(guiMs);
        if (cut)
            ++cutShort;
        if (value < 0)
            ++missed;
        else
            latency.add(value);
    }
    latency.print(what);
    gui.print("  of which the release's handling (GUI thread)");
    if (missed)
        std::printf("  %d taps not found in the recording\n", missed);
    if (cutShort)
        std::printf("  %d notes arrived with their first frames lost at the monitor\n", cutShort);
}

// The 88 keys as the mixer plays them: how far the worst is from equal
// temperament, and how even their loudness is (A-weighted over their first
// 500 ms) with their highest peak.
void printKeyFigures()
{
    constexpr int LoudnessFrames = Rate / 2;
    double worstCents = 0.0;
    int worstKey = LowestPianoKey;
    std::vector<double> levels;
    int highestPeak = 0;
    for (int key = LowestPianoKey; key <= HighestPianoKey; ++key) {
        const QList<qint16> played = KeySounds::played(KeySounds::of(key));
        const double expected = KeySounds::equalTempered(key);
        const double cents = AudioAnalysis::cents(
            NotePitch::of(played.constData(), size_t(played.size()), expected), expected);
        if (std::abs(cents) > std::abs(worstCents)) {
            worstCents = cents;
            worstKey = key;
        }
        levels.push_back(AudioAnalysis::aWeightedLevel(played.first(LoudnessFrames)));
        highestPeak = std::max(highestPeak, AudioAnalysis::peak(played));
    }
    const auto [quietest, loudest] = std::minmax_element(levels.begin(), levels.end());
    std::vector<double> sorted = levels;
    std::sort(sorted.begin(), sorted.end());
    const double median = (sorted[sorted.size() / 2 - 1] + sorted[sorted.size() / 2]) / 2.0;
    std::printf("tuning of the 88 keys from the mixer: all within %.2f cents (worst %s, %+.2f)\n",
                std::abs(worstCents), qPrintable(soundNameOf(worstKey)), worstCents);
    std::printf("loudness of the 88 keys, A-weighted over 500 ms: median %.2f dBFS, %s %.2f to "
                "%s %.2f (%+.2f / %+.2f dB); highest peak %.2f dBFS\n",
                median, qPrintable(soundNameOf(LowestPianoKey + int(quietest - levels.begin()))),
                *quietest, qPrintable(soundNameOf(LowestPianoKey + int(loudest - levels.begin()))),
                *loudest, *quietest - median, *loudest - median,
                20.0 * std::log10(highestPeak / 32768.0));
}

// A sine of a file, at `frequency`, read a semitone faster or slower
// through the interpolator.
QList<qint16> readSine(double frequency, int semitones)
{
    QList<qint16> sine(Rate / 4);
    for (qsizetype i = 0; i < sine.size(); ++i)
        sine[i] = qint16(
            std::lround(SineAmplitude * std::sin(2.0 * M_PI * frequency * double(i) / Rate)));
    const QList<qint16> out =
        KeySounds::played(PitchedSample(sine, PitchedSample::stepForSemitones(semitones)));
    // Without the interpolator's reach at either end.
    return out.mid(SincInterpolator::Taps, out.size() - 2 * SincInterpolator::Taps);
}

// Sines through the band, against the sines they should come out as: their
// level (the band's ripple) and what differs from them; then tones up to
// the band's edge, and the loudest thing each leaves below 20 kHz besides
// itself (what folds back).
void printInterpolatorFigures()
{
    constexpr double LowestHz = 20.0;
    constexpr double BandHz = 16000.0;
    constexpr double EdgeFromHz = 16000.0;
    constexpr double EdgeStepHz = 250.0;
    constexpr double HearingHz = 20000.0;
    constexpr double ScanStepHz = 25.0;
    constexpr double AwayFromToneHz = 300.0;
    // Sixth-octave steps through the band, and its top.
    std::vector<double> band;
    for (double f = LowestHz; f < BandHz; f *= std::exp2(1.0 / 6.0))
        band.push_back(f);
    band.push_back(BandHz);
    for (int semitones : {+1, -1}) {
        const double ratio = std::exp2(semitones / 12.0);
        double lowestGain = 0.0;
        double highestGain = 0.0;
        double worstError = -200.0;
        for (double f : band) {
            const QList<qint16> out = readSine(f / ratio, semitones);
            double heard = 0.0;
            double ideal = 0.0;
            double error = 0.0;
            for (qsizetype i = 0; i < out.size(); ++i) {
                const double wanted =
                    SineAmplitude *
                    std::sin(2.0 * M_PI * f * double(i + SincInterpolator::Taps) / Rate);
                heard += double(out[i]) * out[i];
                ideal += wanted * wanted;
                error += (out[i] - wanted) * (out[i] - wanted);
            }
            const double gain = 10.0 * std::log10(heard / ideal);
            lowestGain = std::min(lowestGain, gain);
            highestGain = std::max(highestGain, gain);
            worstError = std::max(worstError, 10.0 * std::log10(error / ideal));
        }
        double loudestFold = 0.0;
        double foldFrom = 0.0;
        for (double f = EdgeFromHz; f < Rate / 2.0; f += EdgeStepHz) {
            const double heardAt = f * ratio < Rate / 2.0 ? f * ratio : Rate - f * ratio;
            const AudioAnalysis::Spectrum spectrum(readSine(f, semitones));
            for (double g = LowestHz; g <= HearingHz; g += ScanStepHz) {
                const double m = std::abs(g - heardAt) > AwayFromToneHz ? spectrum.at(g) : 0.0;
                if (m > loudestFold) {
                    loudestFold = m;
                    foldFrom = f;
                }
            }
        }
        std::printf("a file read a semitone %s: sines to 16 kHz at %+.4f to %+.4f dB, their "
                    "difference from the ideal sine %.1f dB at worst; tones of 16 to 22 kHz leave "
                    "nothing below 20 kHz louder than %.1f dB under them (worst from %.0f Hz)\n",
                    semitones > 0 ? "faster" : "slower", lowestGain, highestGain, worstError,
                    -20.0 * std::log10(loudestFold / (SineAmplitude / 32768.0 / 2.0)), foldFrom);
    }
}

// What mixing costs the mixer's thread: 16 keys at once for a second of
// sound in blocks of 10 ms, keys with files of their own against keys read
// from a neighbour's.
void printMixingCost()
{
    constexpr int Voices = 16;
    constexpr int Block = Rate / 100;
    for (bool resampled : {false, true}) {
        VoiceMix mix;
        int added = 0;
        for (int key = LowestPianoKey + 24; added < Voices; ++key) {
            const PitchedSample sound = KeySounds::of(key);
            if (sound.isResampled() == resampled) {
                mix.strike(sound, 0, SoftVelocity);
                ++added;
            }
        }
        std::vector<qint16> out(Block);
        QElapsedTimer timer;
        timer.start();
        for (int block = 0; block < Rate / Block; ++block)
            mix.render(out.data(), Block);
        std::printf("mixing %d keys %s for 1 s of sound: %.2f ms\n", Voices,
                    resampled ? "read from a neighbour's file" : "with files of their own",
                    timer.nsecsElapsed() / 1e6);
    }
}

long residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int taps = DefaultTaps;
    const QStringList args = app.arguments();
    const qsizetype tapsArg = args.indexOf(QStringLiteral("--taps"));
    if (tapsArg > 0 && tapsArg + 1 < args.size())
        taps = qMax(1, args.at(tapsArg + 1).toInt());
    const bool withBaseline = !args.contains(QStringLiteral("--no-baseline"));

    if (!QSound::available()) {
        std::fprintf(stderr, "no sound server reachable: run bench/run.sh\n");
        return 1;
    }
    QStringList paths;
    for (int key = LowestPianoKey; key <= HighestPianoKey; ++key)
        paths << Resource::findSound(soundNameOf(key));

    SoundEngine *engine = SoundEngine::instance();
    const long rssBefore = residentKilobytes();
    QSignalSpy loaded(engine, &SoundEngine::preloadFinished);
    const qint64 start = MonitorRecorder::now();
    QSound::preload(paths);
    const qint64 returned = MonitorRecorder::now();
    loaded.wait(10000);
    const qint64 done = MonitorRecorder::now();
    const long rssAfter = residentKilobytes();
    std::printf("preload of %lld keys: returns after %.2f ms, all decoded after %.2f ms\n",
                qlonglong(paths.size()), ms(returned - start), ms(done - start));
    std::printf("samples held: %.2f MB (%lld bytes); resident memory grew by %.2f MB\n",
                engine->sampleBytes() / 1e6, engine->sampleBytes(),
                (rssAfter - rssBefore) / 1000.0);
    printKeyFigures();
    printInterpolatorFigures();
    printMixingCost();

    Figures availability;
    for (int i = 0; i < AvailabilityQueries; ++i) {
        const qint64 before = MonitorRecorder::now();
        QSound::available();
        availability.add(double(MonitorRecorder::now() - before) / 1e3);
    }
    std::printf("QSound::available(): median %.1f us, p95 %.1f us\n", availability.at(0.5),
                availability.at(0.95));

    TapBench bench;
    if (!bench.startRecorder()) {
        std::fprintf(stderr, "cannot record out.monitor\n");
        return 1;
    }
    measureTaps(bench, "tap to onset, nothing ringing", taps, 0, true);
    measureTaps(bench, "tap to onset, taps 300 ms apart (ringing)", taps, RingingTapSpacingMs,
                false);
    std::printf("recorder block: median %.2f ms\n", bench.medianBlockMs());
    int whole = 0;
    for (int i = 0; i < WholeNotes; ++i) {
        bench.waitForSilence(50);
        whole += bench.playsWhole(i % int(std::size(WhiteKeyNotes))) ? 1 : 0;
    }
    std::printf("notes that arrived whole, without a gap: %d of %d\n", whole, WholeNotes);

    if (withBaseline) {
        EffectPerPlay baseline;
        QSound::setOutput(&baseline);
        QStringList files;
        for (const QString &path : std::as_const(paths)) {
            if (QFileInfo(path).isFile())
                files << path;
        }
        baseline.preload(files);
        bench.waitForSilence(200);
        // QSoundEffect plays files as they are: only keys with files of
        // their own.
        std::vector<int> withFiles;
        for (int key = 0; key < int(std::size(WhiteKeyNotes)); ++key) {
            if (QFileInfo(TapBench::soundOf(WhiteKeyNotes[key])).isFile())
                withFiles.push_back(key);
        }
        measureTaps(bench, "QSoundEffect per play, nothing ringing", taps, 0, true, withFiles);
        QSound::setOutput(nullptr);
    }
    return 0;
}
