// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The class at a glance, worked out from the games: one row per child on
// the class list (with the names joined to it), and the names typed that
// are on no list.

#include "settings/name_links.h"
#include "store/reader_types.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace lumo::teacher {

/// Games a trend looks back on.
constexpr int trendGames = 5;

enum class Trend { Unknown, Better, Steady, Worse };

struct ChildOverview {
    QString listed;
    /// The names the child's games were recorded under, as typed.
    QStringList names;
    int games = 0;
    /// The newest game.
    std::optional<store::GameRow> last;
    int levelReached = 0;
    int answered = 0;
    int answeredRight = 0;
    /// Right questions out of those answered in each of the last games that
    /// had answers, oldest first.
    QList<double> recentShares;
};

struct UnlistedName {
    QString name;
    int games = 0;
    QDateTime lastUtc;
};

struct ClassOverview {
    QList<ChildOverview> children; ///< in the order of the class list
    QList<UnlistedName> unlisted;  ///< newest first
    int unlistedGames = 0;
};

/// `games` newest first, as the store lists them.
ClassOverview classOverview(const QList<store::GameRow> &games, const QStringList &classList,
                            const NameLinks &links);

/// Better or worse when the shares' straight line rises or falls by 3
/// points or more a game; unknown with fewer than two games.
Trend trendOf(const QList<double> &shares);
QString trendText(Trend trend);

} // namespace lumo::teacher
