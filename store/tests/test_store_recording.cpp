// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Games recorded through the recorder and read back through the reader, in a
// real SQLite file: every field, every answer, the summaries, the filters and
// deleting.
#include "samples.h"

#include "store/connection.h"
#include "store/reader.h"
#include "store/recorder.h"
#include "store/tables.h"

#include <QMap>
#include <QTemporaryDir>
#include <QTest>

using namespace lumo::store;
using namespace lumo::store::test;

namespace {

int levelOf(int question) {
    return 1 + (question - 1) / 25;
}

/// A game as the test plays it: the answers it checks and what it expects back.
struct PlayedGame {
    GameStart start;
    QList<AnswerCheck> answers;
    int right = 0;
    int wrong = 0;
};

PlayedGame play(GameRecorder &recorder, const GameStart &start, int questions) {
    PlayedGame game{start, {}, 0, 0};
    recorder.gameStarted(start);
    const int first = 25 * (start.startLevel - 1) + 1;
    for (int q = first; q < first + questions; ++q) {
        const int level = levelOf(q);
        const int wrongGroup = q % 3 == 0 ? 1 + (q / 3) % level : 0;
        const AnswerCheck answer =
            sampleAnswer(start, q, level, wrongGroup, level >= 2 && q % 5 == 0);
        recorder.answerChecked(answer);
        game.answers.append(answer);
        game.right += answer.pointsRight;
        game.wrong += answer.pointsWrong;
    }
    return game;
}

qint64 count(const QString &folder, const QString &sql) {
    Connection c(storeFilePath(folder));
    return c.scalar(sql).toLongLong();
}

} // namespace

class StoreRecording : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { qputenv("TZ", "Asia/Bangkok"); }

    void aGameIsReadBackAsItWasRecorded_data();
    void aGameIsReadBackAsItWasRecorded();
    void namesAreKeptVerbatimAndFoundByAnyPart_data();
    void namesAreKeptVerbatimAndFoundByAnyPart();
    void gamesAreFilteredByLocalDayAndName_data();
    void gamesAreFilteredByLocalDayAndName();
    void deletedGamesWaitInTheBinUntilRestoredOrGone();
};

void StoreRecording::aGameIsReadBackAsItWasRecorded_data() {
    QTest::addColumn<int>("startLevel");
    QTest::addColumn<int>("clockMinutes"); // 0: no clock
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("outcome"); // -1: never ended
    QTest::addColumn<QString>("player");
    const QString name = QStringLiteral("ด.ญ. มาลี");
    QTest::newRow("won, a whole game from level 1") << 1 << 30 << 100 << int(Outcome::Won) << name;
    QTest::newRow("won from level 3, no clock") << 3 << 0 << 50 << int(Outcome::Won) << name;
    QTest::newRow("timed out at level 2") << 2 << 10 << 31 << int(Outcome::TimeOut) << name;
    QTest::newRow("left after 7 questions") << 1 << 120 << 7 << int(Outcome::Left) << name;
    QTest::newRow("window closed before any question")
        << 4 << 30 << 0 << int(Outcome::WindowClosed) << name;
    QTest::newRow("cut off after 12 questions") << 1 << 30 << 12 << -1 << name;
    QTest::newRow("no name given (the prompt cancelled)")
        << 1 << 30 << 5 << int(Outcome::Left) << QString();
}

