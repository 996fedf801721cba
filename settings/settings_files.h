// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/class_settings.h"

#include <QString>
#include <QStringList>

namespace lumo {

/// The two files the class settings come from. A key in the user's file
/// wins over the same key in the computer's file; keys in neither take
/// their defaults.
struct SettingsFiles {
    /// /etc/xdg/lumo3/lumo3.conf (the first folder of XDG_CONFIG_DIRS),
    /// C:\ProgramData\lumo3\lumo3.conf on Windows: one file sets up every
    /// user of a computer room.
    QString systemFile;
    /// ~/.config/lumo3/lumo3.conf (%APPDATA%\lumo3\lumo3.conf on Windows):
    /// what a teacher saved from the teacher's window.
    QString userFile;

    /// This computer's two files (platform/places.h).
    static SettingsFiles standard();
};

/// The settings in force. A value out of range or unreadable is replaced by
/// its default and named in `problems` (and in one warning each).
ClassSettings readClassSettings(const SettingsFiles &files, QStringList *problems = nullptr);

/// What the computer's file (with the defaults) alone gives: what a user
/// who saved nothing gets.
ClassSettings readSystemClassSettings(const SettingsFiles &files);

/// Saves the settings as the user's own. Values equal to the computer's are
/// left out of the user's file, so that a later change to the computer's
/// file still reaches this user. False if the file could not be written.
bool writeClassSettings(const SettingsFiles &files, const ClassSettings &settings);

} // namespace lumo
