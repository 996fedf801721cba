// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/school_sync.h"

#include "store/worker_thread.h"

namespace lumo::sync {

SchoolSync::SchoolSync(const QString &storeFolder, const ServerSettings &server,
                       const SyncOptions &options, QObject *parent)
    : QObject(parent), shared_(std::make_shared<SharedSyncStatus>()) {
    qRegisterMetaType<SyncStatus>();
    sender_ = new Sender(storeFolder, server, options, shared_);
    connect(sender_, &Sender::statusChanged, this, &SchoolSync::statusChanged);
    thread_ = std::make_unique<store::WorkerThread>(sender_, QStringLiteral("lumo school sync"),
                                                    QThread::LowPriority);
}

SchoolSync::~SchoolSync() {
    // What was not committed is sent by the next run.
    shared_->stopping = true;
    shared_->cutter.cut();
    thread_->end([s = sender_] { s->finish(); });
}

void SchoolSync::start() {
    thread_->post([s = sender_] { s->round(); });
}

void SchoolSync::syncSoon() {
    thread_->post([s = sender_] { s->soon(); });
}

void SchoolSync::setServer(const ServerSettings &server) {
    thread_->post([s = sender_, server] { s->setServer(server); });
}

SyncStatus SchoolSync::status() const {
    return shared_->get();
}

bool SchoolSync::waitUntilIdle(int timeoutMs) {
    return thread_->waitUntilIdle(timeoutMs);
}

} // namespace lumo::sync
