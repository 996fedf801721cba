// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Running one statement, on either database, keeping its error.

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

namespace lumo::store {

/// Runs `sql` with `values` bound in order; false with the error in `error`.
/// A statement without values is run as it is: QPSQL prepares a statement
/// with values on the server, which takes only queries (not BEGIN, COMMIT
/// or CREATE).
bool execute(QSqlQuery &query, const QString &sql, const QVariantList &values, QSqlError &error);
/// The same on a query of its own, for a statement whose rows nobody reads.
bool execute(QSqlDatabase &db, const QString &sql, const QVariantList &values, QSqlError &error);

/// The text of an error as the database put it, or Qt's own words.
QString errorText(const QSqlError &error);

/// A write transaction, rolled back when it goes out of scope uncommitted.
/// On SQLite it takes the write lock at once (BEGIN IMMEDIATE), so that a
/// busy file fails at the start rather than half-way.
class WriteTransaction {
  public:
    explicit WriteTransaction(QSqlDatabase &db) : db_(db) {}
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction &) = delete;
    WriteTransaction &operator=(const WriteTransaction &) = delete;

    bool begin(QSqlError &error);
    bool commit(QSqlError &error);

  private:
    QSqlDatabase &db_;
    bool open_ = false;
};

} // namespace lumo::store
