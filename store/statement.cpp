// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/statement.h"

namespace lumo::store {

bool execute(QSqlQuery &query, const QString &sql, const QVariantList &values, QSqlError &error) {
    query.setForwardOnly(true);
    bool done = false;
    if (values.isEmpty()) {
        done = query.exec(sql);
    } else if (query.prepare(sql)) {
        for (const QVariant &value : values)
            query.addBindValue(value);
        done = query.exec();
    }
    if (!done)
        error = query.lastError();
    return done;
}

bool execute(QSqlDatabase &db, const QString &sql, const QVariantList &values, QSqlError &error) {
    QSqlQuery query(db);
    return execute(query, sql, values, error);
}

QString errorText(const QSqlError &error) {
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    return text;
}

WriteTransaction::~WriteTransaction() {
    QSqlError ignored;
    if (open_)
        execute(db_, QStringLiteral("ROLLBACK"), {}, ignored);
}

bool WriteTransaction::begin(QSqlError &error) {
    const bool sqlite = db_.driverName() == QLatin1String("QSQLITE");
    open_ = execute(db_, sqlite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"), {},
                    error);
    return open_;
}

bool WriteTransaction::commit(QSqlError &error) {
    if (!execute(db_, QStringLiteral("COMMIT"), {}, error))
        return false;
    open_ = false;
    return true;
}

} // namespace lumo::store
