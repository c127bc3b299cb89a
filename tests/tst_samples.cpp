// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AudioAnalysis.h"
#include "KeySounds.h"

#include "platform/sound/WavReader.h"
#include "sounds/NotePitch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace {

constexpr int Rate = 44100;
// Every key within 5 cents of equal temperament at A4 = 440 Hz.
constexpr double PitchToleranceCents = 5.0;
constexpr int AnalysisMs = 500;
constexpr int QuietTailMs = 200;
// -40 dBFS: far below the note, yet well above the last bit of dither.
constexpr int QuietPeak = 328;
// A sample touching this has been clipped when it was rendered.
constexpr int ClipLevel = 32767 - 64;
// The attack comes within this much of the start: leading silence would
// delay every tap by as much.
constexpr int OnsetWithinMs = 5;
constexpr int AudibleLevel = 328;
// -50 dBFS: a first or last frame no louder than this is no click.
constexpr int StartsFromSilence = 104;
constexpr int EndsInSilence = 104;
// A soft touch, as the MIDI test plays one.
constexpr int SoftVelocity = 30;
// Every key as loud as the others, A-weighted over its first half second.
constexpr double LoudnessToleranceDb = 1.0;
// -3 dBFS: no note's peak reaches it.
const int MinusThreeDbfs = int(32768 * std::pow(10.0, -3.0 / 20.0));
// The memory of the 48 samples C2 to B5, 1.5 s each, when every note had a
// file of its own.
constexpr qint64 FortyEightSamplesBytes = 48 * 66150 * 2;

} // namespace

// The piano samples that the build renders, and the 88 keys the mixer plays
// from them.
class SamplesTest : public QObject
{
    Q_OBJECT
private slots:

    // The pitch check below is only as good as its measure: a tone made of a
    // fundamental and stronger upper partials is measured to a fraction of a
    // cent, so a note twelve cents off is measured as twelve cents off.
    void theTuningMeasureFindsTheFundamentalToAFractionOfACent_data()
    {
        QTest::addColumn<double>("frequency");
        QTest::newRow("C2 with a weak fundamental") << 65.406;
        QTest::newRow("A4") << 440.0;
        QTest::newRow("A4 twelve cents sharp") << 440.0 * std::exp2(12.0 / 1200.0);
        QTest::newRow("B5") << 987.767;
    }

    void theTuningMeasureFindsTheFundamentalToAFractionOfACent()
    {
        QFETCH(double, frequency);
        constexpr double Partials[] = {0.2, 1.0, 0.6, 0.3};
        QList<qint16> tone(Rate * AnalysisMs / 1000);
        for (qsizetype i = 0; i < tone.size(); ++i) {
            double value = 0.0;
            for (int k = 0; k < 4; ++k)
                value += Partials[k] * std::sin(2.0 * M_PI * (k + 1) * frequency * i / Rate);
            tone[i] = qint16(value * 8000.0);
        }
        const double measured = AudioAnalysis::fundamental(tone, frequency / 2.5, frequency * 2.5);
        QVERIFY2(std::abs(AudioAnalysis::cents(measured, frequency)) < 0.5,
                 qPrintable(QString::number(measured)));
    }

    // The loudness check below is only as good as its weighting: sines at
    // frequencies the standard tabulates measure what it gives for them.
    void theLoudnessMeasureWeightsFrequenciesAsTheStandardSays_data()
    {
        QTest::addColumn<double>("frequency");
        QTest::addColumn<double>("weightDb");
        QTest::newRow("100 Hz") << 100.0 << -19.1;
        QTest::newRow("1 kHz") << 1000.0 << 0.0;
        QTest::newRow("10 kHz") << 10000.0 << -2.5;
    }

    void theLoudnessMeasureWeightsFrequenciesAsTheStandardSays()
    {
        QFETCH(double, frequency);
        QFETCH(double, weightDb);
        QList<qint16> sine(Rate * AnalysisMs / 1000);
        for (qsizetype i = 0; i < sine.size(); ++i)
            sine[i] = qint16(std::lround(16384.0 * std::sin(2.0 * M_PI * frequency * i / Rate)));
        // A sine of half full scale has a mean square of 1/8 of full scale.
        const double measured = AudioAnalysis::aWeightedLevel(sine) - 10.0 * std::log10(0.125);
        QVERIFY2(std::abs(measured - weightDb) <= 0.1, qPrintable(QString::number(measured)));
    }

