// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/server_reader.h"

#include "store/queries.h"
#include "store/schema.h"
#include "store/statement.h"
#include "sync/server_schema.h"

#include <QSqlQuery>
#include <QSysInfo>

namespace lumo::sync {

ServerReader::ServerReader(const ServerSettings &settings, const ConnectOptions &options,
                           const QString &computer)
    : settings_(settings), options_(options),
      computer_(computer.isEmpty() ? QSysInfo::machineHostName() : computer) {
    connect();
}

ServerReader::~ServerReader() = default;

namespace {

/// Whether the program's tables on the server are there and of the
/// version this program reads, found without changing anything: only the
/// sync creates and migrates them.
std::optional<Problem> schemaProblem(QSqlDatabase &db) {
    QSqlQuery query(db);
    QSqlError error;
    const auto failed = [&] { return Problem{stateForStatementError(error), errorText(error)}; };
    const auto notSetUp = [](const QString &detail) {
        return Problem{SyncStatus::State::NotSetUp, detail};
    };
    if (!store::execute(
            query,
            QStringLiteral("SELECT has_schema_privilege(oid, 'USAGE') FROM pg_namespace "
                           "WHERE nspname = ?"),
            {serverSchema}, error))
        return failed();
    if (!query.next() || !query.value(0).toBool())
        return notSetUp(QStringLiteral("the database has no schema \"%1\" that this user may "
                                       "use (see the README: a school's server)")
                            .arg(serverSchema));
    if (!store::execute(query, QStringLiteral("SELECT to_regclass(?) IS NOT NULL"),
                        {serverSchema + QStringLiteral(".schema_version")}, error) ||
        !query.next())
        return failed();
    if (!query.value(0).toBool())
        return notSetUp(QStringLiteral("no computer has sent results to this server yet; the "
                                       "first one to send makes its tables"));
    if (!store::execute(query,
                        QStringLiteral("SELECT COALESCE(MAX(version), 0) FROM schema_version"), {},
                        error) ||
        !query.next())
        return failed();
    const int version = query.value(0).toInt();
    const int known = store::latestVersion(serverSteps());
    if (version > known)
        return Problem{SyncStatus::State::SchemaTooNew,
                       QStringLiteral("the server's tables are version %1, set up by a newer "
                                      "version of the program; this one reads version %2")
                           .arg(version)
                           .arg(known)};
    if (version < known)
        return notSetUp(QStringLiteral("the server's tables are version %1 and this program "
                                       "reads version %2: they are brought up to it when a "
                                       "computer with this version sends its results")
                            .arg(version)
                            .arg(known));
    return std::nullopt;
}

} // namespace

bool ServerReader::connect() {
    if (connection_)
        return true;
    auto connection = std::make_unique<ServerConnection>(settings_, options_);
    if (!connection->open()) {
        problem_ = connection->problem();
        return false;
    }
    if (const std::optional<Problem> problem = schemaProblem(connection->db())) {
        problem_ = *problem;
        return false;
    }
    problem_ = {};
    connection_ = std::move(connection);
    return true;
}

template <typename Read>
auto ServerReader::read(Read read) -> decltype(read(std::declval<QSqlDatabase &>())) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!connect()) {
            lastError_ = problem_.detail;
            return {};
        }
        lastError_.clear();
        auto result = read(connection_->db());
        if (lastError_.isEmpty())
            return result;
        // The server restarted since the last read: one more try on a new connection.
        connection_.reset();
    }
    return {};
}

QList<store::GameRow> ServerReader::games(const store::GameFilter &filter) {
    return read([&](QSqlDatabase &db) {
        return store::SharedQueries(db, store::SqlDialect::Postgres, lastError_).games(filter);
    });
}

QStringList ServerReader::players(const store::GameFilter &filter) {
    return read([&](QSqlDatabase &db) {
        return store::SharedQueries(db, store::SqlDialect::Postgres, lastError_).players(filter);
    });
}

