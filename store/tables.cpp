// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/tables.h"

#include <QList>

namespace lumo::store {

namespace {

/// Which side keeps a table, a column or an index. `Each`: both keep it,
/// each its own value, and it never travels with a game.
enum class Side { Both, Local, Server, Each };

enum class Kind { Id, Text, Integer, Real, Time };

struct Column {
    QString name;
    Kind kind;
    bool required = false; ///< NOT NULL
    Side side = Side::Both;
    /// PRIMARY KEY, REFERENCES, CHECK: written the same for both dialects.
    QString constraint = {};
    QString localDefault = {};
    QString serverDefault = {};
    int since = 1;
    /// What a column added to a table with rows starts with, as an SQL
    /// expression on the row (alias none, table name as is).
    QString fill = {};
};

struct Table {
    QString name;
    QList<Column> columns;
    Side side = Side::Both;
    /// A row sent again may carry new values (a game gets its answers and
    /// its end); otherwise it never changes once written (an answer).
    bool changes = false;
    int since = 1;
};

struct Index {
    QString name;
    QString table;
    QString columns;
    Side side = Side::Both;
    QString where = {};
    int since = 1;
};

// Every game and every answer has its own UUID, and deletions are logged by
// id, so that the server gathers the records of every computer and learns
// which were removed. Here every record has a "synced" mark; there, each
// game keeps when it arrived, and each deletion who made it. Times are UTC:
// ISO 8601 text here, timestamptz there. A game with no end recorded is
// unfinished.
//
// Since version 2 a deleted game goes to the bin first: it keeps its rows
// and gets the time it was deleted (each side its own), and leaves the bin
// for good after binDays. Here undone deletions are logged for the server
// as deletions are; there, each game in the bin keeps which computer it was
// deleted on and whether in the teacher's window or sent by the computer,
// and "deletions" keeps the games that left the bin, so that no computer
// sends them again.
const QList<Table> &tables() {
    static const QList<Table> list{
        {QStringLiteral("server_identity"),
         {
             {QStringLiteral("id"), Kind::Id, true, Side::Both, QStringLiteral("PRIMARY KEY")},
             {QStringLiteral("created_utc"),
              Kind::Time,
              true,
              Side::Both,
              {},
              {},
              QStringLiteral("now()")},
         },
         Side::Server},
        {QStringLiteral("games"),
         {
             {QStringLiteral("id"), Kind::Id, true, Side::Both, QStringLiteral("PRIMARY KEY")},
             {QStringLiteral("computer"), Kind::Text, true},
             {QStringLiteral("player"), Kind::Text, true},
             {QStringLiteral("started_utc"), Kind::Time, true},
             {QStringLiteral("start_level"), Kind::Integer, true},
             {QStringLiteral("clock_minutes"), Kind::Integer},
             {QStringLiteral("settings"), Kind::Text, true},
             {QStringLiteral("program_version"), Kind::Text, true},
             {QStringLiteral("ended_utc"), Kind::Time},
             {QStringLiteral("outcome"), Kind::Text, false, Side::Both,
              QStringLiteral("CHECK (outcome IN ('won', 'time_out', 'left', 'window_closed'))")},
             {QStringLiteral("level_reached"), Kind::Integer, true},
             {QStringLiteral("questions"),
              Kind::Integer,
              true,
              Side::Both,
              {},
              QStringLiteral("0")},
             {QStringLiteral("right_points"),
              Kind::Integer,
              true,
              Side::Both,
              {},
              QStringLiteral("0")},
             {QStringLiteral("wrong_points"),
              Kind::Integer,
              true,
              Side::Both,
              {},
              QStringLiteral("0")},
             {QStringLiteral("clock_seconds"), Kind::Integer},
             {QStringLiteral("synced"), Kind::Integer, true, Side::Local, {}, QStringLiteral("0")},
             {QStringLiteral("received_utc"),
              Kind::Time,
              true,
              Side::Server,
              {},
              {},
              QStringLiteral("now()")},
             {QStringLiteral("deleted_utc"), Kind::Time, false, Side::Each, {}, {}, {}, 2},
             // The answers' own tally, kept with each answer as the points
             // are: how many questions were answered, and how many of them
             // without a mistake.
             {QStringLiteral("answered"),
              Kind::Integer,
              true,
              Side::Both,
              {},
              QStringLiteral("0"),
              QStringLiteral("0"),
              2,
              QStringLiteral("(SELECT COUNT(*) FROM answers a WHERE a.game_id = games.id)")},
             {QStringLiteral("answered_right"),
              Kind::Integer,
              true,
              Side::Both,
              {},
              QStringLiteral("0"),
              QStringLiteral("0"),
              2,
              QStringLiteral("(SELECT COUNT(*) FROM answers a WHERE a.game_id = games.id "
                             "AND a.wrong_points = 0)")},
             {QStringLiteral("deleted_by"), Kind::Text, false, Side::Server, {}, {}, {}, 2},
             {QStringLiteral("deleted_from"),
              Kind::Text,
              false,
              Side::Server,
              QStringLiteral("CHECK (deleted_from IN ('computer', 'teacher'))"),
              {},
              {},
              2},
         },
         Side::Both,
         true},
        {QStringLiteral("answers"),
         {
             {QStringLiteral("id"), Kind::Id, true, Side::Both, QStringLiteral("PRIMARY KEY")},
             {QStringLiteral("game_id"), Kind::Id, true, Side::Both,
              QStringLiteral("REFERENCES games (id) ON DELETE CASCADE")},
             {QStringLiteral("question"), Kind::Integer, true},
             {QStringLiteral("level"), Kind::Integer, true},
             {QStringLiteral("count1"), Kind::Integer, true},
             {QStringLiteral("count2"), Kind::Integer},
             {QStringLiteral("count3"), Kind::Integer},
             {QStringLiteral("count4"), Kind::Integer},
             {QStringLiteral("total"), Kind::Integer},
             {QStringLiteral("slots"), Kind::Text, true},
             {QStringLiteral("answer1"), Kind::Integer, true},
             {QStringLiteral("answer2"), Kind::Integer},
             {QStringLiteral("answer3"), Kind::Integer},
             {QStringLiteral("answer4"), Kind::Integer},
             {QStringLiteral("answer_total"), Kind::Integer},
             {QStringLiteral("right_points"), Kind::Integer, true},
             {QStringLiteral("wrong_points"), Kind::Integer, true},
             {QStringLiteral("seconds"), Kind::Real, true},
             {QStringLiteral("checked_utc"), Kind::Time, true},
             {QStringLiteral("synced"), Kind::Integer, true, Side::Local, {}, QStringLiteral("0")},
         }},
        {QStringLiteral("deletions"),
         {
             {QStringLiteral("game_id"), Kind::Id, true, Side::Both, QStringLiteral("PRIMARY KEY")},
             {QStringLiteral("deleted_by"), Kind::Text, true, Side::Server},
             {QStringLiteral("deleted_utc"),
              Kind::Time,
              true,
              Side::Both,
              {},
              {},
              QStringLiteral("now()")},
         }},
        {QStringLiteral("restorations"),
         {
             {QStringLiteral("game_id"), Kind::Id, true, Side::Both, QStringLiteral("PRIMARY KEY")},
             {QStringLiteral("restored_utc"), Kind::Time, true},
         },
         Side::Local,
         false,
         2},
    };
    return list;
}

const QList<Index> &indexes() {
    static const QList<Index> list{
        {QStringLiteral("games_by_player"), QStringLiteral("games"),
         QStringLiteral("player, started_utc")},
        {QStringLiteral("games_by_start"), QStringLiteral("games"), QStringLiteral("started_utc")},
        {QStringLiteral("games_by_computer"), QStringLiteral("games"),
         QStringLiteral("computer, started_utc"), Side::Server},
        {QStringLiteral("games_unsynced"), QStringLiteral("games"), QStringLiteral("synced"),
         Side::Local, QStringLiteral("synced = 0")},
        {QStringLiteral("answers_by_game"), QStringLiteral("answers"),
         QStringLiteral("game_id, question")},
        {QStringLiteral("answers_unsynced"), QStringLiteral("answers"), QStringLiteral("synced"),
         Side::Local, QStringLiteral("synced = 0")},
        {QStringLiteral("games_in_bin"), QStringLiteral("games"), QStringLiteral("deleted_utc"),
         Side::Both, QStringLiteral("deleted_utc IS NOT NULL"), 2},
    };
    return list;
}

bool kept(Side side, SqlDialect dialect) {
    return side == Side::Both || side == Side::Each ||
           (side == Side::Local) == (dialect == SqlDialect::Sqlite);
}

QString typeName(Kind kind, SqlDialect dialect) {
    const bool local = dialect == SqlDialect::Sqlite;
    switch (kind) {
    case Kind::Id:
        return local ? QStringLiteral("TEXT") : QStringLiteral("uuid");
    case Kind::Text:
        return local ? QStringLiteral("TEXT") : QStringLiteral("text");
    case Kind::Integer:
        return local ? QStringLiteral("INTEGER") : QStringLiteral("integer");
    case Kind::Real:
        return local ? QStringLiteral("REAL") : QStringLiteral("double precision");
    case Kind::Time:
        return local ? QStringLiteral("TEXT") : QStringLiteral("timestamptz");
    }
    return {};
}

QString definition(const Column &column, SqlDialect dialect) {
    QString text = column.name + QLatin1Char(' ') + typeName(column.kind, dialect);
    if (column.required)
        text += QStringLiteral(" NOT NULL");
    const QString &fallback =
        dialect == SqlDialect::Sqlite ? column.localDefault : column.serverDefault;
    if (!fallback.isEmpty())
        text += QStringLiteral(" DEFAULT ") + fallback;
    if (!column.constraint.isEmpty())
        text += QLatin1Char(' ') + column.constraint;
    return text;
}

const Table &tableNamed(const QString &name) {
    for (const Table &table : tables())
        if (table.name == name)
            return table;
    qFatal("no table %s", qPrintable(name));
}

QString marks(int count) {
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("?");
    return QLatin1Char('(') + list.join(QStringLiteral(", ")) + QLatin1Char(')');
}

} // namespace

QStringList schemaStatements(SqlDialect dialect, int version) {
    QStringList statements;
    for (const Table &table : tables()) {
        if (!kept(table.side, dialect) || table.since > version)
            continue;
        QStringList columns;
        for (const Column &column : table.columns) {
            if (!kept(column.side, dialect) || column.since > version)
                continue;
            if (table.since == version)
                columns << definition(column, dialect);
            else if (column.since == version) {
                statements << QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                                  .arg(table.name, definition(column, dialect));
                if (!column.fill.isEmpty())
                    statements << QStringLiteral("UPDATE %1 SET %2 = %3")
                                      .arg(table.name, column.name, column.fill);
            }
        }
        if (table.since == version)
            statements << QStringLiteral("CREATE TABLE %1 (%2)")
                              .arg(table.name, columns.join(QStringLiteral(", ")));
        for (const Index &index : indexes()) {
            if (index.table != table.name || index.since != version || !kept(index.side, dialect))
                continue;
            QString sql = QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                              .arg(index.name, index.table, index.columns);
            if (!index.where.isEmpty())
                sql += QStringLiteral(" WHERE ") + index.where;
            statements << sql;
        }
    }
    return statements;
}

int newestSchemaVersion() {
    int newest = 0;
    for (const Table &table : tables()) {
        newest = std::max(newest, table.since);
        for (const Column &column : table.columns)
            newest = std::max(newest, column.since);
    }
    for (const Index &index : indexes())
        newest = std::max(newest, index.since);
    return newest;
}

QStringList sharedColumns(const QString &table) {
    QStringList names;
    for (const Column &column : tableNamed(table).columns)
        if (column.side == Side::Both)
            names << column.name;
    return names;
}

QString insertStatement(const QString &table, const QStringList &columns, int rows) {
    QStringList tuples;
    for (int r = 0; r < rows; ++r)
        tuples << marks(static_cast<int>(columns.size()));
    return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
        .arg(table, columns.join(QStringLiteral(", ")), tuples.join(QStringLiteral(", ")));
}

QString conflictClause(const QString &table) {
    const Table &described = tableNamed(table);
    if (!described.changes)
        return QStringLiteral(" ON CONFLICT (id) DO NOTHING");
    QStringList updates;
    for (const Column &column : described.columns) {
        if (column.side == Side::Both && column.name != QLatin1String("id"))
            updates << QStringLiteral("%1 = EXCLUDED.%1").arg(column.name);
        else if (column.side == Side::Server && !column.serverDefault.isEmpty())
            updates << QStringLiteral("%1 = %2").arg(column.name, column.serverDefault);
    }
    return QStringLiteral(" ON CONFLICT (id) DO UPDATE SET ") + updates.join(QStringLiteral(", "));
}

} // namespace lumo::store
