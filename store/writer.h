// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The writer thread's side of the recorder: a queue of records, each
// committed on its own, retried while the file is locked or the disk full.

#include "store/opening.h"
#include "store/records.h"
#include "store/status.h"

#include <QMutex>
#include <QObject>
#include <QTimer>

#include <QSet>
#include <QUuid>

#include <deque>
#include <memory>
#include <variant>

namespace lumo::store {

using Record = std::variant<GameStart, AnswerCheck, GameEnd>;

/// The status as last set by the writer, readable from any thread.
class SharedStatus {
  public:
    StoreStatus get() const;
    void set(const StoreStatus &status);

  private:
    mutable QMutex mutex_;
    StoreStatus status_;
};

struct WriterOptions {
    StoreOptions store;
    /// Pause before trying a locked or full store again.
    int retryIntervalMs = 2000;
    /// Records kept in memory while the store cannot be written (about a
    /// hundred games); more are counted as lost.
    int queueLimit = 10000;
    /// How long the last try waits for a file another program holds.
    int lastTryTimeoutMs = 3000;
};

class Writer : public QObject {
    Q_OBJECT
  public:
    Writer(QString folder, WriterOptions options, std::shared_ptr<SharedStatus> shared);
    ~Writer() override;

    /// Opens the store; records that arrive before are queued.
    void open();
    void add(Record record);
    /// One last try, waiting at most lastTryTimeoutMs for a busy file;
    /// whatever is still queued is counted as lost.
    void finish();

  signals:
    void statusChanged(const lumo::store::StoreStatus &status);
    /// A game's end is committed: the whole game is on disk.
    void gameEndWritten();

  private:
    void drain();
    /// Commits one record; false with the error when it could not.
    bool write(const Record &record, QSqlError &error);
    /// A record that can never be stored: counted, and told once per game.
    void reject(const Record &record, const QSqlError &error);
    bool writeStart(const GameStart &start, QSqlError &error);
    bool writeAnswer(const AnswerCheck &answer, QSqlError &error);
    bool writeEnd(const GameEnd &end, QSqlError &error);
    void reopenLater();
    void setStatus(StoreStatus status);
    void warnOnce();

    QString folder_;
    WriterOptions options_;
    std::shared_ptr<SharedStatus> shared_;
    std::unique_ptr<Connection> connection_;
    std::deque<Record> queue_;
    QTimer *retry_;
    StoreStatus status_;
    StoreStatus::State warnedFor_ = StoreStatus::State::Ready;
    /// Games with a record rejected, told on standard error already.
    QSet<QUuid> rejectedGames_;
    bool finished_ = false;
};

} // namespace lumo::store
