// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The four levels of a game in one table: everything that differs from one
// level to the next is read from here, by the question builders, the
// marking, the hints and the level-ups alike.

#include <array>

namespace lumo::quiz {

struct Level {
    /// Rows of pictures a question of this level shows.
    int groups;
    /// The level is over once this question has been marked.
    int lastQuestion;
    /// Points for a right total; 0 where no total is asked.
    int totalBonus;
    /// Minutes the clock gains when the level is over.
    int minutesAdded;

    constexpr bool asksTotal() const { return groups > 1; }
};

inline constexpr std::array<Level, 4> levels{{
    {1, 25, 0, 30},
    {2, 50, 2, 30},
    {3, 75, 3, 30},
    {4, 100, 4, 0},
}};

inline constexpr int firstLevel = 1;
inline constexpr int lastLevel = int(levels.size());
/// The question whose marking ends the whole game.
inline constexpr int lastQuestion = levels.back().lastQuestion;

/// The rules of level `level`, or nullptr outside 1 to 4.
constexpr const Level *levelRules(int level) {
    return level >= firstLevel && level <= lastLevel ? &levels[level - 1] : nullptr;
}

/// The question number a game starting at `level` has before its first question.
constexpr int questionsBefore(int level) {
    return level > firstLevel ? levels[level - 2].lastQuestion : 0;
}

/// Picture files are numbered 1 to 30; a row shows 2 to 15 of one of them.
inline constexpr int pictureFiles = 30;
inline constexpr int fewestPictures = 2;
inline constexpr int mostPictures = 15;

/// The clock's starting time when nothing else is set.
inline constexpr int defaultClockMinutes = 30;

} // namespace lumo::quiz
