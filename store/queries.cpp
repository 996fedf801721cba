// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/queries.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <tuple>

namespace lumo::store {

namespace {

std::optional<int> optionalInt(const QVariant &value) {
    return value.isNull() ? std::nullopt : std::optional<int>(value.toInt());
}

// Plain CASE and CAST, which both databases read alike: SQLite would add up
// comparisons as numbers, PostgreSQL would not.
QString oneIf(const QString &condition) {
    return QStringLiteral("CASE WHEN %1 THEN 1 ELSE 0 END").arg(condition);
}

/// "g.player IN (?, ...)" for one child's names, and the names.
SqlConditions childNames(const QString &player, const GameFilter &filter) {
    QStringList marks{QStringLiteral("?")};
    QVariantList names{player};
    for (const QString &name : filter.alsoNamed) {
        if (name == player || names.contains(name))
            continue;
        marks << QStringLiteral("?");
        names << name;
    }
    return {QStringLiteral("g.player IN (%1)").arg(marks.join(QLatin1Char(','))), names};
}

/// The answers of one child's games within the filter's computer and days.
SqlConditions childAnswers(const QString &player, const GameFilter &filter) {
    const SqlConditions names = childNames(player, filter);
    const SqlConditions scope = scopeConditions(filter);
    return {QStringLiteral(" FROM answers a JOIN games g ON g.id = a.game_id WHERE ") + names.sql +
                scope.sql,
            names.values + scope.values};
}

} // namespace

SqlConditions scopeConditions(const GameFilter &filter) {
    // Games in the bin are left out of every list and figure.
    SqlConditions c{QStringLiteral(" AND g.deleted_utc IS NULL"), {}};
    if (!filter.computer.isEmpty()) {
        c.sql += QStringLiteral(" AND g.computer = ?");
        c.values << filter.computer;
    }
    if (filter.firstDay.isValid()) {
        c.sql += QStringLiteral(" AND g.started_utc >= ?");
        c.values << utcText(filter.firstDay.startOfDay());
    }
    if (filter.lastDay.isValid()) {
        c.sql += QStringLiteral(" AND g.started_utc < ?");
        c.values << utcText(filter.lastDay.addDays(1).startOfDay());
    }
    return c;
}

SqlConditions filterConditions(const GameFilter &filter, SqlDialect dialect) {
    SqlConditions c = scopeConditions(filter);
    if (!filter.nameContains.isEmpty()) {
        // A position and not LIKE: a name may hold % or _ of its own.
        c.sql += dialect == SqlDialect::Sqlite
                     ? QStringLiteral(" AND instr(lower(g.player), lower(?)) > 0")
                     : QStringLiteral(" AND strpos(lower(g.player), lower(?)) > 0");
        c.values << filter.nameContains;
    }
    if (!filter.players.isEmpty()) {
        QStringList marks;
        for (const QString &name : filter.players) {
            marks << QStringLiteral("?");
            c.values << name.trimmed();
        }
        c.sql += QStringLiteral(" AND trim(g.player) IN (%1)").arg(marks.join(QLatin1Char(',')));
    }
    return c;
}

QString SharedQueries::timeText(const QString &column) const {
    // The server keeps timestamps; both hand them back in the store's text form.
    if (dialect_ == SqlDialect::Sqlite)
        return column;
    return QStringLiteral(R"(to_char(%1 AT TIME ZONE 'UTC', 'YYYY-MM-DD"T"HH24:MI:SS.MS"Z"'))")
        .arg(column);
}

namespace {
bool run(QSqlQuery &query, const QString &sql, const QVariantList &values, QString &error) {
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        error = query.lastError().text();
        return false;
    }
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (query.exec())
        return true;
    error = query.lastError().text();
    return false;
}
} // namespace

