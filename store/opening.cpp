// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/opening.h"

#include "store/records.h"
#include "store/statement.h"
#include "store/tables.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace lumo::store {

namespace {

const QString fileName = QStringLiteral("results.sqlite");
const QStringList companions{QStringLiteral("-wal"), QStringLiteral("-shm"),
                             QStringLiteral("-journal")};

bool isDamage(const QSqlError &error) {
    const int code = sqliteCode(error);
    return code == sqlite::corrupt || code == sqlite::notADatabase;
}

enum class Step { Ok, Damaged, Failed };

struct Attempt {
    Step step = Step::Ok;
    QSqlError error;
    QString detail;
};

/// Runs a statement again while the file is busy, for at most `timeoutMs`:
/// for the few steps SQLite's busy timeout does not cover.
bool execWhileBusy(Connection &c, const QString &statement, int timeoutMs) {
    QElapsedTimer waited;
    waited.start();
    while (!c.exec(statement)) {
        const int code = sqliteCode(c.lastError());
        if ((code != sqlite::busy && code != sqlite::locked) || waited.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(10);
    }
    return true;
}

Attempt configure(Connection &c, const StoreOptions &options) {
    Attempt attempt;
    QStringList pragmas{QStringLiteral("PRAGMA busy_timeout = %1").arg(options.busyTimeoutMs),
                        // Two copies of the program making the file at the
                        // same instant: one of them finds it busy at once.
                        QStringLiteral("PRAGMA journal_mode = WAL"),
                        // FULL syncs the WAL at every commit, so a power cut
                        // loses nothing that was committed.
                        QStringLiteral("PRAGMA synchronous = FULL"),
                        QStringLiteral("PRAGMA foreign_keys = ON")};
    for (const QString &pragma : pragmas) {
        if (!execWhileBusy(c, pragma, options.busyTimeoutMs)) {
            attempt.error = c.lastError();
            attempt.step = isDamage(attempt.error) ? Step::Damaged : Step::Failed;
            return attempt;
        }
    }

    const MigrationResult migration = migrate(c.db(), options.steps);
    if (migration.kind == MigrationResult::Kind::TooNew) {
        attempt.step = Step::Failed;
        attempt.detail = QStringLiteral("the file was written by a newer version of the program "
                                        "(schema %1, this one knows %2)")
                             .arg(migration.fromVersion)
                             .arg(migration.toVersion);
        return attempt;
    }
    if (migration.kind == MigrationResult::Kind::Failed) {
        attempt.error = migration.error;
        attempt.step = isDamage(attempt.error) ? Step::Damaged : Step::Failed;
        return attempt;
    }

    if (options.testPagesLeft > 0) {
        const int pages = c.scalar(QStringLiteral("PRAGMA page_count")).toInt();
        c.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pages + options.testPagesLeft));
    }

    if (options.checkIntegrity) {
        const QVariant check = c.scalar(QStringLiteral("PRAGMA quick_check(1)"));
        if (!check.isValid()) {
            attempt.error = c.lastError();
            attempt.step = isDamage(attempt.error) ? Step::Damaged : Step::Failed;
        } else if (check.toString() != QLatin1String("ok")) {
            attempt.step = Step::Damaged;
            attempt.detail = check.toString();
        }
    }
    return attempt;
}

QString describe(const Attempt &attempt) {
    if (!attempt.detail.isEmpty())
        return attempt.detail;
    return errorText(attempt.error);
}

} // namespace

QString storeFilePath(const QString &folder) {
    return QDir(folder).filePath(fileName);
}

QString defaultStoreFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

StoreStatus::State stateFor(const QSqlError &error) {
    switch (sqliteCode(error)) {
    case sqlite::busy:
    case sqlite::locked:
        return StoreStatus::State::Locked;
    case sqlite::full:
        return StoreStatus::State::Full;
    default:
        return StoreStatus::State::Unusable;
    }
}

QString setAside(const QString &filePath, const FileIdentity &identity) {
    if (fileIdentity(filePath) != identity)
        return {};
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = filePath + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target =
            filePath + QStringLiteral(".damaged-") + stamp + QLatin1Char('-') + QString::number(n);
    if (!QFile::rename(filePath, target))
        return {};
    // The WAL belongs to the damaged file: it goes with it, or the new file
    // would replay it.
    for (const QString &suffix : companions)
        if (QFileInfo::exists(filePath + suffix))
            QFile::rename(filePath + suffix, target + suffix);
    return target;
}

OpenedStore openStore(const QString &folder, const StoreOptions &options) {
    OpenedStore opened;
    StoreStatus &status = opened.status;
    status.filePath = storeFilePath(folder);
    if (!QDir().mkpath(folder)) {
        status.state = StoreStatus::State::Unusable;
        status.detail = QStringLiteral("cannot create the folder %1").arg(folder);
        return opened;
    }

    for (int round = 0; round < 2; ++round) {
        auto connection = std::make_unique<Connection>(status.filePath);
        const FileIdentity identity = fileIdentity(status.filePath);
        Attempt attempt;
        if (!connection->isOpen()) {
            attempt.error = connection->openError();
            attempt.step = isDamage(attempt.error) ? Step::Damaged : Step::Failed;
        } else {
            attempt = configure(*connection, options);
        }

        if (attempt.step == Step::Ok) {
            opened.connection = std::move(connection);
            status.state = StoreStatus::State::Ready;
            status.detail.clear();
            return opened;
        }
        status.detail = describe(attempt);
        if (attempt.step == Step::Failed) {
            status.state =
                attempt.error.isValid() ? stateFor(attempt.error) : StoreStatus::State::Unusable;
            return opened;
        }

        // Damaged: keep the file for whoever can rescue it, start a new one.
        connection.reset();
        if (round > 0 || !options.setAsideDamaged) {
            status.detail = QStringLiteral("the file is damaged (%1)").arg(status.detail);
            break;
        }
        status.setAsidePath = setAside(status.filePath, identity);
        if (status.setAsidePath.isEmpty() && fileIdentity(status.filePath) == identity) {
            status.detail += QStringLiteral("; the damaged file could not be moved aside");
            break;
        }
        // Moved aside by us, or by another copy of the program: open what is there now.
    }
    status.state = StoreStatus::State::Unusable;
    return opened;
}

bool emptyBin(QSqlDatabase &db, const QDateTime &nowUtc, QSqlError &error) {
    // The answers go with their games (ON DELETE CASCADE); the deletions
    // stay logged until the server has them.
    return execute(db,
                   QStringLiteral("DELETE FROM games WHERE deleted_utc IS NOT NULL AND "
                                  "deleted_utc <= ?"),
                   {utcText(nowUtc.addDays(-binDays))}, error);
}

} // namespace lumo::store
