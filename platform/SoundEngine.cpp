// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SoundEngine.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace {
SoundEngine *theEngine = nullptr;
// A trainer never needs more at once; the sound server allows only so many streams.
constexpr int MaxLiveEffects = 16;
} // namespace

SoundEngine *SoundEngine::instance()
{
    if (!theEngine) {
        theEngine = new SoundEngine;
        qAddPostRoutine(&SoundEngine::destroyInstance);
    }
    return theEngine;
}

void SoundEngine::destroyInstance()
{
    delete theEngine;
    theEngine = nullptr;
}

SoundEngine::SoundEngine() = default;

SoundEngine::~SoundEngine()
{
    qDeleteAll(m_playing);
    qDeleteAll(m_keepers);
}

bool SoundEngine::available()
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

QSoundEffect *SoundEngine::keeperFor(const QString &path)
{
    auto it = m_keepers.constFind(path);
    if (it != m_keepers.constEnd())
        return *it;
    if (!QFileInfo(path).isFile()) {
        qWarning("Sound file not found: %s", qPrintable(path));
        m_keepers.insert(path, nullptr);
        return nullptr;
    }
    auto *keeper = new QSoundEffect(this);
    keeper->setSource(QUrl::fromLocalFile(path));
    m_keepers.insert(path, keeper);
    return keeper;
}

void SoundEngine::preload(const QStringList &paths)
{
    for (const QString &path : paths)
        keeperFor(path);
}

void SoundEngine::play(const QString &path)
{
    if (!keeperFor(path))
        return;
    if (m_playing.size() >= MaxLiveEffects)
        delete m_playing.takeFirst();
    auto *effect = new QSoundEffect(this);
    m_playing.append(effect);
    connect(effect, &QSoundEffect::playingChanged, this, [this, effect] {
        if (!effect->isPlaying() && effect->status() != QSoundEffect::Loading) {
            m_playing.removeOne(effect);
            effect->deleteLater();
        }
    });
    effect->setSource(QUrl::fromLocalFile(path));
    effect->play();
}
