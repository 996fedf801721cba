// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The sync's thread: sends what the store has and the server has not, one
// game per server transaction, and tries again later when it cannot.

#include "platform/file_identity.h"
#include "settings/server_settings.h"
#include "store/connection.h"
#include "sync/outbox.h"
#include "sync/server_connection.h"
#include "sync/sync_status.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>

namespace lumo::sync {

struct SyncOptions {
    ConnectOptions connect;
    /// The pause after the first failure; it doubles with every failure
    /// after it, up to longestRetryMs.
    int firstRetryMs = 5000;
    int longestRetryMs = 5 * 60 * 1000;
    /// syncSoon() waits this long, so that calls close together (games
    /// ending on a busy computer, a teacher deleting) make one round.
    int soonDelayMs = 1500;
    /// With nothing waiting, the store is looked at again this often, for
    /// records that came in after the last round.
    int idleCheckMs = 5 * 60 * 1000;
    /// Games read from the store at a time.
    int gamesPerBatch = 20;
    /// This computer's name, as deletions are signed; empty: the host name.
    QString computer;
    /// Written on the server with each schema step; empty: the application's version.
    QString programVersion;
    /// Tests only: called on the sync's thread inside each game's server
    /// transaction, just before it is committed.
    std::function<void(const QString &gameId)> beforeCommit;
};

/// How a computer hands in one game with its answers (in a transaction of
/// its own): true when stored, false when the server removed it for good.
inline const QString handInStatement =
    QStringLiteral("SELECT hand_in_game(CAST(? AS jsonb), CAST(? AS jsonb))");
/// The values for handInStatement.
QVariantList handInValues(const OutgoingGame &game);

/// The status as last set by the sender, readable from any thread.
class SharedSyncStatus {
  public:
    SyncStatus get() const;
    void set(const SyncStatus &status);
    /// Set by the owner when the program ends: the round in progress stops
    /// after the game it is sending.
    std::atomic<bool> stopping = false;
    /// Cut by the owner when the program ends: a statement waiting for a
    /// server that does not answer fails at once.
    ConnectionCutter cutter;

  private:
    mutable QMutex mutex_;
    SyncStatus status_;
};

class Sender : public QObject {
    Q_OBJECT
  public:
    Sender(QString storeFolder, ServerSettings server, SyncOptions options,
           std::shared_ptr<SharedSyncStatus> shared);
    ~Sender() override;

    /// Sends what waits now; a try already planned after a failure is brought forward.
    void round();
    /// A round after soonDelayMs.
    void soon();
    void setServer(const ServerSettings &server);
    /// Closes both connections; nothing is tried after.
    void finish();

  signals:
    void statusChanged(const lumo::sync::SyncStatus &status);

  private:
    bool openLocal();
    bool openServer();
    /// Deletions, then restorations: a game deleted and restored while
    /// this runs is restored on the server too.
    bool sendBinChanges(Outbox &outbox);
    /// One deletion or restoration in one server transaction; false with the error.
    bool sendBinChange(const BinChange &change, bool toBin, QSqlError &error);
    /// One batch; false when the server failed. `fetched` counts the games
    /// read, `completed` those marked sent with nothing new since.
    bool sendGames(Outbox &outbox, int &fetched, int &completed);
    /// One game in one server transaction; false with the error.
    bool sendGame(const OutgoingGame &game, QSqlError &error);
    /// A game or a change of the bin the server will never take: left out
    /// until the program starts again, and told.
    void refuse(const QString &gameId, const QSqlError &error);
    /// Drops the connection and tries again later.
    bool serverFailed(const QSqlError &error);
    bool failLater(const Problem &problem);
    bool localFailed(const QSqlError &error);
    void publish(SyncStatus status, bool now);

    QString folder_;
    ServerSettings settings_;
    SyncOptions options_;
    std::shared_ptr<SharedSyncStatus> shared_;
    std::unique_ptr<store::Connection> local_;
    FileIdentity localFile_;
    std::unique_ptr<ServerConnection> server_;
    /// Games (and changes of the bin) the server refused, left out until
    /// the program starts again.
    QSet<QString> refused_;
    QString refusedDetail_;
    QTimer *retry_;
    QTimer *soon_;
    int failures_ = 0;
    bool finished_ = false;
    SyncStatus status_;
    QElapsedTimer sincePublished_;
};

} // namespace lumo::sync
