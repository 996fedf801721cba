// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/sender.h"

#include "store/opening.h"
#include "store/statement.h"
#include "store/tables.h"
#include "sync/server_schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSqlQuery>
#include <QSysInfo>

namespace lumo::sync {

namespace {

/// Where the store's folder remembers which server its records went to.
QString serverIdPath(const QString &folder) {
    return QDir(folder).filePath(QStringLiteral("school-server-id"));
}

using store::execute;

/// A value the server cannot take (class 22, data exception; 23, a broken
/// constraint): trying again would fail the same way.
bool isDataError(const QSqlError &error) {
    const QString code = error.nativeErrorCode();
    return code.startsWith(QLatin1String("22")) || code.startsWith(QLatin1String("23"));
}

} // namespace

SyncStatus SharedSyncStatus::get() const {
    QMutexLocker lock(&mutex_);
    return status_;
}

void SharedSyncStatus::set(const SyncStatus &status) {
    QMutexLocker lock(&mutex_);
    status_ = status;
}

Sender::Sender(QString storeFolder, ServerSettings server, SyncOptions options,
               std::shared_ptr<SharedSyncStatus> shared)
    : folder_(std::move(storeFolder)), settings_(std::move(server)), options_(std::move(options)),
      shared_(std::move(shared)), retry_(new QTimer(this)), soon_(new QTimer(this)) {
    retry_->setSingleShot(true);
    connect(retry_, &QTimer::timeout, this, &Sender::round);
    soon_->setSingleShot(true);
    connect(soon_, &QTimer::timeout, this, &Sender::round);
    if (options_.computer.isEmpty())
        options_.computer = QSysInfo::machineHostName();
    if (options_.programVersion.isEmpty())
        options_.programVersion = QCoreApplication::applicationVersion();
    if (options_.programVersion.isEmpty())
        options_.programVersion = QStringLiteral(LUMO_VERSION);
    status_.server = settings_.place();
    status_.state = settings_.enabled() ? SyncStatus::State::Starting : SyncStatus::State::Off;
    shared_->set(status_);
}

Sender::~Sender() = default;

void Sender::setServer(const ServerSettings &server) {
    if (server == settings_)
        return;
    settings_ = server;
    server_.reset();
    failures_ = 0;
    SyncStatus status = status_;
    status.server = settings_.place();
    status.detail.clear();
    status.state = settings_.enabled() ? SyncStatus::State::Starting : SyncStatus::State::Off;
    publish(status, true);
    round();
}

void Sender::soon() {
    if (finished_)
        return;
    if (options_.soonDelayMs <= 0)
        round();
    else if (!soon_->isActive())
        soon_->start(options_.soonDelayMs);
}

void Sender::finish() {
    finished_ = true;
    soon_->stop();
    retry_->stop();
    server_.reset();
    local_.reset();
}

void Sender::round() {
    if (finished_ || shared_->stopping)
        return;
    retry_->stop();
    soon_->stop();
    if (!settings_.enabled()) {
        server_.reset();
        SyncStatus status = status_;
        status.state = SyncStatus::State::Off;
        status.detail.clear();
        status.retryInMs = 0;
        publish(status, true);
        return;
    }
    if (!openLocal())
        return;
    Outbox outbox(*local_);
    store::Backlog waiting;
    if (!outbox.backlog(waiting)) {
        localFailed(outbox.error());
        return;
    }
    // Nothing to send and the server seen in this run: no need to call it.
    if (waiting.total() == 0 && server_ && refused_.isEmpty()) {
        SyncStatus status = status_;
        status.state = SyncStatus::State::UpToDate;
        status.detail.clear();
        status.waiting = waiting;
        status.retryInMs = 0;
        publish(status, true);
        retry_->start(options_.idleCheckMs);
        return;
    }
    if (!openServer())
        return;

    SyncStatus status = status_;
    status.state = SyncStatus::State::Sending;
    status.detail.clear();
    status.waiting = waiting;
    status.retryInMs = 0;
    publish(status, true);
    for (int idle = 0;;) {
        if (!sendBinChanges(outbox))
            return;
        int fetched = 0;
        int completed = 0;
        if (!sendGames(outbox, fetched, completed))
            return;
        if (fetched == 0 || shared_->stopping)
            break;
        // A game played right now may change faster than it is marked: it
        // goes again after its next answer.
        if (completed == 0 && ++idle >= 3)
            break;
    }

    failures_ = 0;
    status = status_;
    if (!outbox.backlog(status.waiting)) {
        localFailed(outbox.error());
        return;
    }
    status.retryInMs = 0;
    if (!refused_.isEmpty()) {
        status.state = SyncStatus::State::Interrupted;
        status.detail = refusedDetail_;
    } else if (status.waiting.total() == 0) {
        status.state = SyncStatus::State::UpToDate;
        status.detail.clear();
        if (!shared_->stopping)
            retry_->start(options_.idleCheckMs);
    } else if (!shared_->stopping) {
        // Recorded while this round ran.
        status.retryInMs = options_.firstRetryMs;
        retry_->start(options_.firstRetryMs);
    }
    publish(status, true);
}

bool Sender::openLocal() {
    // The game sets a damaged file aside and starts a new one under the
    // same name: what is recorded from then on is in the new one.
    if (local_ && fileIdentity(store::storeFilePath(folder_)) == localFile_)
        return true;
    local_.reset();
    store::StoreOptions options;
    options.busyTimeoutMs = 5000;
    store::OpenedStore opened = store::openStore(folder_, options);
    if (!opened.connection)
        return failLater({SyncStatus::State::StoreUnusable, opened.status.detail});
    local_ = std::move(opened.connection);
    localFile_ = fileIdentity(store::storeFilePath(folder_));
    return true;
}

bool Sender::openServer() {
    if (server_)
        return true;
    auto connection =
        std::make_unique<ServerConnection>(settings_, options_.connect, &shared_->cutter);
    if (!connection->open())
        return failLater(connection->problem());
    const ServerSchema schema = checkServer(connection->db());
    if (schema.kind != ServerSchema::Kind::Ready) {
        Problem problem;
        problem.detail = schema.detail;
        problem.state = schema.kind == ServerSchema::Kind::TooNew ? SyncStatus::State::SchemaTooNew
                        : schema.kind == ServerSchema::Kind::NotSetUp
                            ? SyncStatus::State::NotSetUp
                            : stateForStatementError(schema.error);
        return failLater(problem);
    }
    // Another server, or this one set up afresh, has none of what went before.
    QFile known(serverIdPath(folder_));
    const QString knownId =
        known.open(QIODevice::ReadOnly) ? QString::fromUtf8(known.readAll()).trimmed() : QString();
    known.close();
    if (knownId != schema.serverId) {
        Outbox outbox(*local_);
        if (!knownId.isEmpty() && !outbox.resendEverything())
            return localFailed(outbox.error());
        QSaveFile file(serverIdPath(folder_));
        if (!file.open(QIODevice::WriteOnly) || file.write(schema.serverId.toUtf8()) < 0 ||
            !file.commit())
            qWarning().noquote() << QStringLiteral("lumo3: cannot write %1 (%2); records may be "
                                                   "sent to the school's server again")
                                        .arg(file.fileName(), file.errorString());
    }
    server_ = std::move(connection);
    return true;
}

bool Sender::serverFailed(const QSqlError &error) {
    server_.reset();
    return failLater({stateForStatementError(error), errorText(error)});
}

bool Sender::sendBinChanges(Outbox &outbox) {
    for (const bool toBin : {true, false}) {
        const QList<BinChange> changes = toBin ? outbox.deletions() : outbox.restorations();
        if (outbox.failed())
            return localFailed(outbox.error());
        for (BinChange change : changes) {
            if (refused_.contains(change.gameId))
                continue;
            if (change.computer.isEmpty())
                change.computer = options_.computer;
            QSqlError error;
            if (!sendBinChange(change, toBin, error)) {
                // Another computer's game: it waits, told, until the program starts again.
                if (error.nativeErrorCode() != QLatin1String("42501") && !isDataError(error))
                    return serverFailed(error);
                refuse(change.gameId, error);
                continue;
            }
            if (!(toBin ? outbox.forgetDeletion(change.gameId)
                        : outbox.forgetRestoration(change.gameId)))
                return localFailed(outbox.error());
        }
    }
    return true;
}

bool Sender::sendBinChange(const BinChange &change, bool toBin, QSqlError &error) {
    return execute(server_->db(),
                   toBin ? QStringLiteral("SELECT bin_game(CAST(? AS uuid), ?)")
                         : QStringLiteral("SELECT restore_game(CAST(? AS uuid), ?)"),
                   {change.gameId, change.computer}, error);
}

void Sender::refuse(const QString &gameId, const QSqlError &error) {
    refused_.insert(gameId);
    refusedDetail_ =
        QStringLiteral("the server refused game %1: %2").arg(gameId, store::errorText(error));
    qWarning().noquote() << QStringLiteral("lumo3: ") + refusedDetail_;
}

bool Sender::sendGames(Outbox &outbox, int &fetched, int &completed) {
    const QList<OutgoingGame> games = outbox.nextGames(options_.gamesPerBatch, refused_);
    if (outbox.failed())
        return localFailed(outbox.error());
    fetched = static_cast<int>(games.size());
    for (const OutgoingGame &game : games) {
        if (shared_->stopping)
            return true;
        QSqlError error;
        if (!sendGame(game, error)) {
            if (!isDataError(error))
                return serverFailed(error);
            refuse(game.id, error);
            continue;
        }
        bool complete = false;
        SyncStatus status = status_;
        if (!outbox.markSent(game, complete) || !outbox.backlog(status.waiting))
            return localFailed(outbox.error());
        completed += complete ? 1 : 0;
        status.lastSentUtc = QDateTime::currentDateTimeUtc();
        publish(status, false);
    }
    return true;
}

QVariantList handInValues(const OutgoingGame &game) {
    // The game and its answers as JSON objects named by column, which the
    // server's function reads into its rows.
    const auto object = [](const QStringList &columns, const QVariantList &values) {
        QJsonObject row;
        for (qsizetype c = 0; c < columns.size(); ++c)
            row.insert(columns[c], values[c].isNull() ? QJsonValue(QJsonValue::Null)
                                                      : QJsonValue::fromVariant(values[c]));
        return row;
    };
    static const QStringList gameColumns = store::sharedColumns(QStringLiteral("games"));
    static const QStringList answerColumns = store::sharedColumns(QStringLiteral("answers"));
    QJsonArray answers;
    for (const QVariantList &answer : game.answers)
        answers.append(object(answerColumns, answer));
    return {QString::fromUtf8(
                QJsonDocument(object(gameColumns, game.game)).toJson(QJsonDocument::Compact)),
            QString::fromUtf8(QJsonDocument(answers).toJson(QJsonDocument::Compact))};
}

bool Sender::sendGame(const OutgoingGame &game, QSqlError &error) {
    QSqlDatabase &db = server_->db();
    store::WriteTransaction transaction(db);
    // False: deleted on the server and gone from its bin; it stays gone.
    if (!transaction.begin(error) || !execute(db, handInStatement, handInValues(game), error))
        return false;
    if (options_.beforeCommit)
        options_.beforeCommit(game.id);
    return transaction.commit(error);
}

bool Sender::failLater(const Problem &problem) {
    ++failures_;
    const int delay = static_cast<int>(std::min<qint64>(
        qint64(options_.firstRetryMs) << std::min(failures_ - 1, 20), options_.longestRetryMs));
    SyncStatus status = status_;
    status.state = problem.state;
    status.detail = problem.detail;
    status.retryInMs = delay;
    if (local_) {
        Outbox outbox(*local_);
        store::Backlog waiting;
        if (outbox.backlog(waiting))
            status.waiting = waiting;
    }
    publish(status, true);
    if (!finished_ && !shared_->stopping)
        retry_->start(delay);
    return false;
}

bool Sender::localFailed(const QSqlError &error) {
    local_.reset();
    return failLater({SyncStatus::State::StoreUnusable, store::errorText(error)});
}

void Sender::publish(SyncStatus status, bool now) {
    // While games go one after the other, the count that waits is news a
    // few times a second, not for every game.
    const bool changed = status.state != status_.state || status.detail != status_.detail;
    status_ = std::move(status);
    shared_->set(status_);
    if (now || changed || !sincePublished_.isValid() || sincePublished_.elapsed() >= 250) {
        sincePublished_.start();
        emit statusChanged(status_);
    }
}

} // namespace lumo::sync
