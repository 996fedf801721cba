// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/opening.h"
#include "store/result_source.h"
#include "store/status.h"

#include <memory>
#include <optional>

namespace lumo::store {

/// Records the school's server has not got yet.
struct Backlog {
    int games = 0;   ///< new or changed since they were sent
    int answers = 0; ///< not sent yet
    int deletions = 0;
    int total() const { return games + answers + deletions; }
    bool operator==(const Backlog &) const = default;
};

/// What waits on a connection to the store; false with the error.
bool readBacklog(QSqlDatabase &db, Backlog &backlog, QSqlError &error);

/// The teacher's side of the store: reads on the calling thread with its own
/// connection, and deletes a child's records or all of them.
class ResultReader : public ResultSource {
  public:
    explicit ResultReader(const QString &folder, const StoreOptions &options = {});
    ~ResultReader() override;

    /// Ready, or why the store cannot be used. When it cannot be written but
    /// can still be read (a read-only folder), reading still works.
    const StoreStatus &status() const { return status_; }
    bool canRead() const { return connection_ != nullptr; }
    /// In SQLite's words.
    QString lastError() const override { return lastError_; }

    QList<GameRow> games(const GameFilter &filter = {}) override;
    /// In the collation of the file.
    QStringList players(const GameFilter &filter = {}) override;
    QStringList computers() override;
    ChildSummary summary(const QString &player, const GameFilter &filter = {}) override;
    WrongAnswers wrongAnswers(const QString &player, const GameFilter &filter = {}) override;
    QList<AnswerRow> answers(const QString &gameId) override;

    /// The ids are logged so that a school server can delete its copies too.
    int deletePlayer(const QString &player) override;
    int deleteAll() override;

    /// What waits to be sent to the school's server.
    Backlog backlog();

  private:
    int deleteGames(const std::optional<QString> &player);

    StoreStatus status_;
    std::unique_ptr<Connection> connection_;
    QString lastError_;
};

} // namespace lumo::store
