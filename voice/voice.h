// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/loudness.h"
#include "voice/voice_folders.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace lumo {
class ClipPlayer;
}

namespace lumo::voice {

/// ปิโก's voice: says phrases from the clips the voice folders hold, one
/// clip after another, never two at once. A phrase with no clip is passed
/// over in silence, and so is a clip that cannot be played, with a warning.
/// Every clip found is read into memory when the voice is (re)loaded, so
/// that a clip starts as soon as it is asked for.
class Voice : public QObject {
    Q_OBJECT
  public:
    explicit Voice(VoiceFolders folders, QObject *parent = nullptr);
    ~Voice() override;

    /// Looks for the clips again: after a recording, a deletion or an
    /// import, or when a sound output has come.
    void reload();
    const VoiceFolders &folders() const { return folders_; }
    /// The phrase has a clip.
    bool has(const QString &id) const { return clips_.contains(id); }

    /// Cuts short what is being said and says these, one after another,
    /// after a pause of `pauseMs`.
    void say(const QStringList &ids, int pauseMs = 0);
    /// Says these once what is being said, or waits to be said, is over.
    void sayAfter(const QStringList &ids);
    /// Silence, and nothing left to say.
    void stop();

    /// Silencing stops what is being said.
    void setLoudness(const Loudness &loudness);

    /// The phrase being said, or empty.
    QString speaking() const { return speaking_; }

  signals:
    /// A clip has begun.
    void started(const QString &id);

  private:
    void next();
    void finished(ClipPlayer *clip);

    VoiceFolders folders_;
    Loudness loudness_;
    QHash<QString, ClipPlayer *> clips_;
    QStringList waiting_;
    QString speaking_;
    ClipPlayer *current_ = nullptr;
    QTimer pause_;
};

} // namespace lumo::voice
