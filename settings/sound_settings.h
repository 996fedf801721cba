// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings_files.h"

#include <QStringList>

namespace lumo {

/// The game's sounds and ปิโก's voice for a class: on, or off for a quiet
/// exam room, and how loud. Kept in the class settings' files, [class]
/// sounds and volume, and saved on their own, so that saving the other
/// class settings leaves them as they are.
struct SoundSettings {
    static constexpr int loudest = 100;

    bool on = true;
    /// 0 to loudest.
    int volume = loudest;

    bool operator==(const SoundSettings &) const = default;
};

/// The sound settings in force, the user's file winning over the
/// computer's; a bad value falls back to its default and is named in
/// `problems` (and in a warning).
SoundSettings readSoundSettings(const SettingsFiles &files, QStringList *problems = nullptr);

/// Saves them as the user's own, leaving out what equals the computer's
/// file. False if the file could not be written.
bool writeSoundSettings(const SettingsFiles &files, const SoundSettings &settings);

} // namespace lumo
