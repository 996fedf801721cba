// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The schema's path from one version to the next: an empty file, a file of
// an older version with records, a failing step, and a file from a newer
// program, each opened by the store.
#include "file_faults.h"
#include "samples.h"

#include "store/connection.h"
#include "store/opening.h"
#include "store/reader.h"
#include "store/recorder.h"

#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

using namespace lumo::store;
using namespace lumo::store::test;

namespace {

/// The real steps and one more, as the next release would add it.
QList<MigrationStep> withNextStep(const QStringList &statements) {
    QList<MigrationStep> steps = schemaSteps();
    steps.append({latestVersion() + 1, statements});
    return steps;
}

/// The tables as the first release made them, word for word: files made
/// since must have the same.
const QString firstRelease = QStringLiteral(R"(
CREATE TABLE games (id TEXT PRIMARY KEY NOT NULL, computer TEXT NOT NULL, player TEXT NOT NULL,
  started_utc TEXT NOT NULL, start_level INTEGER NOT NULL, clock_minutes INTEGER,
  settings TEXT NOT NULL, program_version TEXT NOT NULL, ended_utc TEXT,
  outcome TEXT CHECK (outcome IN ('won', 'time_out', 'left', 'window_closed')),
  level_reached INTEGER NOT NULL, questions INTEGER NOT NULL DEFAULT 0,
  right_points INTEGER NOT NULL DEFAULT 0, wrong_points INTEGER NOT NULL DEFAULT 0,
  clock_seconds INTEGER, synced INTEGER NOT NULL DEFAULT 0);
CREATE INDEX games_by_player ON games (player, started_utc);
CREATE INDEX games_by_start ON games (started_utc);
CREATE INDEX games_unsynced ON games (synced) WHERE synced = 0;
CREATE TABLE answers (id TEXT PRIMARY KEY NOT NULL,
  game_id TEXT NOT NULL REFERENCES games (id) ON DELETE CASCADE, question INTEGER NOT NULL,
  level INTEGER NOT NULL, count1 INTEGER NOT NULL, count2 INTEGER, count3 INTEGER,
  count4 INTEGER, total INTEGER, slots TEXT NOT NULL, answer1 INTEGER NOT NULL, answer2 INTEGER,
  answer3 INTEGER, answer4 INTEGER, answer_total INTEGER, right_points INTEGER NOT NULL,
  wrong_points INTEGER NOT NULL, seconds REAL NOT NULL, checked_utc TEXT NOT NULL,
  synced INTEGER NOT NULL DEFAULT 0);
CREATE INDEX answers_by_game ON answers (game_id, question);
CREATE INDEX answers_unsynced ON answers (synced) WHERE synced = 0;
CREATE TABLE deletions (game_id TEXT PRIMARY KEY NOT NULL, deleted_utc TEXT NOT NULL))");

/// Every column, key and index of a file's tables, as SQLite reports them.
QStringList shapeOf(Connection &c) {
    QStringList lines;
    const auto add = [&](const QString &pragma, const QString &of, int firstCell) {
        QSqlQuery query(c.db());
        query.exec(QStringLiteral("PRAGMA %1(%2)").arg(pragma, of));
        while (query.next()) {
            QStringList cells{of, pragma};
            for (int i = firstCell; i < query.record().count(); ++i)
                cells << query.value(i).toString();
            lines << cells.join(QLatin1Char('|'));
        }
    };
    QSqlQuery objects(c.db());
    objects.exec(QStringLiteral("SELECT type, name, sql FROM sqlite_master ORDER BY name"));
    while (objects.next()) {
        const QString name = objects.value(1).toString();
        if (objects.value(0).toString() == QLatin1String("table")) {
            add(QStringLiteral("table_info"), name, 0);
            add(QStringLiteral("foreign_key_list"), name, 0);
            add(QStringLiteral("index_list"), name, 1); // not its place in the list
        } else {
            add(QStringLiteral("index_xinfo"), name, 0);
            // A partial index's condition, which no pragma tells.
            lines << name + objects.value(2).toString().simplified().section(
                                QStringLiteral(" WHERE "), 1);
        }
    }
    lines.sort();
    return lines;
}

} // namespace

class StoreMigration : public QObject {
    Q_OBJECT
  private slots:
    void aFileIsBroughtToTheSchemaItsProgramKnows_data();
    void aFileIsBroughtToTheSchemaItsProgramKnows();
};

void StoreMigration::aFileIsBroughtToTheSchemaItsProgramKnows_data() {
    QTest::addColumn<int>("startVersion"); // 0: an empty file
    QTest::addColumn<bool>("withGames");
    QTest::addColumn<QStringList>("nextStep"); // empty: the program knows only the real steps
    QTest::addColumn<StoreStatus::State>("state");
    QTest::addColumn<int>("endVersion");

    const int latest = latestVersion();
    QTest::newRow("empty file to the first version")
        << 0 << false << QStringList() << StoreStatus::State::Ready << latest;
    QTest::newRow("current file is left as it is")
        << latest << true << QStringList() << StoreStatus::State::Ready << latest;
    QTest::newRow("older file with games gains the next step")
        << latest << true
        << QStringList{QStringLiteral("ALTER TABLE games ADD COLUMN class_name TEXT"),
                       QStringLiteral("CREATE INDEX games_by_class ON games (class_name)")}
        << StoreStatus::State::Ready << latest + 1;
    QTest::newRow("a failing step leaves the file as it was")
        << latest << true
        << QStringList{QStringLiteral("ALTER TABLE games ADD COLUMN class_name TEXT"),
                       QStringLiteral("ALTER TABLE no_such_table ADD COLUMN x")}
        << StoreStatus::State::Unusable << latest;
    QTest::newRow("file from a newer program is not touched")
        << latest + 5 << true << QStringList() << StoreStatus::State::Unusable << latest + 5;
}

