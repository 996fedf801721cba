// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/schema.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace lumo::store {

namespace {

// Version 1. Every game and every answer has its own UUID and a synced flag,
// and deletions are logged by id, so that a school server can later gather
// the records of every computer and learn which ones were removed. Times are
// UTC ISO 8601 text; an unfinished game is one with no end recorded.
const QStringList version1{
    QStringLiteral(R"(CREATE TABLE games (
        id              TEXT PRIMARY KEY NOT NULL,
        computer        TEXT NOT NULL,
        player          TEXT NOT NULL,
        started_utc     TEXT NOT NULL,
        start_level     INTEGER NOT NULL,
        clock_minutes   INTEGER,
        settings        TEXT NOT NULL,
        program_version TEXT NOT NULL,
        ended_utc       TEXT,
        outcome         TEXT CHECK (outcome IN ('won', 'time_out', 'left', 'window_closed')),
        level_reached   INTEGER NOT NULL,
        questions       INTEGER NOT NULL DEFAULT 0,
        right_points    INTEGER NOT NULL DEFAULT 0,
        wrong_points    INTEGER NOT NULL DEFAULT 0,
        clock_seconds   INTEGER,
        synced          INTEGER NOT NULL DEFAULT 0
    ))"),
    QStringLiteral("CREATE INDEX games_by_player ON games (player, started_utc)"),
    QStringLiteral("CREATE INDEX games_by_start ON games (started_utc)"),
    QStringLiteral("CREATE INDEX games_unsynced ON games (synced) WHERE synced = 0"),
    QStringLiteral(R"(CREATE TABLE answers (
        id            TEXT PRIMARY KEY NOT NULL,
        game_id       TEXT NOT NULL REFERENCES games (id) ON DELETE CASCADE,
        question      INTEGER NOT NULL,
        level         INTEGER NOT NULL,
        count1        INTEGER NOT NULL,
        count2        INTEGER,
        count3        INTEGER,
        count4        INTEGER,
        total         INTEGER,
        slots         TEXT NOT NULL,
        answer1       INTEGER NOT NULL,
        answer2       INTEGER,
        answer3       INTEGER,
        answer4       INTEGER,
        answer_total  INTEGER,
        right_points  INTEGER NOT NULL,
        wrong_points  INTEGER NOT NULL,
        seconds       REAL NOT NULL,
        checked_utc   TEXT NOT NULL,
        synced        INTEGER NOT NULL DEFAULT 0
    ))"),
    QStringLiteral("CREATE INDEX answers_by_game ON answers (game_id, question)"),
    QStringLiteral("CREATE INDEX answers_unsynced ON answers (synced) WHERE synced = 0"),
    QStringLiteral(R"(CREATE TABLE deletions (
        game_id     TEXT PRIMARY KEY NOT NULL,
        deleted_utc TEXT NOT NULL
    ))"),
};

int userVersion(QSqlDatabase &db, QSqlError &error) {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        error = query.lastError();
        return -1;
    }
    return query.value(0).toInt();
}

bool run(QSqlDatabase &db, const QString &statement, QSqlError &error) {
    QSqlQuery query(db);
    if (query.exec(statement))
        return true;
    error = query.lastError();
    return false;
}

} // namespace

const QList<MigrationStep> &schemaSteps() {
    static const QList<MigrationStep> steps{{1, version1}};
    return steps;
}

int latestVersion(const QList<MigrationStep> &steps) {
    return steps.isEmpty() ? 0 : steps.last().version;
}

MigrationResult migrate(QSqlDatabase &db, const QList<MigrationStep> &steps) {
    MigrationResult result;
    result.toVersion = latestVersion(steps);
    // IMMEDIATE takes the write lock at once: two copies of the program
    // starting together cannot both run the same step.
    if (!run(db, QStringLiteral("BEGIN IMMEDIATE"), result.error)) {
        result.kind = MigrationResult::Kind::Failed;
        return result;
    }
    const auto fail = [&](MigrationResult::Kind kind) {
        QSqlError ignored;
        run(db, QStringLiteral("ROLLBACK"), ignored);
        result.kind = kind;
        return result;
    };

    result.fromVersion = userVersion(db, result.error);
    if (result.fromVersion < 0)
        return fail(MigrationResult::Kind::Failed);
    if (result.fromVersion > result.toVersion)
        return fail(MigrationResult::Kind::TooNew);

    for (const MigrationStep &step : steps) {
        if (step.version <= result.fromVersion)
            continue;
        for (const QString &statement : step.statements)
            if (!run(db, statement, result.error))
                return fail(MigrationResult::Kind::Failed);
    }
    if (result.fromVersion != result.toVersion &&
        !run(db, QStringLiteral("PRAGMA user_version = %1").arg(result.toVersion), result.error))
        return fail(MigrationResult::Kind::Failed);
    if (!run(db, QStringLiteral("COMMIT"), result.error))
        return fail(MigrationResult::Kind::Failed);
    return result;
}

} // namespace lumo::store