void StoreRecording::aGameIsReadBackAsItWasRecorded() {
    QFETCH(int, startLevel);
    QFETCH(int, clockMinutes);
    QFETCH(int, questions);
    QFETCH(int, outcome);
    QFETCH(QString, player);
    QTemporaryDir dir;
    const auto clock = clockMinutes ? std::optional<int>(clockMinutes) : std::nullopt;
    const GameStart start = sampleStart(player, startLevel, clock);

    PlayedGame game;
    std::optional<GameEnd> end;
    {
        GameRecorder recorder(dir.path());
        game = play(recorder, start, questions);
        if (outcome >= 0) {
            end = sampleEnd(start, Outcome(outcome), questions ? game.answers.last().question : 0,
                            game.right, game.wrong);
            end->levelReached = questions ? levelOf(game.answers.last().question) : startLevel;
            recorder.gameEnded(*end);
        }
        QVERIFY(recorder.waitUntilWritten());
        QCOMPARE(recorder.status().state, StoreStatus::State::Ready);
    }

    ResultReader reader(dir.path());
    const QList<GameRow> rows = reader.games();
    QCOMPARE(rows.size(), 1);
    const GameRow &row = rows.first();
    QCOMPARE(row.id, start.id.toString(QUuid::WithoutBraces));
    QCOMPARE(row.player, start.player);
    QCOMPARE(row.computer, start.computer);
    QCOMPARE(row.startedUtc, start.startedUtc);
    QCOMPARE(row.startLevel, startLevel);
    QCOMPARE(row.clockMinutes, clock);
    QCOMPARE(row.outcome.has_value(), end.has_value());
    QCOMPARE(row.right, game.right);
    QCOMPARE(row.wrong, game.wrong);
    QCOMPARE(row.questions, questions ? game.answers.last().question : 0);
    if (end) {
        QCOMPARE(*row.outcome, end->outcome);
        QCOMPARE(row.endedUtc, end->endedUtc);
        QCOMPARE(row.levelReached, end->levelReached);
        QCOMPARE(row.clockSeconds, std::optional<int>(end->clockSeconds));
    } else {
        // What an unfinished game shows comes from its answers alone.
        QVERIFY(!row.endedUtc.isValid());
        QCOMPARE(row.levelReached, levelOf(game.answers.last().question));
        QCOMPARE(row.clockSeconds, std::nullopt);
    }

    const QList<AnswerRow> answers = reader.answers(row.id);
    QCOMPARE(answers.size(), game.answers.size());
    QMap<int, int> wrongCounts, wrongTotals;
    QMap<int, QPair<int, int>> shares;
    for (int i = 0; i < answers.size(); ++i) {
        const AnswerCheck &sent = game.answers[i];
        const AnswerRow &got = answers[i];
        QCOMPARE(got.question, sent.question);
        QCOMPARE(got.level, sent.level);
        QCOMPARE(got.counts, sent.counts);
        QCOMPARE(got.total, sent.total);
        QCOMPARE(got.slotCaptions, QStringList(sent.slotCaptions.begin(), sent.slotCaptions.end()));
        QCOMPARE(got.pointsRight, sent.pointsRight);
        QCOMPARE(got.pointsWrong, sent.pointsWrong);
        QCOMPARE(got.seconds, sent.seconds);
        QCOMPARE(got.checkedUtc, sent.checkedUtc);
        for (int g = 0; g < sent.counts.size(); ++g) {
            const bool right =
                slotValue(sent.slotCaptions[2 * g], sent.slotCaptions[2 * g + 1]) == sent.counts[g];
            wrongCounts[sent.counts[g]] += right ? 0 : 1;
            shares[sent.level].first += right ? 1 : 0;
            shares[sent.level].second += 1;
        }
        if (sent.total) {
            const bool right = slotValue(sent.slotCaptions[8], sent.slotCaptions[9]) == *sent.total;
            wrongTotals[*sent.total] += right ? 0 : 1;
            shares[sent.level].first += right ? 1 : 0;
            shares[sent.level].second += 1;
        }
    }

    const ChildSummary summary = reader.summary(row.player);
    QCOMPARE(summary.games, 1);
    QCOMPARE(summary.finishedGames, end ? 1 : 0);
    QCOMPARE(summary.bestRight, game.right);
    QCOMPARE(summary.averageWrong, double(game.wrong));
    QCOMPARE(summary.levels.size(), shares.size());
    for (const LevelShare &share : summary.levels) {
        QCOMPARE(share.rightItems, shares[share.level].first);
        QCOMPARE(share.items, shares[share.level].second);
    }
    const WrongAnswers wrong = reader.wrongAnswers(row.player);
    for (auto [list, expected] :
         {std::pair{&wrong.counts, &wrongCounts}, std::pair{&wrong.totals, &wrongTotals}}) {
        expected->removeIf([](auto it) { return it.value() == 0; });
        QCOMPARE(list->size(), expected->size());
        for (const WrongTally &tally : *list)
            QCOMPARE(tally.times, expected->value(tally.value));
    }
    QVERIFY(reader.lastError().isEmpty());
}

