// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/recorder.h"

#include "store/worker_thread.h"
#include "store/writer.h"

namespace lumo::store {

GameRecorder::GameRecorder(const QString &folder, const RecorderOptions &options, QObject *parent)
    : QObject(parent), folder_(folder), options_(options),
      shared_(std::make_shared<SharedStatus>()) {
    qRegisterMetaType<StoreStatus>();
    StoreStatus initial;
    initial.filePath = storeFilePath(folder);
    shared_->set(initial);

    WriterOptions writerOptions{options.store, options.retryIntervalMs, options.queueLimit,
                                options.finishTimeoutMs};
    writer_ = new Writer(folder, writerOptions, shared_);
    connect(writer_, &Writer::statusChanged, this, &GameRecorder::statusChanged);
    connect(writer_, &Writer::gameEndWritten, this, &GameRecorder::gameEndWritten);
    thread_ = std::make_unique<WorkerThread>(writer_, QStringLiteral("lumo store writer"));
    thread_->post([w = writer_] { w->open(); });
}

GameRecorder::~GameRecorder() {
    // Behind every record already queued.
    thread_->end([w = writer_] { w->finish(); });
}

void GameRecorder::gameStarted(const GameStart &start) {
    thread_->post([w = writer_, start] { w->add(start); });
}

void GameRecorder::answerChecked(const AnswerCheck &answer) {
    thread_->post([w = writer_, answer] { w->add(answer); });
}

void GameRecorder::gameEnded(const GameEnd &end) {
    thread_->post([w = writer_, end] { w->add(end); });
}

StoreStatus GameRecorder::status() const {
    return shared_->get();
}

QString GameRecorder::filePath() const {
    return storeFilePath(folder_);
}

bool GameRecorder::waitUntilWritten(int timeoutMs) {
    return thread_->waitUntilIdle(timeoutMs);
}

} // namespace lumo::store
