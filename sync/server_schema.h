// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

/// Creates or migrates the program's schema on the server in one
/// transaction, with the other computers that start at the same moment
/// waiting their turn. A schema from a newer program is read, never changed.
/// The schema itself must exist and belong to the program's user (the
/// README's set-up); its tables the program makes itself.
ServerSchema migrateServer(QSqlDatabase &db, const QString &programVersion,
                           const QList<store::MigrationStep> &steps = serverSteps());

} // namespace lumo::sync
