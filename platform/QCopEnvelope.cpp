// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QCopEnvelope.h"

#include "platform/QCopChannel.h"

QCopEnvelope::QCopEnvelope(const QByteArray &channel, const QByteArray &message)
    : m_channel(channel), m_message(message), m_buffer(&m_data)
{
    m_buffer.open(QIODevice::WriteOnly);
    setDevice(&m_buffer);
}

QCopEnvelope::~QCopEnvelope()
{
    setDevice(nullptr);
    m_buffer.close();
    QCopChannel::send(m_channel, m_message, m_data);
}
