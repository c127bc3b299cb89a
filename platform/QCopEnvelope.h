// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QDataStream>

// A message to a channel: stream the arguments in, and the message is sent
// when the envelope is destroyed. No reply comes back.
class QCopEnvelope : public QDataStream
{
public:
    QCopEnvelope(const QByteArray &channel, const QByteArray &message);
    ~QCopEnvelope();

    QCopEnvelope(const QCopEnvelope &) = delete;
    QCopEnvelope &operator=(const QCopEnvelope &) = delete;

private:
    QByteArray m_channel;
    QByteArray m_message;
    QByteArray m_data;
    QBuffer m_buffer;
};