    // The same for the measure of a whole note that the build tunes by, also
    // for a low note with no fundamental at all whose partials run sharp as
    // a stiff string's do, and for a high note that is nearly a sine.
    void theNotePitchIsTheStringsFundamental_data()
    {
        QTest::addColumn<double>("frequency");
        QTest::addColumn<int>("firstPartial");
        QTest::addColumn<double>("stiffness");
        QTest::newRow("A0, partials 2 to 8 only") << 27.5 << 2 << 4e-4;
        QTest::newRow("A0 three cents flat") << 27.5 * std::exp2(-3.0 / 1200.0) << 2 << 4e-4;
        QTest::newRow("C4 with its fundamental") << 261.626 << 1 << 3e-4;
        QTest::newRow("C8, whose partials lie above 5 kHz") << 4186.01 << 1 << 0.0;
    }

    void theNotePitchIsTheStringsFundamental()
    {
        QFETCH(double, frequency);
        QFETCH(int, firstPartial);
        QFETCH(double, stiffness);
        const double nominal = std::round(KeySounds::MidiA4 + 12.0 * std::log2(frequency / 440.0));
        QList<qint16> tone(Rate * (NotePitch::FromMs + NotePitch::LengthMs + 50) / 1000);
        for (qsizetype i = 0; i < tone.size(); ++i) {
            double value = 0.0;
            for (int n = firstPartial; n * frequency < Rate / 2 && n <= NotePitch::MaxPartials; ++n)
                value += std::sin(2.0 * M_PI * n * frequency * std::sqrt(1.0 + stiffness * n * n) *
                                  double(i) / Rate) /
                         n;
            tone[i] = qint16(value * 6000.0);
        }
        const double measured = NotePitch::of(tone.constData(), size_t(tone.size()),
                                              KeySounds::equalTempered(int(nominal)));
        QVERIFY2(std::abs(AudioAnalysis::cents(measured, frequency)) < 0.5,
                 qPrintable(QString::number(measured)));
    }

    // What the build rendered: one mono file for every third key, each a
    // piano note that starts at once, has a quiet tail and is not clipped.
    void eachRenderedFileIsAMonoPianoSampleWithAQuietTailAndNoClipping_data()
    {
        QTest::addColumn<QString>("path");
        const QDir folder(QFileInfo(KeySounds::pathOf(KeySounds::MidiA4)).path());
        const QStringList files = folder.entryList({QStringLiteral("*.wav")}, QDir::Files);
        for (const QString &file : files)
            QTest::newRow(qPrintable(file)) << folder.filePath(file);
    }

