// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/QSound.h"

#include "platform/sound/SoundEngine.h"

namespace {
SoundOutput *replacement = nullptr;
}

SoundOutput *QSound::output()
{
    return replacement ? replacement : SoundEngine::instance();
}

void QSound::setOutput(SoundOutput *output)
{
    replacement = output;
}

bool QSound::available()
{
    return output()->available();
}

void QSound::play(const QString &path)
{
    output()->play(path);
}

void QSound::strike(const QString &path, int velocity)
{
    output()->strike(path, velocity);
}

void QSound::release(const QString &path)
{
    output()->release(path);
}

void QSound::setSustain(bool down)
{
    output()->setSustain(down);
}

void QSound::preload(const QStringList &paths)
{
    if (!replacement)
        SoundEngine::instance()->preload(paths);
}
