// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the game hands to the store: plain values, copied into the writer's
// queue, so that the game never waits for the disk.

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>

#include <array>
#include <optional>

namespace lumo::store {

/// How a game ended. A game with no end recorded (power cut, crash) is
/// unfinished; that is not an outcome anyone records.
enum class Outcome { Won, TimeOut, Left, WindowClosed };

/// The stable text kept in the file ("won", "time_out", "left", "window_closed").
QString outcomeKey(Outcome outcome);
std::optional<Outcome> outcomeFromKey(const QString &key);

/// The clock started (button Cm1): the game exists from here on.
struct GameStart {
    QUuid id;
    QString player; ///< exactly as typed
    QDateTime startedUtc;
    int startLevel = 1;
    std::optional<int> clockMinutes; ///< none: the game has no clock
    QString settingsJson;            ///< the class settings in force
    QString programVersion;
    QString computer; ///< QSysInfo::machineHostName()
};

/// One checked answer.
struct AnswerCheck {
    QUuid gameId;
    int question = 0;
    int level = 1;
    QList<int> counts;        ///< pictures in each shown group, 1 to 4 entries
    std::optional<int> total; ///< from level 2 on
    /// Captions of the ten slots, tens then units of groups 1 to 4 and of
    /// the total; each "" or one digit.
    std::array<QString, 10> slotCaptions;
    int pointsRight = 0;
    int pointsWrong = 0;
    double seconds = 0; ///< from the question shown to the check
    QDateTime checkedUtc;
};

/// The game is over.
struct GameEnd {
    QUuid gameId;
    Outcome outcome = Outcome::Won;
    QDateTime endedUtc;
    int levelReached = 1;
    int questions = 0;
    int right = 0;
    int wrong = 0;
    /// Seconds left on the clock, or the seconds used when there is no clock.
    int clockSeconds = 0;
};

/// The number a pair of slotCaptions stands for, as the game reads it: the two
/// captions side by side, an empty pair reading 0.
int slotValue(const QString &tens, const QString &units);

/// UTC timestamps are kept as ISO 8601 text with milliseconds and a "Z",
/// which sorts as time does and reads back the same in any database.
QString utcText(const QDateTime &moment);
QDateTime fromUtcText(const QString &text);

} // namespace lumo::store
