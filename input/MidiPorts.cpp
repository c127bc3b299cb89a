// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/MidiPorts.h"

#include "input/MidiMessages.h"

#include <QSocketNotifier>
#include <QTimer>
#include <QtGlobal>

#include <RtMidi.h>
#include <alsa/asoundlib.h>
#include <jack/jack.h>

#include <algorithm>
#include <bitset>
#include <cerrno>
#include <chrono>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

constexpr char ClientName[] = "Velkaro";
constexpr char InputPortName[] = "in";
constexpr char AnnouncementPortName[] = "announcements";
// Where JACK 2 makes its server's socket, jack_<server name>_<uid>_0, and
// the name of PipeWire's, in the user's runtime folder.
constexpr char JackSocketFolder[] = "/dev/shm";
constexpr char PipeWireSocket[] = "pipewire-0";
constexpr char DefaultJackServer[] = "default";
// A server makes its socket a moment before it accepts clients: after a
// socket appears, the server is asked for again after 100 ms, then after
// twice as long each time, five times, 3.1 s in all.
constexpr int FirstRetryMs = 100;
constexpr int Retries = 5;
// Where no folder can be watched, a server is looked for this often: each
// question costs libjack one to two milliseconds of CPU.
constexpr int JackPollMs = 3000;
// A server that says it is going still tells its clients of the ports it
// takes away. A client closed meanwhile breaks that off: the server dies of
// the broken pipe, leaving its entry in JACK's list of servers behind, and
// libjack can be left holding a lock that hangs every later close. So the
// server's clients are closed this long after it said so.
constexpr int ServerLeavingMs = 1000;

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
    // The keys down and the pedal, as the input's own thread saw them; final
    // once the input is closed.
    std::bitset<MidiMessages::HighestKey + 1> down;
    bool pedal = false;

    void letGoOfKeys()
    {
        for (int note = MidiMessages::LowestKey; note <= MidiMessages::HighestKey; ++note) {
            if (down.test(size_t(note)))
                emit owner->keyArrived(note, 0, id, steadyMs());
        }
        down.reset();
    }
};

MidiPorts::MidiPorts(QObject *parent) : QObject(parent)
{
    jack_set_error_function(ignoreJackMessage);
    jack_set_info_function(ignoreJackMessage);
    const QByteArray server = qgetenv("JACK_DEFAULT_SERVER");
    jackSocketPrefix =
        "jack_" + (server.isEmpty() ? std::string(DefaultJackServer) : server.toStdString()) + "_";
}

MidiPorts::~MidiPorts()
{
    // Closing the inputs stops their threads, and with them the callbacks
    // into this object.
    alsaSources.clear();
    jackSources.clear();
    if (jackWatcher)
        jack_client_close(jackWatcher);
    qDeleteAll(findChildren<QSocketNotifier *>());
    if (alsaAnnouncer)
        snd_seq_close(alsaAnnouncer);
    if (socketWatch >= 0)
        ::close(socketWatch);
}

void MidiPorts::start()
{
    jackRetry = new QTimer(this);
    jackRetry->setSingleShot(true);
    connect(jackRetry, &QTimer::timeout, this, &MidiPorts::askForJackAgain);
    jackLeaving = new QTimer(this);
    jackLeaving->setSingleShot(true);
    connect(jackLeaving, &QTimer::timeout, this, &MidiPorts::serverLeft);
    socketWatch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (socketWatch >= 0) {
        socketNotifier = new QSocketNotifier(socketWatch, QSocketNotifier::Read, this);
        connect(socketNotifier, &QSocketNotifier::activated, this, &MidiPorts::jackSocketsChanged);
    }
    scan();
}

void MidiPorts::scan()
{
    scanPending = false;
    const bool alsa = watchAlsa();
    follow(alsaSources, RtMidi::LINUX_ALSA, alsa ? alsaSourceNames() : std::vector<std::string>());
    // A server on its way out is left alone until it is gone.
    const bool leaving = jackWatcher && jackLost && !jackLeft;
    const bool jack = !leaving && watchJack();
    if (!leaving)
        follow(jackSources, RtMidi::UNIX_JACK,
               jack ? jackSourceNames() : std::vector<std::string>());
    if (!scanned && !alsa && !jack)
        qWarning("No MIDI input: there is neither an ALSA sequencer nor a JACK server");
    const QStringList now = listening();
    if (!scanned || now != reported) {
        reported = now;
        emit sourcesChanged(now);
    }
    scanned = true;
}

// Any thread: one scan for any number of announcements before it runs.
void MidiPorts::scanSoon()
{
    if (!scanPending.exchange(true))
        QMetaObject::invokeMethod(this, &MidiPorts::scan, Qt::QueuedConnection);
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
    listenToAlsaAnnouncements();
    return true;
}

// The sequencer's system client tells every client subscribed to its
// announcement port when ports come, go or change.
void MidiPorts::listenToAlsaAnnouncements()
{
    snd_seq_t *seq = nullptr;
    if (snd_seq_open(&seq, "default", SND_SEQ_OPEN_INPUT, SND_SEQ_NONBLOCK) < 0)
        return;
    snd_seq_set_client_name(seq, ClientName);
    const int port = snd_seq_create_simple_port(seq, AnnouncementPortName,
                                                SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_NO_EXPORT,
                                                SND_SEQ_PORT_TYPE_APPLICATION);
    if (port < 0 ||
        snd_seq_connect_from(seq, port, SND_SEQ_CLIENT_SYSTEM, SND_SEQ_PORT_SYSTEM_ANNOUNCE) < 0) {
        snd_seq_close(seq);
        return;
    }
    std::vector<pollfd> descriptors(size_t(snd_seq_poll_descriptors_count(seq, POLLIN)));
    snd_seq_poll_descriptors(seq, descriptors.data(), unsigned(descriptors.size()), POLLIN);
    for (const pollfd &descriptor : descriptors) {
        auto *notifier = new QSocketNotifier(descriptor.fd, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, &MidiPorts::alsaAnnounced);
    }
    alsaAnnouncer = seq;
}

