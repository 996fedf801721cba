// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of a game on their own, without any screen: what each level
// marks, when a level is over, the clock, and the ways a game ends.
#include "quiz/game.h"

#include <QSignalSpy>
#include <QtTest>

#include <deque>
#include <memory>
#include <optional>
#include <vector>

using namespace lumo::quiz;

namespace {

// Where a game stands before an operation it does not allow.
enum class Stage { Opened, Waiting, Answering, Clearing, Won, TimedOut, Left };
// The operations, each as a screen or a careless caller would make it.
enum class Operation { StartClock, NextQuestion, Mark, BoardCleared, Tick, LeaveAsWon };

// Everything of a game that an operation could change.
struct Everything {
    Game::Phase phase;
    Game::Outcome outcome;
    QString name;
    int level, questionNo, right, wrong, minutes, seconds, used, total, draws;
    std::array<int, 4> icons, tops;
    bool operator==(const Everything &) const = default;
};

/// A game whose random source hands out the values queued in `draws`, then 0.5.
struct Scripted {
    std::deque<double> draws;
    int calls = 0;
    Game game{[this] {
        ++calls;
        if (draws.empty())
            return 0.5;
        const double r = draws.front();
        draws.pop_front();
        return r;
    }};

    /// Queues the next question: four picture numbers, then one size per row.
    void script(const QList<int> &sizes, const std::array<int, 4> &pictures = {1, 2, 3, 4}) {
        for (int number : pictures)
            draws.push_back((number - 1 + 0.5) / pictureFiles);
        for (int count : sizes)
            draws.push_back((count - 2 + 0.5) / (mostPictures - 1));
    }

    Everything everything() const {
        return {game.phase(),
                game.outcome(),
                game.playerName(),
                game.level(),
                game.questionNo(),
                game.rightCount(),
                game.wrongCount(),
                game.minutesLeft(),
                game.secondsLeft(),
                game.secondsUsed(),
                game.pictureTotal(),
                calls,
                {game.iconNumber()[0], game.iconNumber()[1], game.iconNumber()[2],
                 game.iconNumber()[3]},
                {game.groupTop1(), game.groupTop2(), game.groupTop3(), game.groupTop4()}};
    }

    /// Asks and marks questions, each left empty, until `questionNo` is next.
    void skipTo(int questionNo) {
        while (game.questionNo() < questionNo - 1) {
            game.nextQuestion();
            game.mark({});
            game.boardCleared();
        }
    }
};

std::array<QString, 10> captions(const QStringList &list) {
    std::array<QString, 10> result;
    for (int i = 0; i < list.size() && i < 10; ++i)
        result[i] = list[i];
    return result;
}

} // namespace

Q_DECLARE_METATYPE(Stage)
Q_DECLARE_METATYPE(Operation)

class GameTest : public QObject {
    Q_OBJECT
  private slots:
    void eachLevelMarksItsRowsAndTotalByItsTable_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<int>>("sizes");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QList<int>>("read");
        QTest::addColumn<int>("rightGain");
        QTest::addColumn<int>("wrongGain");

        QTest::newRow("1: one digit, tens slot left empty")
            << 1 << QList<int>{7} << QStringList{"", "7"} << QList<int>{7} << 1 << 0;
        QTest::newRow("1: zero then the digit")
            << 1 << QList<int>{7} << QStringList{"0", "7"} << QList<int>{7} << 1 << 0;
        QTest::newRow("1: 1 and 5 for fifteen")
            << 1 << QList<int>{15} << QStringList{"1", "5"} << QList<int>{15} << 1 << 0;
        QTest::newRow("1: 1 and nothing for twelve reads 10")
            << 1 << QList<int>{12} << QStringList{"1", ""} << QList<int>{10} << 0 << 1;
        QTest::newRow("1: digits swapped")
            << 1 << QList<int>{12} << QStringList{"2", "1"} << QList<int>{21} << 0 << 1;
        QTest::newRow("1: all empty")
            << 1 << QList<int>{9} << QStringList{} << QList<int>{0} << 0 << 1;
        QTest::newRow("1: only row 1 counts")
            << 1 << QList<int>{4} << QStringList{"", "4", "9", "9", "", "", "", "", "9", "9"}
            << QList<int>{4} << 1 << 0;

