// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtMultimedia/QAudio>

namespace lumo {

/// How loud the game may be: the class's setting (on or off, and a volume
/// from 0 to 100) and the mute key, which silences it for the moment.
struct Loudness {
    bool on = true;
    bool muted = false;
    /// 0 to 100, as the teacher sets it; heard on a logarithmic scale.
    int volume = 100;

    bool audible() const { return on && !muted && volume > 0; }
    /// The linear gain a QSoundEffect takes for this volume.
    float gain() const {
        return float(QAudio::convertVolume(volume / 100.0, QAudio::LogarithmicVolumeScale,
                                           QAudio::LinearVolumeScale));
    }
    bool operator==(const Loudness &) const = default;
};

} // namespace lumo
