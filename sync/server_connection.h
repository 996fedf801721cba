// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/server_settings.h"
#include "sync/sync_status.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

namespace lumo::sync {

/// The schema on the server that holds the program's tables.
inline const QString serverSchema = QStringLiteral("lumo3");

struct ConnectOptions {
    /// How long libpq tries to reach the server before it gives up.
    int connectTimeoutSeconds = 5;
    /// A statement the server takes longer over is cancelled there.
    int statementTimeoutMs = 30000;
};

/// What stopped a connection or a statement, and in whose words.
struct Problem {
    SyncStatus::State state = SyncStatus::State::Unreachable;
    QString detail;
};

/// One connection to the school's server through Qt's QPSQL driver, with a
/// name of its own, belonging to the thread that opened it. The password is
/// never handed in: libpq reads it from the password file or the service.
class ServerConnection {
  public:
    explicit ServerConnection(const ServerSettings &settings, const ConnectOptions &options = {});
    ~ServerConnection();
    ServerConnection(const ServerConnection &) = delete;
    ServerConnection &operator=(const ServerConnection &) = delete;

    /// Connects and sets up the session (the program's schema first in the
    /// search path, the time limits); false with problem() set when not.
    bool open();
    bool isOpen() const { return db_.isOpen(); }
    QSqlDatabase &db() { return db_; }
    const Problem &problem() const { return problem_; }

    /// Runs a statement without values; keeps the problem when it fails.
    bool exec(const QString &statement);
    /// Notes the failure of a statement as the problem.
    void failed(const QSqlError &error);

  private:
    QString name_;
    QSqlDatabase db_;
    Problem problem_;
    int statementTimeoutMs_ = 0;
};

/// Why a connection could not be made, from libpq's message (libpq gives no
/// code for it): a refused login, a missing database, or no server at all.
SyncStatus::State stateForConnectionError(const QString &message);
/// Why a statement failed, from its SQLSTATE.
SyncStatus::State stateForStatementError(const QSqlError &error);

/// Runs a statement with its values bound. QPSQL prepares every statement
/// on the server, which takes only queries (not BEGIN, COMMIT or CREATE):
/// a statement without values is sent as it is.
bool execOnServer(QSqlQuery &query, const QString &sql, const QVariantList &values = {});

/// The text of a Qt SQL error as the database put it, or Qt's own words.
QString errorText(const QSqlError &error);

} // namespace lumo::sync