        QTest::newRow("2: all right")
            << 2 << QList<int>{8, 12} << QStringList{"", "8", "1", "2", "", "", "", "", "2", "0"}
            << QList<int>{8, 12, 20} << 4 << 0;
        QTest::newRow("2: all wrong")
            << 2 << QList<int>{8, 12} << QStringList{"", "9", "1", "3", "", "", "", "", "2", "1"}
            << QList<int>{9, 13, 21} << 0 << 3;
        QTest::newRow("2: all empty")
            << 2 << QList<int>{8, 12} << QStringList{} << QList<int>{0, 0, 0} << 0 << 3;
        QTest::newRow("2: rows wrong, total right")
            << 2 << QList<int>{8, 12} << QStringList{"", "9", "1", "1", "", "", "", "", "2", "0"}
            << QList<int>{9, 11, 20} << 2 << 2;
        QTest::newRow("2: rows right, total wrong")
            << 2 << QList<int>{8, 12} << QStringList{"", "8", "1", "2", "", "", "", "", "", "2"}
            << QList<int>{8, 12, 2} << 2 << 1;

        QTest::newRow("3: all right") << 3 << QList<int>{2, 3, 15}
                                      << QStringList{"", "2", "", "3", "1", "5", "", "", "2", "0"}
                                      << QList<int>{2, 3, 15, 20} << 6 << 0;
        QTest::newRow("3: all wrong") << 3 << QList<int>{2, 3, 15}
                                      << QStringList{"", "3", "", "2", "1", "4", "", "", "1", "9"}
                                      << QList<int>{3, 2, 14, 19} << 0 << 4;
        QTest::newRow("3: rows wrong, total right")
            << 3 << QList<int>{2, 3, 15}
            << QStringList{"", "3", "", "2", "1", "4", "", "", "2", "0"} << QList<int>{3, 2, 14, 20}
            << 3 << 3;

