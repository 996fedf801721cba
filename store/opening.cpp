// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/opening.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>

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

quint64 inodeOf(const QString &path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? quint64(info.st_ino) : 0;
}

struct Attempt {
    Step step = Step::Ok;
    QSqlError error;
    QString detail;
};

Attempt configure(Connection &c, const StoreOptions &options) {
    Attempt attempt;
    QStringList pragmas{QStringLiteral("PRAGMA busy_timeout = %1").arg(options.busyTimeoutMs),
                        QStringLiteral("PRAGMA journal_mode = WAL"),
                        // FULL syncs the WAL at every commit, so a power cut
                        // loses nothing that was committed.
                        QStringLiteral("PRAGMA synchronous = FULL"),
                        QStringLiteral("PRAGMA foreign_keys = ON")};
    for (const QString &pragma : pragmas) {
        if (!c.exec(pragma)) {
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
    const QString text = attempt.error.databaseText();
    return text.isEmpty() ? attempt.error.text() : text;
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

QString setAside(const QString &filePath, quint64 inode) {
    if (inodeOf(filePath) != inode)
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
        const quint64 inode = inodeOf(status.filePath);
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
        status.setAsidePath = setAside(status.filePath, inode);
        if (status.setAsidePath.isEmpty() && inodeOf(status.filePath) == inode) {
            status.detail += QStringLiteral("; the damaged file could not be moved aside");
            break;
        }
        // Moved aside by us, or by another copy of the program: open what is there now.
    }
    status.state = StoreStatus::State::Unusable;
    return opened;
}

} // namespace lumo::store
