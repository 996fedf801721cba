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
#include <QTemporaryDir>
#include <QTest>

using namespace lumo::store;
using namespace lumo::store::test;

namespace {

/// The real steps and one more, as the next release would add it.
QList<MigrationStep> withNextStep(const QStringList &statements) {
    QList<MigrationStep> steps = schemaSteps();
    steps.append({latestVersion() + 1, statements});
    return steps;
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
    }
}

QTEST_GUILESS_MAIN(StoreMigration)
#include "test_store_migration.moc"
