// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/writer.h"

#include "store/transaction.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlQuery>
#include <QVariant>

namespace lumo::store {

namespace {

QVariant optionalInt(const std::optional<int> &value) {
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<int>());
}

QVariant nullInt() {
    return QVariant(QMetaType::fromType<int>());
}

QString uuidText(const QUuid &id) {
    return id.toString(QUuid::WithoutBraces);
}

bool execBound(QSqlQuery &query, QSqlError &error) {
    if (query.exec())
        return true;
    error = query.lastError();
    return false;
}

QString warningText(const StoreStatus &status) {
    using State = StoreStatus::State;
    const QString file = status.filePath;
    switch (status.state) {
    case State::Locked:
        return QStringLiteral("lumo3: the results file %1 is locked by another program (%2); "
                              "results wait in memory and are saved when it is free again, "
                              "those still waiting when the program ends are lost")
            .arg(file, status.detail);
    case State::Full:
        return QStringLiteral("lumo3: the disk holding the results file %1 is full (%2); results "
                              "wait in memory and are saved when there is room again, those "
                              "still waiting when the program ends are lost")
            .arg(file, status.detail);
    case State::Unusable:
        return QStringLiteral("lumo3: results cannot be saved in %1 (%2); the game goes on "
                              "without saving them")
            .arg(file, status.detail);
    case State::Ready:
        return QStringLiteral("lumo3: the results file was damaged; it was kept as %1 and a new "
                              "one was started in %2")
            .arg(status.setAsidePath, file);
    case State::Opening:
        break;
    }
    return {};
}

} // namespace

StoreStatus SharedStatus::get() const {
    QMutexLocker lock(&mutex_);
    return status_;
}

void SharedStatus::set(const StoreStatus &status) {
    QMutexLocker lock(&mutex_);
    status_ = status;
}

Writer::Writer(QString folder, WriterOptions options, std::shared_ptr<SharedStatus> shared)
    : folder_(std::move(folder)), options_(std::move(options)), shared_(std::move(shared)),
      retry_(new QTimer(this)) // a child, so that it moves to the writer thread with us
{
    retry_->setSingleShot(true);
    retry_->setInterval(options_.retryIntervalMs);
    connect(retry_, &QTimer::timeout, this, &Writer::drain);
    status_.filePath = storeFilePath(folder_);
}

Writer::~Writer() = default;

void Writer::open() {
    OpenedStore opened = openStore(folder_, options_.store);
    connection_ = std::move(opened.connection);
    StoreStatus status = opened.status;
    status.pending = static_cast<int>(queue_.size());
    status.lost = status_.lost;
    if (status.setAsidePath.isEmpty())
        status.setAsidePath = status_.setAsidePath;
    setStatus(status);
    if (!opened.status.setAsidePath.isEmpty() && status.ready())
        qWarning().noquote() << warningText(status);
    if (connection_)
        drain();
    else
        reopenLater();
}

void Writer::add(Record record) {
    StoreStatus status = status_;
    if (finished_ || static_cast<int>(queue_.size()) >= options_.queueLimit) {
        ++status.lost;
        setStatus(status);
        return;
    }
    queue_.push_back(std::move(record));
    status.pending = static_cast<int>(queue_.size());
    setStatus(status);
    // While a retry is due, the new record waits its turn behind the others.
    if (!retry_->isActive())
        drain();
}

void Writer::finish() {
    retry_->stop();
    if (!connection_)
        open();
    else
        drain();
    finished_ = true;
    retry_->stop();
    StoreStatus status = status_;
    status.lost += static_cast<int>(queue_.size());
    status.pending = 0;
    queue_.clear();
    setStatus(status);
    connection_.reset();
}

void Writer::drain() {
    if (!connection_) {
        open();
        return;
    }
    while (!queue_.empty()) {
        QSqlError error;
        if (!write(queue_.front(), error)) {
            const StoreStatus::State state = stateFor(error);
            if (state == StoreStatus::State::Unusable && sqliteCode(error) == sqlite::constraint) {
                // A record that can never be stored (its game was never
                // recorded) must not hold up the ones behind it.
                queue_.pop_front();
                StoreStatus status = status_;
                ++status.lost;
                status.pending = static_cast<int>(queue_.size());
                setStatus(status);
                continue;
            }
            StoreStatus status = status_;
            status.state = state;
            status.detail = error.databaseText().isEmpty() ? error.text() : error.databaseText();
            status.pending = static_cast<int>(queue_.size());
            setStatus(status);
            if (state == StoreStatus::State::Unusable)
                connection_.reset();
            reopenLater();
            return;
        }
        const bool gameEnd = std::holds_alternative<GameEnd>(queue_.front());
        queue_.pop_front();
        if (gameEnd)
            emit gameEndWritten();
    }
    StoreStatus status = status_;
    status.state = StoreStatus::State::Ready;
    status.detail.clear();
    status.pending = 0;
    setStatus(status);
}

void Writer::reopenLater() {
    // With nothing waiting there is nothing to retry for: the next record
    // tries again.
    if (!finished_ && !queue_.empty())
        retry_->start();
}

