// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/read_queue.h"

#include "sync/server_reader.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>

namespace lumo::teacher {

/// The server's side of a queue: the reader and its connection belong to
/// the queue's thread, where they are made, used and deleted.
class ReadWorker : public QObject {
    Q_OBJECT
  public:
    ReadWorker(const ServerSettings &settings, const sync::ConnectOptions &options)
        : settings(settings), options(options) {}

    const ServerSettings settings;
    const sync::ConnectOptions options;
    std::unique_ptr<sync::ServerReader> reader;
    bool opened = false;

  signals:
    void answered(const lumo::teacher::ReadQueue::Answer &answer);
};

namespace {

// The threads of queues that went while a read was still waiting for the
// server: each is deleted when its read returns, or waited for before the
// application's objects go.
QList<QThread *> &lingering() {
    static QList<QThread *> threads;
    return threads;
}

void waitForLingering() {
    for (QThread *thread : std::exchange(lingering(), {})) {
        thread->wait();
        delete thread;
    }
}

void endWhenDone(QThread *thread) {
    static const bool waited = (qAddPostRoutine(waitForLingering), true);
    Q_UNUSED(waited);
    lingering().append(thread);
    QObject::connect(thread, &QThread::finished, thread, [thread] {
        lingering().removeOne(thread);
        thread->deleteLater();
    });
    thread->quit();
}

} // namespace

ReadQueue::ReadQueue(store::ResultSource &source, QObject *parent)
    : QObject(parent), local_(&source) {}

ReadQueue::ReadQueue(const ServerSettings &server, const sync::ConnectOptions &options,
                     QObject *parent)
    : QObject(parent), thread_(new QThread), worker_(new ReadWorker(server, options)),
      stopped_(std::make_shared<std::atomic<bool>>(false)) {
    thread_->setObjectName(QStringLiteral("lumo-server-reads"));
    worker_->moveToThread(thread_);
    connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
    connect(worker_, &ReadWorker::answered, this, &ReadQueue::answered);
    thread_->start();
}

ReadQueue::~ReadQueue() {
    if (!thread_)
        return;
    // Reads not begun are skipped; the answer of the one in progress goes
    // nowhere, as the queue's connections go with it.
    stopped_->store(true);
    endWhenDone(thread_);
}

void ReadQueue::open(std::function<void(const std::optional<sync::Problem> &)> done) {
    if (!worker_) {
        done(std::nullopt);
        return;
    }
    send([done = std::move(done)](ReadWorker &worker) -> Answer {
        worker.reader = std::make_unique<sync::ServerReader>(worker.settings, worker.options);
        worker.opened = worker.reader->canRead();
        std::optional<sync::Problem> problem;
        if (!worker.opened)
            problem = worker.reader->problem();
        return {[done, problem] { done(problem); }, {}};
    });
}

void ReadQueue::post(std::function<Answer(store::ResultSource &)> job) {
    // After a failed connection, no read waits for another.
    send([job = std::move(job)](ReadWorker &worker) {
        return worker.opened ? job(*worker.reader) : Answer{};
    });
}

void ReadQueue::send(std::function<Answer(ReadWorker &)> job) {
    if (++waiting_ == 1)
        emit busyChanged(true);
    QMetaObject::invokeMethod(
        worker_,
        [worker = worker_, stopped = stopped_, job = std::move(job)] {
            if (!*stopped)
                emit worker->answered(job(*worker));
        },
        Qt::QueuedConnection);
}

void ReadQueue::answered(const Answer &answer) {
    // What the answer sets off may end this queue (the teacher going back
    // to this computer from a dialog it opened).
    const QPointer<ReadQueue> self(this);
    if (answer.deliver)
        answer.deliver();
    if (!self)
        return;
    emit readFinished(answer.error);
    if (--waiting_ == 0)
        emit busyChanged(false);
}

} // namespace lumo::teacher

#include "read_queue.moc"
