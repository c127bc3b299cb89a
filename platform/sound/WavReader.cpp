// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/WavReader.h"

#include <QByteArray>
#include <QFile>
#include <QtEndian>

namespace {

constexpr int ChunkHeaderBytes = 8;
constexpr int FormatChunkMinBytes = 16;
constexpr quint16 PcmFormat = 1;
constexpr quint16 BitsPerSample = 16;
constexpr int MaxChannels = 2;
// No sample of the program comes near this; a bigger file is a mistake, and
// refusing it keeps a stray file from eating memory.
constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;

quint32 read32(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}

quint16 read16(const char *p)
{
    return qFromLittleEndian<quint16>(p);
}

} // namespace

QList<qint16> WavReader::readMono(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return {};
    }
    if (file.size() > MaxFileBytes) {
        *error = QStringLiteral("file too large");
        return {};
    }
    return decodeMono(file.readAll(), error);
}

QList<qint16> WavReader::decodeMono(const QByteArray &data, QString *error)
{
    if (data.size() < 12 || !data.startsWith("RIFF") || data.mid(8, 4) != "WAVE") {
        *error = QStringLiteral("not a WAV file");
        return {};
    }
    int channels = 0;
    qsizetype pos = 12;
    while (pos + ChunkHeaderBytes <= data.size()) {
        const char *chunk = data.constData() + pos;
        const qsizetype size = read32(chunk + 4);
        const qsizetype present = qMin(size, data.size() - pos - ChunkHeaderBytes);
        const QByteArray id(chunk, 4);
        if (id == "fmt ") {
            if (present < FormatChunkMinBytes) {
                *error = QStringLiteral("truncated format chunk");
                return {};
            }
            channels = read16(chunk + 10);
            if (read16(chunk + 8) != PcmFormat || read16(chunk + 22) != BitsPerSample ||
                read32(chunk + 12) != quint32(SampleRate) || channels < 1 ||
                channels > MaxChannels) {
                *error = QStringLiteral("not 16-bit PCM at %1 Hz").arg(SampleRate);
                return {};
            }
        } else if (id == "data") {
            if (channels == 0) {
                *error = QStringLiteral("audio data before its format");
                return {};
            }
            const qsizetype frames = present / (2 * channels);
            const char *in = chunk + ChunkHeaderBytes;
            QList<qint16> mono(frames);
            for (qsizetype f = 0; f < frames; ++f) {
                int sum = 0;
                for (int c = 0; c < channels; ++c)
                    sum += qint16(read16(in + 2 * (f * channels + c)));
                mono[f] = qint16(sum / channels);
            }
            if (mono.isEmpty())
                *error = QStringLiteral("no audio data");
            return mono;
        }
        // Chunks are padded to an even length.
        pos += ChunkHeaderBytes + size + (size & 1);
    }
    *error = QStringLiteral("no audio data");
    return {};
}