bool Writer::write(const Record &record, QSqlError &error) {
    return std::visit(
        [&](const auto &r) {
            using T = std::decay_t<decltype(r)>;
            if constexpr (std::is_same_v<T, GameStart>)
                return writeStart(r, error);
            else if constexpr (std::is_same_v<T, AnswerCheck>)
                return writeAnswer(r, error);
            else
                return writeEnd(r, error);
        },
        record);
}

bool Writer::writeStart(const GameStart &start, QSqlError &error) {
    QSqlQuery query(connection_->db());
    query.prepare(QStringLiteral(
        "INSERT INTO games (id, computer, player, started_utc, start_level, clock_minutes, "
        "settings, program_version, level_reached) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    query.addBindValue(uuidText(start.id));
    query.addBindValue(start.computer);
    query.addBindValue(start.player);
    query.addBindValue(utcText(start.startedUtc));
    query.addBindValue(start.startLevel);
    query.addBindValue(optionalInt(start.clockMinutes));
    query.addBindValue(start.settingsJson);
    query.addBindValue(start.programVersion);
    query.addBindValue(start.startLevel);
    return execBound(query, error);
}

bool Writer::writeAnswer(const AnswerCheck &answer, QSqlError &error) {
    WriteTransaction transaction(connection_->db());
    if (!transaction.begin(error))
        return false;

    QSqlQuery insert(connection_->db());
    insert.prepare(QStringLiteral(
        "INSERT INTO answers (id, game_id, question, level, count1, count2, count3, count4, total, "
        "slots, answer1, answer2, answer3, answer4, answer_total, right_points, wrong_points, "
        "seconds, checked_utc) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    insert.addBindValue(uuidText(QUuid::createUuid()));
    insert.addBindValue(uuidText(answer.gameId));
    insert.addBindValue(answer.question);
    insert.addBindValue(answer.level);
    for (int g = 0; g < 4; ++g)
        insert.addBindValue(g < answer.counts.size() ? QVariant(answer.counts[g]) : nullInt());
    insert.addBindValue(optionalInt(answer.total));
    QJsonArray slotCaptions;
    for (const QString &caption : answer.slotCaptions)
        slotCaptions.append(caption);
    insert.addBindValue(
        QString::fromUtf8(QJsonDocument(slotCaptions).toJson(QJsonDocument::Compact)));
    for (int g = 0; g < 4; ++g)
        insert.addBindValue(
            g < answer.counts.size()
                ? QVariant(slotValue(answer.slotCaptions[2 * g], answer.slotCaptions[2 * g + 1]))
                : nullInt());
    insert.addBindValue(answer.total
                            ? QVariant(slotValue(answer.slotCaptions[8], answer.slotCaptions[9]))
                            : nullInt());
    insert.addBindValue(answer.pointsRight);
    insert.addBindValue(answer.pointsWrong);
    insert.addBindValue(answer.seconds);
    insert.addBindValue(utcText(answer.checkedUtc));
    if (!execBound(insert, error))
        return false;

    // The game's row follows its answers, so that a game cut short by a
    // power cut still shows how far it got.
    QSqlQuery update(connection_->db());
    update.prepare(QStringLiteral(
        "UPDATE games SET questions = max(questions, ?), level_reached = max(level_reached, ?), "
        "right_points = right_points + ?, wrong_points = wrong_points + ?, synced = 0 "
        "WHERE id = ?"));
    update.addBindValue(answer.question);
    update.addBindValue(answer.level);
    update.addBindValue(answer.pointsRight);
    update.addBindValue(answer.pointsWrong);
    update.addBindValue(uuidText(answer.gameId));
    if (!execBound(update, error))
        return false;
    return transaction.commit(error);
}

bool Writer::writeEnd(const GameEnd &end, QSqlError &error) {
    QSqlQuery query(connection_->db());
    query.prepare(QStringLiteral(
        "UPDATE games SET ended_utc = ?, outcome = ?, level_reached = ?, questions = ?, "
        "right_points = ?, wrong_points = ?, clock_seconds = ?, synced = 0 WHERE id = ?"));
    query.addBindValue(utcText(end.endedUtc));
    query.addBindValue(outcomeKey(end.outcome));
    query.addBindValue(end.levelReached);
    query.addBindValue(end.questions);
    query.addBindValue(end.right);
    query.addBindValue(end.wrong);
    query.addBindValue(end.clockSeconds);
    query.addBindValue(uuidText(end.gameId));
    return execBound(query, error);
}

void Writer::setStatus(StoreStatus status) {
    // While records are saved as they come, their passing through the queue
    // is no news: the game's thread is not woken for every answer.
    StoreStatus quiet = status;
    if (status.state == StoreStatus::State::Ready && status_.state == StoreStatus::State::Ready)
        quiet.pending = status_.pending;
    const bool changed = !(quiet == status_);
    status_ = std::move(status);
    shared_->set(status_);
    if (status_.state != StoreStatus::State::Ready && status_.state != StoreStatus::State::Opening)
        warnOnce();
    else if (status_.state == StoreStatus::State::Ready)
        warnedFor_ = StoreStatus::State::Ready;
    if (changed)
        emit statusChanged(status_);
}

void Writer::warnOnce() {
    if (warnedFor_ == status_.state)
        return;
    warnedFor_ = status_.state;
    qWarning().noquote() << warningText(status_);
}

} // namespace lumo::store