    void eachRenderedFileIsAMonoPianoSampleWithAQuietTailAndNoClipping()
    {
        QFETCH(QString, path);
        QVERIFY2(pianoKeyOfSoundFile(path).has_value(), "not named after a key");
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        const QByteArray bytes = file.readAll();

        // The format chunk comes first: PCM, mono, 44.1 kHz, 16 bits.
        QVERIFY(bytes.size() > 44);
        QCOMPARE(bytes.mid(12, 4), QByteArray("fmt "));
        QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 20), quint16(1));
        QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 22), quint16(1));
        QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 24), quint32(Rate));
        QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 34), quint16(16));

        QString error;
        const QList<qint16> samples = WavReader::decodeMono(bytes, &error);
        QVERIFY2(!samples.isEmpty(), qPrintable(error));
        QVERIFY(samples.size() >= Rate * (AnalysisMs + QuietTailMs) / 1000);
        QVERIFY2(AudioAnalysis::peak(samples) < ClipLevel, "the sample is clipped");
    }

    // Every key of the piano, as the mixer plays it from its own file or a
    // neighbour's: in tune, starting at once from silence, under -3 dBFS,
    // and ending in a quiet tail, so that neither end clicks.
    void everyKeySoundsInTuneAndCleanlyFromTheMixer_data()
    {
        QTest::addColumn<int>("key");
        for (int key = LowestPianoKey; key <= HighestPianoKey; ++key)
            QTest::newRow(qPrintable(soundNameOf(key))) << key;
    }

    void everyKeySoundsInTuneAndCleanlyFromTheMixer()
    {
        QFETCH(int, key);
        QVERIFY(!KeySounds::of(key).isEmpty());
        const QList<qint16> played = KeySounds::playedKey(key);
        QVERIFY(played.size() >= Rate * (AnalysisMs + QuietTailMs) / 1000);

        const double expected = KeySounds::equalTempered(key);
        const double measured = NotePitch::of(played.constData(), size_t(played.size()), expected);
        const double off = AudioAnalysis::cents(measured, expected);
        QVERIFY2(std::abs(off) <= PitchToleranceCents,
                 qPrintable(QStringLiteral("%1 Hz measured, %2 Hz expected (%3 cents)")
                                .arg(measured, 0, 'f', 3)
                                .arg(expected, 0, 'f', 3)
                                .arg(off, 0, 'f', 2)));

        QVERIFY2(AudioAnalysis::peak(played) < MinusThreeDbfs,
                 qPrintable(QString::number(AudioAnalysis::peak(played))));
        QVERIFY2(std::abs(played.first()) <= StartsFromSilence,
                 qPrintable(QString::number(played.first())));
        const qsizetype onset = AudioAnalysis::onset(played, 0, AudibleLevel);
        QVERIFY(onset >= 0);
        QVERIFY2(onset <= Rate * OnsetWithinMs / 1000, "the note starts with silence");
        const qsizetype tail = Rate * QuietTailMs / 1000;
        QVERIFY2(AudioAnalysis::peak(played.mid(played.size() - tail)) <= QuietPeak,
                 "the last 200 ms are not quiet");
        QVERIFY2(std::abs(played.last()) <= EndsInSilence,
                 qPrintable(QString::number(played.last())));
    }

    // A-weighted over their first half second, as the mixer plays them,
    // every key within 1 dB of the keyboard's median.
    void theKeysAreEquallyLoud()
    {
        QList<double> levels;
        for (int key = LowestPianoKey; key <= HighestPianoKey; ++key)
            levels << AudioAnalysis::aWeightedLevel(
                KeySounds::playedKey(key).first(Rate * AnalysisMs / 1000));
        QList<double> sorted = levels;
        std::sort(sorted.begin(), sorted.end());
        const double median = (sorted[sorted.size() / 2 - 1] + sorted[sorted.size() / 2]) / 2.0;
        const auto quietest = std::min_element(levels.begin(), levels.end()) - levels.begin();
        const auto loudest = std::max_element(levels.begin(), levels.end()) - levels.begin();
        const QString spread = QStringLiteral("median %1 dBFS; %2 at %3, %4 at %5")
                                   .arg(median, 0, 'f', 2)
                                   .arg(soundNameOf(LowestPianoKey + int(quietest)))
                                   .arg(levels[quietest], 0, 'f', 2)
                                   .arg(soundNameOf(LowestPianoKey + int(loudest)))
                                   .arg(levels[loudest], 0, 'f', 2);
        qInfo("%s", qPrintable(spread));
        QVERIFY2(median - levels[quietest] <= LoudnessToleranceDb, qPrintable(spread));
        QVERIFY2(levels[loudest] - median <= LoudnessToleranceDb, qPrintable(spread));
    }

    // All 88 keys decoded hold no more memory than the 48 notes' samples
    // did when each had a file of its own.
    void theSamplesOfAllKeysHoldNoMoreThanTheFortyEightDid()
    {
        SampleCache cache;
        for (int key = LowestPianoKey; key <= HighestPianoKey; ++key)
            QVERIFY(!cache.load(KeySounds::pathOf(key)).isEmpty());
        qInfo("the samples of the 88 keys hold %lld bytes", cache.bytes());
        QVERIFY(cache.bytes() > 0);
        QVERIFY2(cache.bytes() <= FortyEightSamplesBytes,
                 qPrintable(QString::number(cache.bytes())));
    }

    // The checks at the sound server take again any take in which the sink
    // ran dry: the check must see a dropout however short, and must find
    // none in the first second of the notes those checks play: any key
    // struck hard, A4 soft, and notes let go. (Near silence, a note's fading
    // tail may hold runs of zeros.)
    void theDropoutCheckFindsAGapAndNoneInACleanNote_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("velocity");
        QTest::addColumn<int>("letGoAtMs");
        for (int key = LowestPianoKey; key <= HighestPianoKey; ++key)
            QTest::newRow(qPrintable(soundNameOf(key))) << key << VoiceMix::FullVelocity << -1;
        QTest::newRow("A4, soft") << KeySounds::MidiA4 << SoftVelocity << -1;
        QTest::newRow("A4, let go") << KeySounds::MidiA4 << 100 << 200;
        QTest::newRow("C8, let go") << HighestPianoKey << VoiceMix::FullVelocity << 600;
    }

    void theDropoutCheckFindsAGapAndNoneInACleanNote()
    {
        QFETCH(int, key);
        QFETCH(int, velocity);
        QFETCH(int, letGoAtMs);
        constexpr int GapFrames = 8;
        constexpr int GapAt = Rate / 10;
        const PitchedSample sound = KeySounds::of(key);
        const qsizetype letGo = letGoAtMs < 0 ? Rate : Rate * letGoAtMs / 1000;
        VoiceMix mix;
        QList<qint16> played(Rate);
        mix.strike(sound, 0, velocity);
        mix.render(played.data(), int(letGo));
        mix.release(sound, 0);
        mix.render(played.data() + letGo, int(Rate - letGo));
        QVERIFY(!AudioAnalysis::hasDropout(played));
        played.insert(GapAt, GapFrames, 0);
        QVERIFY(AudioAnalysis::hasDropout(played));
    }
};

QTEST_GUILESS_MAIN(SamplesTest)
#include "tst_samples.moc"
