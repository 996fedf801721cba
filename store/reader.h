// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/opening.h"
#include "store/result_source.h"
#include "store/status.h"

#include <memory>
#include <optional>

#include <QVariantList>

namespace lumo::store {

/// Records the school's server has not got yet. Games in the bin wait
/// until they are restored.
struct Backlog {
    int games = 0;   ///< new or changed since they were sent
    int answers = 0; ///< not sent yet
    int deletions = 0;
    int restorations = 0;
    int total() const { return games + answers + deletions + restorations; }
    bool operator==(const Backlog &) const = default;
};

/// What waits on a connection to the store; false with the error.
bool readBacklog(QSqlDatabase &db, Backlog &backlog, QSqlError &error);

/// The teacher's side of the store: reads on the calling thread with its own
/// connection, and puts games into the bin and takes them out.
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
    QList<AnswerRow> answersOf(const GameFilter &filter = {}) override;

    /// The ids are logged so that a school server can bin its copies too,
    /// and restore them.
    int deleteGame(const QString &id) override;
    int deletePlayer(const QString &player) override;
    int deleteAll() override;
    QList<BinnedGame> bin() override;
    int restoreGame(const QString &id) override;
    int restoreAll() override;

    /// What waits to be sent to the school's server.
    Backlog backlog();

  private:
    /// Which games: "id = ?", "player = ?" or every one (no value).
    struct Which {
        QString condition;
        QVariantList values;
    };
    /// Moves the games into the bin (`toBin`) or out of it, logging each
    /// for the school's server; the number moved, -1 on failure.
    int move(const Which &which, bool toBin);

    StoreStatus status_;
    std::unique_ptr<Connection> connection_;
    QString lastError_;
};

} // namespace lumo::store
