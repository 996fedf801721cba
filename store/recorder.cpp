// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/recorder.h"

#include "store/writer.h"

#include <QSemaphore>

namespace lumo::store {

GameRecorder::GameRecorder(const QString &folder, const RecorderOptions &options, QObject *parent)
    : QObject(parent), folder_(folder), options_(options),
      shared_(std::make_shared<SharedStatus>()) {
    qRegisterMetaType<StoreStatus>();
    StoreStatus initial;
    initial.filePath = storeFilePath(folder);
    shared_->set(initial);

    WriterOptions writerOptions{options.store, options.retryIntervalMs, options.queueLimit};
    writer_ = new Writer(folder, writerOptions, shared_);
    thread_ = new QThread;
    thread_->setObjectName(QStringLiteral("lumo store writer"));
    writer_->moveToThread(thread_);
    connect(thread_, &QThread::finished, writer_, &QObject::deleteLater);
    connect(writer_, &Writer::statusChanged, this, &GameRecorder::statusChanged);
    connect(writer_, &Writer::gameEndWritten, this, &GameRecorder::gameEndWritten);
    thread_->start();
    QMetaObject::invokeMethod(writer_, &Writer::open, Qt::QueuedConnection);
}

GameRecorder::~GameRecorder() {
    // Behind every record already queued: the last try, then the end of the thread.
    QMetaObject::invokeMethod(
        writer_,
        [w = writer_] {
            w->finish();
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    if (thread_->wait(options_.finishTimeoutMs)) {
        delete thread_;
        return;
    }
    // A write is still waiting for another program's lock. Ending the game
    // matters more than its last records: the thread is left to finish on
    // its own (it needs nothing of ours) and the process may end before it.
    disconnect(writer_, nullptr, this, nullptr);
    connect(thread_, &QThread::finished, thread_, &QObject::deleteLater);
}

void GameRecorder::gameStarted(const GameStart &start) {
    QMetaObject::invokeMethod(
        writer_, [w = writer_, start] { w->add(start); }, Qt::QueuedConnection);
}

void GameRecorder::answerChecked(const AnswerCheck &answer) {
    QMetaObject::invokeMethod(
        writer_, [w = writer_, answer] { w->add(answer); }, Qt::QueuedConnection);
}

void GameRecorder::gameEnded(const GameEnd &end) {
    QMetaObject::invokeMethod(
        writer_, [w = writer_, end] { w->add(end); }, Qt::QueuedConnection);
}

StoreStatus GameRecorder::status() const {
    return shared_->get();
}

QString GameRecorder::filePath() const {
    return storeFilePath(folder_);
}

bool GameRecorder::waitUntilWritten(int timeoutMs) {
    auto done = std::make_shared<QSemaphore>();
    QMetaObject::invokeMethod(
        writer_, [done] { done->release(); }, Qt::QueuedConnection);
    return done->tryAcquire(1, timeoutMs);
}

} // namespace lumo::store
