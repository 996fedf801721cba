#include "store/reader.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace lumo::store {

namespace {

std::optional<int> optionalInt(const QVariant &value) {
    return value.isNull() ? std::nullopt : std::optional<int>(value.toInt());
}

// The wrong answers of one player, one row per (value, wrongly answered).
const QString wrongCountsQuery = QStringLiteral(R"(
    SELECT c, COUNT(*) FROM (
        SELECT a.count1 AS c, a.answer1 AS x FROM answers a JOIN games g ON g.id = a.game_id WHERE g.player = :p
        UNION ALL SELECT a.count2, a.answer2 FROM answers a JOIN games g ON g.id = a.game_id WHERE g.player = :p
        UNION ALL SELECT a.count3, a.answer3 FROM answers a JOIN games g ON g.id = a.game_id WHERE g.player = :p
        UNION ALL SELECT a.count4, a.answer4 FROM answers a JOIN games g ON g.id = a.game_id WHERE g.player = :p
    ) WHERE c IS NOT NULL AND c <> x GROUP BY c ORDER BY c)");

const QString wrongTotalsQuery = QStringLiteral(R"(
    SELECT a.total, COUNT(*) FROM answers a JOIN games g ON g.id = a.game_id
    WHERE g.player = :p AND a.total IS NOT NULL AND a.total <> a.answer_total
    GROUP BY a.total ORDER BY a.total)");

const QString levelSharesQuery = QStringLiteral(R"(
    SELECT a.level,
           SUM((a.count1 = a.answer1) + COALESCE(a.count2 = a.answer2, 0)
               + COALESCE(a.count3 = a.answer3, 0) + COALESCE(a.count4 = a.answer4, 0)
               + COALESCE(a.total = a.answer_total, 0)),
           SUM(1 + (a.count2 IS NOT NULL) + (a.count3 IS NOT NULL) + (a.count4 IS NOT NULL)
               + (a.total IS NOT NULL))
    FROM answers a JOIN games g ON g.id = a.game_id
    WHERE g.player = :p GROUP BY a.level ORDER BY a.level)");

QList<WrongTally> tallies(QSqlQuery &query) {
    QList<WrongTally> list;
    while (query.next())
        list.append({query.value(0).toInt(), query.value(1).toInt()});
    return list;
}

} // namespace

ResultReader::ResultReader(const QString &folder, const StoreOptions &options) {
    OpenedStore opened = openStore(folder, options);
    status_ = opened.status;
    connection_ = std::move(opened.connection);
    if (connection_ || !QFileInfo::exists(status_.filePath))
        return;
    // The game cannot write, but the teacher may still read what is there:
    // past another program's lock (WAL readers do not wait for writers), or
    // in a folder nobody may write.
    const bool locked = status_.state == StoreStatus::State::Locked;
    auto reading = std::make_unique<Connection>(
        status_.filePath, locked ? Connection::Mode::ReadWrite : Connection::Mode::Immutable);
    if (reading->isOpen() &&
        reading->exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(options.busyTimeoutMs)) &&
        reading->scalar(QStringLiteral("SELECT COUNT(*) FROM games")).isValid())
        connection_ = std::move(reading);
}

ResultReader::~ResultReader() = default;

QList<GameRow> ResultReader::games(const GameFilter &filter) {
    QList<GameRow> rows;
    if (!connection_)
        return rows;
    QString sql = QStringLiteral(
        "SELECT id, player, computer, started_utc, ended_utc, outcome, start_level, "
        "clock_minutes, level_reached, questions, right_points, wrong_points, clock_seconds "
        "FROM games WHERE 1");
    QVariantList values;
    if (!filter.nameContains.isEmpty()) {
        // instr() and not LIKE: a name may hold % or _ of its own.
        sql += QStringLiteral(" AND instr(lower(player), lower(?)) > 0");
        values << filter.nameContains;
    }
    if (filter.firstDay.isValid()) {
        sql += QStringLiteral(" AND started_utc >= ?");
        values << utcText(filter.firstDay.startOfDay());
    }
    if (filter.lastDay.isValid()) {
        sql += QStringLiteral(" AND started_utc < ?");
        values << utcText(filter.lastDay.addDays(1).startOfDay());
    }
    sql += QStringLiteral(" ORDER BY started_utc DESC");

    QSqlQuery query(connection_->db());
    query.setForwardOnly(true);
    query.prepare(sql);
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        lastError_ = query.lastError().text();
        return rows;
    }
    rows.reserve(1024);
    while (query.next()) {
        GameRow row;
        row.id = query.value(0).toString();
        row.player = query.value(1).toString();
        row.computer = query.value(2).toString();
        row.startedUtc = fromUtcText(query.value(3).toString());
        if (!query.value(4).isNull())
            row.endedUtc = fromUtcText(query.value(4).toString());
        row.outcome = outcomeFromKey(query.value(5).toString());
        row.startLevel = query.value(6).toInt();
        row.clockMinutes = optionalInt(query.value(7));
        row.levelReached = query.value(8).toInt();
        row.questions = query.value(9).toInt();
        row.right = query.value(10).toInt();
        row.wrong = query.value(11).toInt();
        row.clockSeconds = optionalInt(query.value(12));
        rows.append(std::move(row));
    }
    return rows;
}

