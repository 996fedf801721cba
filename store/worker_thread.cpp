// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/worker_thread.h"

#include <QSemaphore>
#include <QSqlDatabase>

#include <memory>

namespace lumo::store {

namespace {

/// Windows: a DLL first loaded by a thread that then ends (Qt's SQL driver
/// and the libraries it brings, loaded by a worker's first connection) leaves
/// the program hanging in the C++ runtime on its way out (seen under Wine).
/// The drivers the workers use are loaded once, by the thread that makes the
/// first worker, and stay loaded.
void loadSqlDriversOnThisThread() {
#ifdef Q_OS_WIN
    [[maybe_unused]] static const bool loaded = [] {
        for (const QString &driver : {QStringLiteral("QSQLITE"), QStringLiteral("QPSQL")}) {
            if (!QSqlDatabase::isDriverAvailable(driver))
                continue;
            const QString name = QStringLiteral("lumo-driver-") + driver;
            QSqlDatabase::addDatabase(driver, name);
            QSqlDatabase::removeDatabase(name);
        }
        return true;
    }();
#endif
}

} // namespace

WorkerThread::WorkerThread(QObject *worker, const QString &name, QThread::Priority priority)
    : worker_(worker) {
    loadSqlDriversOnThisThread();
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
