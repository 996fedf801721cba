// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/schema.h"

#include "store/statement.h"
#include "store/tables.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace lumo::store {

const QList<MigrationStep> &schemaSteps() {
    static const QList<MigrationStep> steps = [] {
        QList<MigrationStep> list;
        for (int version = 1; version <= newestSchemaVersion(); ++version)
            list.append({version, schemaStatements(SqlDialect::Sqlite, version)});
        return list;
    }();
    return steps;
}

int latestVersion(const QList<MigrationStep> &steps) {
    return steps.isEmpty() ? 0 : steps.last().version;
}

MigrationResult migrate(QSqlDatabase &db, const QList<MigrationStep> &steps) {
    MigrationResult result;
    result.toVersion = latestVersion(steps);
    // The write lock from the start: two copies of the program starting
    // together cannot both run the same step.
    WriteTransaction transaction(db);
    QSqlQuery query(db);
    const auto run = [&](const QString &statement) {
        return execute(query, statement, {}, result.error);
    };
    if (!transaction.begin(result.error) || !run(QStringLiteral("PRAGMA user_version")) ||
        !query.next()) {
        result.kind = MigrationResult::Kind::Failed;
        return result;
    }
    result.fromVersion = query.value(0).toInt();
    query.finish();
    if (result.fromVersion > result.toVersion) {
        result.kind = MigrationResult::Kind::TooNew;
        return result;
    }
    for (const MigrationStep &step : steps) {
        if (step.version <= result.fromVersion)
            continue;
        for (const QString &statement : step.statements) {
            if (!run(statement)) {
                result.kind = MigrationResult::Kind::Failed;
                return result;
            }
        }
    }
    if ((result.fromVersion != result.toVersion &&
         !run(QStringLiteral("PRAGMA user_version = %1").arg(result.toVersion))) ||
        !transaction.commit(result.error))
        result.kind = MigrationResult::Kind::Failed;
    return result;
}

} // namespace lumo::store
