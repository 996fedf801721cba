// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/reader.h"

#include "store/queries.h"
#include "store/statement.h"

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
    if (reading->isOpen() &&
        reading->exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(options.busyTimeoutMs)) &&
        reading->scalar(QStringLiteral("SELECT COUNT(*) FROM games")).isValid())
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

bool readBacklog(QSqlDatabase &db, Backlog &backlog, QSqlError &error) {
    QSqlQuery query(db);
    if (!execute(query,
                 QStringLiteral("SELECT (SELECT COUNT(*) FROM games WHERE synced = 0), "
                                "(SELECT COUNT(*) FROM answers WHERE synced = 0), "
                                "(SELECT COUNT(*) FROM deletions)"),
                 {}, error) ||
        !query.next())
        return false;
    backlog.games = query.value(0).toInt();
    backlog.answers = query.value(1).toInt();
    backlog.deletions = query.value(2).toInt();
    return true;
}

Backlog ResultReader::backlog() {
    Backlog backlog;
    QSqlError error;
    if (connection_ && !readBacklog(connection_->db(), backlog, error))
        lastError_ = errorText(error);
    return backlog;
}

int ResultReader::deletePlayer(const QString &player) {
    return deleteGames(player);
}

int ResultReader::deleteAll() {
    return deleteGames(std::nullopt);
}

int ResultReader::deleteGames(const std::optional<QString> &player) {
    // One child's games, or everyone's when no player is given.
    const QVariant who = player ? QVariant(*player) : QVariant(QMetaType::fromType<QString>());
    if (!connection_)
        return -1;
    QSqlDatabase &db = connection_->db();
    WriteTransaction transaction(db);
    QSqlQuery remove(db);
    QSqlError error;
    if (!transaction.begin(error) ||
        !execute(db,
                 QStringLiteral("INSERT OR REPLACE INTO deletions (game_id, deleted_utc) "
                                "SELECT id, ? FROM games WHERE ? IS NULL OR player = ?"),
                 {utcText(QDateTime::currentDateTimeUtc()), who, who}, error) ||
        !execute(remove, QStringLiteral("DELETE FROM games WHERE ? IS NULL OR player = ?"),
                 {who, who}, error)) {
        lastError_ = errorText(error);
        return -1;
    }
    const int deleted = remove.numRowsAffected();
    remove.finish();
    if (!transaction.commit(error)) {
        lastError_ = errorText(error);
        return -1;
    }
    lastError_.clear();
    return deleted;
}

} // namespace lumo::store
