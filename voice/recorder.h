// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class QAudioSource;
class QIODevice;

namespace lumo::voice {

/// Records one clip from the computer's microphone (its default input) as
/// 16-bit PCM, mono at 44.1 kHz where the input offers it, and tells how
/// loud it hears, for a level meter. A recording stops by itself at the
/// longest clip's length.
class Recorder : public QObject {
    Q_OBJECT
  public:
    explicit Recorder(QObject *parent = nullptr);
    ~Recorder() override;

    /// False, with error(), when there is no microphone or it cannot be opened.
    bool start();
    bool isRecording() const { return source_ != nullptr; }
    /// Ends the recording; the clip as a WAV file, or empty if nothing was heard.
    QByteArray stop();
    QString error() const { return error_; }

  signals:
    /// The loudest sample of the last moment, 0 to 1.
    void level(double peak);
    /// The longest clip's length was reached: the recording stopped with
    /// this clip.
    void stoppedAtLimit(const QByteArray &wav);

  private:
    void readInput();

    std::unique_ptr<QAudioSource> source_;
    QIODevice *input_ = nullptr;
    QAudioFormat heard_;
    QAudioFormat kept_;
    QByteArray pcm_;
    QString error_;
    QTimer limit_;
};

} // namespace lumo::voice
