// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>

// A receiver of messages sent to a named channel. Delivery stays inside this
// process: only code of the program itself can send, and a message to a
// channel nobody listens on is dropped.
class QCopChannel : public QObject
{
    Q_OBJECT
public:
    explicit QCopChannel(const QByteArray &channel, QObject *parent = nullptr);
    ~QCopChannel() override;

    QByteArray channel() const { return m_channel; }

    static bool isRegistered(const QByteArray &channel);
    // Queues the message for every receiver of the channel; returns at once.
    static void send(const QByteArray &channel, const QByteArray &message, const QByteArray &data);

signals:
    // data holds the message's arguments in QDataStream encoding.
    void received(const QByteArray &message, const QByteArray &data);

private:
    QByteArray m_channel;
};
