// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/MidiPorts.h"

#include "input/MidiMessages.h"

#include <QTimer>
#include <QtGlobal>

#include <RtMidi.h>
#include <jack/jack.h>

#include <algorithm>
#include <chrono>
#include <unistd.h>

namespace {

constexpr char ClientName[] = "Velkaro";
constexpr char InputPortName[] = "in";
constexpr int ScanIntervalMs = 1000;
// Asking libjack for a server that is not there costs one to two
// milliseconds of CPU: while none runs, it is asked every third scan only,
// which still finds a server, and the keyboards on it, within 3 s.
constexpr int ScansPerJackQuestion = 3;

// RtMidi and libjack print their complaints on stderr unless told otherwise;
// a missing or failing MIDI system is an ordinary state here, and the scan
// notices it without them.
void ignoreRtMidiError(RtMidiError::Type, const std::string &, void *) {}
void ignoreJackMessage(const char *) {}

qint64 steadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

struct MidiPorts::Source
{
    MidiPorts *owner = nullptr;
    int id = 0;
    std::unique_ptr<RtMidiIn> in;
};

MidiPorts::MidiPorts(QObject *parent) : QObject(parent)
{
    jack_set_error_function(ignoreJackMessage);
    jack_set_info_function(ignoreJackMessage);
}

MidiPorts::~MidiPorts()
{
    // Closing the inputs stops their threads, and with them the callbacks
    // into this object.
    alsaSources.clear();
    forgetJack();
}

void MidiPorts::start()
{
    auto *timer = new QTimer(this);
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, &MidiPorts::scan);
    timer->start(ScanIntervalMs);
    scan();
}

void MidiPorts::scan()
{
    const bool alsa = watchAlsa();
    const bool jack = watchJack();
    follow(alsaSources, RtMidi::LINUX_ALSA, alsa ? alsaSourceNames() : std::vector<std::string>());
    follow(jackSources, RtMidi::UNIX_JACK, jack ? jackSourceNames() : std::vector<std::string>());
    if (!scanned && !alsa && !jack)
        qWarning("No MIDI input: there is neither an ALSA sequencer nor a JACK server");
    const QStringList now = listening();
    if (!scanned || now != reported) {
        reported = now;
        emit sourcesChanged(now);
    }
    scanned = true;
}

bool MidiPorts::watchAlsa()
{
    if (alsaLister)
        return true;
    // Without the device the sequencer cannot be opened, and trying would
    // print the ALSA library's complaint on stderr.
    if (alsaFailed || access("/dev/snd/seq", R_OK | W_OK) != 0)
        return false;
    try {
        alsaLister = std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, ClientName);
        alsaLister->setErrorCallback(ignoreRtMidiError);
    } catch (const RtMidiError &) {
        // Not tried again: each try would print on stderr once more.
        alsaFailed = true;
        return false;
    }
    return true;
}

bool MidiPorts::watchJack()
{
    // A client of our own, with no ports, tells whether a server runs: RtMidi
    // reports a server that has gone away as one with the ports it had.
    // Everything of a lost server is closed before any new client is opened:
    // libjack, asked for a client while the process still holds some of a
    // server that has gone, frees those behind their owners' backs.
    if (jackWatcher && jackLost)
        forgetJack();
    if (jackWatcher)
        return true;
    if (scansToJackQuestion > 0) {
        --scansToJackQuestion;
        return false;
    }
    jack_status_t status;
    jackWatcher = jack_client_open(ClientName, JackNoStartServer, &status);
    if (!jackWatcher) {
        scansToJackQuestion = ScansPerJackQuestion - 1;
        return false;
    }
    jackLost = false;
    jack_on_shutdown(jackWatcher, &MidiPorts::serverGone, this);
    return true;
}

void MidiPorts::forgetJack()
{
    jackSources.clear();
    if (jackWatcher)
        jack_client_close(jackWatcher);
    jackWatcher = nullptr;
}

void MidiPorts::serverGone(void *ports)
{
    static_cast<MidiPorts *>(ports)->jackLost = true;
}

std::vector<std::string> MidiPorts::alsaSourceNames()
{
    std::vector<std::string> names;
    const unsigned int count = alsaLister->getPortCount();
    for (unsigned int i = 0; i < count; ++i)
        names.push_back(alsaLister->getPortName(i));
    return names;
}

std::vector<std::string> MidiPorts::jackSourceNames()
{
    std::vector<std::string> names;
    const char **ports =
        jack_get_ports(jackWatcher, nullptr, JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput);
    for (const char **port = ports; port && *port; ++port)
        names.emplace_back(*port);
    jack_free(ports);
    return names;
}

void MidiPorts::follow(Sources &open, int api, const std::vector<std::string> &names)
{
    for (auto it = open.begin(); it != open.end();) {
        if (std::find(names.begin(), names.end(), it->first) == names.end())
            it = open.erase(it);
        else
            ++it;
    }
    for (const std::string &name : names) {
        if (open.find(name) == open.end())
            open.emplace(name, openSource(api, name));
    }
}

std::unique_ptr<MidiPorts::Source> MidiPorts::openSource(int api, const std::string &name)
{
    // The server may have gone since the scan began (see watchJack).
    if (api == RtMidi::UNIX_JACK && jackLost)
        return nullptr;
    auto source = std::make_unique<Source>();
    source->owner = this;
    source->id = ++lastSourceId;
    try {
        source->in = std::make_unique<RtMidiIn>(RtMidi::Api(api), ClientName);
        source->in->setErrorCallback(ignoreRtMidiError);
        // The port's number in this client's own list, which may differ
        // from the lister's.
        const unsigned int count = source->in->getPortCount();
        for (unsigned int i = 0; i < count; ++i) {
            if (source->in->getPortName(i) == name) {
                source->in->setCallback(&MidiPorts::received, source.get());
                source->in->openPort(i, InputPortName);
                break;
            }
        }
    } catch (const RtMidiError &) {
        return nullptr;
    }
    if (!source->in->isPortOpen())
        return nullptr;
    return source;
}

QStringList MidiPorts::listening() const
{
    QStringList names;
    for (const Sources *open : {&alsaSources, &jackSources}) {
        for (const auto &[name, source] : *open) {
            if (source)
                names << QString::fromStdString(name);
        }
    }
    return names;
}

void MidiPorts::received(double, std::vector<unsigned char> *message, void *source)
{
    const int note = MidiMessages::noteOf(message->data(), message->size());
    if (note < 0)
        return;
    const auto *from = static_cast<Source *>(source);
    emit from->owner->noteArrived(note, from->id, steadyMs());
}
