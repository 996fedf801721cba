// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/clip_player.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

namespace lumo {

namespace {
// The stream holds this much sound ahead: a low latency that a busy moment
// of the program does not starve.
constexpr int bufferMs = 200;
// The silence after a clip: more than the stream holds.
constexpr int tailMs = 2 * bufferMs;

qsizetype bytesFor(const QAudioFormat &format, int milliseconds) {
    return qsizetype(format.bytesForDuration(qint64(milliseconds) * 1000));
}
} // namespace

ClipPlayer::ClipPlayer(QObject *parent) : QObject(parent) {}

ClipPlayer::~ClipPlayer() {
    stop();
}

void ClipPlayer::setClip(const Clip &clip) {
    stop();
    format_ = clip.format;
    padded_ = clip.pcm + QByteArray(bytesFor(format_, tailMs), '\0');
}

void ClipPlayer::play() {
    stop();
    // Let go of later: play() may be called from the old sink's own signal.
    if (sink_)
        sink_.release()->deleteLater();
    if (padded_.isEmpty())
        return;
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull()) {
        emit finished();
        return;
    }
    // A sink of the device now in use: speakers may have been plugged in.
    sink_ = std::make_unique<QAudioSink>(output, format_);
    sink_->setBufferSize(bytesFor(format_, bufferMs));
    sink_->setVolume(volume_);
    connect(sink_.get(), &QAudioSink::stateChanged, this, &ClipPlayer::stateChanged);
    auto *samples = new QBuffer(sink_.get());
    samples->setData(padded_);
    samples->open(QIODevice::ReadOnly);
    playing_ = true;
    sink_->start(samples);
}

void ClipPlayer::stop() {
    playing_ = false;
    if (sink_) {
        sink_->disconnect(this);
        sink_->stop();
    }
}

void ClipPlayer::stateChanged() {
    // Idle with no error: every sample and most of the silence after them
    // have been handed over; with an underrun the sink goes on as soon as
    // it is fed again. Stopped: the output gave up.
    if (!playing_ || !sink_ || sink_->state() == QAudio::ActiveState ||
        (sink_->state() == QAudio::IdleState && sink_->error() == QAudio::UnderrunError))
        return;
    stop();
    emit finished();
}

void ClipPlayer::setVolume(float volume) {
    volume_ = volume;
    if (sink_)
        sink_->setVolume(volume);
}

} // namespace lumo
