// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// What PostgreSQL keeps of a login's password, made on this side as its own
// clients make it (psql's \password, createuser): a SCRAM-SHA-256 verifier,
// SCRAM-SHA-256$<iterations>:<salt>$<StoredKey>:<ServerKey> in base64.
// Sent in CREATE ROLE ... PASSWORD instead of the password, it is stored as
// it is, so that the password itself never travels to the server, nor into
// a log of its statements. The server checks a login against the verifier
// alone.
class ScramVerifier
{
public:
    static constexpr int Iterations = 4096;
    static constexpr int SaltBytes = 16;

    // With a random salt. The password is taken as UTF-8 without the
    // SASLprep normalisation PostgreSQL applies to other text: the
    // program's passwords are ASCII letters and digits, which it leaves as
    // they are.
    static QString make(const QString &password);
    static QString make(const QString &password, const QByteArray &salt,
                        int iterations = Iterations);

private:
    // PBKDF2 with HMAC-SHA-256, one block: the key is as long as the hash.
    static QByteArray pbkdf2(const QByteArray &password, const QByteArray &salt, int iterations);
};
