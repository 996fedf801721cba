// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/server_connection.h"

#include <QAtomicInteger>
#include <QSqlQuery>

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

} // namespace

ServerConnection::ServerConnection(const ServerSettings &settings, const ConnectOptions &options)
    : name_(uniqueConnectionName()) {
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
    statementTimeoutMs_ = options.statementTimeoutMs;
}

ServerConnection::~ServerConnection() {
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

bool ServerConnection::open() {
    if (!db_.isValid())
        return false;
    if (!db_.open()) {
        problem_.detail = errorText(db_.lastError());
        problem_.state = stateForConnectionError(problem_.detail);
        return false;
    }
    // A client that vanishes in the middle of a game's transaction must not
    // hold its locks for long.
    if (exec(QStringLiteral("SET search_path = %1").arg(serverSchema)) &&
        exec(QStringLiteral("SET statement_timeout = %1").arg(statementTimeoutMs_)) &&
        exec(QStringLiteral("SET idle_in_transaction_session_timeout = 60000")))
        return true;
    db_.close();
    return false;
}

bool ServerConnection::exec(const QString &statement) {
    QSqlQuery query(db_);
    if (query.exec(statement))
        return true;
    failed(query.lastError());
    return false;
}

void ServerConnection::failed(const QSqlError &error) {
    problem_.detail = errorText(error);
    problem_.state = stateForStatementError(error);
}

SyncStatus::State stateForConnectionError(const QString &message) {
    const QString text = message.toLower();
    if (text.contains(QLatin1String("password")) ||
        text.contains(QLatin1String("authentication")) ||
        text.contains(QLatin1String("pg_hba.conf")) ||
        (text.contains(QLatin1String("role")) && text.contains(QLatin1String("does not exist"))))
        return SyncStatus::State::LoginRefused;
    if ((text.contains(QLatin1String("database")) &&
         text.contains(QLatin1String("does not exist"))) ||
        text.contains(QLatin1String("permission denied")) ||
        text.contains(QLatin1String("definition of service")))
        return SyncStatus::State::NotSetUp;
    return SyncStatus::State::Unreachable;
}

SyncStatus::State stateForStatementError(const QSqlError &error) {
    const QString code = error.nativeErrorCode();
    if (code.startsWith(QLatin1String("28")))
        return SyncStatus::State::LoginRefused;
    // No right, no schema, no table: the server is not set up as the README says.
    if (code == QLatin1String("42501") || code == QLatin1String("3F000") ||
        code == QLatin1String("42P01") || code == QLatin1String("3D000"))
        return SyncStatus::State::NotSetUp;
    return SyncStatus::State::Interrupted;
}

bool execOnServer(QSqlQuery &query, const QString &sql, const QVariantList &values) {
    if (values.isEmpty())
        return query.exec(sql);
    if (!query.prepare(sql))
        return false;
    for (const QVariant &value : values)
        query.addBindValue(value);
    return query.exec();
}

QString errorText(const QSqlError &error) {
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    return text;
}

} // namespace lumo::sync
