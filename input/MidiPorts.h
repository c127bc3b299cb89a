// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;
class QTimer;
class RtMidiIn;
struct _jack_client;
struct _snd_seq;

// Keeps an input open on every MIDI source of the ALSA sequencer and of a
// running JACK server. The port lists are read at start and whenever the MIDI
// systems announce a change: the ALSA sequencer on its announcement port,
// JACK through its port registration callback. A JACK server that starts
// later is noticed by its socket appearing (JACK 2 puts it in /dev/shm,
// PipeWire in the runtime folder); one that stops, by its shutdown callback.
// So an idle program is never woken to look. Lives on a thread of its own, so
// a slow or dead MIDI system never holds up the window; every MIDI call is
// made from that thread.
class MidiPorts : public QObject
{
    Q_OBJECT
public:
    explicit MidiPorts(QObject *parent = nullptr);
    ~MidiPorts() override;

public slots:
    // Opens every source there is, then follows the announcements.
    void start();

signals:
    // A key (its MIDI number) struck (velocity 1 to 127) or let go (velocity
    // 0) on the source with this id, at ms on the steady clock. Emitted from the MIDI system's
    // own thread; when a source goes, its keys still down are let go.
    void keyArrived(int note, int velocity, int source, qint64 ms);
    // That source's sustain pedal went down or came up; a source that goes
    // lets its pedal up.
    void pedalArrived(bool down, int source);
    // The sources listened to, after the first scan and whenever they change.
    void sourcesChanged(const QStringList &sources);

private:
    struct Source;
    // The sources open on one MIDI system, by their names there. A source
    // that would not open stays in as an empty entry, so it is not tried
    // again at every scan, until it vanishes.
    using Sources = std::map<std::string, std::unique_ptr<Source>>;

    void scan();
    void scanSoon();
    void serverLeaving();
    void serverLeft();
    bool watchAlsa();
    void listenToAlsaAnnouncements();
    void alsaAnnounced();
    bool watchJack();
    void forgetJack();
    void lookForJackServer(bool look);
    void jackSocketsChanged();
    void askForJackAgain();
    std::vector<std::string> alsaSourceNames();
    std::vector<std::string> jackSourceNames();
    void follow(Sources &open, int api, const std::vector<std::string> &names);
    void close(Sources &open, Sources::iterator source);
    std::unique_ptr<Source> openSource(int api, const std::string &name);
    QStringList listening() const;

    static void received(double, std::vector<unsigned char> *message, void *source);
    static void portsChanged(std::uint32_t, int, void *ports);
    static void serverGone(void *ports);

    std::unique_ptr<RtMidiIn> alsaLister;
    bool alsaFailed = false;
    _snd_seq *alsaAnnouncer = nullptr;
    _jack_client *jackWatcher = nullptr;
    std::atomic<bool> jackLost{false};
    std::atomic<bool> scanPending{false};
    // Watches the folders where a JACK server's socket appears.
    int socketWatch = -1;
    std::vector<int> socketFolders;
    QSocketNotifier *socketNotifier = nullptr;
    std::string jackSocketPrefix;
    // Asks again shortly after a socket appeared, since a server takes a
    // moment to accept clients after making it; or, where no folder can be
    // watched, every few seconds.
    QTimer *jackRetry = nullptr;
    int jackRetriesLeft = 0;
    // Runs while a server that has said it is going finishes going; then
    // its clients may be closed.
    QTimer *jackLeaving = nullptr;
    bool jackLeft = false;
    Sources alsaSources;
    Sources jackSources;
    int lastSourceId = 0;
    bool scanned = false;
    QStringList reported;
};
