// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

namespace lumo::store {

/// A write transaction on an SQLite connection, taking the write lock at
/// once (BEGIN IMMEDIATE) so that a busy file fails at the start rather than
/// half-way; rolled back when it goes out of scope uncommitted.
class WriteTransaction {
  public:
    explicit WriteTransaction(QSqlDatabase &db) : db_(db) {}
    ~WriteTransaction() {
        if (open_)
            QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
    }
    WriteTransaction(const WriteTransaction &) = delete;
    WriteTransaction &operator=(const WriteTransaction &) = delete;

    bool begin(QSqlError &error) { return open_ = run(QStringLiteral("BEGIN IMMEDIATE"), error); }
    bool commit(QSqlError &error) {
        if (!run(QStringLiteral("COMMIT"), error))
            return false;
        open_ = false;
        return true;
    }

  private:
    bool run(const QString &statement, QSqlError &error) {
        QSqlQuery query(db_);
        if (query.exec(statement))
            return true;
        error = query.lastError();
        return false;
    }
    QSqlDatabase &db_;
    bool open_ = false;
};

} // namespace lumo::store
