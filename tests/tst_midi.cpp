// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
// MIDI keyboards on a JACK server of the test's own, as a user would plug
// them in: found without help, their keys played, everything else ignored.
#include "FakeSound.h"
#include "JackServer.h"
#include "Played.h"

#include "app/MidiStatusBar.h"
#include "app/VKControl.h"
#include "input/MidiInput.h"
#include "notes/Catalogue.h"
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
        keyboard.send({0x90, 30, 100});
        keyboard.send({0x90, 72, 90}); // C5
        keyboard.send({0xf8});
        keyboard.send({0x90, 96, 100});
        keyboard.send({0x90, 47, 100}); // B2, last
        QTRY_COMPARE(Played::onStaff(w.staffView()).size(), 5);
        // Everything before the last note has been handled by now; wait a
        // little for any copies.
        QTest::qWait(100);
        QCOMPARE(Played::onStaff(w.staffView()), QList<int>({36, 37, 38, 48, 23}));
        QCOMPARE(Played::sounds(sound), QStringList({"C4", "Cs4", "D4", "C5", "B2"}));

        keyboard.unplug();
        QTRY_VERIFY_WITH_TIMEOUT(!line->isVisibleTo(&w), FoundWithinMs);
        QCOMPARE(line->text(), QString());
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
        QCOMPARE(notes.first().first().toInt(), 45);

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
        QTRY_VERIFY(notes.count() > 1);
        server.stop();
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
