// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

namespace lumo::store {

/// One SQLite connection with a name of its own, removed again when the
/// object goes. Qt SQL connections belong to the thread that opened them, so
/// the writer thread and the teacher's window each hold their own.
class Connection {
  public:
    enum class Mode {
        ReadWrite, ///< creates the file if there is none
        /// Reads a file nobody can write (a read-only folder), where SQLite
        /// could not create the WAL index a normal reader needs.
        Immutable,
    };
    explicit Connection(const QString &filePath, Mode mode = Mode::ReadWrite);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    bool isOpen() const { return db_.isOpen(); }
    QSqlDatabase &db() { return db_; }
    QSqlError openError() const { return openError_; }

    /// Runs a statement that needs no bound values; keeps its error.
    bool exec(const QString &statement);
    /// The first column of the first row of a statement, or an invalid value.
    QVariant scalar(const QString &statement);
    QSqlError lastError() const { return lastError_; }

  private:
    QString name_;
    QSqlDatabase db_;
    QSqlError openError_;
    QSqlError lastError_;
};

/// SQLite's primary result code behind a Qt SQL error (SQLITE_BUSY is 5, ...),
/// or 0 when the error did not come from SQLite.
int sqliteCode(const QSqlError &error);

namespace sqlite {
constexpr int busy = 5;
constexpr int locked = 6;
constexpr int readOnly = 8;
constexpr int ioError = 10;
constexpr int corrupt = 11;
constexpr int full = 13;
constexpr int cantOpen = 14;
constexpr int tooBig = 18;
constexpr int constraint = 19;
constexpr int mismatch = 20;
constexpr int notADatabase = 26;
} // namespace sqlite

} // namespace lumo::store
