// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/connection.h"

#include "store/statement.h"

#include <QAtomicInteger>
#include <QSqlQuery>
#include <QUrl>

namespace lumo::store {

namespace {
QString uniqueConnectionName() {
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("lumo-store-%1").arg(counter.fetchAndAddRelaxed(1));
}
} // namespace

Connection::Connection(const QString &filePath, Mode mode) : name_(uniqueConnectionName()) {
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    if (mode == Mode::Immutable) {
        const QByteArray path = QUrl::toPercentEncoding(filePath, "/");
        db_.setDatabaseName(QStringLiteral("file:%1?immutable=1").arg(QString::fromLatin1(path)));
        db_.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI"));
    } else {
        db_.setDatabaseName(filePath);
    }
    if (!db_.open())
        openError_ = db_.lastError();
}

Connection::~Connection() {
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

bool Connection::exec(const QString &statement) {
    return execute(db_, statement, {}, lastError_);
}

QVariant Connection::scalar(const QString &statement) {
    QSqlQuery query(db_);
    if (execute(query, statement, {}, lastError_) && query.next())
        return query.value(0);
    lastError_ = query.lastError();
    return {};
}

int sqliteCode(const QSqlError &error) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    // Extended codes carry the primary code in their low byte.
    return ok ? (code & 0xff) : 0;
}

} // namespace lumo::store
