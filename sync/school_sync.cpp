// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/school_sync.h"

#include <QSemaphore>

namespace lumo::sync {

SchoolSync::SchoolSync(const QString &storeFolder, const ServerSettings &server,
                       const SyncOptions &options, QObject *parent)
    : QObject(parent), options_(options), shared_(std::make_shared<SharedSyncStatus>()) {
    qRegisterMetaType<SyncStatus>();
    sender_ = new Sender(storeFolder, server, options, shared_);
    thread_ = new QThread;
    thread_->setObjectName(QStringLiteral("lumo school sync"));
    sender_->moveToThread(thread_);
    connect(thread_, &QThread::finished, sender_, &QObject::deleteLater);
    connect(sender_, &Sender::statusChanged, this, &SchoolSync::statusChanged);
    thread_->start(QThread::LowPriority);
}

SchoolSync::~SchoolSync() {
    shared_->stopping = true;
    QMetaObject::invokeMethod(
        sender_,
        [s = sender_] {
            s->finish();
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    if (thread_->wait(options_.finishTimeoutMs)) {
        delete thread_;
        return;
    }
    // Still waiting for a server that does not answer: ending the program
    // matters more; what was not committed is sent by the next run.
    disconnect(sender_, nullptr, this, nullptr);
    connect(thread_, &QThread::finished, thread_, &QObject::deleteLater);
}

void SchoolSync::start() {
    QMetaObject::invokeMethod(sender_, &Sender::round, Qt::QueuedConnection);
}

void SchoolSync::syncSoon() {
    QMetaObject::invokeMethod(sender_, &Sender::soon, Qt::QueuedConnection);
}

void SchoolSync::setServer(const ServerSettings &server) {
    QMetaObject::invokeMethod(
        sender_, [s = sender_, server] { s->setServer(server); }, Qt::QueuedConnection);
}

SyncStatus SchoolSync::status() const {
    return shared_->get();
}

bool SchoolSync::waitUntilIdle(int timeoutMs) {
    auto done = std::make_shared<QSemaphore>();
    QMetaObject::invokeMethod(
        sender_, [done] { done->release(); }, Qt::QueuedConnection);
    return done->tryAcquire(1, timeoutMs);
}

} // namespace lumo::sync
