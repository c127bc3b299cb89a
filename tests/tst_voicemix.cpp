// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AudioAnalysis.h"
#include "KeySounds.h"

#include "platform/sound/PeakLimiter.h"
#include "platform/sound/SincInterpolator.h"
#include "platform/sound/SoundRequests.h"
#include "platform/sound/VoiceMix.h"
#include "platform/sound/WavReader.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// -1 dBFS: no mix may reach it.
const int MinusOneDbfs = int(32768 * std::pow(10.0, -1.0 / 20.0));
// Block sizes the mixer's thread may be asked for, from a single frame to a
// stall's worth, shorter and longer than the limiter's look-ahead.
constexpr int BlockSizes[] = {44, 1, 397, 128, 13, 2205};
constexpr int WindowFrames = 441;
// Quieter than -20 dBFS a run of equal samples is only rounding.
constexpr int FlatTopLevel = 3277;
// The implied gain is read where rounding the output moves it by little.
constexpr int GainReadLevel = 4000;

constexpr int MiddleC = 60;
constexpr int A4 = KeySounds::MidiA4;
// Played from A4's file, read a semitone faster.
constexpr int Bb4 = A4 + 1;
constexpr int C5 = 72;
constexpr int PerMs = WavReader::SampleRate / 1000;
constexpr int MaxStarts = 8;
constexpr double SineAmplitude = 20000.0;

// A quarter of a second of a sine at `frequency`, to be read a number of
// semitones higher.
PitchedSample sineRead(double frequency, int semitones)
{
    QList<qint16> sine(WavReader::SampleRate / 4);
    for (qsizetype i = 0; i < sine.size(); ++i)
        sine[i] = qint16(std::lround(
            SineAmplitude * std::sin(2.0 * M_PI * frequency * double(i) / WavReader::SampleRate)));
    return PitchedSample(sine, PitchedSample::stepForSemitones(semitones));
}

// Renders `frames` frames of a mix, in blocks of 10 ms, while applying
// events "what@ms" or "key:what@ms": strike, tap, release, and the pedal
// going down or up. A key is a MIDI number, `key` where none is given.
QList<qint16> renderEvents(const QStringList &events, int key, qsizetype frames,
                           int velocity = VoiceMix::FullVelocity)
{
    constexpr int Block = 441;
    VoiceMix mix;
    QList<qint16> out(frames);
    for (qsizetype at = 0; at < frames; at += Block) {
        const int block = int(std::min<qsizetype>(Block, frames - at));
        for (const QString &event : events) {
            const qsizetype delay = event.section(QLatin1Char('@'), 1).toInt() * PerMs - at;
            if (delay < 0 || delay >= block)
                continue;
            const QString what =
                event.section(QLatin1Char('@'), 0, 0).section(QLatin1Char(':'), -1);
            const PitchedSample sound = KeySounds::of(
                event.contains(QLatin1Char(':')) ? event.section(QLatin1Char(':'), 0, 0).toInt()
                                                 : key);
            if (what == QLatin1String("strike"))
                mix.strike(sound, delay, velocity);
            else if (what == QLatin1String("tap"))
                mix.add(sound, delay);
            else if (what == QLatin1String("release"))
                mix.release(sound, delay);
            else
                mix.setSustain(what == QLatin1String("down"), delay);
        }
        mix.render(out.data() + at, block);
    }
    return out;
}

// The level of a stretch of audio relative to another as long, in dB.
double decibels(const QList<qint16> &heard, const QList<qint16> &reference)
{
    return AudioAnalysis::level(heard) - AudioAnalysis::level(reference);
}

// The keys of a mix of `count`: every seventh of the 88, so that low, middle
// and high keys, with files of their own and without, all take part.
int keyOfVoice(int voice)
{
    constexpr int Keys = HighestPianoKey - LowestPianoKey + 1;
    return LowestPianoKey + voice * 7 % Keys;
}

