// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/server_settings.h"
#include "store/result_source.h"
#include "sync/server_connection.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

class QThread;

namespace lumo::teacher {

class ReadWorker;

/// The window's way to its games. This computer's store is read at once,
/// on the calling thread. The school's server is read on a thread of its
/// own, one read after another, and each answer is handed back on the
/// window's thread: a slow or silent server never holds the window up.
/// A queue that is destroyed drops every answer still to come.
class ReadQueue : public QObject {
    Q_OBJECT
  public:
    /// What a read on the server's thread hands back: the call that
    /// delivers its result on the queue's thread, and the read's error.
    struct Answer {
        std::function<void()> deliver;
        QString error;
    };

    /// Reads `source` at once.
    explicit ReadQueue(store::ResultSource &source, QObject *parent = nullptr);
    /// Reads the school's server, on a connection made on the queue's thread.
    ReadQueue(const ServerSettings &server, const sync::ConnectOptions &options,
              QObject *parent = nullptr);
    /// Does not wait for a read in progress: its thread ends when that read
    /// returns, and the program waits for it before it ends.
    ~ReadQueue() override;

    /// Reads are waiting to be answered.
    bool busy() const { return waiting_ > 0; }

    /// Connects to the server (at once for this computer) and hands `done`
    /// what stopped it, or nothing. Reads after a failed connection are
    /// not tried.
    void open(std::function<void(const std::optional<sync::Problem> &)> done);

    /// Runs `read` on the source and hands its result to `done` on this
    /// queue's thread.
    template <typename Read, typename Done> void read(Read read, Done done) {
        using Result = std::invoke_result_t<Read &, store::ResultSource &>;
        if (!worker_) {
            done(read(*local_));
            return;
        }
        post([read = std::move(read),
              done = std::move(done)](store::ResultSource &source) mutable -> Answer {
            auto result = std::make_shared<Result>(read(source));
            return {[done = std::move(done), result] { done(std::move(*result)); },
                    source.lastError()};
        });
    }

  signals:
    void busyChanged(bool busy);
    /// A read on the server was answered: empty when it went through, else
    /// why not, in the server's words.
    void readFinished(const QString &error);

  private:
    void post(std::function<Answer(store::ResultSource &)> job);
    void send(std::function<Answer(ReadWorker &)> job);
    void answered(const Answer &answer);

    store::ResultSource *local_ = nullptr;
    QThread *thread_ = nullptr;
    ReadWorker *worker_ = nullptr;
    std::shared_ptr<std::atomic<bool>> stopped_;
    int waiting_ = 0;
};

} // namespace lumo::teacher
