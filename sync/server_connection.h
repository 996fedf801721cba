// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/server_settings.h"
#include "store/statement.h"
#include "sync/sync_status.h"

#include <QMutex>
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

/// Lets another thread cut a connection's statements short: its socket is
/// shut down, so that a statement waiting for a server that does not answer
/// fails at once, and so does every connection opened after.
class ConnectionCutter {
  public:
    void cut();
    bool isCut() const;

  private:
    friend class ServerConnection;
    /// False, with the socket shut down, when cut already.
    bool attach(qintptr socket);
    void detach();

    mutable QMutex mutex_;
    qintptr socket_ = -1;
    bool cut_ = false;
};

/// One connection to the school's server through Qt's QPSQL driver, with a
/// name of its own, belonging to the thread that opened it. The password is
/// never handed in: libpq reads it from the password file or the service.
class ServerConnection {
  public:
    explicit ServerConnection(const ServerSettings &settings, const ConnectOptions &options = {},
                              ConnectionCutter *cutter = nullptr);
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
    ServerSettings settings_;
    ConnectOptions options_;
    ConnectionCutter *cutter_ = nullptr;
    QSqlDatabase db_;
    Problem problem_;
};

/// Why a statement failed, from its SQLSTATE: a refused login, a server not
/// set up for the program, or (any other) a statement cut off.
SyncStatus::State stateForStatementError(const QSqlError &error);

using store::errorText;

} // namespace lumo::sync
