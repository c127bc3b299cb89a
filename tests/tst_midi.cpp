// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
// MIDI keyboards on a JACK server of the test's own, as a user would plug
// them in: found without help, their keys played, everything else ignored.
#include "AudioAnalysis.h"
#include "FakeSound.h"
#include "JackServer.h"
#include "MonitorRecorder.h"
#include "Played.h"
#include "SoundServer.h"

#include "app/MidiStatusBar.h"
#include "app/VKControl.h"
#include "input/MidiInput.h"
#include "keyboard/VKKeyboard.h"
#include "notes/Catalogue.h"
#include "platform/Resource.h"
#include "platform/sound/QSound.h"
#include "platform/sound/SoundEngine.h"
#include "staff/VKTest.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QTest>

#include <RtMidi.h>

#include <memory>
#include <unistd.h>

namespace {

constexpr int FoundWithinMs = 3000;

// A MIDI keyboard: a JACK client with one MIDI output port.
class Keyboard
{
public:
    explicit Keyboard(const char *client) : m_out(RtMidi::UNIX_JACK, client)
    {
        m_out.setErrorCallback([](RtMidiError::Type, const std::string &, void *) {});
        m_out.openVirtualPort("keys");
    }
    void send(std::vector<unsigned char> message) { m_out.sendMessage(&message); }
    void unplug() { m_out.closePort(); }

private:
    RtMidiOut m_out;
};

// Whatever this process writes on stderr while it lives.
class StderrCapture
{
public:
    StderrCapture()
    {
        m_file.open();
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        dup2(m_file.handle(), STDERR_FILENO);
    }
    ~StderrCapture() { restore(); }
    QByteArray restore()
    {
        if (m_saved >= 0) {
            std::fflush(stderr);
            dup2(m_saved, STDERR_FILENO);
            close(m_saved);
            m_saved = -1;
        }
        m_file.seek(0);
        return m_file.readAll();
    }

private:
    QTemporaryFile m_file;
    int m_saved = -1;
};

// What reached the sink from a note's first sound on, and where in it each
// message sent went out: frames after the note-on's.
struct Take
{
    QList<qint16> heard;
    QList<qint64> sentAt;
    // The sink ran dry during the note in every take (see play).
    bool ranDry = false;
    QList<qint16> window(qint64 from, int ms) const
    {
        return heard.mid(from, MonitorRecorder::Rate * ms / 1000);
    }
};

// Plays the messages at their times in ms, a note-on first, into silence,
// and records the note.
Take playOnce(Keyboard &keyboard, const MonitorRecorder &recorder,
              const QList<std::pair<int, std::vector<unsigned char>>> &messages)
{
    constexpr int RecordMs = 1200;
    constexpr int QuietMs = 50;
    const qint64 quiet = MonitorRecorder::Rate * QuietMs / 1000;
    QElapsedTimer waited;
    waited.start();
    while (AudioAnalysis::peak(recorder.samples(recorder.frames() - quiet, quiet)) != 0 &&
           waited.elapsed() < 5000)
        QTest::qWait(QuietMs);
    const qint64 from = recorder.frames();
    QElapsedTimer clock;
    clock.start();
    QList<qint64> sentNs;
    for (const auto &[ms, message] : messages) {
        if (clock.elapsed() < ms)
            QTest::qWait(int(ms - clock.elapsed()));
        sentNs << clock.nsecsElapsed();
        keyboard.send(message);
    }
    // The window's event loop runs meanwhile, as it does in the program.
    while (recorder.frames() < from + MonitorRecorder::Rate * RecordMs / 1000 &&
           clock.elapsed() < 3 * RecordMs)
        QTest::qWait(10);
    const QList<qint16> recorded = recorder.samples(from, MonitorRecorder::Rate * RecordMs / 1000);
    Take take;
    take.heard = recorded.mid(std::max<qsizetype>(AudioAnalysis::onset(recorded, 0, 1), 0));
    // Within the second the checks listen to.
    take.ranDry = AudioAnalysis::hasDropout(
        take.heard.first(std::min<qsizetype>(take.heard.size(), MonitorRecorder::Rate)));
    for (qint64 ns : std::as_const(sentNs))
        take.sentAt << (ns - sentNs.first()) * MonitorRecorder::Rate / 1000000000;
    return take;
}

// The same, taken again, up to three times, where the sink ran dry in the
// middle of the note: on a busy machine the mixer's buffer may come late,
// and such a take is not what was played.
Take play(Keyboard &keyboard, const MonitorRecorder &recorder,
          const QList<std::pair<int, std::vector<unsigned char>>> &messages)
{
    constexpr int MaxTakes = 3;
    Take take;
    for (int attempt = 0; attempt < MaxTakes; ++attempt) {
        take = playOnce(keyboard, recorder, messages);
        if (!take.ranDry)
            break;
    }
    return take;
}

std::vector<unsigned char> noteOn(unsigned char velocity)
{
    return {0x90, 69, velocity}; // A4
}
const std::vector<unsigned char> NoteOff{0x80, 69, 0};
const std::vector<unsigned char> PedalDown{0xb0, 64, 127};
const std::vector<unsigned char> PedalUp{0xb0, 64, 0};

void expectNoMidiSystemWarning()
{
    if (!QFile::exists(QStringLiteral("/dev/snd/seq")))
        QTest::ignoreMessage(QtWarningMsg,
                             "No MIDI input: there is neither an ALSA sequencer nor a JACK server");
}

} // namespace

class MidiTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!JackServer::installed())
            QSKIP("jackd is not installed");
    }

    void aKeyboardPluggedInLaterIsFoundAndItsKeysPlay()
    {
        JackServer server;
        server.useByDefault();
        QVERIFY(server.start());
        FakeSound sound;
        VKControl w;
        QSignalSpy scanned(w.midiInput(), &MidiInput::sourcesChanged);
        w.resize(240, 300); // room for ten notes on the staff
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_COMPARE(scanned.count(), 1);

        auto *line = w.findChild<MidiStatusBar *>();
        QVERIFY(!line->isVisibleTo(&w));
        Keyboard keyboard("Piano");
        QTRY_VERIFY_WITH_TIMEOUT(w.midiInput()->sources().contains("Piano:keys"), FoundWithinMs);
        QCOMPARE(line->text(), QStringLiteral("MIDI: Piano:keys"));
        QVERIFY(line->isVisibleTo(&w));

        keyboard.send({0x90, 60, 100}); // C4
        keyboard.send({0x80, 60, 64});
        keyboard.send({0x91, 61, 1}); // C#4, on channel 2
        keyboard.send({0x90, 61, 0});
        keyboard.send({0xb0, 64, 127});
        keyboard.send({0x9f, 62, 127}); // D4, on channel 16
        keyboard.send({0xe0, 0, 80});
        keyboard.send({0x90, 20, 100}); // below A0
        keyboard.send({0x90, 72, 90});  // C5
        keyboard.send({0xf8});
        keyboard.send({0x90, 109, 100}); // above C8
        keyboard.send({0x90, 47, 100});  // B2, last
        QTRY_COMPARE(Played::onStaff(w.staffView()).size(), 5);
        // Everything before the last note has been handled by now; wait a
        // little for any copies.
        QTest::qWait(100);
        QCOMPARE(Played::onStaff(w.staffView()), QList<int>({60, 61, 62, 72, 47}));
        QCOMPARE(Played::sounds(sound), QStringList({"C4", "Cs4", "D4", "C5", "B2"}));
        // At their velocities; the keys let go are let go, the others held,
        // and the pedal is down.
        QCOMPARE(sound.velocities, QList<int>({100, 1, 127, 90, 100}));
        QCOMPARE(Played::names(sound.released), QStringList({"C4", "Cs4"}));
        QCOMPARE(w.keyboardView()->heldKeys(), QSet<int>({62, 72, 47}));
        QCOMPARE(sound.pedal, QList<bool>{true});

        // Unplugged, the keyboard lets go of its keys and its pedal, and
        // leaves the status line.
        keyboard.unplug();
        QTRY_VERIFY_WITH_TIMEOUT(!line->isVisibleTo(&w), FoundWithinMs);
        QCOMPARE(line->text(), QString());
        QTRY_COMPARE(sound.pedal, QList<bool>({true, false}));
        QTRY_VERIFY(w.keyboardView()->heldKeys().isEmpty());
        QStringList letGo = Played::names(sound.released.mid(2));
        letGo.sort();
        QCOMPARE(letGo, QStringList({"B2", "C5", "D4"}));
    }

    // Through a JACK keyboard to the sound server's silent sink, as a
    // pianist plays: the touch sets the level, a key let go is damped, and
    // the pedal holds it until it comes up. Levels over 300 ms from the
    // start, or over 50 ms windows 300 ms after the key or pedal came up,
    // against the same note held.
    void aPianistsTouchReachesTheSink()
    {
        VELKARO_REQUIRE_SOUND_SERVER();
        JackServer server;
        server.useByDefault();
        QVERIFY(server.start());
        QStringList paths;
        for (int n = LowestNote; n <= HighestNote; ++n)
            paths << Resource::findSound(QString::fromLatin1(notes[n].file()));
        QSignalSpy loaded(SoundEngine::instance(), &SoundEngine::preloadFinished);
        QSound::preload(paths);
        QVERIFY(loaded.wait(10000));
        VKControl w;
        w.resize(240, 300);
        w.show();
        Keyboard keyboard("Touch");
        QTRY_VERIFY_WITH_TIMEOUT(w.midiInput()->sources().contains("Touch:keys"), FoundWithinMs);
        MonitorRecorder recorder;
        QVERIFY(recorder.start());
        QTest::qWait(MonitorRecorder::WarmUpMs);

        const Take soft = play(keyboard, recorder, {{0, noteOn(30)}, {400, NoteOff}});
        const Take loud = play(keyboard, recorder, {{0, noteOn(120)}, {400, NoteOff}});
        const Take held = play(keyboard, recorder, {{0, noteOn(100)}, {1000, NoteOff}});
        const Take letGo = play(keyboard, recorder, {{0, noteOn(100)}, {200, NoteOff}});
        const Take pedal = play(keyboard, recorder,
                                {{0, noteOn(100)}, {0, PedalDown}, {200, NoteOff}, {600, PedalUp}});
        for (const Take *take : {&soft, &loud, &held, &letGo, &pedal}) {
            if (take->ranDry)
                QSKIP("the sink ran dry in every take: the machine is too busy to judge");
        }
        constexpr int After = MonitorRecorder::Rate * 300 / 1000;
        const auto below = [&](const Take &take, qint64 at) {
            return AudioAnalysis::level(take.window(at, 50)) -
                   AudioAnalysis::level(held.window(at, 50));
        };
        const double touch =
            AudioAnalysis::level(loud.window(0, 300)) - AudioAnalysis::level(soft.window(0, 300));
        const double released = below(letGo, letGo.sentAt[1] + After);
        const double sustained = below(pedal, pedal.sentAt[2] + After);
        const double pedalUp = below(pedal, pedal.sentAt[3] + After);
        qInfo("velocity 120 over 30: %+.1f dB; 300 ms after the key came up: %+.1f dB, with the "
              "pedal down: %+.1f dB, 300 ms after the pedal came up: %+.1f dB",
              touch, released, sustained, pedalUp);
        QVERIFY(touch >= 12.0);
        QVERIFY(released <= -20.0);
        QVERIFY(sustained >= -1.0);
        QVERIFY(pedalUp <= -20.0);
    }

    void aServerStartedLaterIsFoundQuietlyAndItsEndSurvived()
    {
        JackServer server;
        server.useByDefault();
        StderrCapture stderrOutput;
        expectNoMidiSystemWarning();
        MidiInput input;
        QSignalSpy scanned(&input, &MidiInput::sourcesChanged);
        QTRY_COMPARE(scanned.count(), 1);
        QVERIFY(input.sources().isEmpty());

        QVERIFY(server.start());
        auto keyboard = std::make_unique<Keyboard>("Late");
        // Found with the server, which is looked for every 3 s; opening its
        // ports takes a moment more.
        QTRY_VERIFY_WITH_TIMEOUT(input.sources().contains("Late:keys"), FoundWithinMs + 500);
        QSignalSpy notes(&input, &MidiInput::noteRead);
        keyboard->send({0x90, 69, 100});
        QTRY_COMPARE(notes.count(), 1);
        QCOMPARE(notes.first().first().toInt(), 69);

        // The piano's ends, A0 and C8, are struck and let go like any key,
        // the keys beyond them not at all.
        QSignalSpy struck(&input, &MidiInput::noteStruck);
        QSignalSpy released(&input, &MidiInput::noteReleased);
        for (const unsigned char key : {20, 21, 108, 109})
            keyboard->send({0x90, key, 90});
        for (const unsigned char key : {20, 21, 108, 109})
            keyboard->send({0x80, key, 0});
        QTRY_COMPARE(released.count(), 2);
        QTest::qWait(100);
        for (const QSignalSpy *spy : {&struck, &released}) {
            QCOMPARE(spy->count(), 2);
            QCOMPARE(spy->at(0).at(0).toInt(), 21);
            QCOMPARE(spy->at(1).at(0).toInt(), 108);
        }
        notes.clear();

        keyboard->unplug();
        QTRY_VERIFY_WITH_TIMEOUT(input.sources().isEmpty(), FoundWithinMs);
        keyboard.reset();

        // A keyboard of another program, playing A4 once a second, stays
        // plugged in while the server stops.
        QProcess sequencer;
        sequencer.start(QStringLiteral("jack_midiseq"),
                        {QStringLiteral("Sequencer"), QStringLiteral("48000"), QStringLiteral("0"),
                         QStringLiteral("69"), QStringLiteral("12000")});
        QTRY_VERIFY_WITH_TIMEOUT(input.sources().contains("Sequencer:out"), FoundWithinMs);
        QTRY_VERIFY(!notes.isEmpty());
        // The server ends cleanly: no client of ours breaks off its going.
        QVERIFY(server.stop());
        QTRY_VERIFY_WITH_TIMEOUT(input.sources().isEmpty(), FoundWithinMs);
        sequencer.kill();
        sequencer.waitForFinished();
        // Looking for a server again each second stays quiet too.
        QTest::qWait(1500);
        QCOMPARE(stderrOutput.restore(), QByteArray());
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    MidiTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_midi.moc"
