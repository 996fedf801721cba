// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lumo {

/// The computer's settings file, which sets up every user of a computer
/// room: /etc/xdg/lumo3/lumo3.conf on Linux (the first folder of
/// XDG_CONFIG_DIRS), C:\ProgramData\lumo3\lumo3.conf on Windows.
QString systemSettingsFile();

/// The user's own settings file: ~/.config/lumo3/lumo3.conf on Linux,
/// %APPDATA%\lumo3\lumo3.conf on Windows (never the registry, never beside
/// the program).
QString userSettingsFile();

} // namespace lumo
