// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "quiz/game.h"
#include "settings/sound_settings.h"
#include "sound/sound_player.h"
#include "voice/voice.h"

#include <QMediaDevices>
#include <QObject>

namespace lumo {

class ScreenFlow;

/// What the child hears: a sound for each thing done on the quiz screen
/// and ปิโก's recorded words on both screens, as loud as the class's
/// settings allow. The mute key (M) on the quiz screen silences both until
/// it is pressed again.
class GameSounds : public QObject {
    Q_OBJECT
  public:
    GameSounds(ScreenFlow &screens, voice::VoiceFolders folders, QObject *parent = nullptr);

    void setSettings(const SoundSettings &settings);
    void toggleMute();
    bool muted() const { return loudness_.muted; }

    SoundPlayer effects;
    voice::Voice voice;

  private:
    void setLoudness(const Loudness &loudness);
    void addMuteKeys();
    void questionAsked(const quiz::Game::Question &question);
    void answerMarked(const quiz::Game::Marking &marking);

    ScreenFlow &screens_;
    Loudness loudness_;
    /// Says when speakers or headphones come or go.
    QMediaDevices devices_;
};

} // namespace lumo
