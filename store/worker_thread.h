// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QThread>

#include <functional>

namespace lumo::store {

/// A worker object on a thread of its own (the store's writer, the school's
/// sync): calls are queued to it and run one after the other there. Ending
/// runs a last call behind everything queued and waits for the thread
/// however long that takes, so that no thread outlives its owner: the
/// worker keeps each of its own waits short (a busy file, a server that
/// does not answer).
class WorkerThread {
  public:
    /// Moves `worker`, which has no parent, to a new thread named `name` and starts it.
    WorkerThread(QObject *worker, const QString &name,
                 QThread::Priority priority = QThread::InheritPriority);
    /// Ends the thread, as end() does, if nobody has.
    ~WorkerThread();
    WorkerThread(const WorkerThread &) = delete;
    WorkerThread &operator=(const WorkerThread &) = delete;

    /// Queues `call` to run on the worker's thread behind every call before it.
    void post(std::function<void()> call);
    /// Waits until every call queued so far has run; false after `timeoutMs`.
    bool waitUntilIdle(int timeoutMs);
    /// Queues `last`, then ends the thread and waits until it has ended. The
    /// worker is deleted on its own thread; nothing may be posted after.
    void end(std::function<void()> last = {});

  private:
    QObject *worker_;
    QThread thread_;
    bool ended_ = false;
};

} // namespace lumo::store
