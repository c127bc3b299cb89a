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

// The notes of a mix of `count`: every seventh of the 48, so that low, middle
// and high notes all take part.
int noteOfVoice(int voice)
{
    return LowestNote + voice * 7 % (HighestNote - LowestNote + 1);
}

// Renders the mix in blocks of the sizes above, `addPerBlock` notes added
// before each block, until it falls silent. With no more notes than ring
// together, *plain is the sum of the notes as they were started, unlimited.
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
            mix.add(sample, 0);
            sum.resize(std::max(sum.size(), size_t(at + sample.size())));
            for (qsizetype k = 0; k < sample.size(); ++k)
                sum[size_t(at + k)] += sample[k];
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