QList<GameRow> SharedQueries::games(const GameFilter &filter) {
    QList<GameRow> rows;
    const SqlConditions where = filterConditions(filter, dialect_);
    // A game that never ended took its time up to its last answer: looked
    // up for those few games only.
    const QString sql =
        QStringLiteral("SELECT CAST(g.id AS TEXT), g.player, g.computer, %1, %2, g.outcome, "
                       "g.start_level, g.clock_minutes, g.level_reached, g.questions, "
                       "g.right_points, g.wrong_points, g.clock_seconds, g.answered, "
                       "g.answered_right, CASE WHEN g.ended_utc IS NULL THEN (SELECT %3 FROM "
                       "answers a WHERE a.game_id = g.id ORDER BY a.checked_utc DESC LIMIT 1) "
                       "END FROM games g WHERE 1 = 1")
            .arg(timeText(QStringLiteral("g.started_utc")), timeText(QStringLiteral("g.ended_utc")),
                 timeText(QStringLiteral("a.checked_utc"))) +
        where.sql + QStringLiteral(" ORDER BY g.started_utc DESC");
    QSqlQuery query(db_);
    if (!run(query, sql, where.values, error_))
        return rows;
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
        row.answered = query.value(13).toInt();
        row.answeredRight = query.value(14).toInt();
        if (!query.value(15).isNull())
            row.lastAnswerUtc = fromUtcText(query.value(15).toString());
        rows.append(std::move(row));
    }
    return rows;
}

QStringList SharedQueries::players(const GameFilter &filter) {
    QStringList names;
    const SqlConditions where = filterConditions(filter, dialect_);
    QSqlQuery query(db_);
    if (!run(query,
             QStringLiteral("SELECT DISTINCT g.player FROM games g WHERE 1 = 1") + where.sql +
                 QStringLiteral(" ORDER BY g.player"),
             where.values, error_))
        return names;
    while (query.next())
        names.append(query.value(0).toString());
    return names;
}

QStringList SharedQueries::computers() {
    QStringList names;
    QSqlQuery query(db_);
    if (!run(query,
             QStringLiteral("SELECT DISTINCT computer FROM games WHERE deleted_utc IS NULL "
                            "ORDER BY computer"),
             {}, error_))
        return names;
    while (query.next())
        names.append(query.value(0).toString());
    return names;
}

ChildSummary SharedQueries::summary(const QString &player, const GameFilter &filter) {
    ChildSummary summary;
    const SqlConditions names = childNames(player, filter);
    const SqlConditions scope = scopeConditions(filter);
    QSqlQuery query(db_);
    if (!run(query,
             QStringLiteral("SELECT COUNT(*), COUNT(g.outcome), COALESCE(MAX(g.right_points), 0), "
                            "COALESCE(AVG(CAST(g.right_points AS DOUBLE PRECISION)), 0), "
                            "COALESCE(AVG(CAST(g.wrong_points AS DOUBLE PRECISION)), 0) "
                            "FROM games g WHERE ") +
                 names.sql + scope.sql,
             names.values + scope.values, error_) ||
        !query.next())
        return summary;
    summary.games = query.value(0).toInt();
    summary.finishedGames = query.value(1).toInt();
    summary.bestRight = query.value(2).toInt();
    summary.averageRight = query.value(3).toDouble();
    summary.averageWrong = query.value(4).toDouble();

    // Every group count and every total checked is one item.
    const QString right = QStringList{oneIf(QStringLiteral("a.count1 = a.answer1")),
                                      oneIf(QStringLiteral("a.count2 = a.answer2")),
                                      oneIf(QStringLiteral("a.count3 = a.answer3")),
                                      oneIf(QStringLiteral("a.count4 = a.answer4")),
                                      oneIf(QStringLiteral("a.total = a.answer_total"))}
                              .join(QStringLiteral(" + "));
    const QString items =
        QStringList{QStringLiteral("1"), oneIf(QStringLiteral("a.count2 IS NOT NULL")),
                    oneIf(QStringLiteral("a.count3 IS NOT NULL")),
                    oneIf(QStringLiteral("a.count4 IS NOT NULL")),
                    oneIf(QStringLiteral("a.total IS NOT NULL"))}
            .join(QStringLiteral(" + "));
    const SqlConditions mine = childAnswers(player, filter);
    QSqlQuery levels(db_);
    if (!run(levels,
             QStringLiteral("SELECT a.level, SUM(%1), SUM(%2)").arg(right, items) + mine.sql +
                 QStringLiteral(" GROUP BY a.level ORDER BY a.level"),
             mine.values, error_))
        return summary;
    while (levels.next())
        summary.levels.append(
            {levels.value(0).toInt(), levels.value(1).toInt(), levels.value(2).toInt()});
    return summary;
}

