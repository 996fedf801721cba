// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/writer.h"

#include "store/statement.h"
#include "store/tables.h"

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

/// Trying again would fail the same way: the record breaks a rule of the
/// file (an answer or an end for a game that is not there), or is too big.
bool neverWritable(const QSqlError &error) {
    const int code = sqliteCode(error);
    return code == sqlite::constraint || code == sqlite::tooBig || code == sqlite::mismatch;
}

QUuid gameOf(const Record &record) {
    return std::visit(
        [](const auto &r) {
            if constexpr (std::is_same_v<std::decay_t<decltype(r)>, GameStart>)
                return r.id;
            else
                return r.gameId;
        },
        record);
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
    QSqlError binError;
    if (connection_ && !emptyBin(connection_->db(), QDateTime::currentDateTimeUtc(), binError))
        qWarning().noquote() << QStringLiteral("lumo3: games deleted more than %1 days ago stay "
                                               "in the bin of %2 for now (%3)")
                                    .arg(binDays)
                                    .arg(status.filePath, errorText(binError));
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
    // The program is ending: a file another program holds is waited for
    // only a short while.
    options_.store.busyTimeoutMs =
        std::min(options_.store.busyTimeoutMs, options_.lastTryTimeoutMs);
    if (!connection_) {
        open();
    } else {
        connection_->exec(
            QStringLiteral("PRAGMA busy_timeout = %1").arg(options_.store.busyTimeoutMs));
        drain();
    }
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
            if (neverWritable(error)) {
                // It must not hold up the ones behind it.
                reject(queue_.front(), error);
                queue_.pop_front();
                continue;
            }
            const StoreStatus::State state = stateFor(error);
            StoreStatus status = status_;
            status.state = state;
            status.detail = errorText(error);
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

void Writer::reject(const Record &record, const QSqlError &error) {
    const QUuid game = gameOf(record);
    if (!rejectedGames_.contains(game)) {
        rejectedGames_.insert(game);
        qWarning().noquote() << QStringLiteral("lumo3: results of the game %1 cannot be saved in "
                                               "%2 (%3); they are left out")
                                    .arg(game.toString(QUuid::WithoutBraces), status_.filePath,
                                         errorText(error));
    }
    StoreStatus status = status_;
    ++status.rejected;
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
    // A name never given is the empty name, as the game shows it.
    const QString player = start.player.isNull() ? QStringLiteral("") : start.player;
    return execute(
        connection_->db(),
        insertStatement(QStringLiteral("games"),
                        {QStringLiteral("id"), QStringLiteral("computer"), QStringLiteral("player"),
                         QStringLiteral("started_utc"), QStringLiteral("start_level"),
                         QStringLiteral("clock_minutes"), QStringLiteral("settings"),
                         QStringLiteral("program_version"), QStringLiteral("level_reached")}),
        {uuidText(start.id), start.computer, player, utcText(start.startedUtc), start.startLevel,
         optionalInt(start.clockMinutes), start.settingsJson, start.programVersion,
         start.startLevel},
        error);
}

bool Writer::writeAnswer(const AnswerCheck &answer, QSqlError &error) {
    WriteTransaction transaction(connection_->db());
    if (!transaction.begin(error))
        return false;

    // In the order of the table's columns.
    QVariantList values{uuidText(QUuid::createUuid()), uuidText(answer.gameId), answer.question,
                        answer.level};
    for (int g = 0; g < 4; ++g)
        values << (g < answer.counts.size() ? QVariant(answer.counts[g]) : nullInt());
    values << optionalInt(answer.total);
    QJsonArray slotCaptions;
    for (const QString &caption : answer.slotCaptions)
        slotCaptions.append(caption);
    values << QString::fromUtf8(QJsonDocument(slotCaptions).toJson(QJsonDocument::Compact));
    for (int g = 0; g < 4; ++g)
        values << (g < answer.counts.size() ? QVariant(slotValue(answer.slotCaptions[2 * g],
                                                                 answer.slotCaptions[2 * g + 1]))
                                            : nullInt());
    values << (answer.total ? QVariant(slotValue(answer.slotCaptions[8], answer.slotCaptions[9]))
                            : nullInt())
           << answer.pointsRight << answer.pointsWrong << answer.seconds
           << utcText(answer.checkedUtc);
    const QStringList columns = sharedColumns(QStringLiteral("answers"));
    Q_ASSERT(columns.size() == values.size());
    if (!execute(connection_->db(), insertStatement(QStringLiteral("answers"), columns), values,
                 error))
        return false;

    // The game's row follows its answers, so that a game cut short by a
    // power cut still shows how far it got.
    return execute(connection_->db(),
                   QStringLiteral("UPDATE games SET questions = max(questions, ?), "
                                  "level_reached = max(level_reached, ?), right_points = "
                                  "right_points + ?, wrong_points = wrong_points + ?, "
                                  "answered = answered + 1, answered_right = answered_right + ?, "
                                  "synced = 0 WHERE id = ?"),
                   {answer.question, answer.level, answer.pointsRight, answer.pointsWrong,
                    answer.pointsWrong == 0 ? 1 : 0, uuidText(answer.gameId)},
                   error) &&
           transaction.commit(error);
}

bool Writer::writeEnd(const GameEnd &end, QSqlError &error) {
    QSqlQuery query(connection_->db());
    if (!execute(query,
                 QStringLiteral("UPDATE games SET ended_utc = ?, outcome = ?, level_reached = ?, "
                                "questions = ?, right_points = ?, wrong_points = ?, "
                                "clock_seconds = ?, synced = 0 WHERE id = ?"),
                 {utcText(end.endedUtc), outcomeKey(end.outcome), end.levelReached, end.questions,
                  end.right, end.wrong, end.clockSeconds, uuidText(end.gameId)},
                 error))
        return false;
    if (query.numRowsAffected() > 0)
        return true;
    // The game is not in the file (the teacher deleted it while it was
    // played): its end is not written as a game of its own.
    error = QSqlError(QString(), QStringLiteral("the game is not in the file"),
                      QSqlError::StatementError, QString::number(sqlite::constraint));
    return false;
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
