// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the teacher's window reads, whichever place it reads from.

#include "store/records.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace lumo::store {

/// Which games to list. Days are the user's local days, both ends included;
/// an invalid day leaves that end open. The name matches anywhere in the
/// player's name, ignoring case for Latin letters.
struct GameFilter {
    QString nameContains = {};
    QDate firstDay = {};
    QDate lastDay = {};
    /// Only these names (a class list), matched exactly but for spaces at
    /// either end; empty: everyone.
    QStringList players = {};
    /// Only the games of this computer; empty: every computer.
    QString computer = {};
    /// For one child's figures: other names the child's games were
    /// recorded under (names typed that the teacher joined to the child's
    /// listed name), matched exactly.
    QStringList alsoNamed = {};
};

/// One game as the teacher's window lists it.
struct GameRow {
    QString id;
    QString player;
    QString computer;
    QDateTime startedUtc;
    QDateTime endedUtc;             ///< invalid while unfinished
    std::optional<Outcome> outcome; ///< none: unfinished (the program never recorded an end)
    int startLevel = 1;
    std::optional<int> clockMinutes; ///< none: no clock
    int levelReached = 1;
    int questions = 0;
    int right = 0;
    int wrong = 0;
    std::optional<int> clockSeconds; ///< left, or used when there was no clock
    /// Questions answered (checked), and how many of them without a mistake.
    int answered = 0;
    int answeredRight = 0;
    /// When an unfinished game's last answer was checked; invalid when the
    /// game ended or has no answer.
    QDateTime lastAnswerUtc;

    bool operator==(const GameRow &) const = default;
};

/// How much of a level's marking a child got right: every group count and
/// every total checked is one item.
struct LevelShare {
    int level = 1;
    int rightItems = 0;
    int items = 0;

    bool operator==(const LevelShare &) const = default;
};

struct ChildSummary {
    int games = 0;
    int finishedGames = 0;
    int bestRight = 0; ///< most points right in one game
    double averageRight = 0;
    double averageWrong = 0;
    QList<LevelShare> levels; ///< levels the child played, ascending

    bool operator==(const ChildSummary &) const = default;
};

/// How many times a value was answered wrongly.
struct WrongTally {
    int value = 0;
    int times = 0;

    bool operator==(const WrongTally &) const = default;
};

/// How often one number was asked of a child, and how the child answered it.
struct NumberFacts {
    int value = 0;
    int asked = 0;
    int missed = 0;
    int over = 0;  ///< answered with a larger number
    int under = 0; ///< answered with a smaller number

    bool operator==(const NumberFacts &) const = default;
};

/// The group counts and the totals a child answered wrongly, ascending by
/// value; and every count and total asked, with how it was answered.
struct WrongAnswers {
    QList<WrongTally> counts;
    QList<WrongTally> totals;
    QList<NumberFacts> countFacts;
    QList<NumberFacts> totalFacts;

    bool operator==(const WrongAnswers &) const = default;
};

/// One answer of a game, in question order.
struct AnswerRow {
    QString gameId;
    int question = 0;
    int level = 1;
    QList<int> counts;
    std::optional<int> total;
    /// What the child answered for each count and for the total, as the
    /// game read the slots (an empty pair reads 0).
    QList<int> answers;
    std::optional<int> answerTotal;
    QStringList slotCaptions;
    int pointsRight = 0;
    int pointsWrong = 0;
    double seconds = 0;
    QDateTime checkedUtc;

    bool operator==(const AnswerRow &) const = default;
};

} // namespace lumo::store
