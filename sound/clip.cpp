// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/clip.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QWaveDecoder>

namespace lumo {

namespace {
void say(QString *problem, const QString &text) {
    if (problem)
        *problem = text;
}
} // namespace

int Clip::milliseconds() const {
    const qint64 bytesPerSecond = qint64(format.bytesPerFrame()) * format.sampleRate();
    return bytesPerSecond > 0 ? int(pcm.size() * 1000 / bytesPerSecond) : 0;
}

std::optional<Clip> readClip(const QByteArray &wav, QString *problem) {
    QBuffer buffer;
    buffer.setData(wav);
    buffer.open(QIODevice::ReadOnly);
    QWaveDecoder decoder(&buffer);
    // A whole file in memory is parsed within open(): by then it has said
    // which of the two it is.
    bool known = false;
    QObject::connect(&decoder, &QWaveDecoder::formatKnown, [&known] { known = true; });
    if (!decoder.open(QIODevice::ReadOnly) || !known) {
        say(problem, QStringLiteral("ไม่ใช่ไฟล์เสียง WAV"));
        return std::nullopt;
    }
    Clip clip;
    clip.format = decoder.audioFormat();
    // 24-bit samples come out as 16-bit ones; 8 and 32 bits are refused.
    if (clip.format.sampleFormat() != QAudioFormat::Int16) {
        say(problem, QStringLiteral("ไม่ใช่เสียง PCM 16 บิต"));
        return std::nullopt;
    }
    if (clip.format.channelCount() < 1 || clip.format.channelCount() > 2 ||
        clip.format.sampleRate() < 8000 || clip.format.sampleRate() > 48000) {
        say(problem, QStringLiteral("รูปแบบเสียงไม่รองรับ (ต้องเป็นโมโนหรือสเตอริโอ 8 ถึง 48 kHz)"));
        return std::nullopt;
    }
    const qint64 expected = decoder.size();
    const qint64 bytesPerSecond = qint64(clip.format.bytesPerFrame()) * clip.format.sampleRate();
    if (expected > bytesPerSecond * (longestClipMs + 1000) / 1000) {
        say(problem, QStringLiteral("ยาวเกิน %1 วินาที").arg(longestClipMs / 1000));
        return std::nullopt;
    }
    clip.pcm = decoder.read(expected);
    if (clip.pcm.size() < expected) {
        say(problem, QStringLiteral("ไฟล์เสียงไม่ครบ"));
        return std::nullopt;
    }
    clip.pcm.truncate(clip.pcm.size() - clip.pcm.size() % clip.format.bytesPerFrame());
    if (clip.pcm.isEmpty()) {
        say(problem, QStringLiteral("ไม่มีเสียง"));
        return std::nullopt;
    }
    if (clip.milliseconds() > longestClipMs) {
        say(problem, QStringLiteral("ยาวเกิน %1 วินาที").arg(longestClipMs / 1000));
        return std::nullopt;
    }
    return clip;
}

std::optional<Clip> readClipFile(const QString &file, QString *problem) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        say(problem, QStringLiteral("อ่านไฟล์ไม่ได้: %1").arg(in.errorString()));
        return std::nullopt;
    }
    return readClip(in.readAll(), problem);
}

int clipFileMilliseconds(const QString &file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return -1;
    QWaveDecoder decoder(&in);
    bool known = false;
    QObject::connect(&decoder, &QWaveDecoder::formatKnown, [&known] { known = true; });
    if (!decoder.open(QIODevice::ReadOnly) || !known)
        return -1;
    return decoder.duration();
}

QByteArray writeClip(const QAudioFormat &format, const QByteArray &pcm) {
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    {
        QWaveDecoder encoder(&buffer, format);
        if (!encoder.open(QIODevice::WriteOnly))
            return QByteArray();
        encoder.write(pcm);
        // Closing writes the lengths into the header.
        encoder.close();
    }
    return buffer.data();
}

bool saveClipFile(const QString &file, const QByteArray &wav, QString *error) {
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly) && out.write(wav) == wav.size() && out.commit())
        return true;
    if (error)
        *error = out.errorString();
    return false;
}

} // namespace lumo
