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

bool ServerReader::connect() {
    if (connection_)
        return true;
    auto connection = std::make_unique<ServerConnection>(settings_.forTeacher(), options_);
    if (!connection->open()) {
        problem_ = connection->problem();
        return false;
    }
    const ServerSchema schema = checkServer(connection->db());
    if (schema.kind != ServerSchema::Kind::Ready) {
        problem_.detail = schema.detail;
        problem_.state = schema.kind == ServerSchema::Kind::TooNew ? SyncStatus::State::SchemaTooNew
                         : schema.kind == ServerSchema::Kind::NotSetUp
                             ? SyncStatus::State::NotSetUp
                             : stateForStatementError(schema.error);
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

namespace {
const QVariant noId = QVariant(QMetaType::fromType<QString>());
} // namespace

int ServerReader::deleteGame(const QString &id) {
    return change(QStringLiteral("SELECT teacher_bin(CAST(? AS uuid), ?, false, ?)"),
                  {id, noId, computer_});
}

int ServerReader::deletePlayer(const QString &player) {
    return change(QStringLiteral("SELECT teacher_bin(NULL, ?, false, ?)"), {player, computer_});
}

int ServerReader::deleteAll() {
    return change(QStringLiteral("SELECT teacher_bin(NULL, NULL, true, ?)"), {computer_});
}

int ServerReader::restoreGame(const QString &id) {
    return change(QStringLiteral("SELECT teacher_restore(CAST(? AS uuid), false)"), {id});
}

int ServerReader::restoreAll() {
    return change(QStringLiteral("SELECT teacher_restore(NULL, true)"), {});
}

int ServerReader::change(const QString &sql, const QVariantList &values) {
    const int moved = read([&](QSqlDatabase &db) {
        QSqlQuery query(db);
        QSqlError error;
        if (!store::execute(query, sql, values, error) || !query.next()) {
            lastError_ = errorText(error);
            return -1;
        }
        return query.value(0).toInt();
    });
    return lastError_.isEmpty() ? moved : -1;
}

QList<store::BinnedGame> ServerReader::bin() {
    return read([&](QSqlDatabase &db) {
        QList<store::BinnedGame> games;
        QSqlQuery query(db);
        QSqlError error;
        const auto text = [](const QString &column) {
            return QStringLiteral(
                       R"(to_char(%1 AT TIME ZONE 'UTC', 'YYYY-MM-DD"T"HH24:MI:SS.MS"Z"'))")
                .arg(column);
        };
        if (!store::execute(
                query,
                QStringLiteral("SELECT CAST(id AS text), player, computer, %1, %2, "
                               "deleted_by, by_teacher FROM teacher_bin_list()")
                    .arg(text(QStringLiteral("started_utc")), text(QStringLiteral("deleted_utc"))),
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