// Renders the mix in blocks of the sizes above, `addPerBlock` notes added
// before each block, until it falls silent. With no more notes than ring
// together, *plain is the sum of the notes where they started, unlimited.
QList<qint16> renderMix(int count, int addPerBlock, std::vector<qint32> *plain = nullptr)
{
    VoiceMix mix;
    QList<qint16> out;
    std::vector<qint32> sum;
    int added = 0;
    for (int block = 0; added < count || !mix.isEmpty(); ++block) {
        const qsizetype at = out.size();
        for (int i = 0; i < addPerBlock && added < count; ++i, ++added) {
            const qsizetype start = at + mix.add(KeySounds::of(keyOfVoice(added)), 0);
            if (!plain)
                continue;
            // Alone, each note stays under the ceiling and comes out as it is.
            const QList<qint16> &alone = KeySounds::playedKey(keyOfVoice(added));
            sum.resize(std::max(sum.size(), size_t(start + alone.size())));
            for (qsizetype k = 0; k < alone.size(); ++k)
                sum[size_t(start + k)] += alone[k];
        }
        const int frames = BlockSizes[block % std::size(BlockSizes)];
        out.resize(at + frames);
        mix.render(out.data() + at, frames);
    }
    if (plain) {
        *plain = sum;
        plain->resize(size_t(out.size()));
    }
    return out;
}

// Where the output holds its 10 ms window's peak magnitude for three frames
// or more running, the wave has been cut flat: the first frame of such a
// run, or -1.
qsizetype flatTop(const QList<qint16> &out)
{
    for (qsizetype from = 0; from < out.size(); from += WindowFrames) {
        const QList<qint16> window = out.mid(from, WindowFrames);
        const int peak = AudioAnalysis::peak(window);
        for (qsizetype i = 2; peak >= FlatTopLevel && i < window.size(); ++i) {
            if (std::abs(window[i]) == peak && window[i - 1] == window[i] &&
                window[i - 2] == window[i])
                return from + i - 2;
        }
    }
    return -1;
}

} // namespace

// Many notes at once through the mixer and its limiter.
class VoiceMixTest : public QObject
{
    Q_OBJECT
private slots:

