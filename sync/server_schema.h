// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/server_settings.h"
#include "store/schema.h"

#include <QList>
#include <QSqlError>
#include <QString>
#include <QStringList>

class QSqlDatabase;

namespace lumo::sync {

/// The server's schema history, step by step as in the local store.
const QList<store::MigrationStep> &serverSteps();

struct ServerSchema {
    enum class Kind { Ready, TooNew, NotSetUp, Failed };
    Kind kind = Kind::Ready;
    int fromVersion = 0;
    int toVersion = 0;
    /// Made when the schema was first created: a server set up afresh (or
    /// another server) has another id, and everything is sent to it again.
    QString serverId;
    QString detail;
    QSqlError error;
};

/// Creates or migrates the program's tables and functions on the server in
/// one transaction, as the owner role (the connection's user must be it, a
/// member of it, or a superuser): the set-up's work, never a computer's. A
/// schema from a newer program is read, never changed. The schema itself
/// must exist and belong to the owner (server-setup.sql makes it).
ServerSchema migrateServer(QSqlDatabase &db, const QString &programVersion,
                           const QList<store::MigrationStep> &steps = serverSteps());

/// What a computer or the teacher's window checks, changing nothing (but
/// for emptying the server's bin of what has been there binDays): the
/// tables' version is the one this program knows, and the server's id.
ServerSchema checkServer(QSqlDatabase &db,
                         const QList<store::MigrationStep> &steps = serverSteps());

/// Connects as `admin` (the owner, or a superuser), and migrates.
ServerSchema setUpServer(const ServerSettings &admin, const QString &programVersion);

} // namespace lumo::sync
