// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AudioAnalysis.h"

#include "notes/Catalogue.h"
#include "platform/Resource.h"
#include "platform/sound/WavReader.h"

#include <QFile>
#include <QTest>
#include <QtEndian>

#include <cmath>

namespace {

constexpr int Rate = 44100;
constexpr double PitchToleranceCents = 10.0;
constexpr int AnalysisMs = 500;
// Analysed after the hammer's noise, which has no pitch.
constexpr int AttackMs = 30;
constexpr int QuietTailMs = 200;
// -40 dBFS: far below the note, yet well above the last bit of dither.
constexpr int QuietPeak = 328;
// A sample touching this has been clipped when it was rendered.
constexpr int ClipLevel = 32767 - 64;
// The attack comes within this much of the start: leading silence would
// delay every tap by as much.
constexpr int OnsetWithinMs = 5;
constexpr int AudibleLevel = 328;
// Every note as loud as the others, A-weighted over its first half second:
// within 2 dB from the quietest to the loudest.
constexpr double LoudnessSpreadDb = 2.0;
// -3 dBFS: no note's peak reaches it.
const int MinusThreeDbfs = int(32768 * std::pow(10.0, -3.0 / 20.0));

double equalTempered(int note)
{
    return 440.0 * std::exp2((note - 69) / 12.0);
}

} // namespace

// The 48 piano samples that the build renders, one per key from C2 to B5.
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

    void eachNoteHasAMonoPianoSampleInTuneWithAQuietTailAndNoClipping_data()
    {
        QTest::addColumn<int>("note");
        for (int n = LowestNote; n <= HighestNote; ++n)
            QTest::newRow(notes[n].file()) << n;
    }

    void eachNoteHasAMonoPianoSampleInTuneWithAQuietTailAndNoClipping()
    {
        QFETCH(int, note);
        const QString path = Resource::findSound(QString::fromLatin1(notes[note].file()));
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

        const double expected = equalTempered(note);
        const double measured = AudioAnalysis::fundamental(
            samples.mid(Rate * AttackMs / 1000, Rate * AnalysisMs / 1000), expected / 2.5,
            expected * 2.5);
        const double off = AudioAnalysis::cents(measured, expected);
        QVERIFY2(std::abs(off) <= PitchToleranceCents,
                 qPrintable(QStringLiteral("%1 Hz measured, %2 Hz expected (%3 cents)")
                                .arg(measured, 0, 'f', 2)
                                .arg(expected, 0, 'f', 2)
                                .arg(off, 0, 'f', 1)));

        const qsizetype tail = Rate * QuietTailMs / 1000;
        QVERIFY2(AudioAnalysis::peak(samples.mid(samples.size() - tail)) <= QuietPeak,
                 "the last 200 ms are not quiet");
        QVERIFY2(AudioAnalysis::peak(samples) < ClipLevel, "the sample is clipped");
        const qsizetype onset = AudioAnalysis::onset(samples, 0, AudibleLevel);
        QVERIFY(onset >= 0);
        QVERIFY2(onset <= Rate * OnsetWithinMs / 1000, "the sample starts with silence");
    }

    void theNotesAreEquallyLoudWithPeaksBelowMinusThreeDbfs()
    {
        double quietest = 0.0;
        double loudest = -100.0;
        QString quietestName;
        QString loudestName;
        int highestPeak = 0;
        for (int n = LowestNote; n <= HighestNote; ++n) {
            const QString name = QString::fromLatin1(notes[n].file());
            QString error;
            const QList<qint16> samples = WavReader::readMono(Resource::findSound(name), &error);
            QVERIFY2(!samples.isEmpty(), qPrintable(error));
            const int peak = AudioAnalysis::peak(samples);
            QVERIFY2(peak < MinusThreeDbfs,
                     qPrintable(name + QStringLiteral(": peak %1").arg(peak)));
            highestPeak = std::max(highestPeak, peak);
            const double level =
                AudioAnalysis::aWeightedLevel(samples.mid(0, Rate * AnalysisMs / 1000));
            if (level < quietest) {
                quietest = level;
                quietestName = name;
            }
            if (level > loudest) {
                loudest = level;
                loudestName = name;
            }
        }
        const QString levels = QStringLiteral("%1 at %2 dBFS, %3 at %4 dBFS")
                                   .arg(quietestName)
                                   .arg(quietest, 0, 'f', 2)
                                   .arg(loudestName)
                                   .arg(loudest, 0, 'f', 2);
        qInfo("%s; highest peak %.2f dBFS", qPrintable(levels),
              20.0 * std::log10(highestPeak / 32768.0));
        QVERIFY2(loudest - quietest <= LoudnessSpreadDb, qPrintable(levels));
    }

    void theSamplesTogetherStayWithinTenMegabytes()
    {
        qint64 bytes = 0;
        for (int n = LowestNote; n <= HighestNote; ++n) {
            QString error;
            bytes += WavReader::readMono(Resource::findSound(QString::fromLatin1(notes[n].file())),
                                         &error)
                         .size() *
                     qint64(sizeof(qint16));
        }
        QVERIFY(bytes > 0);
        QVERIFY2(bytes <= 10 * 1000 * 1000, qPrintable(QString::number(bytes)));
    }
};

QTEST_GUILESS_MAIN(SamplesTest)
#include "tst_samples.moc"