QStringList ResultReader::players() {
    QStringList names;
    if (!connection_)
        return names;
    QSqlQuery query(connection_->db());
    if (!query.exec(QStringLiteral("SELECT DISTINCT player FROM games ORDER BY player")))
        lastError_ = query.lastError().text();
    while (query.next())
        names.append(query.value(0).toString());
    return names;
}

ChildSummary ResultReader::summary(const QString &player) {
    ChildSummary summary;
    if (!connection_)
        return summary;
    QSqlQuery query(connection_->db());
    query.prepare(QStringLiteral("SELECT COUNT(*), COUNT(outcome), COALESCE(MAX(right_points), 0), "
                                 "COALESCE(AVG(right_points), 0), COALESCE(AVG(wrong_points), 0) "
                                 "FROM games WHERE player = ?"));
    query.addBindValue(player);
    if (!query.exec() || !query.next()) {
        lastError_ = query.lastError().text();
        return summary;
    }
    summary.games = query.value(0).toInt();
    summary.finishedGames = query.value(1).toInt();
    summary.bestRight = query.value(2).toInt();
    summary.averageRight = query.value(3).toDouble();
    summary.averageWrong = query.value(4).toDouble();

    QSqlQuery levels(connection_->db());
    levels.prepare(levelSharesQuery);
    levels.bindValue(QStringLiteral(":p"), player);
    if (!levels.exec())
        lastError_ = levels.lastError().text();
    while (levels.next())
        summary.levels.append(
            {levels.value(0).toInt(), levels.value(1).toInt(), levels.value(2).toInt()});
    return summary;
}

WrongAnswers ResultReader::wrongAnswers(const QString &player) {
    WrongAnswers wrong;
    if (!connection_)
        return wrong;
    for (auto [sql, list] : {std::pair{&wrongCountsQuery, &wrong.counts},
                             std::pair{&wrongTotalsQuery, &wrong.totals}}) {
        QSqlQuery query(connection_->db());
        query.prepare(*sql);
        query.bindValue(QStringLiteral(":p"), player);
        if (!query.exec())
            lastError_ = query.lastError().text();
        *list = tallies(query);
    }
    return wrong;
}

QList<AnswerRow> ResultReader::answers(const QString &gameId) {
    QList<AnswerRow> rows;
    if (!connection_)
        return rows;
    QSqlQuery query(connection_->db());
    query.prepare(QStringLiteral(
        "SELECT question, level, count1, count2, count3, count4, total, slots, right_points, "
        "wrong_points, seconds, checked_utc FROM answers WHERE game_id = ? ORDER BY question"));
    query.addBindValue(gameId);
    if (!query.exec())
        lastError_ = query.lastError().text();
    while (query.next()) {
        AnswerRow row;
        row.question = query.value(0).toInt();
        row.level = query.value(1).toInt();
        for (int g = 0; g < 4; ++g)
            if (!query.value(2 + g).isNull())
                row.counts.append(query.value(2 + g).toInt());
        row.total = optionalInt(query.value(6));
        for (const QJsonValue &slot :
             QJsonDocument::fromJson(query.value(7).toString().toUtf8()).array())
            row.slotCaptions.append(slot.toString());
        row.pointsRight = query.value(8).toInt();
        row.pointsWrong = query.value(9).toInt();
        row.seconds = query.value(10).toDouble();
        row.checkedUtc = fromUtcText(query.value(11).toString());
        rows.append(row);
    }
    return rows;
}

int ResultReader::deletePlayer(const QString &player) {
    return deleteWhere(QStringLiteral("player = ?"), {player});
}

int ResultReader::deleteAll() {
    return deleteWhere(QStringLiteral("1"), {});
}

int ResultReader::deleteWhere(const QString &condition, const QVariantList &values) {
    if (!connection_)
        return -1;
    QSqlDatabase &db = connection_->db();
    const auto fail = [&](const QSqlQuery &query) {
        lastError_ = query.lastError().text();
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return -1;
    };
    QSqlQuery begin(db);
    if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        lastError_ = begin.lastError().text();
        return -1;
    }
    QSqlQuery log(db);
    log.prepare(QStringLiteral("INSERT OR REPLACE INTO deletions (game_id, deleted_utc) "
                               "SELECT id, ? FROM games WHERE ") +
                condition);
    log.addBindValue(utcText(QDateTime::currentDateTimeUtc()));
    for (const QVariant &value : values)
        log.addBindValue(value);
    if (!log.exec())
        return fail(log);
    QSqlQuery remove(db);
    remove.prepare(QStringLiteral("DELETE FROM games WHERE ") + condition);
    for (const QVariant &value : values)
        remove.addBindValue(value);
    if (!remove.exec())
        return fail(remove);
    const int deleted = remove.numRowsAffected();
    log.finish();
    remove.finish();
    QSqlQuery commit(db);
    if (!commit.exec(QStringLiteral("COMMIT")))
        return fail(commit);
    lastError_.clear();
    return deleted;
}

} // namespace lumo::store