void StoreMigration::aFileIsBroughtToTheSchemaItsProgramKnows() {
    QFETCH(int, startVersion);
    QFETCH(bool, withGames);
    QFETCH(QStringList, nextStep);
    QFETCH(StoreStatus::State, state);
    QFETCH(int, endVersion);
    QTemporaryDir dir;
    const QString file = storeFilePath(dir.path());

    if (withGames) {
        GameRecorder recorder(dir.path());
        const GameStart start = sampleStart(QStringLiteral("Kept"));
        recorder.gameStarted(start);
        recorder.answerChecked(sampleAnswer(start, 1, 1));
        QVERIFY(recorder.waitUntilWritten());
    } else {
        QVERIFY(QFile(file).open(QIODevice::WriteOnly));
    }
    if (startVersion != latestVersion()) {
        Connection c(file);
        QVERIFY(c.exec(QStringLiteral("PRAGMA user_version = %1").arg(startVersion)));
    }
    const QByteArray before = bytesOf(file);

    StoreOptions options;
    options.checkIntegrity = true;
    if (!nextStep.isEmpty())
        options.steps = withNextStep(nextStep);
    {
        OpenedStore opened = openStore(dir.path(), options);
        QCOMPARE(opened.status.state, state);
        QCOMPARE(opened.connection != nullptr, state == StoreStatus::State::Ready);
        // Every commit reaches the disk before the game goes on.
        if (opened.connection)
            QCOMPARE(opened.connection->scalar(QStringLiteral("PRAGMA synchronous")).toInt(), 2);
    }

    Connection check(file);
    QCOMPARE(check.scalar(QStringLiteral("PRAGMA user_version")).toInt(), endVersion);
    if (state != StoreStatus::State::Ready)
        QCOMPARE(bytesOf(file), before);
    if (nextStep.size() == 2 && state == StoreStatus::State::Unusable)
        QVERIFY(!check.exec(QStringLiteral("SELECT class_name FROM games")));
    if (withGames && state == StoreStatus::State::Ready) {
        ResultReader reader(dir.path(), options);
        QCOMPARE(reader.players(), QStringList{QStringLiteral("Kept")});
        QCOMPARE(reader.answers(reader.games().first().id).size(), 1);
    }
    if (startVersion == 0) {
        for (const QString &statement : {QStringLiteral("SELECT COUNT(*) FROM games"),
                                         QStringLiteral("SELECT COUNT(*) FROM answers"),
                                         QStringLiteral("SELECT COUNT(*) FROM deletions")})
            QVERIFY2(check.exec(statement), qPrintable(statement));
        QCOMPARE(check.scalar(QStringLiteral("PRAGMA journal_mode")).toString(),
                 QStringLiteral("wal"));
        // A file of the first release, with a game, is brought up to date
        // in place: the same tables as a new file, the game still there.
        QTemporaryDir released;
        {
            Connection first(storeFilePath(released.path()));
            for (const QString &statement : firstRelease.split(QLatin1Char(';')))
                QVERIFY2(first.exec(statement), qPrintable(first.lastError().text()));
            QVERIFY(first.exec(QStringLiteral(
                "INSERT INTO games (id, computer, player, started_utc, start_level, settings, "
                "program_version, level_reached) VALUES ('g1', 'pc', 'Kept', "
                "'2026-06-01T02:30:00.000Z', 1, '{}', '3.0', 1)")));
            // Two answers, one of them wrong: the game's tally is counted
            // from them when the file is brought up.
            for (const auto &[id, question, wrong] :
                 {std::tuple{"a1", 1, 0}, std::tuple{"a2", 2, 1}})
                QVERIFY(first.exec(
                    QStringLiteral("INSERT INTO answers (id, game_id, question, level, count1, "
                                   "slots, answer1, right_points, wrong_points, seconds, "
                                   "checked_utc) VALUES ('%1', 'g1', %2, 1, 5, '[]', 5, 1, %3, 4, "
                                   "'2026-06-01T02:31:00.000Z')")
                        .arg(QLatin1String(id))
                        .arg(question)
                        .arg(wrong)));
            QVERIFY(first.exec(QStringLiteral("PRAGMA user_version = 1")));
        }
        QCOMPARE(openStore(released.path(), options).status.state, StoreStatus::State::Ready);
        Connection first(storeFilePath(released.path()));
        QCOMPARE(first.scalar(QStringLiteral("PRAGMA user_version")).toInt(), latestVersion());
        QCOMPARE(shapeOf(check), shapeOf(first));
        ResultReader reader(released.path());
        QCOMPARE(reader.players(), QStringList{QStringLiteral("Kept")});
        QCOMPARE(reader.games().first().answered, 2);
        QCOMPARE(reader.games().first().answeredRight, 1);
        QCOMPARE(reader.deleteGame(QStringLiteral("g1")), 1);
        QCOMPARE(reader.players(), QStringList{});
    }
}

QTEST_GUILESS_MAIN(StoreMigration)
#include "test_store_migration.moc"
