// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/server_connection.h"

#include <QAtomicInteger>
#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlQuery>

#include <libpq-fe.h>

#include <vector>

#ifdef Q_OS_WIN
#include <winsock2.h>
#else
#include <poll.h>
#include <sys/socket.h>
#endif

namespace lumo::sync {

namespace {

QString uniqueConnectionName() {
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("lumo-server-%1").arg(counter.fetchAndAddRelaxed(1));
}

/// A value in libpq's connection string: quoted, with \ and ' escaped, so
/// that a service name cannot add options of its own.
QString conninfoValue(const QString &value) {
    QString quoted = value;
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

void shutDown(qintptr socket) {
#ifdef Q_OS_WIN
    ::shutdown(SOCKET(socket), SD_BOTH);
#else
    ::shutdown(int(socket), SHUT_RDWR);
#endif
}

/// Waits until libpq's socket is ready as `polling` asks, at most `ms`.
void waitForSocket(PGconn *conn, PostgresPollingStatusType polling, int ms) {
    const short events = polling == PGRES_POLLING_READING ? POLLIN : POLLOUT;
#ifdef Q_OS_WIN
    WSAPOLLFD socket{SOCKET(PQsocket(conn)), events, 0};
    WSAPoll(&socket, 1, ms);
#else
    pollfd socket{PQsocket(conn), events, 0};
    ::poll(&socket, 1, ms);
#endif
}

SyncStatus::State stateForSqlState(const QString &code, SyncStatus::State otherwise) {
    // Class 28: a wrong password, an unknown user, not allowed from here.
    if (code.startsWith(QLatin1String("28")))
        return SyncStatus::State::LoginRefused;
    // No database, no schema, no table or function, or no right: the server
    // is not set up as the README says.
    if (code == QLatin1String("3D000") || code == QLatin1String("3F000") ||
        code == QLatin1String("42P01") || code == QLatin1String("42883") ||
        code == QLatin1String("42501"))
        return SyncStatus::State::NotSetUp;
    return otherwise;
}

/// Why a connection could not be made. QPSQL gives no SQLSTATE for it, and
/// libpq's message is words in the user's or the server's language: libpq is
/// asked again, directly, with its messages cut down to the SQLSTATE.
SyncStatus::State whyNoConnection(const ServerSettings &settings, const ConnectOptions &options,
                                  const ConnectionCutter *cutter) {
    QList<std::pair<const char *, QByteArray>> given{
        {"host", settings.host.toUtf8()},
        {"port", settings.port > 0 ? QByteArray::number(settings.port) : QByteArray()},
        {"dbname", settings.database.toUtf8()},
        {"user", settings.user.toUtf8()},
        {"service", settings.service.toUtf8()},
        {"application_name", QByteArrayLiteral("lumo3")}};
    std::vector<const char *> keys, values;
    for (const auto &[key, value] : given) {
        if (!value.isEmpty()) {
            keys.push_back(key);
            values.push_back(value.constData());
        }
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    PGconn *conn = PQconnectStartParams(keys.data(), values.data(), 0);
    if (!conn)
        return SyncStatus::State::Unreachable;
    PQsetErrorVerbosity(conn, PQERRORS_SQLSTATE);
    const QDeadlineTimer deadline(options.connectTimeoutSeconds * 1000);
    PostgresPollingStatusType polling = PGRES_POLLING_WRITING;
    while (PQstatus(conn) != CONNECTION_BAD && polling != PGRES_POLLING_OK &&
           polling != PGRES_POLLING_FAILED && !deadline.hasExpired() &&
           !(cutter && cutter->isCut())) {
        waitForSocket(conn, polling, 100);
        polling = PQconnectPoll(conn);
    }
    SyncStatus::State state = SyncStatus::State::Unreachable;
    if (PQstatus(conn) == CONNECTION_OK) {
        // Back by now: the next try will tell.
        state = SyncStatus::State::Interrupted;
    } else if (PQconnectionNeedsPassword(conn)) {
        state = SyncStatus::State::LoginRefused;
    } else {
        // Each server that refused ends its line with ":  " and the code.
        static const QRegularExpression sqlState(QStringLiteral(":  ([0-9A-Z]{5})$"),
                                                 QRegularExpression::MultilineOption);
        QString code;
        for (const auto &match :
             sqlState.globalMatch(QString::fromUtf8(PQerrorMessage(conn)).trimmed()))
            code = match.captured(1);
        state = stateForSqlState(code, SyncStatus::State::Unreachable);
    }
    PQfinish(conn);
    return state;
}

} // namespace

void ConnectionCutter::cut() {
    QMutexLocker lock(&mutex_);
    cut_ = true;
    if (socket_ >= 0)
        shutDown(socket_);
}

bool ConnectionCutter::isCut() const {
    QMutexLocker lock(&mutex_);
    return cut_;
}

bool ConnectionCutter::attach(qintptr socket) {
    QMutexLocker lock(&mutex_);
    if (cut_) {
        shutDown(socket);
        return false;
    }
    socket_ = socket;
    return true;
}

void ConnectionCutter::detach() {
    QMutexLocker lock(&mutex_);
    socket_ = -1;
}

ServerConnection::ServerConnection(const ServerSettings &settings, const ConnectOptions &options,
                                   ConnectionCutter *cutter)
    : name_(uniqueConnectionName()), settings_(settings), options_(options), cutter_(cutter) {
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
    if (!db_.isValid()) {
        problem_.state = SyncStatus::State::NotSetUp;
        problem_.detail = QStringLiteral("Qt's PostgreSQL driver QPSQL is missing (Debian package "
                                         "libqt6sql6-psql)");
        return;
    }
    // What the settings leave empty, the service (or libpq) fills in.
    if (!settings.host.isEmpty())
        db_.setHostName(settings.host);
    if (settings.port > 0)
        db_.setPort(settings.port);
    if (!settings.database.isEmpty())
        db_.setDatabaseName(settings.database);
    if (!settings.user.isEmpty())
        db_.setUserName(settings.user);
    // QPSQL reads ';' as a space between libpq's options.
    QStringList connect{
        QStringLiteral("connect_timeout=%1").arg(options.connectTimeoutSeconds),
        QStringLiteral("application_name=lumo3"),
        // A server that vanishes from the network is noticed
        // within half a minute instead of the system's hours.
        QStringLiteral("keepalives_idle=10"), QStringLiteral("keepalives_interval=5"),
        QStringLiteral("keepalives_count=3"), QStringLiteral("tcp_user_timeout=20000")};
    if (!settings.service.isEmpty())
        connect << QStringLiteral("service=") + conninfoValue(settings.service);
    db_.setConnectOptions(connect.join(QLatin1Char(';')));
}

ServerConnection::~ServerConnection() {
    // Before the socket is closed: its number may be given to another.
    if (cutter_)
        cutter_->detach();
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

bool ServerConnection::open() {
    if (!db_.isValid())
        return false;
    if (!db_.open()) {
        problem_.detail = errorText(db_.lastError());
        problem_.state = whyNoConnection(settings_, options_, cutter_);
        return false;
    }
    // QPSQL's handle is libpq's connection (a "pg_conn*").
    const QVariant handle = db_.driver()->handle();
    if (cutter_ && handle.isValid() &&
        !cutter_->attach(PQsocket(*static_cast<PGconn *const *>(handle.constData())))) {
        problem_ = {SyncStatus::State::Interrupted, QStringLiteral("the program is ending")};
        db_.close();
        return false;
    }
    // A client that vanishes in the middle of a game's transaction must not
    // hold its locks for long.
    if (exec(QStringLiteral("SET search_path = %1").arg(serverSchema)) &&
        exec(QStringLiteral("SET statement_timeout = %1").arg(options_.statementTimeoutMs)) &&
        exec(QStringLiteral("SET idle_in_transaction_session_timeout = 60000")))
        return true;
    if (cutter_)
        cutter_->detach();
    db_.close();
    return false;
}

bool ServerConnection::exec(const QString &statement) {
    QSqlError error;
    if (store::execute(db_, statement, {}, error))
        return true;
    failed(error);
    return false;
}

void ServerConnection::failed(const QSqlError &error) {
    problem_.detail = errorText(error);
    problem_.state = stateForStatementError(error);
}

SyncStatus::State stateForStatementError(const QSqlError &error) {
    return stateForSqlState(error.nativeErrorCode(), SyncStatus::State::Interrupted);
}

} // namespace lumo::sync
