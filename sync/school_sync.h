// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/server_settings.h"
#include "sync/sender.h"
#include "sync/sync_status.h"

#include <QObject>

#include <memory>

namespace lumo::store {
class WorkerThread;
}

namespace lumo::sync {

/// Sends this computer's recorded games to the school's server, on a thread
/// of its own with its own connections to the store and to the server: the
/// game never waits for the network. What cannot be sent waits in the store
/// (each record keeps its "sent" mark there) and goes later, after a pause
/// that grows with every failure.
///
/// In main(): create one after the store's folder and the settings are known,
/// call start(), and syncSoon() whenever a game's end is in the store (or the teacher
/// has deleted records). With no server set up it does nothing but say so.
class SchoolSync : public QObject {
    Q_OBJECT
  public:
    SchoolSync(const QString &storeFolder, const ServerSettings &server,
               const SyncOptions &options = {}, QObject *parent = nullptr);
    /// Stops the round in progress after the game being sent, cutting short
    /// a statement the server does not answer, and waits for the thread.
    ~SchoolSync() override;

    /// The first round: creates or migrates the server's schema and sends
    /// what waits from earlier runs.
    void start();
    /// Sends what waits in a moment (SyncOptions::soonDelayMs, so that the
    /// game's end is recorded first), also when a try after a failure is
    /// planned later.
    void syncSoon();
    /// Another server, or none: takes effect at once.
    void setServer(const ServerSettings &server);

    /// The state as the sync last saw it; cheap, from any thread.
    SyncStatus status() const;

    /// Waits until the calls made so far have been handled (for tests and
    /// command-line tools).
    bool waitUntilIdle(int timeoutMs = 30000);

  signals:
    /// Delivered on the thread that made the object.
    void statusChanged(const lumo::sync::SyncStatus &status);

  private:
    std::shared_ptr<SharedSyncStatus> shared_;
    Sender *sender_ = nullptr; ///< lives on thread_, which deletes it
    std::unique_ptr<store::WorkerThread> thread_;
};

} // namespace lumo::sync
