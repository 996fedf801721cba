// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/server_functions.h"

#include "store/tables.h"
#include "sync/server_connection.h"

namespace lumo::sync {

namespace {

QString qualified(const QStringList &columns, const QString &alias) {
    QStringList list;
    for (const QString &column : columns)
        list << alias + QLatin1Char('.') + column;
    return list.join(QStringLiteral(", "));
}

QStringList version2() {
    // Each runs as the owner, whoever calls it: every name it uses is the
    // schema's, never one a caller's search path could put in front.
    const QString definer =
        QStringLiteral(" SECURITY DEFINER SET search_path = %1, pg_temp AS $body$")
            .arg(serverSchema);
    const QString s = serverSchema + QLatin1Char('.');
    const QStringList gameColumns = store::sharedColumns(QStringLiteral("games"));
    const QStringList answerColumns = store::sharedColumns(QStringLiteral("answers"));
    // A game one of the computers deleted stays in the bin this long; then
    // it is removed, and its id kept so that no computer sends it again.
    const QString emptyBin =
        QStringLiteral("CREATE OR REPLACE FUNCTION %1empty_bin() RETURNS void LANGUAGE sql") +
        definer +
        QStringLiteral(" WITH gone AS (DELETE FROM %1games WHERE deleted_utc <= now() - "
                       "interval '%2 days' RETURNING id, deleted_by, deleted_utc) INSERT INTO "
                       "%1deletions (game_id, deleted_by, deleted_utc) SELECT id, "
                       "COALESCE(deleted_by, ''), deleted_utc FROM gone ON CONFLICT (game_id) DO "
                       "NOTHING $body$");
    // The schema's version and the server's identity; the bin emptied.
    const QString state =
        QStringLiteral("CREATE OR REPLACE FUNCTION %1server_state(OUT version integer, OUT "
                       "server_id text) LANGUAGE plpgsql") +
        definer +
        QStringLiteral(" BEGIN PERFORM %1empty_bin(); SELECT COALESCE(MAX(v.version), 0) INTO "
                       "version FROM %1schema_version v; SELECT CAST(i.id AS text) INTO "
                       "server_id FROM %1server_identity i; END $body$");
    // A computer's game with its answers: true when stored, false when the
    // game left the server's bin for good. Another computer's game, or an
    // answer of another game, is refused.
    const QString handIn =
        QStringLiteral("CREATE OR REPLACE FUNCTION %1hand_in_game(p_game jsonb, p_answers jsonb) "
                       "RETURNS boolean LANGUAGE plpgsql") +
        definer +
        QStringLiteral(
            " DECLARE g %1games; n integer; BEGIN g := jsonb_populate_record(NULL::%1games, "
            "p_game); PERFORM pg_advisory_xact_lock(hashtextextended(CAST(g.id AS text), 0)); IF "
            "EXISTS (SELECT 1 FROM %1deletions d WHERE d.game_id = g.id) THEN RETURN false; END "
            "IF; INSERT INTO %1games AS games (%2) SELECT %3 FROM jsonb_populate_record(NULL::"
            "%1games, p_game) AS r%4 WHERE games.computer = EXCLUDED.computer; GET DIAGNOSTICS n "
            "= ROW_COUNT; IF n = 0 THEN RAISE EXCEPTION 'game % was played on another computer', "
            "g.id USING ERRCODE = 'insufficient_privilege'; END IF; IF EXISTS (SELECT 1 FROM "
            "jsonb_populate_recordset(NULL::%1answers, p_answers) a WHERE a.game_id IS DISTINCT "
            "FROM g.id) THEN RAISE EXCEPTION 'an answer of another game' USING ERRCODE = "
            "'insufficient_privilege'; END IF; INSERT INTO %1answers (%5) SELECT %6 FROM "
            "jsonb_populate_recordset(NULL::%1answers, p_answers) AS a%7; RETURN true; END "
            "$body$");
    // Into the bin, or out of it, only a game of the computer that asks,
    // and out of it only what that computer put there.
    const QString otherComputer =
        QStringLiteral(" IF EXISTS (SELECT 1 FROM %1games g WHERE g.id = p_game AND g.computer <> "
                       "p_computer) THEN RAISE EXCEPTION 'game % was played on another "
                       "computer', p_game USING ERRCODE = 'insufficient_privilege'; END IF;");
    const QString binGame =
        QStringLiteral("CREATE OR REPLACE FUNCTION %1bin_game(p_game uuid, p_computer text) "
                       "RETURNS boolean LANGUAGE plpgsql") +
        definer +
        QStringLiteral(" BEGIN PERFORM pg_advisory_xact_lock(hashtextextended(CAST(p_game AS "
                       "text), 0));") +
        otherComputer +
        QStringLiteral(" UPDATE %1games SET deleted_utc = now(), deleted_by = p_computer, "
                       "deleted_from = 'computer' WHERE id = p_game AND deleted_utc IS NULL; "
                       "RETURN FOUND; END $body$");
    const QString restoreGame =
        QStringLiteral("CREATE OR REPLACE FUNCTION %1restore_game(p_game uuid, p_computer text) "
                       "RETURNS boolean LANGUAGE plpgsql") +
        definer +
        QStringLiteral(" BEGIN PERFORM pg_advisory_xact_lock(hashtextextended(CAST(p_game AS "
                       "text), 0));") +
        otherComputer +
        QStringLiteral(" UPDATE %1games SET deleted_utc = NULL, deleted_by = NULL, deleted_from = "
                       "NULL WHERE id = p_game AND deleted_from = 'computer' AND deleted_by = "
                       "p_computer; RETURN FOUND; END $body$");
    // The teacher's: one game, one player's (matched exactly) or everyone's.
    const QString teacherBin =
        QStringLiteral("CREATE OR REPLACE FUNCTION %1teacher_bin(p_game uuid, p_player text, "
                       "p_everyone boolean, p_by text) RETURNS integer LANGUAGE plpgsql") +
        definer +
        QStringLiteral(" DECLARE n integer; BEGIN PERFORM %1empty_bin(); UPDATE %1games SET "
                       "deleted_utc = now(), deleted_by = p_by, deleted_from = 'teacher' WHERE "
                       "deleted_utc IS NULL AND (id = p_game OR player = p_player OR "
                       "COALESCE(p_everyone, false)); GET DIAGNOSTICS n = ROW_COUNT; RETURN n; END "
                       "$body$");
    const QString teacherRestore =
        QStringLiteral("CREATE OR REPLACE FUNCTION %1teacher_restore(p_game uuid, p_everyone "
                       "boolean) RETURNS integer LANGUAGE plpgsql") +
        definer +
        QStringLiteral(" DECLARE n integer; BEGIN PERFORM %1empty_bin(); UPDATE %1games SET "
                       "deleted_utc = NULL, deleted_by = NULL, deleted_from = NULL WHERE "
                       "deleted_utc IS NOT NULL AND (id = p_game OR COALESCE(p_everyone, "
                       "false)); GET DIAGNOSTICS n = ROW_COUNT; RETURN n; END $body$");
    const QString teacherBinList =
        QStringLiteral("CREATE OR REPLACE FUNCTION %1teacher_bin_list() RETURNS TABLE (id uuid, "
                       "player text, computer text, started_utc timestamptz, deleted_utc "
                       "timestamptz, deleted_by text, by_teacher boolean) LANGUAGE sql") +
        definer +
        QStringLiteral(" SELECT %1empty_bin(); SELECT g.id, g.player, g.computer, g.started_utc, "
                       "g.deleted_utc, g.deleted_by, g.deleted_from = 'teacher' FROM %1games g "
                       "WHERE g.deleted_utc IS NOT NULL ORDER BY g.deleted_utc DESC, g.id $body$");

    QStringList statements{
        emptyBin.arg(s).arg(store::binDays),
        state.arg(s),
        handIn.arg(
            s, gameColumns.join(QStringLiteral(", ")), qualified(gameColumns, QStringLiteral("r")),
            store::conflictClause(QStringLiteral("games")),
            answerColumns.join(QStringLiteral(", ")), qualified(answerColumns, QStringLiteral("a")),
            store::conflictClause(QStringLiteral("answers"))),
        binGame.arg(s),
        restoreGame.arg(s),
        teacherBin.arg(s),
        teacherRestore.arg(s),
        teacherBinList.arg(s),
    };
    // Nobody runs a function unless told below; the teacher reads the two
    // tables of results and nothing else.
    statements
        << QStringLiteral("REVOKE ALL ON ALL FUNCTIONS IN SCHEMA %1 FROM PUBLIC").arg(serverSchema)
        << QStringLiteral("GRANT EXECUTE ON FUNCTION %1server_state() TO %2, %3")
               .arg(s, computersRole, teacherRole)
        << QStringLiteral("GRANT EXECUTE ON FUNCTION %1hand_in_game(jsonb, jsonb), "
                          "%1bin_game(uuid, text), %1restore_game(uuid, text) TO %2")
               .arg(s, computersRole)
        << QStringLiteral("GRANT EXECUTE ON FUNCTION %1teacher_bin(uuid, text, boolean, text), "
                          "%1teacher_restore(uuid, boolean), %1teacher_bin_list() TO %2")
               .arg(s, teacherRole)
        << QStringLiteral("GRANT SELECT ON %1games, %1answers TO %2").arg(s, teacherRole);
    return statements;
}

} // namespace

QStringList serverFunctionStatements(int version) {
    return version == 2 ? version2() : QStringList{};
}

} // namespace lumo::sync
