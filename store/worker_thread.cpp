// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/worker_thread.h"

#include <QSemaphore>

#include <memory>

namespace lumo::store {

WorkerThread::WorkerThread(QObject *worker, const QString &name, QThread::Priority priority)
    : worker_(worker) {
    thread_.setObjectName(name);
    worker_->moveToThread(&thread_);
    // Deleted on its own thread, after its last call, before wait() returns.
    QObject::connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.start(priority);
}

WorkerThread::~WorkerThread() {
    end();
}

void WorkerThread::post(std::function<void()> call) {
    QMetaObject::invokeMethod(worker_, std::move(call), Qt::QueuedConnection);
}

bool WorkerThread::waitUntilIdle(int timeoutMs) {
    auto done = std::make_shared<QSemaphore>();
    post([done] { done->release(); });
    return done->tryAcquire(1, timeoutMs);
}

void WorkerThread::end(std::function<void()> last) {
    if (ended_)
        return;
    ended_ = true;
    post([last = std::move(last)] {
        if (last)
            last();
        QThread::currentThread()->quit();
    });
    thread_.wait();
}

} // namespace lumo::store
