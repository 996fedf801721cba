// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/file_identity.h"
#include "store/connection.h"
#include "store/schema.h"
#include "store/status.h"

#include <QDateTime>
#include <QString>

#include <memory>

namespace lumo::store {

/// The store's file in its folder.
QString storeFilePath(const QString &folder);

/// The folder the program keeps results in (QStandardPaths::AppDataLocation,
/// so it follows the application's name). Tests hand in a folder of their own.
QString defaultStoreFolder();

struct StoreOptions {
    /// How long a statement waits for another copy of the program to finish
    /// its write before it counts as locked.
    int busyTimeoutMs = 5000;
    /// Reads the whole file once at opening to find damage early; the writer
    /// does, the teacher's window (which must open fast) does not.
    bool checkIntegrity = false;
    /// Moves a damaged file aside and starts a new one (the writer does);
    /// otherwise a damaged file only makes the store unusable (the teacher's
    /// window, which must not pull the file away from a game that writes).
    bool setAsideDamaged = false;
    /// Tests only: this many pages left for new records make SQLite answer
    /// as on a full disk once they are used.
    int testPagesLeft = 0;
    QList<MigrationStep> steps = schemaSteps();
};

struct OpenedStore {
    /// Null when the store cannot be used now; status says why.
    std::unique_ptr<Connection> connection;
    StoreStatus status;
};

/// Opens the store read-write, creating and migrating it as needed. A
/// damaged file is moved aside under a new name (never deleted) and a new
/// one started; every other failure is reported in the status.
OpenedStore openStore(const QString &folder, const StoreOptions &options);

/// Removes the games that have been in the bin for binDays or longer, with
/// their answers; false with the error. The writer does it on opening.
bool emptyBin(QSqlDatabase &db, const QDateTime &nowUtc, QSqlError &error);

/// The state a failed statement puts the store in.
StoreStatus::State stateFor(const QSqlError &error);

/// Moves a damaged file and its WAL companions aside as
/// "<file>.damaged-<yyyyMMdd-HHmmss>", adding a number if that name is taken.
/// Only if the path still names the file that was found damaged (`identity`):
/// another copy of the program may have set it aside and started a new one
/// meanwhile. Returns the new name, or an empty string if nothing moved.
QString setAside(const QString &filePath, const FileIdentity &identity);

} // namespace lumo::store
