// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QSqlError>
#include <QStringList>

class QSqlDatabase;

namespace lumo::store {

/// One step of the schema's history: the statements that bring a file from
/// version - 1 to `version`. Steps are never edited once released; a change
/// is a new step at the end.
struct MigrationStep {
    int version;
    QStringList statements;
};

/// The store's schema, step by step, oldest first.
const QList<MigrationStep> &schemaSteps();

/// The version a file has once every step has run.
int latestVersion(const QList<MigrationStep> &steps = schemaSteps());

struct MigrationResult {
    enum class Kind { Done, TooNew, Failed };
    Kind kind = Kind::Done;
    int fromVersion = 0;
    int toVersion = 0;
    QSqlError error;
};

/// Brings the file up to the last step inside one write transaction, so a
/// failing step leaves the file as it was. A file from a newer program is
/// left untouched. The transaction is also the store's check that it can
/// write at all.
MigrationResult migrate(QSqlDatabase &db, const QList<MigrationStep> &steps = schemaSteps());

} // namespace lumo::store
