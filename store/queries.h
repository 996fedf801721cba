// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The teacher's reads, written once for both databases that hold games:
// this computer's SQLite file and the school's PostgreSQL server, whose
// tables have the same names and columns (the server's connection looks in
// its own schema first). Every value is bound, never pasted into the text.

#include "store/reader_types.h"
#include "store/tables.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

namespace lumo::store {

/// Reads on one open connection; a failed statement leaves its error in `error`.
class SharedQueries {
  public:
    SharedQueries(QSqlDatabase &db, SqlDialect dialect, QString &error)
        : db_(db), dialect_(dialect), error_(error) {}

    QList<GameRow> games(const GameFilter &filter);
    QStringList players(const GameFilter &filter);
    QStringList computers();
    ChildSummary summary(const QString &player, const GameFilter &filter);
    WrongAnswers wrongAnswers(const QString &player, const GameFilter &filter);
    QList<AnswerRow> answers(const QString &gameId);
    /// The answers of every game the filter lets through, newest game
    /// first, each game's in question order; without the slots' captions.
    QList<AnswerRow> answersOf(const GameFilter &filter);

  private:
    QString timeText(const QString &column) const;

    QSqlDatabase &db_;
    SqlDialect dialect_;
    QString &error_;
};

/// " AND ..." conditions on the games table (alias `g`) and their values.
struct SqlConditions {
    QString sql;
    QVariantList values;
};

/// Every part of the filter.
SqlConditions filterConditions(const GameFilter &filter, SqlDialect dialect);
/// Only the computer and the days: what narrows one child's figures.
SqlConditions scopeConditions(const GameFilter &filter);

} // namespace lumo::store