void StoreRecording::namesAreKeptVerbatimAndFoundByAnyPart_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("part");
    QTest::newRow("Thai") << QStringLiteral("ด.ช. สมชาย ใจดี") << QStringLiteral("สมชาย");
    QTest::newRow("quotes") << QStringLiteral(R"(O'Brien "Bob")") << QStringLiteral("'Brien \"");
    QTest::newRow("SQL") << QStringLiteral("x'); DROP TABLE games; --") << QStringLiteral("DROP");
    QTest::newRow("markup") << QStringLiteral("<img src=\"/etc/passwd\"><b>Nok</b>")
                            << QStringLiteral("<b>");
    QTest::newRow("formula =") << QStringLiteral("=HYPERLINK(\"http://x\",\"y\")")
                               << QStringLiteral("=HYP");
    QTest::newRow("formula +") << QStringLiteral("+1+1") << QStringLiteral("+1");
    QTest::newRow("formula -") << QStringLiteral("-2+3") << QStringLiteral("-2");
    QTest::newRow("formula @") << QStringLiteral("@SUM(A1)") << QStringLiteral("@sum");
    QTest::newRow("tab and newline") << QStringLiteral("\tTab\r\nNext") << QStringLiteral("\r\n");
    QTest::newRow("wildcards") << QStringLiteral("100%_sure") << QStringLiteral("%_");
    QTest::newRow("NUL inside") << QStringLiteral("before") + QChar(0) + QStringLiteral("after")
                                << QStringLiteral("after");
    QTest::newRow("emoji") << QStringLiteral("🐘 ช้าง") << QStringLiteral("🐘");
    QTest::newRow("very long") << QString(20000, QLatin1Char('k')) + QStringLiteral("end")
                               << QStringLiteral("kend");
    QTest::newRow("No Name") << QStringLiteral("No Name") << QStringLiteral("no na");
}

void StoreRecording::namesAreKeptVerbatimAndFoundByAnyPart() {
    QFETCH(QString, name);
    QFETCH(QString, part);
    QTemporaryDir dir;
    {
        GameRecorder recorder(dir.path());
        recorder.gameStarted(sampleStart(name));
        recorder.gameStarted(sampleStart(QStringLiteral("someone else")));
        QVERIFY(recorder.waitUntilWritten());
    }
    ResultReader reader(dir.path());
    QCOMPARE(reader.games().size(), 2);
    QVERIFY(reader.players().contains(name));
    const QList<GameRow> found = reader.games({.nameContains = part});
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first().player, name);
    QCOMPARE(reader.summary(name).games, 1);
    QCOMPARE(count(dir.path(), QStringLiteral("SELECT COUNT(*) FROM games")), 2);
}

void StoreRecording::gamesAreFilteredByLocalDayAndName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QDate>("firstDay");
    QTest::addColumn<QDate>("lastDay");
    QTest::addColumn<QStringList>("expected"); // newest first
    // Games at 23:30 UTC fall on the next local day in Bangkok (UTC+7).
    const QStringList all{QStringLiteral("Ann 3"), QStringLiteral("Ben 2"), QStringLiteral("Ann 2"),
                          QStringLiteral("Ann 1")};
    QTest::newRow("no filter") << QString() << QDate() << QDate() << all;
    QTest::newRow("by name, any case")
        << QStringLiteral("aNN") << QDate() << QDate() << QStringList{all[0], all[2], all[3]};
    QTest::newRow("one local day")
        << QString() << QDate(2026, 6, 2) << QDate(2026, 6, 2) << QStringList{all[1], all[2]};
    QTest::newRow("from a day on")
        << QString() << QDate(2026, 6, 3) << QDate() << QStringList{all[0]};
    QTest::newRow("up to a day") << QString() << QDate() << QDate(2026, 6, 1)
                                 << QStringList{all[3]};
    QTest::newRow("name and days") << QStringLiteral("Ann") << QDate(2026, 6, 2)
                                   << QDate(2026, 6, 9) << QStringList{all[0], all[2]};
    QTest::newRow("nothing") << QStringLiteral("Zoe") << QDate() << QDate() << QStringList{};
}

void StoreRecording::gamesAreFilteredByLocalDayAndName() {
    QFETCH(QString, name);
    QFETCH(QDate, firstDay);
    QFETCH(QDate, lastDay);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    {
        GameRecorder recorder(dir.path());
        const QDateTime day1(QDate(2026, 6, 1), QTime(3, 0), Qt::UTC);
        recorder.gameStarted(sampleStart(QStringLiteral("Ann 1"), 1, 30, day1));
        recorder.gameStarted(
            sampleStart(QStringLiteral("Ann 2"), 1, 30, day1.addSecs(20 * 3600 + 1800)));
        recorder.gameStarted(sampleStart(QStringLiteral("Ben 2"), 1, 30, day1.addDays(1)));
        recorder.gameStarted(sampleStart(QStringLiteral("Ann 3"), 1, 30, day1.addDays(5)));
        QVERIFY(recorder.waitUntilWritten());
    }
    ResultReader reader(dir.path());
    QStringList got;
    for (const GameRow &row :
         reader.games({.nameContains = name, .firstDay = firstDay, .lastDay = lastDay}))
        got << row.player;
    QCOMPARE(got, expected);
}