QStringList ServerReader::computers() {
    return read([&](QSqlDatabase &db) {
        return store::SharedQueries(db, store::SqlDialect::Postgres, lastError_).computers();
    });
}

store::ChildSummary ServerReader::summary(const QString &player, const store::GameFilter &filter) {
    return read([&](QSqlDatabase &db) {
        return store::SharedQueries(db, store::SqlDialect::Postgres, lastError_)
            .summary(player, filter);
    });
}

store::WrongAnswers ServerReader::wrongAnswers(const QString &player,
                                               const store::GameFilter &filter) {
    return read([&](QSqlDatabase &db) {
        return store::SharedQueries(db, store::SqlDialect::Postgres, lastError_)
            .wrongAnswers(player, filter);
    });
}

QList<store::AnswerRow> ServerReader::answers(const QString &gameId) {
    return read([&](QSqlDatabase &db) {
        return store::SharedQueries(db, store::SqlDialect::Postgres, lastError_).answers(gameId);
    });
}

QList<store::AnswerRow> ServerReader::answersOf(const store::GameFilter &filter) {
    return read([&](QSqlDatabase &db) {
        return store::SharedQueries(db, store::SqlDialect::Postgres, lastError_).answersOf(filter);
    });
}

int ServerReader::deleteGame(const QString &id) {
    return move(QStringLiteral("id = CAST(? AS uuid)"), {id}, true);
}

int ServerReader::deletePlayer(const QString &player) {
    return move(QStringLiteral("player = ?"), {player}, true);
}

int ServerReader::deleteAll() {
    return move(QStringLiteral("true"), {}, true);
}

int ServerReader::restoreGame(const QString &id) {
    return move(QStringLiteral("id = CAST(? AS uuid)"), {id}, false);
}

int ServerReader::restoreAll() {
    return move(QStringLiteral("true"), {}, false);
}

int ServerReader::move(const QString &condition, const QVariantList &values, bool toBin) {
    if (!connect()) {
        lastError_ = problem_.detail;
        return -1;
    }
    const QString sql =
        toBin ? QStringLiteral("UPDATE games SET deleted_utc = now(), deleted_by = ?, "
                               "deleted_from = 'teacher' WHERE deleted_utc IS NULL AND ") +
                    condition
              : QStringLiteral("UPDATE games SET deleted_utc = NULL, deleted_by = NULL, "
                               "deleted_from = NULL WHERE deleted_utc IS NOT NULL AND ") +
                    condition;
    QSqlQuery query(connection_->db());
    QSqlError error;
    if (!store::execute(query, sql, toBin ? QVariantList{computer_} + values : values, error)) {
        lastError_ = errorText(error);
        connection_.reset();
        return -1;
    }
    lastError_.clear();
    return query.numRowsAffected();
}

QList<store::BinnedGame> ServerReader::bin() {
    return read([&](QSqlDatabase &db) {
        QList<store::BinnedGame> games;
        QSqlQuery query(db);
        QSqlError error;
        if (!store::execute(
                query,
                QStringLiteral(
                    "SELECT CAST(id AS text), player, computer, to_char(started_utc AT TIME ZONE "
                    "'UTC', 'YYYY-MM-DD\"T\"HH24:MI:SS.MS\"Z\"'), to_char(deleted_utc AT TIME "
                    "ZONE 'UTC', 'YYYY-MM-DD\"T\"HH24:MI:SS.MS\"Z\"'), deleted_by, "
                    "deleted_from = 'teacher' FROM games WHERE deleted_utc IS NOT NULL "
                    "ORDER BY deleted_utc DESC, id"),
                {}, error)) {
            lastError_ = errorText(error);
            return games;
        }
        while (query.next())
            games.append({query.value(0).toString(), query.value(1).toString(),
                          query.value(2).toString(), store::fromUtcText(query.value(3).toString()),
                          store::fromUtcText(query.value(4).toString()), query.value(5).toString(),
                          query.value(6).toBool()});
        return games;
    });
}

} // namespace lumo::sync
