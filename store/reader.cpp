// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/reader.h"

#include "store/queries.h"

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

Backlog ResultReader::backlog() {
    Backlog backlog;
    if (!connection_)
        return backlog;
    QSqlQuery query(connection_->db());
    if (!query.exec(QStringLiteral(
            "SELECT (SELECT COUNT(*) FROM games WHERE synced = 0), "
            "(SELECT COUNT(*) FROM answers WHERE synced = 0), (SELECT COUNT(*) FROM deletions)")) ||
        !query.next()) {
        lastError_ = query.lastError().text();
        return backlog;
    }
    backlog.games = query.value(0).toInt();
    backlog.answers = query.value(1).toInt();
    backlog.deletions = query.value(2).toInt();
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
    const auto fail = [&](const QSqlQuery &query) {
        lastError_ = query.lastError().text();
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return -1;
    };
    QSqlQuery begin(db);
    if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        lastError_ = begin.lastError().text();
        return -1;
    }
    QSqlQuery log(db);
    log.prepare(QStringLiteral("INSERT OR REPLACE INTO deletions (game_id, deleted_utc) "
                               "SELECT id, :now FROM games WHERE :who IS NULL OR player = :who"));
    log.bindValue(QStringLiteral(":now"), utcText(QDateTime::currentDateTimeUtc()));
    log.bindValue(QStringLiteral(":who"), who);
    if (!log.exec())
        return fail(log);
    QSqlQuery remove(db);
    remove.prepare(QStringLiteral("DELETE FROM games WHERE :who IS NULL OR player = :who"));
    remove.bindValue(QStringLiteral(":who"), who);
    if (!remove.exec())
        return fail(remove);
    const int deleted = remove.numRowsAffected();
    log.finish();
    remove.finish();
    QSqlQuery commit(db);
    if (!commit.exec(QStringLiteral("COMMIT")))
        return fail(commit);
    lastError_.clear();
    return deleted;
}

} // namespace lumo::store
