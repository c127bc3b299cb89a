// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/WavReader.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

void put16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

QByteArray chunk(const char *id, const QByteArray &body)
{
    QByteArray out(id, 4);
    put32(out, quint32(body.size()));
    out += body;
    if (body.size() % 2)
        out += '\0';
    return out;
}

QByteArray format(quint16 tag, quint16 channels, quint32 rate, quint16 bits)
{
    QByteArray body;
    put16(body, tag);
    put16(body, channels);
    put32(body, rate);
    put32(body, rate * channels * bits / 8);
    put16(body, quint16(channels * bits / 8));
    put16(body, bits);
    return chunk("fmt ", body);
}

QByteArray samples(std::initializer_list<qint16> values)
{
    QByteArray body;
    for (qint16 v : values)
        put16(body, quint16(v));
    return body;
}

QByteArray riff(const QByteArray &chunks)
{
    QByteArray out("RIFF");
    put32(out, quint32(4 + chunks.size()));
    return out + "WAVE" + chunks;
}

} // namespace

class WavReaderTest : public QObject
{
    Q_OBJECT
private slots:
    void decodesPcmToMono_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<qint16>>("expected");
        const QByteArray mono = format(1, 1, 44100, 16);
        QTest::newRow("mono") << riff(mono + chunk("data", samples({0, 1000, -32768, 32767})))
                              << QList<qint16>{0, 1000, -32768, 32767};
        QTest::newRow("stereo is averaged")
            << riff(format(1, 2, 44100, 16) + chunk("data", samples({100, 300, -32768, -32768})))
            << QList<qint16>{200, -32768};
        QTest::newRow("other chunks, odd-sized, are skipped")
            << riff(chunk("LIST", "abc") + mono + chunk("fact", "12345") +
                    chunk("data", samples({7, -7})))
            << QList<qint16>{7, -7};
        // A file cut short keeps the whole frames it has.
        QByteArray truncated = riff(mono + chunk("data", samples({5, 6, 7})));
        truncated.chop(3);
        QTest::newRow("truncated data") << truncated << QList<qint16>{5};
    }

    void decodesPcmToMono()
    {
        QFETCH(QByteArray, file);
        QFETCH(QList<qint16>, expected);
        QString error;
        QCOMPARE(WavReader::decodeMono(file, &error), expected);
        QVERIFY(error.isEmpty());
    }

    void refusesWhatItCannotPlayWithAReason_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QByteArray data = chunk("data", samples({1, 2}));
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not RIFF") << QByteArray("OggS and then some bytes");
        QTest::newRow("8 bits") << riff(format(1, 1, 44100, 8) + data);
        QTest::newRow("float") << riff(format(3, 1, 44100, 16) + data);
        QTest::newRow("48 kHz") << riff(format(1, 1, 48000, 16) + data);
        QTest::newRow("six channels") << riff(format(1, 6, 44100, 16) + data);
        QTest::newRow("data before format") << riff(data + format(1, 1, 44100, 16));
        QTest::newRow("no data") << riff(format(1, 1, 44100, 16));
        QTest::newRow("empty data") << riff(format(1, 1, 44100, 16) + chunk("data", {}));
        QTest::newRow("short format") << riff(chunk("fmt ", "1234") + data);
    }

    void refusesWhatItCannotPlayWithAReason()
    {
        QFETCH(QByteArray, file);
        QString error;
        QVERIFY(WavReader::decodeMono(file, &error).isEmpty());
        QVERIFY(!error.isEmpty());
    }

    void aFileThatCannotBeOpenedGivesTheReason()
    {
        QTemporaryDir dir;
        QString error;
        QVERIFY(WavReader::readMono(dir.filePath("missing.wav"), &error).isEmpty());
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(WavReaderTest)
#include "tst_wavreader.moc"