void StoreRecording::deletedGamesWaitInTheBinUntilRestoredOrGone() {
    // One game by its id (also one with no name), one child's or everyone's
    // go to the bin with their answers; no read lists them; each game's
    // last move is logged once for a school server. The writer empties the
    // bin of games deleted binDays ago when it opens the store.
    QTemporaryDir dir;
    QList<QString> ids;
    {
        GameRecorder recorder(dir.path());
        for (const QString &name : {QStringLiteral("Ann"), QStringLiteral("Ann"),
                                    QStringLiteral("Ben"), QStringLiteral("")})
            ids << play(recorder, sampleStart(name), 5).start.id.toString(QUuid::WithoutBraces);
        QVERIFY(recorder.waitUntilWritten());
    }
    const auto rows = [&](const QString &table) {
        return count(dir.path(), QStringLiteral("SELECT COUNT(*) FROM ") + table);
    };
    ResultReader reader(dir.path());
    const QString unnamed = ids[3];
    QCOMPARE(reader.deleteGame(unnamed), 1);
    QCOMPARE(reader.players(), (QStringList{QStringLiteral("Ann"), QStringLiteral("Ben")}));
    QCOMPARE(reader.deletePlayer(QStringLiteral("Ann")), 2);
    QCOMPARE(reader.deletePlayer(QStringLiteral("ann")), 0);
    QCOMPARE(reader.players(), QStringList{QStringLiteral("Ben")});
    QCOMPARE(reader.summary(QStringLiteral("Ann")).games, 0);
    QCOMPARE(reader.wrongAnswers(QStringLiteral("Ann")), WrongAnswers{});
    QCOMPARE(rows(QStringLiteral("answers")), 20);
    QCOMPARE(rows(QStringLiteral("deletions")), 3);
    QStringList binned;
    for (const BinnedGame &game : reader.bin()) {
        binned << game.id;
        QVERIFY(game.deletedUtc.isValid() && game.startedUtc == firstMorning);
    }
    QCOMPARE(binned.size(), 3);
    QVERIFY(binned.contains(unnamed) && binned.contains(ids[0]) && binned.contains(ids[1]));
    const QList<BinnedGame> bin = reader.bin(); // the last deleted first
    QVERIFY(bin.first().deletedUtc >= bin.last().deletedUtc);

    QCOMPARE(reader.restoreGame(unnamed), 1);
    QCOMPARE(reader.restoreGame(unnamed), 0);
    QCOMPARE(reader.players(), (QStringList{QStringLiteral(""), QStringLiteral("Ben")}));
    QCOMPARE(rows(QStringLiteral("deletions")), 2);
    QCOMPARE(rows(QStringLiteral("restorations")), 1);
    QCOMPARE(reader.deleteAll(), 2);
    QCOMPARE(rows(QStringLiteral("restorations")), 0);
    QCOMPARE(reader.games().size(), 0);
    QCOMPARE(reader.computers(), QStringList{});
    QCOMPARE(reader.restoreAll(), 4);
    QCOMPARE(reader.games().size(), 4);
    QCOMPARE(reader.answers(unnamed).size(), 5);
    QCOMPARE(rows(QStringLiteral("deletions")), 0);
    QCOMPARE(rows(QStringLiteral("restorations")), 4);

    // Gone for good a moment after binDays; kept a moment before.
    QCOMPARE(reader.deleteAll(), 4);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    {
        Connection c(storeFilePath(dir.path()));
        for (const auto &[id, deleted] : {std::pair{ids[0], now.addDays(-binDays).addSecs(-60)},
                                          std::pair{ids[1], now.addDays(-binDays).addSecs(3600)}})
            QVERIFY(c.exec(QStringLiteral("UPDATE games SET deleted_utc = '%1' WHERE id = '%2'")
                               .arg(utcText(deleted), id)));
    }
    {
        GameRecorder recorder(dir.path());
        QVERIFY(recorder.waitUntilWritten());
        QTRY_COMPARE(recorder.status().state, StoreStatus::State::Ready);
    }
    QCOMPARE(reader.bin().size(), 3);
    QCOMPARE(rows(QStringLiteral("answers")), 15);
    QCOMPARE(
        count(dir.path(), QStringLiteral("SELECT COUNT(*) FROM games WHERE id = '%1'").arg(ids[0])),
        0);
    QCOMPARE(rows(QStringLiteral("deletions")), 4); // still to be sent
}

QTEST_GUILESS_MAIN(StoreRecording)
#include "test_store_recording.moc"
