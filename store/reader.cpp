// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/reader.h"

#include "store/queries.h"
#include "store/statement.h"
#include "store/tables.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace lumo::store {

ResultReader::ResultReader(const QString &folder, const StoreOptions &options) {
    OpenedStore opened = openStore(folder, options);
    status_ = opened.status;
    connection_ = std::move(opened.connection);
    if (connection_ || !QFileInfo::exists(status_.filePath))
        return;
    // The game cannot write, but the teacher may still read what is there:
    // past another program's lock (WAL readers do not wait for writers), or
    // in a folder nobody may write.
    const bool locked = status_.state == StoreStatus::State::Locked;
    auto reading = std::make_unique<Connection>(
        status_.filePath, locked ? Connection::Mode::ReadWrite : Connection::Mode::Immutable);
    if (!reading->isOpen() ||
        !reading->exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(options.busyTimeoutMs)) ||
        !reading->scalar(QStringLiteral("SELECT COUNT(*) FROM games")).isValid())
        return;
    // A file of the first version, which this program cannot bring up to
    // date here: read as if its bin were empty (a view of this connection
    // only, in memory, in front of the file's table).
    if (reading->scalar(QStringLiteral("PRAGMA user_version")).toInt() < 2 &&
        !reading->exec(QStringLiteral("CREATE TEMP VIEW games AS SELECT *, NULL AS deleted_utc "
                                      "FROM main.games")))
        return;
    connection_ = std::move(reading);
}

ResultReader::~ResultReader() = default;

QList<GameRow> ResultReader::games(const GameFilter &filter) {
    if (!connection_)
        return {};
    return SharedQueries(connection_->db(), SqlDialect::Sqlite, lastError_).games(filter);
}

QStringList ResultReader::players(const GameFilter &filter) {
    if (!connection_)
        return {};
    return SharedQueries(connection_->db(), SqlDialect::Sqlite, lastError_).players(filter);
}

QStringList ResultReader::computers() {
    if (!connection_)
        return {};
    return SharedQueries(connection_->db(), SqlDialect::Sqlite, lastError_).computers();
}

ChildSummary ResultReader::summary(const QString &player, const GameFilter &filter) {
    if (!connection_)
        return {};
    return SharedQueries(connection_->db(), SqlDialect::Sqlite, lastError_).summary(player, filter);
}

WrongAnswers ResultReader::wrongAnswers(const QString &player, const GameFilter &filter) {
    if (!connection_)
        return {};
    return SharedQueries(connection_->db(), SqlDialect::Sqlite, lastError_)
        .wrongAnswers(player, filter);
}

QList<AnswerRow> ResultReader::answers(const QString &gameId) {
    if (!connection_)
        return {};
    return SharedQueries(connection_->db(), SqlDialect::Sqlite, lastError_).answers(gameId);
}

QList<AnswerRow> ResultReader::answersOf(const GameFilter &filter) {
    if (!connection_)
        return {};
    return SharedQueries(connection_->db(), SqlDialect::Sqlite, lastError_).answersOf(filter);
}

bool readBacklog(QSqlDatabase &db, Backlog &backlog, QSqlError &error) {
    QSqlQuery query(db);
    if (!execute(query,
                 QStringLiteral("SELECT (SELECT COUNT(*) FROM games WHERE synced = 0 AND "
                                "deleted_utc IS NULL), (SELECT COUNT(*) FROM answers a JOIN "
                                "games g ON g.id = a.game_id WHERE a.synced = 0 AND "
                                "g.deleted_utc IS NULL), (SELECT COUNT(*) FROM deletions), "
                                "(SELECT COUNT(*) FROM restorations)"),
                 {}, error) ||
        !query.next())
        return false;
    backlog.games = query.value(0).toInt();
    backlog.answers = query.value(1).toInt();
    backlog.deletions = query.value(2).toInt();
    backlog.restorations = query.value(3).toInt();
    return true;
}

Backlog ResultReader::backlog() {
    Backlog backlog;
    QSqlError error;
    if (connection_ && !readBacklog(connection_->db(), backlog, error))
        lastError_ = errorText(error);
    return backlog;
}

int ResultReader::deleteGame(const QString &id) {
    return move({QStringLiteral("id = ?"), {id}}, true);
}

int ResultReader::deletePlayer(const QString &player) {
    return move({QStringLiteral("player = ?"), {player}}, true);
}

int ResultReader::deleteAll() {
    return move({QStringLiteral("1 = 1"), {}}, true);
}

int ResultReader::restoreGame(const QString &id) {
    return move({QStringLiteral("id = ?"), {id}}, false);
}

int ResultReader::restoreAll() {
    return move({QStringLiteral("1 = 1"), {}}, false);
}

int ResultReader::move(const Which &which, bool toBin) {
    if (!connection_)
        return -1;
    // Games now on the side they leave; each is logged for the server, and
    // the opposite log forgets it: only the last of a game's moves is sent.
    const QString from = (toBin ? QStringLiteral("deleted_utc IS NULL AND ")
                                : QStringLiteral("deleted_utc IS NOT NULL AND ")) +
                         which.condition;
    const QString now = utcText(QDateTime::currentDateTimeUtc());
    const QString log = toBin ? QStringLiteral("deletions (game_id, deleted_utc)")
                              : QStringLiteral("restorations (game_id, restored_utc)");
    const QString other = toBin ? QStringLiteral("restorations") : QStringLiteral("deletions");
    QSqlDatabase &db = connection_->db();
    WriteTransaction transaction(db);
    QSqlQuery update(db);
    QSqlError error;
    if (!transaction.begin(error) ||
        !execute(db,
                 QStringLiteral("INSERT OR REPLACE INTO %1 SELECT id, ? FROM games WHERE %2")
                     .arg(log, from),
                 QVariantList{now} + which.values, error) ||
        !execute(db,
                 QStringLiteral("DELETE FROM %1 WHERE game_id IN (SELECT id FROM games WHERE %2)")
                     .arg(other, from),
                 which.values, error) ||
        !execute(update, QStringLiteral("UPDATE games SET deleted_utc = ? WHERE ") + from,
                 QVariantList{toBin ? QVariant(now) : QVariant(QMetaType::fromType<QString>())} +
                     which.values,
                 error)) {
        lastError_ = errorText(error);
        return -1;
    }
    const int moved = update.numRowsAffected();
    update.finish();
    if (!transaction.commit(error)) {
        lastError_ = errorText(error);
        return -1;
    }
    lastError_.clear();
    return moved;
}

QList<BinnedGame> ResultReader::bin() {
    QList<BinnedGame> games;
    if (!connection_)
        return games;
    QSqlQuery query(connection_->db());
    QSqlError error;
    if (!execute(query,
                 QStringLiteral("SELECT id, player, computer, started_utc, deleted_utc FROM games "
                                "WHERE deleted_utc IS NOT NULL ORDER BY deleted_utc DESC, id"),
                 {}, error)) {
        lastError_ = errorText(error);
        return games;
    }
    while (query.next())
        games.append({query.value(0).toString(), query.value(1).toString(),
                      query.value(2).toString(), fromUtcText(query.value(3).toString()),
                      fromUtcText(query.value(4).toString()), QString(), false});
    lastError_.clear();
    return games;
}

} // namespace lumo::store
