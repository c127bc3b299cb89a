// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SoundOutput.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>

class QSoundEffect;

// The desktop sound output: plays short sample files through the system's
// sound server. Each play gets a fresh effect, because an effect that is
// replayed soon falls silent; one never-played effect per file keeps the
// decoded sample cached so that a fresh effect starts at once.
class SoundEngine : public QObject, public SoundOutput
{
    Q_OBJECT
public:
    static SoundEngine *instance();

    bool available() override;
    void play(const QString &path) override;
    void preload(const QStringList &paths);

    int liveEffects() const { return int(m_playing.size()); }

private:
    SoundEngine();
    ~SoundEngine() override;
    static void destroyInstance();
    QSoundEffect *keeperFor(const QString &path);

    QHash<QString, QSoundEffect *> m_keepers;
    QList<QSoundEffect *> m_playing;
};