    void notesTogetherPeakBelowMinusOneDbfsWithoutFlatTops_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("addPerBlock");
        QTest::newRow("16 notes at once") << 16 << 16;
        QTest::newRow("48 notes at once") << 48 << 48;
        QTest::newRow("48 notes, one per block") << 48 << 1;
    }

    void notesTogetherPeakBelowMinusOneDbfsWithoutFlatTops()
    {
        QFETCH(int, count);
        QFETCH(int, addPerBlock);
        const QList<qint16> out = renderMix(count, addPerBlock);
        QVERIFY(out.size() > WavReader::SampleRate);
        const int peak = AudioAnalysis::peak(out);
        qInfo("peak %.2f dBFS", 20.0 * std::log10(peak / 32768.0));
        QVERIFY2(peak < MinusOneDbfs, qPrintable(QString::number(peak)));
        const qsizetype flat = flatTop(out);
        QVERIFY2(flat < 0, qPrintable(QStringLiteral("flat top at frame %1").arg(flat)));
    }

    // A key alone passes the limiter untouched: a key with a file of its own
    // comes out as its file, bit for bit, and every key comes out the same in
    // whatever blocks the mixer's thread asks for, a resampled one too.
    void aKeyAloneComesOutBitForBit_data()
    {
        QTest::addColumn<int>("key");
        for (int key = LowestPianoKey; key <= HighestPianoKey; ++key)
            QTest::newRow(qPrintable(soundNameOf(key))) << key;
    }

    void aKeyAloneComesOutBitForBit()
    {
        QFETCH(int, key);
        const PitchedSample sound = KeySounds::of(key);
        QVERIFY(!sound.isEmpty());
        VoiceMix mix;
        mix.add(sound, 0);
        QList<qint16> out(sound.frames());
        for (qsizetype at = 0, block = 0; at < out.size(); ++block) {
            const int frames = int(
                std::min<qsizetype>(BlockSizes[block % std::size(BlockSizes)], out.size() - at));
            mix.render(out.data() + at, frames);
            at += frames;
        }
        QVERIFY(mix.isEmpty());
        QCOMPARE(out, KeySounds::playedKey(key));
        if (!sound.isResampled())
            QCOMPARE(out, sound.samples);
    }

    // The mix is only turned down: the output divided by the notes' plain
    // sum is a gain that never exceeds 1 and changes from one frame to the
    // next by no more than a glide over the look-ahead allows, also where
    // notes start that the look-ahead could not see. Cutting or bending the
    // wave would change it within every crest.
    void theMixIsTurnedDownByASmoothGain_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("addPerBlock");
        QTest::newRow("a chord of ten") << 10 << 10;
        QTest::newRow("16 notes at once") << 16 << 16;
        QTest::newRow("16 notes, one per block") << 16 << 1;
    }

    void theMixIsTurnedDownByASmoothGain()
    {
        QFETCH(int, count);
        QFETCH(int, addPerBlock);
        std::vector<qint32> sum;
        const QList<qint16> out = renderMix(count, addPerBlock, &sum);
        double lowest = 1.0;
        double steepest = 0.0;
        for (qsizetype i = 1; i < out.size(); ++i) {
            const qint32 now = sum[size_t(i)];
            const qint32 before = sum[size_t(i - 1)];
            if (std::abs(now) < GainReadLevel || std::abs(before) < GainReadLevel)
                continue;
            const double gain = double(out[i]) / now;
            QVERIFY2(gain <= 1.0, qPrintable(QStringLiteral("gain %1 at %2").arg(gain).arg(i)));
            lowest = std::min(lowest, gain);
            steepest = std::max(steepest, std::abs(gain - double(out[i - 1]) / before));
        }
        qInfo("lowest gain %.3f, steepest change %.5f a frame", lowest, steepest);
        // The mix is far too loud for full gain: the checks had work to do.
        QVERIFY(lowest < 0.6);
        const double allowed = 1.0 / PeakLimiter::LookAheadFrames + 2.0 / GainReadLevel;
        QVERIFY2(steepest <= allowed, qPrintable(QString::number(steepest)));
    }

    // The gain rises again once the loud part has passed: a note struck
    // while a loud chord dies away keeps its own level (within 0.1 dB) once
    // the chord has ended.
    void aNoteAfterALoudChordGetsItsFullLevelBack()
    {
        constexpr int Chord = 16;
        constexpr int NoteAfterFrames = WavReader::SampleRate;
        constexpr int Block = 441;
        VoiceMix mix;
        qsizetype chordLength = 0;
        for (int voice = 0; voice < Chord; ++voice) {
            const PitchedSample sound = KeySounds::of(keyOfVoice(voice));
            chordLength = std::max(chordLength, sound.frames());
            mix.add(sound, 0);
        }
        const PitchedSample sound = KeySounds::of(keyOfVoice(Chord));
        const QList<qint16> &note = KeySounds::playedKey(keyOfVoice(Chord));
        QList<qint16> out;
        while (out.size() < NoteAfterFrames + note.size()) {
            if (out.size() == NoteAfterFrames)
                mix.add(sound, 0);
            const qsizetype at = out.size();
            out.resize(at + Block);
            mix.render(out.data() + at, Block);
        }
        // From a tenth of a second after the chord's end to the note's fade.
        const qsizetype from = chordLength + WavReader::SampleRate / 10 - NoteAfterFrames;
        const qsizetype length = note.size() - WavReader::SampleRate / 5 - from;
        double heard = 0.0;
        double played = 0.0;
        for (qsizetype i = from; i < from + length; ++i) {
            heard += double(out[NoteAfterFrames + i]) * out[NoteAfterFrames + i];
            played += double(note[i]) * note[i];
        }
        const double db = 10.0 * std::log10(heard / played);
        qInfo("the note after the chord: %.3f dB", db);
        QVERIFY2(std::abs(db) <= 0.1, qPrintable(QString::number(db)));
    }

    // A loud note joins notes ringing at the ceiling, wherever in a block it
    // is asked for: the gain glides down to it instead of stepping, and the
    // note starts no more than the look-ahead later than asked. Steady
    // levels make the gain the output divided by the notes' plain sum.
    void aLoudNoteJoiningRingingOnesGlidesTheGainDown_data()
    {
        QTest::addColumn<int>("ringing");
        QTest::addColumn<int>("joining");
        QTest::addColumn<int>("askedAt");
        QTest::addColumn<int>("block");
        QTest::newRow("just under the ceiling, at a block's start") << 27000 << 20000 << 0 << 441;
        QTest::newRow("limited already, at a block's start") << 30000 << 20000 << 0 << 441;
        QTest::newRow("50 frames into a block") << 27000 << 20000 << 50 << 441;
        QTest::newRow("at the look-ahead's last frame") << 27000 << 20000 << 126 << 441;
        QTest::newRow("in blocks of one frame") << 27000 << 20000 << 0 << 1;
        QTest::newRow("a soft note at the ceiling") << 27500 << 2000 << 0 << 64;
    }
    void aLoudNoteJoiningRingingOnesGlidesTheGainDown()
    {
        QFETCH(int, ringing);
        QFETCH(int, joining);
        QFETCH(int, askedAt);
        QFETCH(int, block);
        constexpr int Length = WavReader::SampleRate / 2;
        constexpr int JoinAt = WavReader::SampleRate / 10;
        VoiceMix mix;
        const qsizetype ringsFrom = mix.add(QList<qint16>(Length, qint16(ringing)), 0);
        QList<qint16> out(Length);
        qsizetype joinsFrom = -1;
        for (int at = 0; at + block <= Length; at += block) {
            if (at >= JoinAt && joinsFrom < 0)
                joinsFrom = at + mix.add(QList<qint16>(Length, qint16(joining)), askedAt);
            mix.render(out.data() + at, block);
        }
        const qsizetype askedFor = JoinAt + askedAt + (block - JoinAt % block) % block;
        QVERIFY(joinsFrom >= askedFor);
        QVERIFY(joinsFrom < askedFor + PeakLimiter::LookAheadFrames);
        double steepest = 0.0;
        double gainBefore = -1.0;
        for (qsizetype i = ringsFrom; i < out.size() - block; ++i) {
            const int plain = i < joinsFrom ? ringing : ringing + joining;
            const double gain = double(out[i]) / plain;
            QVERIFY2(out[i] <= PeakLimiter::Ceiling, qPrintable(QString::number(i)));
            QVERIFY(gain <= 1.0);
            if (gainBefore >= 0.0)
                steepest = std::max(steepest, std::abs(gain - gainBefore));
            gainBefore = gain;
        }
        const double allowed = 1.0 / PeakLimiter::LookAheadFrames + 2.0 / ringing;
        QVERIFY2(steepest <= allowed, qPrintable(QString::number(steepest)));
    }

    // Velocity 127 plays the sample as it is, as a tap does; softer touches
    // are quieter, each more than the one above it, down to 30 to 40 dB
    // below at velocity 1, and a pianist's piano and forte (30 and 120) are
    // at least 12 dB apart.
    void theVelocitySetsTheLevel()
    {
        const QList<qint16> sample = KeySounds::of(MiddleC).samples;
        QVERIFY(!sample.isEmpty());
        const auto level = [&](int velocity) {
            VoiceMix mix;
            mix.strike(sample, 0, velocity);
            QList<qint16> out(sample.size());
            mix.render(out.data(), int(out.size()));
            return out;
        };
        QCOMPARE(level(VoiceMix::FullVelocity), sample);
        std::vector<double> db(VoiceMix::FullVelocity + 1);
        for (int velocity = 1; velocity <= VoiceMix::FullVelocity; ++velocity) {
            db[size_t(velocity)] = decibels(level(velocity), sample);
            if (velocity > 1)
                QVERIFY2(db[size_t(velocity)] > db[size_t(velocity - 1)],
                         qPrintable(QString::number(velocity)));
        }
        QVERIFY(db[1] >= -40.0 && db[1] <= -30.0);
        QVERIFY(db[120] - db[30] >= 12.0);
    }

    // A note struck on a key, and what key, pedal and taps do to it. Events
    // are "what@ms"; dampedAt is when the note must start to die away, or -1
    // where it must ring out untouched.
    void keysAndThePedalDampNotesAsOnAPiano_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<int>("dampedAt");
        // A key played from its neighbour's file behaves as one of its own.
        QTest::newRow("Bb4 let go") << Bb4 << QStringList{"strike@0", "release@200"} << 200;
        QTest::newRow("Bb4 under the pedal until it comes up")
            << Bb4 << QStringList{"down@0", "strike@0", "release@200", "up@400"} << 400;
        QTest::newRow("Bb4 held while the pedal comes up")
            << Bb4 << QStringList{"down@0", "strike@0", "up@300"} << -1;
        QTest::newRow("a key let go") << A4 << QStringList{"strike@0", "release@200"} << 200;
        QTest::newRow("let go within a block")
            << A4 << QStringList{"strike@0", "release@203"} << 203;
        QTest::newRow("the pedal holds a key let go")
            << A4 << QStringList{"down@0", "strike@0", "release@200"} << -1;
        QTest::newRow("until it comes up")
            << A4 << QStringList{"down@0", "strike@0", "release@200", "up@400"} << 400;
        QTest::newRow("pedal pressed while the key is down")
            << A4 << QStringList{"strike@0", "down@100", "release@200", "up@600"} << 600;
        QTest::newRow("a key still down when the pedal comes up")
            << A4 << QStringList{"down@0", "strike@0", "up@300"} << -1;
        QTest::newRow("let go after the pedal came up")
            << A4 << QStringList{"down@0", "strike@0", "up@300", "release@500"} << 500;
        QTest::newRow("a tap, or a test note, plays out")
            << A4 << QStringList{"tap@0", "release@100", "down@150", "up@200"} << -1;
        QTest::newRow("a test note under the pedal")
            << A4 << QStringList{"down@0", "tap@0", "release@100", "up@300"} << -1;
    }
    void keysAndThePedalDampNotesAsOnAPiano()
    {
        QFETCH(int, key);
        QFETCH(QStringList, events);
        QFETCH(int, dampedAt);
        // The key undamped, as it plays out.
        const QList<qint16> &sample = KeySounds::playedKey(key);
        const QList<qint16> out = renderEvents(events, key, sample.size());
        const qsizetype damped = dampedAt < 0 ? sample.size() : dampedAt * PerMs;
        QCOMPARE(out.first(damped), sample.first(damped));
        if (dampedAt < 0)
            return;
        // Gone, a piano's way: no sudden step on the way down, and at least
        // 20 dB below the undamped note 300 ms after the damper came down.
        const qsizetype later = damped + 300 * PerMs;
        const qsizetype window = 50 * PerMs;
        QVERIFY(decibels(out.mid(later, window), sample.mid(later, window)) <= -20.0);
        QCOMPARE(AudioAnalysis::peak(out.mid(later)), 0);
        const auto steepest = [&](const QList<qint16> &wave) {
            int most = 0;
            for (qsizetype i = damped; i < later; ++i)
                most = std::max(most, std::abs(wave[i] - wave[i - 1]));
            return most;
        };
        QVERIFY2(steepest(out) <= steepest(sample) + 32,
                 qPrintable(QStringLiteral("%1 %2").arg(steepest(out)).arg(steepest(sample))));
    }

    // A sound that starts at full strength, after a look-ahead that promised
    // silence, is still held under the ceiling from its first frame.
    void aLoudStartTheLookAheadMissedStaysUnderTheCeiling()
    {
        constexpr int Frames = 256;
        constexpr int Known = Frames + PeakLimiter::LookAheadFrames - 1;
        PeakLimiter limiter;
        std::vector<qint16> out(size_t(Frames), 0);
        const std::vector<qint32> silence(size_t(Known), 0);
        limiter.process(silence.data(), Frames, out.data());
        std::vector<qint32> loud(silence.size());
        for (int i = 0; i < Known; ++i)
            loud[size_t(i)] = qint32(100000 * std::cos(2.0 * M_PI * 440.0 * i / 44100.0));
        limiter.process(loud.data(), Frames, out.data());
        QVERIFY(*std::max_element(out.begin(), out.end()) > 0);
        for (int i = 0; i < Frames; ++i)
            QVERIFY2(std::abs(out[size_t(i)]) <= PeakLimiter::Ceiling,
                     qPrintable(QString::number(i)));
    }

    // Keys mixed under the ceiling are the sum of each played alone with
    // its own events, frame for frame: a note that starts leaves those
    // ringing as they were, whenever it is asked for, and of two keys that
    // share a file, striking or letting go of one leaves the other be.
    // Scheduling has no part in this. Struck softly, so that the limiter has
    // nothing to do.
    void keysTogetherAreTheSumOfEachAlone_data()
    {
        QTest::addColumn<QStringList>("events");
        QTest::newRow("A4, then C5") << QStringList{"69:strike@0", "72:strike@100"};
        QTest::newRow("A4, then Bb4 of the same file within a block")
            << QStringList{"69:strike@0", "70:strike@3"};
        QTest::newRow("Bb4 let go beside A4")
            << QStringList{"69:strike@0", "70:strike@0", "70:release@100"};
        QTest::newRow("A4 let go beside Bb4")
            << QStringList{"69:strike@0", "70:strike@0", "69:release@100"};
        QTest::newRow("Bb4 struck again beside A4")
            << QStringList{"69:strike@0", "70:strike@0", "70:strike@100"};
    }

    void keysTogetherAreTheSumOfEachAlone()
    {
        QFETCH(QStringList, events);
        constexpr int Frames = WavReader::SampleRate;
        constexpr int Soft = 64;
        const QList<qint16> together = renderEvents(events, A4, Frames, Soft);
        QList<qint16> sum(Frames, 0);
        for (int key : {A4, Bb4, C5}) {
            const QStringList own = events.filter(QString::number(key) + QLatin1Char(':'));
            const QList<qint16> alone = renderEvents(own, key, Frames, Soft);
            for (qsizetype i = 0; i < Frames; ++i)
                sum[i] = qint16(sum[i] + alone[i]);
        }
        QCOMPARE(together, sum);
    }

    // A file read a semitone faster or slower: a sine in it comes out as the
    // sine of its new pitch, within 80 dB over every frame but the
    // interpolator's reach at either end, through the band where the
    // piano's samples hold more than noise; and no tone, up to the band's
    // edge, leaves anything else below 20 kHz louder than 80 dB under it:
    // what passes the stream's edge, and the images between frames, fold
    // back above hearing.
    void aFileReadASemitoneAwayKeepsItsSinesClean_data()
    {
        QTest::addColumn<int>("semitones");
        QTest::addColumn<double>("frequency");
        for (int semitones : {+1, -1}) {
            for (double frequency : {27.5, 440.0, 4186.0, 15000.0, 19000.0, 21000.0, 22000.0})
                QTest::addRow("%+d, %.1f Hz", semitones, frequency) << semitones << frequency;
        }
    }

    void aFileReadASemitoneAwayKeepsItsSinesClean()
    {
        QFETCH(int, semitones);
        QFETCH(double, frequency);
        constexpr double Amplitude = 20000.0;
        constexpr double AllowedDb = -80.0;
        constexpr double BandHz = 16000.0;
        constexpr double HearingHz = 20000.0;
        const double rate = WavReader::SampleRate;
        QList<qint16> sine(WavReader::SampleRate / 4);
        for (qsizetype i = 0; i < sine.size(); ++i)
            sine[i] = qint16(std::lround(Amplitude * std::sin(2.0 * M_PI * frequency * i / rate)));
        const PitchedSample sound(sine, PitchedSample::stepForSemitones(semitones));
        const QList<qint16> out = KeySounds::played(sound).mid(
            SincInterpolator::Taps, sound.frames() - 2 * SincInterpolator::Taps);
        const double heardAt = frequency * std::exp2(semitones / 12.0);
        if (heardAt <= BandHz) {
            double error = 0.0;
            double energy = 0.0;
            for (qsizetype i = 0; i < out.size(); ++i) {
                const double ideal =
                    Amplitude *
                    std::sin(2.0 * M_PI * heardAt * double(i + SincInterpolator::Taps) / rate);
                error += (out[i] - ideal) * (out[i] - ideal);
                energy += ideal * ideal;
            }
            QVERIFY2(10.0 * std::log10(error / energy) <= AllowedDb,
                     qPrintable(QString::number(10.0 * std::log10(error / energy))));
        }
        // Beyond the tone's own peak in a Hann window this long, on a grid
        // of 25 Hz; a sine of the amplitude above measures `full`.
        const double tone = heardAt < rate / 2 ? heardAt : rate - heardAt;
        const AudioAnalysis::Spectrum spectrum(out);
        const double full = Amplitude / 32768.0 / 2.0;
        for (double f = 50.0; f <= HearingHz; f += 25.0) {
            if (std::abs(f - tone) > 300.0)
                QVERIFY2(spectrum.at(f) <= full * std::pow(10.0, AllowedDb / 20.0),
                         qPrintable(QString::number(f)));
        }
    }

    // A burst fills the mixer's queue with note starts around a key let go
    // and the pedal: those survive, in their place; only the oldest starts
    // go.
    void aFullQueueKeepsEveryReleaseAndPedalChange_data()
    {
        QTest::addColumn<int>("startsBefore");
        QTest::addColumn<int>("startsAfter");
        QTest::newRow("released in a full queue") << 2 * MaxStarts << MaxStarts;
        QTest::newRow("released, then the queue overflows") << 1 << 3 * MaxStarts;
        QTest::newRow("a queue under the limit") << 1 << 1;
    }

    void aFullQueueKeepsEveryReleaseAndPedalChange()
    {
        QFETCH(int, startsBefore);
        QFETCH(int, startsAfter);
        using Action = SoundRequests::Action;
        SoundRequests queue(MaxStarts);
        int asked = 0;
        QVERIFY(queue.ask(Action::Play, QString::number(asked++)));
        for (int i = 1; i < startsBefore; ++i)
            QVERIFY(!queue.ask(Action::Play, QString::number(asked++)));
        queue.ask(Action::SustainDown);
        queue.ask(Action::Release, QStringLiteral("held"));
        queue.ask(Action::SustainUp);
        for (int i = 0; i < startsAfter; ++i)
            queue.ask(Action::Play, QString::number(asked++));

        QList<Action> others;
        QStringList starts;
        for (const SoundRequests::Request &request : queue.take()) {
            if (SoundRequests::isStart(request.action))
                starts << request.path;
            else
                others << request.action;
        }
        QCOMPARE(others, QList<Action>({Action::SustainDown, Action::Release, Action::SustainUp}));
        QStringList newest;
        for (int i = std::max(asked - MaxStarts, 0); i < asked; ++i)
            newest << QString::number(i);
        QCOMPARE(starts, newest);
        // Emptied, the queue wakes the mixer for the next request.
        QVERIFY(queue.ask(Action::Release, QStringLiteral("held")));
    }
};

QTEST_GUILESS_MAIN(VoiceMixTest)
#include "tst_voicemix.moc"
