// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/server_schema.h"

#include "store/statement.h"
#include "store/tables.h"
#include "sync/server_connection.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace lumo::sync {

namespace {

// Any number will do, as long as nothing else in the database uses it.
constexpr qint64 migrationLock = 0x6c756d6f33; // "lumo3"

} // namespace

const QList<store::MigrationStep> &serverSteps() {
    static const QList<store::MigrationStep> steps = [] {
        QList<store::MigrationStep> list;
        for (int version = 1; version <= store::newestSchemaVersion(); ++version)
            list.append({version, store::schemaStatements(store::SqlDialect::Postgres, version)});
        return list;
    }();
    return steps;
}

ServerSchema migrateServer(QSqlDatabase &db, const QString &programVersion,
                           const QList<store::MigrationStep> &steps) {
    ServerSchema result;
    result.toVersion = store::latestVersion(steps);
    store::WriteTransaction transaction(db);
    QSqlQuery query(db);
    const auto run = [&](const QString &sql, const QVariantList &values = {}) {
        return store::execute(query, sql, values, result.error);
    };
    const auto fail = [&](ServerSchema::Kind kind) {
        result.kind = kind;
        if (result.detail.isEmpty())
            result.detail = store::errorText(result.error);
        return result;
    };
    if (!transaction.begin(result.error))
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
    for (const store::MigrationStep &step : steps) {
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
    query.finish();
    if (!transaction.commit(result.error))
        return fail(ServerSchema::Kind::Failed);
    return result;
}

} // namespace lumo::sync
