// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/server_settings.h"
#include "store/result_source.h"
#include "sync/server_connection.h"

#include <memory>
#include <optional>

namespace lumo::sync {

/// The teacher's window on the school's server: every computer's games,
/// read with the same queries as this computer's store. Reads on the
/// thread that made it (the window keeps it on a thread of its own); a
/// connection that drops is made again at the next read. It never changes
/// the tables' shape: a server whose tables are missing or of another
/// version is reported, and the sync makes them.
class ServerReader : public store::ResultSource {
  public:
    /// Connects at once (waiting at most the connect timeout) and checks
    /// that the server's tables are the ones this program reads.
    explicit ServerReader(const ServerSettings &settings, const ConnectOptions &options = {},
                          const QString &computer = {});
    ~ServerReader() override;

    bool canRead() const { return connection_ != nullptr; }
    /// Why the server cannot be read.
    const Problem &problem() const { return problem_; }
    const ServerSettings &settings() const { return settings_; }
    QString lastError() const override { return lastError_; }

    QList<store::GameRow> games(const store::GameFilter &filter = {}) override;
    QStringList players(const store::GameFilter &filter = {}) override;
    QStringList computers() override;
    store::ChildSummary summary(const QString &player,
                                const store::GameFilter &filter = {}) override;
    store::WrongAnswers wrongAnswers(const QString &player,
                                     const store::GameFilter &filter = {}) override;
    QList<store::AnswerRow> answers(const QString &gameId) override;
    QList<store::AnswerRow> answersOf(const store::GameFilter &filter = {}) override;

    /// Into the server's bin only, signed as the teacher's: no computer
    /// brings those games back by sending them again, and each computer
    /// keeps its own copy.
    int deleteGame(const QString &id) override;
    int deletePlayer(const QString &player) override;
    int deleteAll() override;
    /// Every game in the server's bin, whoever put it there.
    QList<store::BinnedGame> bin() override;
    int restoreGame(const QString &id) override;
    int restoreAll() override;

  private:
    bool connect();
    template <typename Read> auto read(Read read) -> decltype(read(std::declval<QSqlDatabase &>()));
    /// Runs one of the teacher's functions of the bin; the number of games
    /// it moved, -1 on failure.
    int change(const QString &sql, const QVariantList &values);

    ServerSettings settings_;
    ConnectOptions options_;
    QString computer_;
    std::unique_ptr<ServerConnection> connection_;
    Problem problem_;
    QString lastError_;
};

} // namespace lumo::sync
