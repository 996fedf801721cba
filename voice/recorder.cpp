// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "voice/recorder.h"

#include "sound/clip.h"

#include <QAudioDevice>
#include <QAudioSource>
#include <QMediaDevices>

#include <algorithm>
#include <cmath>

namespace lumo::voice {

Recorder::Recorder(QObject *parent) : QObject(parent) {
    limit_.setSingleShot(true);
    connect(&limit_, &QTimer::timeout, this, [this] {
        if (isRecording())
            emit stoppedAtLimit(stop());
    });
}

Recorder::~Recorder() {
    stop();
}

bool Recorder::start() {
    stop();
    error_.clear();
    const QAudioDevice microphone = QMediaDevices::defaultAudioInput();
    if (microphone.isNull()) {
        error_ = QStringLiteral("ไม่พบไมโครโฟนในเครื่องนี้");
        return false;
    }
    QAudioFormat wanted;
    wanted.setSampleRate(44100);
    wanted.setChannelCount(1);
    wanted.setSampleFormat(QAudioFormat::Int16);
    // What the input offers otherwise is turned into 16-bit samples here.
    heard_ = microphone.isFormatSupported(wanted) ? wanted : microphone.preferredFormat();
    kept_ = heard_;
    kept_.setSampleFormat(QAudioFormat::Int16);
    source_ = std::make_unique<QAudioSource>(microphone, heard_);
    input_ = source_->start();
    if (!input_ || source_->error() != QAudio::NoError) {
        error_ = QStringLiteral("เปิดไมโครโฟนไม่ได้");
        source_.reset();
        input_ = nullptr;
        return false;
    }
    pcm_.clear();
    connect(input_, &QIODevice::readyRead, this, &Recorder::readInput);
    limit_.start(longestClipMs);
    return true;
}

void Recorder::readInput() {
    if (!input_)
        return;
    const QByteArray bytes = input_->readAll();
    const int bytesPerSample = heard_.bytesPerSample();
    if (bytesPerSample <= 0)
        return;
    const qsizetype count = bytes.size() / bytesPerSample;
    const qsizetype room =
        qint64(longestClipMs) * kept_.sampleRate() * kept_.channelCount() / 1000 - pcm_.size() / 2;
    float peak = 0;
    const qsizetype kept = std::max<qsizetype>(0, std::min(count, room));
    const qsizetype start = pcm_.size();
    pcm_.resize(start + kept * 2);
    auto *out = reinterpret_cast<qint16 *>(pcm_.data() + start);
    for (qsizetype i = 0; i < count; ++i) {
        const float value = heard_.normalizedSampleValue(bytes.constData() + i * bytesPerSample);
        peak = std::max(peak, std::abs(value));
        if (i < kept)
            out[i] = qint16(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f));
    }
    emit level(double(std::min(peak, 1.0f)));
}

QByteArray Recorder::stop() {
    if (!source_)
        return QByteArray();
    limit_.stop();
    readInput();
    input_ = nullptr;
    source_->stop();
    source_.reset();
    emit level(0.0);
    if (pcm_.isEmpty())
        return QByteArray();
    return writeClip(kept_, std::exchange(pcm_, QByteArray()));
}

} // namespace lumo::voice
