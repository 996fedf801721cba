// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/loudness.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <array>

namespace lumo {

class ClipPlayer;

/// The game's short sounds, made by tools/sounds/make_sounds.py.
enum class Sound {
    TilePicked,
    TileDropped,
    PictureCounted,
    Right,
    Wrong,
    LevelUp,
    Won,
    TimeUp,
};
inline constexpr int soundCount = 8;

/// The resource that holds a sound: ":/sounds/right.wav" and the like.
QString soundResource(Sound sound);

/// Plays the game's sounds through Qt Multimedia with little delay: every
/// sound is loaded once, when the player is made (or, on a computer with no
/// sound output then, once load() finds one), and each plays on a stream
/// of its own, so that one sound does not wait for another. A sound played
/// again while it is still heard starts again from its beginning. Nothing
/// plays while the loudness is not audible.
class SoundPlayer : public QObject {
    Q_OBJECT
  public:
    explicit SoundPlayer(QObject *parent = nullptr);
    ~SoundPlayer() override;

    /// Loads the sounds, if they are not loaded and there is a sound output.
    void load();
    /// The sounds are loaded: they can be heard at once.
    bool loaded() const { return loaded_; }

    void play(Sound sound);
    /// Plays `sound` after `milliseconds`, unless another sound is asked
    /// for later in the same way or the sounds are silenced meanwhile.
    void playAfter(Sound sound, int milliseconds);
    /// Silencing stops what is being heard.
    void setLoudness(const Loudness &loudness);
    const Loudness &loudness() const { return loudness_; }

  private:
    std::array<ClipPlayer *, soundCount> players_ = makePlayers(this);
    Loudness loudness_;
    bool loaded_ = false;
    QTimer later_;
    Sound laterSound_ = Sound::LevelUp;

    static std::array<ClipPlayer *, soundCount> makePlayers(QObject *parent);
};

} // namespace lumo