        // A right total at level 4 earns the 4 points its hint promises.
        QTest::newRow("4: all right") << 4 << QList<int>{15, 14, 2, 9}
                                      << QStringList{"1", "5", "1", "4", "", "2", "", "9", "4", "0"}
                                      << QList<int>{15, 14, 2, 9, 40} << 8 << 0;
        QTest::newRow("4: all empty") << 4 << QList<int>{15, 14, 2, 9} << QStringList{}
                                      << QList<int>{0, 0, 0, 0, 0} << 0 << 5;
        QTest::newRow("4: only the total right")
            << 4 << QList<int>{15, 14, 2, 9}
            << QStringList{"", "", "", "", "", "", "", "", "4", "0"} << QList<int>{0, 0, 0, 0, 40}
            << 4 << 4;
    }

    void eachLevelMarksItsRowsAndTotalByItsTable() {
        QFETCH(int, level);
        QFETCH(QList<int>, sizes);
        QFETCH(QStringList, entries);
        QFETCH(QList<int>, read);
        QFETCH(int, rightGain);
        QFETCH(int, wrongGain);

        Scripted s;
        s.game.newGame({level});
        s.game.startClock(QStringLiteral("ต้น"));
        // Tallies from earlier questions are added to, not replaced.
        s.skipTo(questionsBefore(level) + 3);
        const int right = s.game.rightCount(), wrong = s.game.wrongCount();
        s.script(sizes);
        QVERIFY(s.game.nextQuestion());
        QSignalSpy marked(&s.game, &Game::answerMarked);

        const std::optional<Game::Marking> marking = s.game.mark(captions(entries));
        QVERIFY(marking);
        const Game::Marking &m = *marking;
        QCOMPARE(marked.count(), 1);
        QCOMPARE(m.pointsRight, rightGain);
        QCOMPARE(m.pointsWrong, wrongGain);
        QCOMPARE(s.game.rightCount(), right + rightGain);
        QCOMPARE(s.game.wrongCount(), wrong + wrongGain);
        QCOMPARE(m.groups, level);
        for (int g = 0; g < level; ++g) {
            QCOMPARE(m.group[g].expected, sizes[g]);
            QCOMPARE(m.group[g].entered, read[g]);
        }
        QCOMPARE(m.hasTotal, level >= 2);
        if (level >= 2) {
            int total = 0;
            for (int size : sizes)
                total += size;
            QCOMPARE(m.total.expected, total);
            QCOMPARE(m.total.entered, read.last());
        }
        QCOMPARE(m.slotCaptions, captions(entries));
        QCOMPARE(s.game.level(), level);
    }

    void theLastQuestionOfALevelMovesUpAndAddsItsMinutes_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("questionNo");
        QTest::addColumn<int>("newLevel");
        QTest::newRow("question 24 stays at level 1") << 1 << 24 << 1;
        QTest::newRow("question 25") << 1 << 25 << 2;
        QTest::newRow("question 50") << 2 << 50 << 3;
        QTest::newRow("question 75") << 3 << 75 << 4;
        QTest::newRow("question 100 stays at level 4") << 4 << 100 << 4;
    }

    void theLastQuestionOfALevelMovesUpAndAddsItsMinutes() {
        QFETCH(int, level);
        QFETCH(int, questionNo);
        QFETCH(int, newLevel);
        Scripted s;
        s.game.newGame({level});
        s.game.startClock(QString());
        s.skipTo(questionNo);
        s.game.nextQuestion();
        for (int tick = 0; tick < 47; ++tick)
            s.game.tick();
        const int minutes = s.game.minutesLeft(), seconds = s.game.secondsLeft();
        QSignalSpy raised(&s.game, &Game::levelRaised);

        // Right or wrong makes no difference: an empty answer here.
        const Game::Marking m = s.game.mark({}).value();
        QCOMPARE(m.levelRaised, newLevel != level);
        QCOMPARE(s.game.level(), newLevel);
        QCOMPARE(raised.count(), newLevel != level ? 1 : 0);
        QCOMPARE(s.game.minutesLeft(), minutes + (newLevel != level ? 30 : 0));
        QCOMPARE(s.game.secondsLeft(), seconds);
        QCOMPARE(m.level, level);
        QCOMPARE(m.secondsTaken, 47);

        // The next question is drawn at the new level, with its rows.
        s.game.boardCleared();
        if (questionNo < lastQuestion) {
            QVERIFY(s.game.nextQuestion());
            QCOMPARE(s.game.question().groups, newLevel);
        }
    }

    void aQuestionDrawsFourPictureNumbersThenOneSizePerRowOfItsLevel() {
        for (int level = firstLevel; level <= lastLevel; ++level) {
            Scripted s;
            s.game.newGame({level});
            s.game.startClock(QString());
            s.script(QList<int>{2, 15, 9, 10}.first(level), {1, 30, 16, 16});
            QSignalSpy ready(&s.game, &Game::questionReady);
            QVERIFY(s.game.nextQuestion());
            QCOMPARE(s.calls, 4 + level);
            const Game::Question q = ready.at(0).at(0).value<Game::Question>();
            QCOMPARE(q.icons, (std::array<int, 4>{1, 30, 16, 16}));
            QCOMPARE(q.counts, (std::array<int, 4>{2, level >= 2 ? 15 : 0, level >= 3 ? 9 : 0,
                                                   level >= 4 ? 10 : 0}));
            QCOMPARE(q.total,
                     level == 1 ? 0 : 2 + 15 + (level >= 3 ? 9 : 0) + (level >= 4 ? 10 : 0));
            QCOMPARE(q.number, questionsBefore(level) + 1);
            QCOMPARE(s.game.groupTop1(), 1);
            // Rows the level does not draw keep what they held: 0 in a new game.
            QCOMPARE(s.game.groupTop4(), level >= 4 ? 9 : 0);
        }
    }

    void theCountdownRunsFiftyNineToZeroAndRunsOutAfterItsMinutes_data() {
        QTest::addColumn<int>("minutes");
        QTest::newRow("30, as everyone knows it") << 30;
        QTest::newRow("10") << 10;
        QTest::newRow("120") << 120;
    }

    void theCountdownRunsFiftyNineToZeroAndRunsOutAfterItsMinutes() {
        QFETCH(int, minutes);
        Scripted s;
        s.game.newGame({1, minutes});
        s.game.startClock(QString());
        QCOMPARE(s.game.minutesLeft(), minutes - 1);
        QCOMPARE(s.game.secondsLeft(), 60);
        QSignalSpy timeOut(&s.game, &Game::timeOut);
        QSignalSpy ended(&s.game, &Game::ended);

        int ticks = 0;
        bool out = false;
        while (!out) {
            QVERIFY(s.game.tick());
            out = s.game.isOver();
            ++ticks;
            QVERIFY(s.game.secondsLeft() >= 0 && s.game.secondsLeft() <= 59);
            QVERIFY(s.game.minutesLeft() >= 0);
            if (ticks == 1)
                QCOMPARE(s.game.secondsLeft(), 59);
            if (ticks == 61) // 0 is followed by 59 of the minute below
                QCOMPARE(s.game.secondsLeft(), 59);
        }
        QCOMPARE(ticks, minutes * 60);
        QCOMPARE(s.game.minutesLeft(), 0);
        QCOMPARE(s.game.secondsLeft(), 0);
        QCOMPARE(timeOut.count(), 1);
        QCOMPARE(ended.count(), 1);
        QCOMPARE(s.game.outcome(), Game::Outcome::TimeOut);
        // Nothing moves once the game is over.
        QVERIFY(!s.game.tick());
        QCOMPARE(s.game.secondsLeft(), 0);
        s.game.leave(Game::Outcome::Left);
        QCOMPARE(ended.count(), 1);
    }

    void withoutAClockTheTimeUsedCountsUpAndNeverRunsOut() {
        Scripted s;
        s.game.newGame({3, 0});
        s.game.startClock(QString());
        for (int tick = 0; tick < 200 * 60; ++tick)
            QVERIFY(s.game.tick());
        QCOMPARE(s.game.secondsUsed(), 200 * 60);
        QVERIFY(!s.game.isOver());
        // A level-up gives no minutes where there is no countdown to give them to.
        s.skipTo(75);
        s.game.nextQuestion();
        QVERIFY(s.game.mark({})->levelRaised);
        QCOMPARE(s.game.level(), 4);
    }

    void aGameStartedAboveLevelOnePlaysTheRestOfAWholeGame_data() {
        QTest::addColumn<int>("level");
        QTest::newRow("1") << 1;
        QTest::newRow("2") << 2;
        QTest::newRow("3") << 3;
        QTest::newRow("4") << 4;
        QTest::newRow("0 is not a level: from 1") << 0;
        QTest::newRow("5 is not a level: from 1") << 5;
    }

    void aGameStartedAboveLevelOnePlaysTheRestOfAWholeGame() {
        QFETCH(int, level);
        const int from = level >= 1 && level <= 4 ? level : 1;
        Scripted s;
        s.game.newGame({level});
        QCOMPARE(s.game.level(), from);
        QCOMPARE(s.game.questionNo(), 25 * (from - 1));
        s.game.startClock(QString());
        QSignalSpy won(&s.game, &Game::gameWon);
        QSignalSpy ended(&s.game, &Game::ended);
        int asked = 0;
        while (s.game.nextQuestion() && !s.game.isWon()) {
            ++asked;
            s.game.mark({});
            s.game.boardCleared();
        }
        QCOMPARE(asked, 100 - 25 * (from - 1));
        QCOMPARE(s.game.level(), 4);
        QCOMPARE(s.game.questionNo(), 101);
        QCOMPARE(won.count(), 1);
        QCOMPARE(ended.count(), 1);
        QCOMPARE(ended.at(0).at(0).value<Game::Outcome>(), Game::Outcome::Won);
        QCOMPARE(s.game.phase(), Game::Phase::Over);
    }

    void anOperationItsPhaseDoesNotAllowChangesNothingAndSaysSo_data() {
        QTest::addColumn<Stage>("stage");
        QTest::addColumn<Operation>("operation");
        QTest::newRow("clock started twice") << Stage::Waiting << Operation::StartClock;
        QTest::newRow("clock started after leaving") << Stage::Left << Operation::StartClock;
        QTest::newRow("next question before the clock") << Stage::Opened << Operation::NextQuestion;
        QTest::newRow("next question while answering")
            << Stage::Answering << Operation::NextQuestion;
        QTest::newRow("next question while clearing") << Stage::Clearing << Operation::NextQuestion;
        QTest::newRow("next question after leaving") << Stage::Left << Operation::NextQuestion;
        QTest::newRow("next question after winning") << Stage::Won << Operation::NextQuestion;
        QTest::newRow("marked before the clock") << Stage::Opened << Operation::Mark;
        QTest::newRow("marked with no question") << Stage::Waiting << Operation::Mark;
        QTest::newRow("one question marked twice") << Stage::Clearing << Operation::Mark;
        QTest::newRow("marked after the time-out") << Stage::TimedOut << Operation::Mark;
        QTest::newRow("board cleared while answering")
            << Stage::Answering << Operation::BoardCleared;
        QTest::newRow("tick before the clock") << Stage::Opened << Operation::Tick;
        QTest::newRow("left as if won") << Stage::Answering << Operation::LeaveAsWon;
    }

    void anOperationItsPhaseDoesNotAllowChangesNothingAndSaysSo() {
        QFETCH(Stage, stage);
        QFETCH(Operation, operation);
        Scripted s;
        s.game.newGame({stage == Stage::Won ? lastLevel : firstLevel, 1});
        if (stage != Stage::Opened)
            s.game.startClock(QStringLiteral("ต้น"));
        if (stage == Stage::Answering || stage == Stage::Clearing)
            s.game.nextQuestion();
        if (stage == Stage::Clearing)
            s.game.mark(captions({"", "8"}));
        if (stage == Stage::Won)
            while (!s.game.isOver() && s.game.nextQuestion()) {
                s.game.mark({});
                s.game.boardCleared();
            }
        if (stage == Stage::TimedOut)
            while (!s.game.isOver())
                s.game.tick();
        if (stage == Stage::Left)
            s.game.leave(Game::Outcome::Left);
        const Everything before = s.everything();
        std::vector<std::unique_ptr<QSignalSpy>> signalSpies;
        for (const auto signal :
             {&Game::clockStarted, &Game::clockChanged, &Game::gameWon, &Game::timeOut})
            signalSpies.push_back(std::make_unique<QSignalSpy>(&s.game, signal));
        signalSpies.push_back(std::make_unique<QSignalSpy>(&s.game, &Game::questionReady));
        signalSpies.push_back(std::make_unique<QSignalSpy>(&s.game, &Game::answerMarked));
        signalSpies.push_back(std::make_unique<QSignalSpy>(&s.game, &Game::levelRaised));
        signalSpies.push_back(std::make_unique<QSignalSpy>(&s.game, &Game::ended));

        bool done = true;
        switch (operation) {
        case Operation::StartClock:
            done = s.game.startClock(QStringLiteral("มะลิ"));
            break;
        case Operation::NextQuestion:
            done = s.game.nextQuestion();
            break;
        case Operation::Mark:
            done = s.game.mark(captions({"", "8"})).has_value();
            break;
        case Operation::BoardCleared:
            done = s.game.boardCleared();
            break;
        case Operation::Tick:
            done = s.game.tick();
            break;
        case Operation::LeaveAsWon:
            done = s.game.leave(Game::Outcome::Won);
            break;
        }
        QVERIFY(!done);
        QVERIFY(s.everything() == before);
        for (const auto &spy : signalSpies)
            QCOMPARE(spy->count(), 0);
    }

    void newGameForgetsEverythingOfTheLastOne() {
        Scripted s;
        s.game.startClock(QStringLiteral("ต้น"));
        s.skipTo(30);
        s.game.tick();
        s.game.newGame();
        const Game fresh([] { return 0.0; });
        QCOMPARE(s.game.level(), fresh.level());
        QCOMPARE(s.game.questionNo(), 0);
        QCOMPARE(s.game.rightCount() + s.game.wrongCount(), 0);
        QCOMPARE(s.game.minutesLeft(), 29);
        QCOMPARE(s.game.secondsLeft(), 60);
        QCOMPARE(s.game.secondsUsed(), 0);
        QCOMPARE(s.game.iconNumber(), fresh.iconNumber());
        QCOMPARE(s.game.groupTop1() + s.game.groupTop2(), 0);
        QVERIFY(s.game.playerName().isEmpty());
        QCOMPARE(s.game.phase(), Game::Phase::Opened);
        // No name is the empty text, never a null one that a store would refuse.
        QVERIFY(!s.game.playerName().isNull());
        s.game.startClock(QString());
        QVERIFY(!s.game.playerName().isNull());
    }
};

QTEST_GUILESS_MAIN(GameTest)
#include "test_game.moc"
