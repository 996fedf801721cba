// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/clip.h"

#include <QObject>

#include <memory>

class QAudioSink;

namespace lumo {

/// Plays one clip, held in memory, on a stream of the computer's sound
/// output of its own, started afresh at each play so that it begins at
/// once. The clip is played to its very end: Qt's sink ends its stream as
/// soon as it has handed over the last sample, before the sound server has
/// played what it still holds (about a tenth of a second on PulseAudio, the
/// whole of a short sound), so the clip is followed by a little silence,
/// longer than the stream holds, which is what that cuts off. QSoundEffect
/// does the same without the silence.
class ClipPlayer : public QObject {
    Q_OBJECT
  public:
    explicit ClipPlayer(QObject *parent = nullptr);
    ~ClipPlayer() override;

    void setClip(const Clip &clip);
    bool hasClip() const { return !padded_.isEmpty(); }

    /// Plays from the beginning, cutting short what is heard.
    void play();
    /// Silence; no finished() follows.
    void stop();
    bool isPlaying() const { return playing_; }
    /// 0 (silence) to 1 (as recorded).
    void setVolume(float volume);

  signals:
    /// Played to its end, or the output refused it: what follows may begin.
    void finished();

  private:
    void stateChanged();

    QAudioFormat format_;
    QByteArray padded_;
    std::unique_ptr<QAudioSink> sink_;
    float volume_ = 1.0f;
    bool playing_ = false;
};

} // namespace lumo
