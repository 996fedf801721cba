// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/server_schema.h"

#include "store/statement.h"
#include "store/tables.h"
#include "sync/server_connection.h"
#include "sync/server_functions.h"

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
            list.append({version, store::schemaStatements(store::SqlDialect::Postgres, version) +
                                      serverFunctionStatements(version)});
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
    // Everything made here belongs to the owner, whoever set it up.
    if (!run(QStringLiteral("SET LOCAL ROLE %1").arg(ownerRole))) {
        result.detail = QStringLiteral("cannot act as the role %1 (%2): run server-setup.sql "
                                       "first, and this as its superuser")
                            .arg(ownerRole, store::errorText(result.error));
        return fail(ServerSchema::Kind::NotSetUp);
    }
    // Two set-ups at once: one migrates, the other waits and then finds
    // the work done.
    if (!run(QStringLiteral("SELECT pg_advisory_xact_lock(?)"), {migrationLock}))
        return fail(ServerSchema::Kind::Failed);
    if (!run(QStringLiteral("SELECT has_schema_privilege(oid, 'USAGE, CREATE') FROM pg_namespace "
                            "WHERE nspname = ?"),
             {serverSchema}))
        return fail(ServerSchema::Kind::Failed);
    if (!query.next() || !query.value(0).toBool()) {
        result.detail = QStringLiteral("the database has no schema \"%1\" that the role %2 may "
                                       "create tables in: run server-setup.sql first")
                            .arg(serverSchema, ownerRole);
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

ServerSchema checkServer(QSqlDatabase &db, const QList<store::MigrationStep> &steps) {
    ServerSchema result;
    result.toVersion = store::latestVersion(steps);
    QSqlQuery query(db);
    if (!store::execute(query, QStringLiteral("SELECT version, server_id FROM server_state()"), {},
                        result.error) ||
        !query.next()) {
        const QString code = result.error.nativeErrorCode();
        // No schema, no function (a server of the first version), no right.
        const bool notSetUp = code == QLatin1String("3F000") || code == QLatin1String("42883") ||
                              code == QLatin1String("42501");
        result.kind = notSetUp ? ServerSchema::Kind::NotSetUp : ServerSchema::Kind::Failed;
        result.detail =
            notSetUp ? QStringLiteral("the server's tables are not set up for this version of "
                                      "the program: its IT person runs the set-up (%1)")
                           .arg(store::errorText(result.error))
                     : store::errorText(result.error);
        return result;
    }
    result.fromVersion = query.value(0).toInt();
    result.serverId = query.value(1).toString();
    if (result.fromVersion > result.toVersion) {
        result.kind = ServerSchema::Kind::TooNew;
        result.detail = QStringLiteral("the server's tables are version %1, set up by a newer "
                                       "version of the program; this one knows version %2 and "
                                       "leaves them untouched")
                            .arg(result.fromVersion)
                            .arg(result.toVersion);
    } else if (result.fromVersion < result.toVersion) {
        result.kind = ServerSchema::Kind::NotSetUp;
        result.detail = QStringLiteral("the server's tables are version %1 and this program "
                                       "needs version %2: its IT person runs the set-up again")
                            .arg(result.fromVersion)
                            .arg(result.toVersion);
    }
    return result;
}

ServerSchema setUpServer(const ServerSettings &admin, const QString &programVersion) {
    ServerConnection connection(admin);
    if (!connection.open()) {
        ServerSchema result;
        result.kind = ServerSchema::Kind::Failed;
        result.detail = connection.problem().detail;
        return result;
    }
    return migrateServer(connection.db(), programVersion);
}

} // namespace lumo::sync
