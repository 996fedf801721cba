// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/sound_player.h"

#include "sound/clip_player.h"
#include "sound/output.h"

#include <QDebug>

namespace lumo {

QString soundResource(Sound sound) {
    static const std::array<const char *, soundCount> names{
        "tile_picked", "tile_dropped", "picture_counted", "right", "wrong",
        "level_up",    "won",          "time_up"};
    return QStringLiteral(":/sounds/%1.wav").arg(QLatin1String(names[std::size_t(sound)]));
}

std::array<ClipPlayer *, soundCount> SoundPlayer::makePlayers(QObject *parent) {
    std::array<ClipPlayer *, soundCount> players{};
    for (ClipPlayer *&player : players)
        player = new ClipPlayer(parent);
    return players;
}

SoundPlayer::SoundPlayer(QObject *parent) : QObject(parent) {
    later_.setSingleShot(true);
    connect(&later_, &QTimer::timeout, this, [this] { play(laterSound_); });
    load();
}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::load() {
    if (loaded_ || !soundOutputPresent())
        return;
    loaded_ = true;
    for (int i = 0; i < soundCount; ++i) {
        QString problem;
        if (const std::optional<Clip> clip = readClipFile(soundResource(Sound(i)), &problem))
            players_[std::size_t(i)]->setClip(*clip);
        else
            qWarning().noquote() << "lumo3: the sound" << soundResource(Sound(i))
                                 << "cannot be played:" << problem;
    }
}

void SoundPlayer::play(Sound sound) {
    if (loudness_.audible())
        players_[std::size_t(sound)]->play();
}

void SoundPlayer::playAfter(Sound sound, int milliseconds) {
    if (!loudness_.audible())
        return;
    laterSound_ = sound;
    later_.start(milliseconds);
}

void SoundPlayer::setLoudness(const Loudness &loudness) {
    loudness_ = loudness;
    for (ClipPlayer *player : players_)
        player->setVolume(loudness.gain());
    if (!loudness.audible()) {
        later_.stop();
        for (ClipPlayer *player : players_)
            player->stop();
    }
}

} // namespace lumo
