// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "voice/voice.h"

#include "sound/clip.h"
#include "sound/clip_player.h"
#include "sound/output.h"
#include "voice/phrases.h"

#include <QDebug>

namespace lumo::voice {

Voice::Voice(VoiceFolders folders, QObject *parent)
    : QObject(parent), folders_(std::move(folders)) {
    pause_.setSingleShot(true);
    connect(&pause_, &QTimer::timeout, this, &Voice::next);
    reload();
}

Voice::~Voice() = default;

void Voice::reload() {
    stop();
    qDeleteAll(clips_);
    clips_.clear();
    if (!soundOutputPresent())
        return;
    for (const Phrase &phrase : phrases()) {
        const QString file = folders_.clipFile(phrase.id);
        if (file.isEmpty())
            continue;
        QString problem;
        const std::optional<Clip> clip = readClipFile(file, &problem);
        if (!clip) {
            qWarning().noquote() << "lumo3: the voice clip" << file
                                 << "cannot be played:" << problem;
            continue;
        }
        auto *player = new ClipPlayer(this);
        player->setClip(*clip);
        player->setVolume(loudness_.gain());
        connect(player, &ClipPlayer::finished, this, [this, player] { finished(player); });
        clips_.insert(phrase.id, player);
    }
}

void Voice::say(const QStringList &ids, int pauseMs) {
    stop();
    if (!loudness_.audible())
        return;
    waiting_ = ids;
    if (pauseMs > 0)
        pause_.start(pauseMs);
    else
        next();
}

void Voice::sayAfter(const QStringList &ids) {
    if (!loudness_.audible())
        return;
    waiting_ += ids;
    if (!current_ && !pause_.isActive())
        next();
}

void Voice::stop() {
    pause_.stop();
    waiting_.clear();
    speaking_.clear();
    if (ClipPlayer *clip = std::exchange(current_, nullptr))
        clip->stop();
}

void Voice::next() {
    while (!waiting_.isEmpty()) {
        const QString id = waiting_.takeFirst();
        ClipPlayer *clip = clips_.value(id);
        if (!clip)
            continue;
        current_ = clip;
        speaking_ = id;
        clip->play();
        emit started(id);
        return;
    }
    speaking_.clear();
}

void Voice::finished(ClipPlayer *clip) {
    if (clip != current_)
        return;
    current_ = nullptr;
    next();
}

void Voice::setLoudness(const Loudness &loudness) {
    loudness_ = loudness;
    for (ClipPlayer *clip : std::as_const(clips_))
        clip->setVolume(loudness.gain());
    if (!loudness.audible())
        stop();
}

} // namespace lumo::voice