WrongAnswers SharedQueries::wrongAnswers(const QString &player, const GameFilter &filter) {
    WrongAnswers wrong;
    const SqlConditions mine = childAnswers(player, filter);
    // One row per number asked: a group's count or a total, and what was
    // answered for it (an answer never recorded counts as missed).
    const QString tally = QStringLiteral(
        "SELECT n, COUNT(*), SUM(CASE WHEN x IS NULL OR x <> n THEN 1 ELSE 0 END), "
        "SUM(CASE WHEN x > n THEN 1 ELSE 0 END), SUM(CASE WHEN x < n THEN 1 ELSE 0 END) "
        "FROM (%1) AS asked WHERE n IS NOT NULL GROUP BY n ORDER BY n");
    const QString counts =
        QStringLiteral("WITH mine AS (SELECT a.count1, a.answer1, a.count2, a.answer2, a.count3, "
                       "a.answer3, a.count4, a.answer4") +
        mine.sql + QStringLiteral(") ") +
        tally.arg(QStringLiteral("SELECT count1 AS n, answer1 AS x FROM mine "
                                 "UNION ALL SELECT count2, answer2 FROM mine "
                                 "UNION ALL SELECT count3, answer3 FROM mine "
                                 "UNION ALL SELECT count4, answer4 FROM mine"));
    const QString totals =
        tally.arg(QStringLiteral("SELECT a.total AS n, a.answer_total AS x") + mine.sql);
    for (auto [sql, facts, tallies] : {std::tuple{&counts, &wrong.countFacts, &wrong.counts},
                                       std::tuple{&totals, &wrong.totalFacts, &wrong.totals}}) {
        QSqlQuery query(db_);
        if (!run(query, *sql, mine.values, error_))
            continue;
        while (query.next()) {
            const NumberFacts f{query.value(0).toInt(), query.value(1).toInt(),
                                query.value(2).toInt(), query.value(3).toInt(),
                                query.value(4).toInt()};
            facts->append(f);
            if (f.missed > 0)
                tallies->append({f.value, f.missed});
        }
    }
    return wrong;
}

namespace {
/// The columns readAnswer() reads, `checked` being the time's text.
QString answerColumns(const QString &checked) {
    return QStringLiteral(
               "CAST(a.game_id AS TEXT), a.question, a.level, a.count1, a.count2, "
               "a.count3, a.count4, a.total, a.answer1, a.answer2, a.answer3, "
               "a.answer4, a.answer_total, a.right_points, a.wrong_points, a.seconds, ") +
           checked;
}

AnswerRow readAnswer(const QSqlQuery &query) {
    AnswerRow row;
    row.gameId = query.value(0).toString();
    row.question = query.value(1).toInt();
    row.level = query.value(2).toInt();
    for (int g = 0; g < 4; ++g) {
        if (query.value(3 + g).isNull())
            continue;
        row.counts.append(query.value(3 + g).toInt());
        row.answers.append(query.value(8 + g).toInt());
    }
    row.total = optionalInt(query.value(7));
    row.answerTotal = optionalInt(query.value(12));
    row.pointsRight = query.value(13).toInt();
    row.pointsWrong = query.value(14).toInt();
    row.seconds = query.value(15).toDouble();
    row.checkedUtc = fromUtcText(query.value(16).toString());
    return row;
}
} // namespace

QList<AnswerRow> SharedQueries::answers(const QString &gameId) {
    QList<AnswerRow> rows;
    QSqlQuery query(db_);
    if (!run(query,
             QStringLiteral("SELECT %1, a.slots FROM answers a WHERE a.game_id = ? "
                            "ORDER BY a.question, a.checked_utc")
                 .arg(answerColumns(timeText(QStringLiteral("a.checked_utc")))),
             {gameId}, error_))
        return rows;
    while (query.next()) {
        AnswerRow row = readAnswer(query);
        for (const QJsonValue &slot :
             QJsonDocument::fromJson(query.value(17).toString().toUtf8()).array())
            row.slotCaptions.append(slot.toString());
        rows.append(row);
    }
    return rows;
}

QList<AnswerRow> SharedQueries::answersOf(const GameFilter &filter) {
    QList<AnswerRow> rows;
    const SqlConditions where = filterConditions(filter, dialect_);
    QSqlQuery query(db_);
    if (!run(query,
             QStringLiteral("SELECT %1 FROM answers a JOIN games g ON g.id = a.game_id WHERE 1 = 1")
                     .arg(answerColumns(timeText(QStringLiteral("a.checked_utc")))) +
                 where.sql +
                 QStringLiteral(" ORDER BY g.started_utc DESC, a.game_id, a.question, "
                                "a.checked_utc"),
             where.values, error_))
        return rows;
    while (query.next())
        rows.append(readAnswer(query));
    return rows;
}

} // namespace lumo::store
