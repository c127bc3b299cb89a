// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QCopChannel.h"

#include <QList>
#include <QMultiHash>
#include <QPointer>

namespace {
QMultiHash<QByteArray, QCopChannel *> &registry()
{
    static QMultiHash<QByteArray, QCopChannel *> channels;
    return channels;
}
} // namespace

QCopChannel::QCopChannel(const QByteArray &channel, QObject *parent)
    : QObject(parent), m_channel(channel)
{
    registry().insert(channel, this);
}

QCopChannel::~QCopChannel()
{
    registry().remove(m_channel, this);
}

bool QCopChannel::isRegistered(const QByteArray &channel)
{
    return registry().contains(channel);
}

void QCopChannel::send(const QByteArray &channel, const QByteArray &message, const QByteArray &data)
{
    const QList<QCopChannel *> receivers = registry().values(channel);
    for (QCopChannel *receiver : receivers) {
        // Delivered from the event loop, as a message from another program
        // would be: the sender never waits for the receiver.
        QPointer<QCopChannel> guard(receiver);
        QMetaObject::invokeMethod(
            receiver,
            [guard, message, data] {
                if (guard)
                    emit guard->received(message, data);
            },
            Qt::QueuedConnection);
    }
}
