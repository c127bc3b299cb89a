// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AudioAnalysis.h"

#include "notes/Catalogue.h"
#include "platform/Resource.h"
#include "platform/sound/PeakLimiter.h"
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

QList<qint16> sampleOf(int note)
{
    QString error;
    return WavReader::readMono(Resource::findSound(QString::fromLatin1(notes[note].file())),
                               &error);
}

// The level of a stretch of audio relative to another as long, in dB.
double decibels(const QList<qint16> &heard, const QList<qint16> &reference)
{
    return AudioAnalysis::level(heard) - AudioAnalysis::level(reference);
}

// The notes of a mix of `count`: every seventh of the 48, so that low, middle
// and high notes all take part.
int noteOfVoice(int voice)
{
    return LowestNote + voice * 7 % (HighestNote - LowestNote + 1);
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
            const QList<qint16> sample = sampleOf(noteOfVoice(added));
            const qsizetype start = at + mix.add(sample, 0);
            sum.resize(std::max(sum.size(), size_t(start + sample.size())));
            for (qsizetype k = 0; k < sample.size(); ++k)
                sum[size_t(start + k)] += sample[k];
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

    void aNoteAloneComesOutBitForBit_data()
    {
        QTest::addColumn<int>("note");
        for (int note = LowestNote; note <= HighestNote; ++note)
            QTest::newRow(notes[note].file()) << note;
    }

    void aNoteAloneComesOutBitForBit()
    {
        QFETCH(int, note);
        const QList<qint16> sample = sampleOf(note);
        QVERIFY(!sample.isEmpty());
        VoiceMix mix;
        mix.add(sample, 0);
        QList<qint16> out(sample.size());
        mix.render(out.data(), int(out.size()));
        QVERIFY(mix.isEmpty());
        QCOMPARE(out, sample);
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
            const QList<qint16> sample = sampleOf(noteOfVoice(voice));
            chordLength = std::max(chordLength, sample.size());
            mix.add(sample, 0);
        }
        const QList<qint16> note = sampleOf(noteOfVoice(Chord));
        QList<qint16> out;
        while (out.size() < NoteAfterFrames + note.size()) {
            if (out.size() == NoteAfterFrames)
                mix.add(note, 0);
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
        const QList<qint16> sample = sampleOf(MiddleC);
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
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<int>("dampedAt");
        QTest::newRow("a key let go") << QStringList{"strike@0", "release@200"} << 200;
        QTest::newRow("let go within a block") << QStringList{"strike@0", "release@203"} << 203;
        QTest::newRow("the pedal holds a key let go")
            << QStringList{"down@0", "strike@0", "release@200"} << -1;
        QTest::newRow("until it comes up")
            << QStringList{"down@0", "strike@0", "release@200", "up@400"} << 400;
        QTest::newRow("pedal pressed while the key is down")
            << QStringList{"strike@0", "down@100", "release@200", "up@600"} << 600;
        QTest::newRow("a key still down when the pedal comes up")
            << QStringList{"down@0", "strike@0", "up@300"} << -1;
        QTest::newRow("let go after the pedal came up")
            << QStringList{"down@0", "strike@0", "up@300", "release@500"} << 500;
        QTest::newRow("a tap, or a test note, plays out")
            << QStringList{"tap@0", "release@100", "down@150", "up@200"} << -1;
        QTest::newRow("a test note under the pedal")
            << QStringList{"down@0", "tap@0", "release@100", "up@300"} << -1;
    }
    void keysAndThePedalDampNotesAsOnAPiano()
    {
        QFETCH(QStringList, events);
        QFETCH(int, dampedAt);
        constexpr int Block = 441;
        constexpr int PerMs = WavReader::SampleRate / 1000;
        const QList<qint16> sample = sampleOf(MiddleC + 9);
        VoiceMix mix;
        QList<qint16> out(sample.size() + Block);
        for (qsizetype at = 0; at + Block <= out.size(); at += Block) {
            for (const QString &event : std::as_const(events)) {
                const QString what = event.section(QLatin1Char('@'), 0, 0);
                const qsizetype frame = event.section(QLatin1Char('@'), 1).toInt() * PerMs;
                if (frame < at || frame >= at + Block)
                    continue;
                if (what == QLatin1String("strike"))
                    mix.strike(sample, frame - at, VoiceMix::FullVelocity);
                else if (what == QLatin1String("tap"))
                    mix.add(sample, frame - at);
                else if (what == QLatin1String("release"))
                    mix.release(sample, frame - at);
                else
                    mix.setSustain(what == QLatin1String("down"), frame - at);
            }
            mix.render(out.data() + at, Block);
        }
        const qsizetype damped = dampedAt < 0 ? sample.size() : dampedAt * PerMs;
        QCOMPARE(out.first(damped), sample.first(damped));
        if (dampedAt < 0)
            return;
        // Gone, a piano's way: no sudden step on the way down, and at least
        // 20 dB below the undamped note 300 ms after the damper came down.
        const qsizetype later = damped + 300 * PerMs;
        const qsizetype window = 50 * PerMs;
        QVERIFY(decibels(out.mid(later, window), sample.mid(later, window)) <= -20.0);
        QVERIFY(mix.isEmpty());
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
};

QTEST_GUILESS_MAIN(VoiceMixTest)
#include "tst_voicemix.moc"
