// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/class_overview.h"

#include "teacher/export_tables.h"

#include <QHash>

namespace lumo::teacher {

ClassOverview classOverview(const QList<store::GameRow> &games, const QStringList &classList,
                            const NameLinks &links) {
    ClassOverview overview;
    QHash<QString, qsizetype> row;
    for (const QString &name : classList) {
        row.insert(name, overview.children.size());
        ChildOverview child;
        child.listed = name;
        overview.children.append(child);
    }
    QHash<QString, qsizetype> unlisted;
    // The listed name of each name typed, looked up once.
    QHash<QString, QString> listedOf;
    for (const store::GameRow &game : games) {
        auto found = listedOf.find(game.player);
        if (found == listedOf.end())
            found = listedOf.insert(game.player, listedNameOf(game.player, classList, links));
        if (found->isEmpty()) {
            ++overview.unlistedGames;
            auto at = unlisted.find(game.player);
            if (at == unlisted.end()) {
                at = unlisted.insert(game.player, overview.unlisted.size());
                overview.unlisted.append({game.player, 0, game.startedUtc});
            }
            ++overview.unlisted[*at].games;
            continue;
        }
        ChildOverview &child = overview.children[row.value(*found)];
        if (!child.names.contains(game.player))
            child.names << game.player;
        if (child.games++ == 0)
            child.last = game;
        child.levelReached = std::max(child.levelReached, game.levelReached);
        child.answered += game.answered;
        child.answeredRight += game.answeredRight;
        if (game.answered > 0 && child.recentShares.size() < trendGames)
            child.recentShares.prepend(double(game.answeredRight) / game.answered);
    }
    return overview;
}

Trend trendOf(const QList<double> &shares) {
    const qsizetype n = shares.size();
    if (n < 2)
        return Trend::Unknown;
    // The least-squares line through (game, share).
    double meanX = (n - 1) / 2.0, meanY = 0;
    for (double share : shares)
        meanY += share / n;
    double along = 0, spread = 0;
    for (qsizetype i = 0; i < n; ++i) {
        along += (i - meanX) * (shares[i] - meanY);
        spread += (i - meanX) * (i - meanX);
    }
    const double slope = along / spread;
    if (slope >= 0.03)
        return Trend::Better;
    if (slope <= -0.03)
        return Trend::Worse;
    return Trend::Steady;
}

QString trendText(Trend trend) {
    switch (trend) {
    case Trend::Better:
        return QStringLiteral("ดีขึ้น");
    case Trend::Steady:
        return QStringLiteral("ใกล้เคียงเดิม");
    case Trend::Worse:
        return QStringLiteral("ลดลง");
    case Trend::Unknown:
        break;
    }
    return QStringLiteral("ยังบอกไม่ได้");
}

} // namespace lumo::teacher
