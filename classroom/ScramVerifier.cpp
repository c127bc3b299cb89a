// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/ScramVerifier.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

namespace {

constexpr auto Hash = QCryptographicHash::Sha256;

QByteArray hmac(const QByteArray &key, const QByteArray &message)
{
    return QMessageAuthenticationCode::hash(message, key, Hash);
}

} // namespace

QString ScramVerifier::make(const QString &password)
{
    QByteArray salt(SaltBytes, Qt::Uninitialized);
    QRandomGenerator::system()->generate(salt.begin(), salt.end());
    return make(password, salt);
}

QString ScramVerifier::make(const QString &password, const QByteArray &salt, int iterations)
{
    const QByteArray salted = pbkdf2(password.toUtf8(), salt, iterations);
    const QByteArray storedKey =
        QCryptographicHash::hash(hmac(salted, QByteArrayLiteral("Client Key")), Hash);
    const QByteArray serverKey = hmac(salted, QByteArrayLiteral("Server Key"));
    return QStringLiteral("SCRAM-SHA-256$%1:%2$%3:%4")
        .arg(iterations)
        .arg(QString::fromLatin1(salt.toBase64()), QString::fromLatin1(storedKey.toBase64()),
             QString::fromLatin1(serverKey.toBase64()));
}

QByteArray ScramVerifier::pbkdf2(const QByteArray &password, const QByteArray &salt, int iterations)
{
    QMessageAuthenticationCode mac(Hash, password);
    // The first block's number, big-endian, after the salt.
    mac.addData(salt + QByteArray::fromHex("00000001"));
    QByteArray u = mac.result();
    QByteArray key = u;
    for (int i = 1; i < iterations; ++i) {
        mac.reset();
        mac.addData(u);
        u = mac.result();
        for (qsizetype b = 0; b < key.size(); ++b)
            key[b] = char(key.at(b) ^ u.at(b));
    }
    return key;
}
