// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/opening.h"
#include "store/records.h"
#include "store/status.h"

#include <QObject>

#include <memory>

namespace lumo::store {

class SharedStatus;
class WorkerThread;
class Writer;

struct RecorderOptions {
    StoreOptions store{.busyTimeoutMs = 5000, .checkIntegrity = true, .setAsideDamaged = true};
    int retryIntervalMs = 2000;
    int queueLimit = 10000;
    /// How long the last try at the program's end waits for a file another
    /// program holds (instead of busyTimeoutMs).
    int finishTimeoutMs = 3000;
};

/// Records games as they are played. Every call only hands a copy of the
/// record to a writer thread, which commits it at once; the game never waits
/// for the disk, and a store that cannot be used never stops the game.
class GameRecorder : public QObject {
    Q_OBJECT
  public:
    explicit GameRecorder(const QString &folder, const RecorderOptions &options = {},
                          QObject *parent = nullptr);
    /// Writes what is still queued: one last try, which waits for a file
    /// another program holds at most finishTimeoutMs.
    ~GameRecorder() override;

    void gameStarted(const GameStart &start);
    void answerChecked(const AnswerCheck &answer);
    void gameEnded(const GameEnd &end);

    /// The store's state as the writer last saw it; cheap, from any thread.
    StoreStatus status() const;
    QString filePath() const;

    /// Waits until every record handed in so far has been tried once.
    /// For tests, and before reading in the same process. Every commit is
    /// synced to the disk, so a slow disk (a busy build machine, a USB stick)
    /// may take tens of milliseconds per record: the default wait is long.
    bool waitUntilWritten(int timeoutMs = 60000);

  signals:
    /// A game's end is committed to the store, with everything before it;
    /// delivered on the recorder's thread, once per game, however late the
    /// store took it (a locked file retried, say).
    void gameEndWritten();
    /// Delivered on the recorder's thread.
    void statusChanged(const lumo::store::StoreStatus &status);

  private:
    QString folder_;
    RecorderOptions options_;
    std::shared_ptr<SharedStatus> shared_;
    Writer *writer_ = nullptr; ///< lives on thread_, which deletes it
    std::unique_ptr<WorkerThread> thread_;
};

} // namespace lumo::store
