// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/outbox.h"

#include "store/statement.h"
#include "store/tables.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace lumo::sync {

namespace {

using store::execute;

// What a later answer or the game's end changes in a game's row.
const QStringList changingColumns{QStringLiteral("ended_utc"),     QStringLiteral("outcome"),
                                  QStringLiteral("level_reached"), QStringLiteral("questions"),
                                  QStringLiteral("right_points"),  QStringLiteral("wrong_points"),
                                  QStringLiteral("clock_seconds")};

const QStringList &gameColumns() {
    static const QStringList columns = store::sharedColumns(QStringLiteral("games"));
    return columns;
}

const QStringList &answerColumns() {
    static const QStringList columns = store::sharedColumns(QStringLiteral("answers"));
    return columns;
}

} // namespace

bool Outbox::backlog(store::Backlog &backlog) {
    return store::readBacklog(local_.db(), backlog, error_);
}

QList<BinChange> Outbox::changes(const QString &sql) {
    QList<BinChange> list;
    QSqlQuery query(local_.db());
    if (!execute(query, sql, {}, error_))
        return list;
    while (query.next())
        list.append({query.value(0).toString(), query.value(1).toString()});
    return list;
}

QList<BinChange> Outbox::deletions() {
    // A game already gone from the bin here has its deletion signed with
    // this computer's own name (the sender fills it in).
    return changes(QStringLiteral("SELECT d.game_id, COALESCE(g.computer, '') FROM deletions d "
                                  "LEFT JOIN games g ON g.id = d.game_id ORDER BY d.deleted_utc"));
}

QList<BinChange> Outbox::restorations() {
    return changes(QStringLiteral("SELECT r.game_id, COALESCE(g.computer, '') FROM restorations "
                                  "r LEFT JOIN games g ON g.id = r.game_id ORDER BY "
                                  "r.restored_utc"));
}

bool Outbox::forgetDeletion(const QString &gameId) {
    return execute(local_.db(), QStringLiteral("DELETE FROM deletions WHERE game_id = ?"), {gameId},
                   error_);
}

bool Outbox::forgetRestoration(const QString &gameId) {
    return execute(local_.db(), QStringLiteral("DELETE FROM restorations WHERE game_id = ?"),
                   {gameId}, error_);
}

QList<OutgoingGame> Outbox::nextGames(int limit, const QSet<QString> &skipped) {
    QList<OutgoingGame> games;
    QString sql = QStringLiteral("SELECT %1 FROM games g WHERE g.deleted_utc IS NULL AND "
                                 "(g.synced = 0 OR EXISTS (SELECT 1 FROM answers a WHERE "
                                 "a.game_id = g.id AND a.synced = 0))")
                      .arg(gameColumns().join(QStringLiteral(", ")));
    QVariantList values;
    if (!skipped.isEmpty()) {
        QStringList marks;
        for (const QString &id : skipped) {
            marks << QStringLiteral("?");
            values << id;
        }
        sql += QStringLiteral(" AND g.id NOT IN (%1)").arg(marks.join(QLatin1Char(',')));
    }
    sql += QStringLiteral(" ORDER BY g.started_utc, g.id LIMIT ?");
    values << limit;
    QSqlQuery query(local_.db());
    if (!execute(query, sql, values, error_))
        return games;
    const int gameWidth = static_cast<int>(gameColumns().size());
    while (query.next()) {
        OutgoingGame game;
        for (int c = 0; c < gameWidth; ++c)
            game.game << query.value(c);
        game.id = query.value(0).toString();
        games << game;
    }
    query.finish();

    const QString answersSql =
        QStringLiteral("SELECT %1 FROM answers WHERE game_id = ? AND synced = 0 ORDER BY question")
            .arg(answerColumns().join(QStringLiteral(", ")));
    const int answerWidth = static_cast<int>(answerColumns().size());
    for (OutgoingGame &game : games) {
        QSqlQuery answers(local_.db());
        if (!execute(answers, answersSql, {game.id}, error_))
            return {};
        while (answers.next()) {
            QVariantList row;
            for (int c = 0; c < answerWidth; ++c)
                row << answers.value(c);
            game.answers << row;
        }
    }
    return games;
}

bool Outbox::markSent(const OutgoingGame &game, bool &complete) {
    complete = false;
    store::WriteTransaction transaction(local_.db());
    if (!transaction.begin(error_))
        return false;
    for (const QVariantList &answer : game.answers)
        if (!execute(local_.db(), QStringLiteral("UPDATE answers SET synced = 1 WHERE id = ?"),
                     {answer.first()}, error_))
            return false;
    // The game's row as it was read, and no answer that was not sent: a
    // check recorded while the game was on its way keeps it unsent.
    QString sql = QStringLiteral("UPDATE games SET synced = 1 WHERE id = ?");
    QVariantList values{game.id};
    for (const QString &column : changingColumns) {
        sql += QStringLiteral(" AND %1 IS ?").arg(column);
        values << game.game.at(gameColumns().indexOf(column));
    }
    sql += QStringLiteral(
        " AND NOT EXISTS (SELECT 1 FROM answers a WHERE a.game_id = games.id AND a.synced = 0)");
    QSqlQuery query(local_.db());
    if (!execute(query, sql, values, error_))
        return false;
    complete = query.numRowsAffected() == 1;
    return transaction.commit(error_);
}

bool Outbox::resendEverything() {
    store::WriteTransaction transaction(local_.db());
    if (!transaction.begin(error_))
        return false;
    return execute(local_.db(), QStringLiteral("UPDATE games SET synced = 0"), {}, error_) &&
           execute(local_.db(), QStringLiteral("UPDATE answers SET synced = 0"), {}, error_) &&
           transaction.commit(error_);
}

} // namespace lumo::sync
