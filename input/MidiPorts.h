// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

class RtMidiIn;
struct _jack_client;

// Keeps an input open on every MIDI source of the ALSA sequencer and of a
// running JACK server. The port lists are read once a second: new sources are
// opened, vanished ones closed, and a JACK server that starts or stops later
// is noticed within 3 s. Lives on a thread of its own, so a slow or dead MIDI
// system never holds up the window; every MIDI call is made from that thread.
class MidiPorts : public QObject
{
    Q_OBJECT
public:
    explicit MidiPorts(QObject *parent = nullptr);
    ~MidiPorts() override;

public slots:
    // Scans at once, then every second.
    void start();

signals:
    // A key struck on the source with this id, at ms on the steady clock.
    // Emitted from the MIDI system's own thread.
    void noteArrived(int note, int source, qint64 ms);
    // The sources listened to, after the first scan and whenever they change.
    void sourcesChanged(const QStringList &sources);

private:
    struct Source;
    // The sources open on one MIDI system, by their names there. A source
    // that would not open stays in as an empty entry, so it is not tried
    // again every second, until it vanishes.
    using Sources = std::map<std::string, std::unique_ptr<Source>>;

    void scan();
    bool watchAlsa();
    bool watchJack();
    void forgetJack();
    std::vector<std::string> alsaSourceNames();
    std::vector<std::string> jackSourceNames();
    void follow(Sources &open, int api, const std::vector<std::string> &names);
    std::unique_ptr<Source> openSource(int api, const std::string &name);
    QStringList listening() const;

    static void received(double, std::vector<unsigned char> *message, void *source);
    static void serverGone(void *ports);

    std::unique_ptr<RtMidiIn> alsaLister;
    bool alsaFailed = false;
    _jack_client *jackWatcher = nullptr;
    std::atomic<bool> jackLost{false};
    int scansToJackQuestion = 0;
    Sources alsaSources;
    Sources jackSources;
    int lastSourceId = 0;
    bool scanned = false;
    QStringList reported;
};
