// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The tables of both databases that hold games, described once: this
// computer's SQLite file and the school's PostgreSQL server have the same
// tables with the same columns, but for what only one side keeps (the
// "synced" marks here, when a game arrived there). Every statement that
// makes a table, lists its columns or inserts into it is made from here.

#include <QString>
#include <QStringList>

namespace lumo::store {

enum class SqlDialect { Sqlite, Postgres };

/// How long a deleted game stays in the bin, on either side, before it is
/// removed for good.
constexpr int binDays = 30;

/// The statements that bring a database from schema version - 1 to
/// `version`: the tables, columns and indexes added in that version. What a
/// released version added is never changed; a change is a new version.
QStringList schemaStatements(SqlDialect dialect, int version);
/// The newest version the description knows.
int newestSchemaVersion();

/// The columns of a table that both sides keep, in the order of the
/// description: what travels from this computer to the server.
QStringList sharedColumns(const QString &table);

/// "INSERT INTO table (columns) VALUES (?, ...)", with `rows` rows of marks.
QString insertStatement(const QString &table, const QStringList &columns, int rows = 1);

/// What the server's insert does with a row sent again: a row that may
/// change after it was first sent (a game) is brought up to date, one that
/// never changes (an answer) is left as it is. " ON CONFLICT (id) ...".
QString conflictClause(const QString &table);

} // namespace lumo::store