void MidiPorts::alsaAnnounced()
{
    bool portsChanged = false;
    for (;;) {
        snd_seq_event_t *event = nullptr;
        const int result = snd_seq_event_input(alsaAnnouncer, &event);
        if (result == -ENOSPC) {
            // Announcements were lost: the scan catches up with them.
            portsChanged = true;
            continue;
        }
        if (result < 0 || !event)
            break;
        portsChanged = portsChanged || event->type == SND_SEQ_EVENT_PORT_START ||
                       event->type == SND_SEQ_EVENT_PORT_EXIT ||
                       event->type == SND_SEQ_EVENT_PORT_CHANGE;
    }
    if (portsChanged)
        scan();
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
    jack_status_t status;
    jackWatcher = jack_client_open(ClientName, JackNoStartServer, &status);
    if (!jackWatcher) {
        lookForJackServer(true);
        if (jackRetry->isActive()) {
        } else if (jackRetriesLeft > 0) {
            jackRetry->start(FirstRetryMs << (Retries - jackRetriesLeft));
            --jackRetriesLeft;
        } else if (socketFolders.empty()) {
            jackRetry->start(JackPollMs);
        }
        return false;
    }
    jackLost = false;
    jackRetriesLeft = 0;
    jackRetry->stop();
    lookForJackServer(false);
    jack_on_shutdown(jackWatcher, &MidiPorts::serverGone, this);
    jack_set_port_registration_callback(jackWatcher, &MidiPorts::portsChanged, this);
    // Only an active client hears of ports; with no process callback of its
    // own, it is not woken every period.
    jack_activate(jackWatcher);
    return true;
}

void MidiPorts::forgetJack()
{
    while (!jackSources.empty())
        close(jackSources, jackSources.begin());
    jack_client_close(jackWatcher);
    jackWatcher = nullptr;
    jackLeft = false;
}

// Watches the socket folders while no server is known, and only then: other
// programs' files come and go there too.
void MidiPorts::lookForJackServer(bool look)
{
    if (socketWatch < 0 || look == !socketFolders.empty())
        return;
    if (!look) {
        for (int folder : socketFolders)
            inotify_rm_watch(socketWatch, folder);
        socketFolders.clear();
        return;
    }
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    for (const QByteArray &path : {QByteArray(JackSocketFolder), runtime}) {
        if (path.isEmpty())
            continue;
        const int folder =
            inotify_add_watch(socketWatch, path.constData(), IN_CREATE | IN_MOVED_TO);
        if (folder >= 0)
            socketFolders.push_back(folder);
    }
}

void MidiPorts::jackSocketsChanged()
{
    alignas(inotify_event) char buffer[4096];
    bool appeared = false;
    for (;;) {
        const ssize_t length = read(socketWatch, buffer, sizeof buffer);
        if (length <= 0)
            break;
        for (ssize_t at = 0; at < length;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
            if (event->len > 0) {
                const std::string name(event->name);
                appeared =
                    appeared || name.rfind(jackSocketPrefix, 0) == 0 || name == PipeWireSocket;
            }
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
    if (appeared && !jackWatcher) {
        jackRetriesLeft = Retries;
        jackRetry->stop();
        scan();
    }
}

void MidiPorts::askForJackAgain()
{
    if (!jackWatcher)
        scan();
}

void MidiPorts::serverGone(void *ports)
{
    auto *self = static_cast<MidiPorts *>(ports);
    self->jackLost = true;
    QMetaObject::invokeMethod(self, &MidiPorts::serverLeaving, Qt::QueuedConnection);
}

void MidiPorts::serverLeaving()
{
    jackLeaving->start(ServerLeavingMs);
}

void MidiPorts::serverLeft()
{
    jackLeft = true;
    scan();
}

void MidiPorts::portsChanged(std::uint32_t, int, void *ports)
{
    static_cast<MidiPorts *>(ports)->scanSoon();
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
        const auto next = std::next(it);
        if (std::find(names.begin(), names.end(), it->first) == names.end())
            close(open, it);
        it = next;
    }
    for (const std::string &name : names) {
        if (open.find(name) == open.end())
            open.emplace(name, openSource(api, name));
    }
}

// A keyboard that goes lets go of its keys and its pedal.
void MidiPorts::close(Sources &open, Sources::iterator source)
{
    std::unique_ptr<Source> closing = std::move(source->second);
    open.erase(source);
    if (!closing)
        return;
    closing->in.reset();
    closing->letGoOfKeys();
    if (closing->pedal)
        emit pedalArrived(false, closing->id);
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

void MidiPorts::received(double, std::vector<unsigned char> *message, void *from)
{
    auto *source = static_cast<Source *>(from);
    const MidiMessages::Event event = MidiMessages::decode(message->data(), message->size());
    switch (event.kind) {
    case MidiMessages::Event::KeyDown:
        source->down.set(size_t(event.note));
        emit source->owner->keyArrived(event.note, event.velocity, source->id, steadyMs());
        break;
    case MidiMessages::Event::KeyUp:
        source->down.reset(size_t(event.note));
        emit source->owner->keyArrived(event.note, 0, source->id, steadyMs());
        break;
    case MidiMessages::Event::AllKeysUp:
        source->letGoOfKeys();
        break;
    case MidiMessages::Event::Pedal:
        source->pedal = event.down;
        emit source->owner->pedalArrived(event.down, source->id);
        break;
    case MidiMessages::Event::Ignored:
        break;
    }
}
