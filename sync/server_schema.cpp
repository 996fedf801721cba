// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/server_schema.h"

#include "sync/server_connection.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace lumo::sync {

namespace {

// Version 1: the local store's games and answers with the same ids and
// columns, timestamps as timestamptz, and when each game arrived. Deleted
// games leave their id behind, so that no computer sends them again.
const QStringList version1{
    QStringLiteral(R"(CREATE TABLE server_identity (
        id          uuid PRIMARY KEY,
        created_utc timestamptz NOT NULL DEFAULT now()
    ))"),
    QStringLiteral(R"(CREATE TABLE games (
        id              uuid PRIMARY KEY,
        computer        text NOT NULL,
        player          text NOT NULL,
        started_utc     timestamptz NOT NULL,
        start_level     integer NOT NULL,
        clock_minutes   integer,
        settings        text NOT NULL,
        program_version text NOT NULL,
        ended_utc       timestamptz,
        outcome         text CHECK (outcome IN ('won', 'time_out', 'left', 'window_closed')),
        level_reached   integer NOT NULL,
        questions       integer NOT NULL,
        right_points    integer NOT NULL,
        wrong_points    integer NOT NULL,
        clock_seconds   integer,
        received_utc    timestamptz NOT NULL DEFAULT now()
    ))"),
    QStringLiteral("CREATE INDEX games_by_player ON games (player, started_utc)"),
    QStringLiteral("CREATE INDEX games_by_start ON games (started_utc)"),
    QStringLiteral("CREATE INDEX games_by_computer ON games (computer, started_utc)"),
    QStringLiteral(R"(CREATE TABLE answers (
        id            uuid PRIMARY KEY,
        game_id       uuid NOT NULL REFERENCES games (id) ON DELETE CASCADE,
        question      integer NOT NULL,
        level         integer NOT NULL,
        count1        integer NOT NULL,
        count2        integer,
        count3        integer,
        count4        integer,
        total         integer,
        slots         text NOT NULL,
        answer1       integer NOT NULL,
        answer2       integer,
        answer3       integer,
        answer4       integer,
        answer_total  integer,
        right_points  integer NOT NULL,
        wrong_points  integer NOT NULL,
        seconds       double precision NOT NULL,
        checked_utc   timestamptz NOT NULL
    ))"),
    QStringLiteral("CREATE INDEX answers_by_game ON answers (game_id, question)"),
    QStringLiteral(R"(CREATE TABLE deletions (
        game_id     uuid PRIMARY KEY,
        deleted_by  text NOT NULL,
        deleted_utc timestamptz NOT NULL DEFAULT now()
    ))"),
};

// Any number will do, as long as nothing else in the database uses it.
constexpr qint64 migrationLock = 0x6c756d6f33; // "lumo3"

} // namespace

const QList<ServerStep> &serverSteps() {
    static const QList<ServerStep> steps{{1, version1}};
    return steps;
}

int latestServerVersion(const QList<ServerStep> &steps) {
    return steps.isEmpty() ? 0 : steps.last().version;
}

ServerSchema migrateServer(QSqlDatabase &db, const QString &programVersion,
                           const QList<ServerStep> &steps) {
    ServerSchema result;
    result.toVersion = latestServerVersion(steps);
    QSqlQuery query(db);
    const auto run = [&](const QString &sql, const QVariantList &values = {}) {
        if (execOnServer(query, sql, values))
            return true;
        result.error = query.lastError();
        return false;
    };
    const auto fail = [&](ServerSchema::Kind kind) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        result.kind = kind;
        if (result.detail.isEmpty())
            result.detail = errorText(result.error);
        return result;
    };
    if (!run(QStringLiteral("BEGIN")))
        return fail(ServerSchema::Kind::Failed);
    // Forty computers switched on together: one migrates, the others wait
    // and then find the work done.
    if (!run(QStringLiteral("SELECT pg_advisory_xact_lock(?)"), {migrationLock}))
        return fail(ServerSchema::Kind::Failed);
    if (!run(QStringLiteral("SELECT has_schema_privilege(oid, 'USAGE, CREATE') FROM pg_namespace "
                            "WHERE nspname = ?"),
             {serverSchema}))
        return fail(ServerSchema::Kind::Failed);
    if (!query.next() || !query.value(0).toBool()) {
        result.detail = QStringLiteral("the database has no schema \"%1\" that this user may "
                                       "create tables in (see the README: a school's server)")
                            .arg(serverSchema);
        return fail(ServerSchema::Kind::NotSetUp);
    }
    if (!run(QStringLiteral("SELECT to_regclass(?) IS NOT NULL"),
             {serverSchema + QStringLiteral(".schema_version")}) ||
        !query.next())
        return fail(ServerSchema::Kind::Failed);
    if (query.value(0).toBool()) {
        if (!run(QStringLiteral("SELECT COALESCE(MAX(version), 0) FROM schema_version")) ||
            !query.next())
            return fail(ServerSchema::Kind::Failed);
        result.fromVersion = query.value(0).toInt();
    } else if (!run(QStringLiteral("CREATE TABLE schema_version (version integer PRIMARY KEY, "
                                   "applied_utc timestamptz NOT NULL DEFAULT now(), "
                                   "program_version text NOT NULL)"))) {
        return fail(ServerSchema::Kind::Failed);
    }
    if (result.fromVersion > result.toVersion) {
        result.detail = QStringLiteral("the server's schema is version %1, set up by a newer "
                                       "version of the program; this one knows version %2 and "
                                       "leaves it untouched")
                            .arg(result.fromVersion)
                            .arg(result.toVersion);
        return fail(ServerSchema::Kind::TooNew);
    }
    for (const ServerStep &step : steps) {
        if (step.version <= result.fromVersion)
            continue;
        for (const QString &statement : step.statements)
            if (!run(statement))
                return fail(ServerSchema::Kind::Failed);
        if (step.version == 1 && !run(QStringLiteral("INSERT INTO server_identity (id) VALUES (?)"),
                                      {QUuid::createUuid().toString(QUuid::WithoutBraces)}))
            return fail(ServerSchema::Kind::Failed);
        if (!run(QStringLiteral(
                     "INSERT INTO schema_version (version, program_version) VALUES (?, ?)"),
                 {step.version, programVersion}))
            return fail(ServerSchema::Kind::Failed);
    }
    if (!run(QStringLiteral("SELECT CAST(id AS text) FROM server_identity")) || !query.next())
        return fail(ServerSchema::Kind::Failed);
    result.serverId = query.value(0).toString();
    if (!run(QStringLiteral("COMMIT")))
        return fail(ServerSchema::Kind::Failed);
    return result;
}

} // namespace lumo::sync
