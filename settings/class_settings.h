// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "quiz/levels.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace lumo {

/// How the game is set up for a class. The defaults are the game as it
/// always was: level 1, a 30-minute clock, a window, no class list.
struct ClassSettings {
    /// The clock's starting minutes a teacher may choose from.
    static constexpr int fewestClockMinutes = 10;
    static constexpr int mostClockMinutes = 120;

    /// quiz::firstLevel to quiz::lastLevel.
    int startLevel = quiz::firstLevel;
    /// False: no time-out; the clock line shows the time used instead.
    bool clock = true;
    int clockMinutes = quiz::defaultClockMinutes;
    bool fullscreen = false;
    /// Names offered in the name prompt; any other name can still be typed.
    QStringList classList;

    /// The clock's starting minutes, or none.
    std::optional<int> startingMinutes() const {
        return clock ? std::optional<int>(clockMinutes) : std::nullopt;
    }

    /// The settings a recorded game was played with, as JSON. The class
    /// list stays out: a game's record holds no other child's name.
    QString gameSettingsJson() const;

    bool operator==(const ClassSettings &) const = default;
};

} // namespace lumo
