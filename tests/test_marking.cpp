// Checking an answer: how the slots are read, what each level adds to the
// tallies, the correct answer shown, and the level-ups after questions 25,
// 50 and 75.
#include "quiz/texts.h"
#include "support/question_cycle.h"

#include <QtTest>

using namespace lumo;
using namespace lumo::test;

namespace {

/// Captions for the ten slots LB6 to LB15; missing ones are left empty.
QStringList slotCaptions(QStringList captions)
{
    while (captions.size() < 10)
        captions.append(QString());
    return captions;
}

/// Opens a game with the clock running and builds question `questionNo` at
/// `level` with groups of the given sizes (one per group of the level);
/// false if the question built is not the one asked for.
bool askQuestion(Game &game, int level, int questionNo, const QList<int> &sizes)
{
    game.openQuiz();
    game.quiz.Cm1_Click();
    game.quiz.level = static_cast<Form2::Integer>(level);
    game.quiz.questionNo = static_cast<Form2::Integer>(questionNo - 1);
    scriptQuestion(game.services, sizes);
    game.quiz.Cm4_Click();
    return game.quiz.questionNo == questionNo && game.quiz.groupTop1 + 1 == sizes[0];
}

} // namespace

class MarkingTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { lumo::setUpApplication(*qApp); }
    void cleanup() { settle(); }

    void eachLevelMarksItsGroupsAndTotalByItsTable_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<int>>("sizes");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QList<int>>("read");
        QTest::addColumn<int>("rightGain");
        QTest::addColumn<int>("wrongGain");

        // Level 1: one group.
        QTest::newRow("1: one digit, tens slot left empty") << 1 << QList<int>{7} << slotCaptions({"", "7"}) << QList<int>{7} << 1 << 0;
        QTest::newRow("1: zero then the digit") << 1 << QList<int>{7} << slotCaptions({"0", "7"}) << QList<int>{7} << 1 << 0;
        QTest::newRow("1: 1 and 5 for fifteen") << 1 << QList<int>{15} << slotCaptions({"1", "5"}) << QList<int>{15} << 1 << 0;
        QTest::newRow("1: 1 and nothing for twelve reads 10") << 1 << QList<int>{12} << slotCaptions({"1", ""}) << QList<int>{10} << 0 << 1;
        QTest::newRow("1: digits swapped") << 1 << QList<int>{12} << slotCaptions({"2", "1"}) << QList<int>{21} << 0 << 1;
        QTest::newRow("1: all empty") << 1 << QList<int>{9} << slotCaptions({}) << QList<int>{0} << 0 << 1;
        QTest::newRow("1: only group 1 counts") << 1 << QList<int>{4} << slotCaptions({"", "4", "9", "9", "", "", "", "", "9", "9"}) << QList<int>{4} << 1 << 0;

        // Level 2: groups of 8 and 12, total 20.
        QTest::newRow("2: all right") << 2 << QList<int>{8, 12} << slotCaptions({"", "8", "1", "2", "", "", "", "", "2", "0"}) << QList<int>{8, 12, 20} << 4 << 0;
        QTest::newRow("2: all wrong") << 2 << QList<int>{8, 12} << slotCaptions({"", "9", "1", "3", "", "", "", "", "2", "1"}) << QList<int>{9, 13, 21} << 0 << 3;
        QTest::newRow("2: all empty") << 2 << QList<int>{8, 12} << slotCaptions({}) << QList<int>{0, 0, 0} << 0 << 3;
        QTest::newRow("2: groups wrong, total right") << 2 << QList<int>{8, 12} << slotCaptions({"", "9", "1", "1", "", "", "", "", "2", "0"}) << QList<int>{9, 11, 20} << 2 << 2;
        QTest::newRow("2: groups right, total wrong") << 2 << QList<int>{8, 12} << slotCaptions({"", "8", "1", "2", "", "", "", "", "", "2"}) << QList<int>{8, 12, 2} << 2 << 1;

        // Level 3: groups of 2, 3 and 15, total 20.
        QTest::newRow("3: all right") << 3 << QList<int>{2, 3, 15} << slotCaptions({"", "2", "", "3", "1", "5", "", "", "2", "0"}) << QList<int>{2, 3, 15, 20} << 6 << 0;
        QTest::newRow("3: all wrong") << 3 << QList<int>{2, 3, 15} << slotCaptions({"", "3", "", "2", "1", "4", "", "", "1", "9"}) << QList<int>{3, 2, 14, 19} << 0 << 4;
        QTest::newRow("3: all empty") << 3 << QList<int>{2, 3, 15} << slotCaptions({}) << QList<int>{0, 0, 0, 0} << 0 << 4;
        QTest::newRow("3: groups wrong, total right") << 3 << QList<int>{2, 3, 15} << slotCaptions({"", "3", "", "2", "1", "4", "", "", "2", "0"}) << QList<int>{3, 2, 14, 20} << 3 << 3;

        // Level 4: groups of 15, 14, 2 and 9, total 40; a right total earns 4.
        QTest::newRow("4: all right") << 4 << QList<int>{15, 14, 2, 9} << slotCaptions({"1", "5", "1", "4", "", "2", "", "9", "4", "0"}) << QList<int>{15, 14, 2, 9, 40} << 8 << 0;
        QTest::newRow("4: all wrong") << 4 << QList<int>{15, 14, 2, 9} << slotCaptions({"1", "4", "1", "5", "", "3", "", "8", "4", "1"}) << QList<int>{14, 15, 3, 8, 41} << 0 << 5;
        QTest::newRow("4: all empty") << 4 << QList<int>{15, 14, 2, 9} << slotCaptions({}) << QList<int>{0, 0, 0, 0, 0} << 0 << 5;
        QTest::newRow("4: only the total right") << 4 << QList<int>{15, 14, 2, 9} << slotCaptions({"", "", "", "", "", "", "", "", "4", "0"}) << QList<int>{0, 0, 0, 0, 40} << 4 << 4;
        QTest::newRow("4: groups right, total wrong") << 4 << QList<int>{15, 14, 2, 9} << slotCaptions({"1", "5", "1", "4", "", "2", "", "9", "", "4"}) << QList<int>{15, 14, 2, 9, 4} << 4 << 1;
    }

    void eachLevelMarksItsGroupsAndTotalByItsTable()
    {
        QFETCH(int, level);
        QFETCH(QList<int>, sizes);
        QFETCH(QStringList, entries);
        QFETCH(QList<int>, read);
        QFETCH(int, rightGain);
        QFETCH(int, wrongGain);

        Game game;
        Form2 &quiz = game.quiz;
        const int questionNo = 25 * (level - 1) + 3;
        QVERIFY(askQuestion(game, level, questionNo, sizes));

        // Tallies from earlier questions are added to, not replaced.
        quiz.rightCount = 10;
        quiz.wrongCount = 5;
        for (int g = 1; g <= 5; ++g)
            enter(quiz, g, entries[2 * (g - 1)], entries[2 * (g - 1) + 1]);
        quiz.Cm3_Click();

        QCOMPARE(quiz.rightCount, 10 + rightGain);
        QCOMPARE(quiz.wrongCount, 5 + wrongGain);
        for (int g = 0; g < level; ++g)
            QCOMPARE(quiz.enteredAnswer[g], read[g]);
        if (level >= 2)
            QCOMPARE(quiz.enteredAnswer[4], read.last());

        // Every slot that was empty now holds "0", at every level.
        const auto answerSlots = quiz.answerSlots();
        for (int i = 0; i < 10; ++i)
            QCOMPARE(answerSlots[i]->caption(), entries[i].isEmpty() ? QStringLiteral("0") : entries[i]);

        QCOMPARE(quiz.level, level);
        QCOMPARE(quiz.LB2->caption(), scoreText(questionNo, 10 + rightGain, 5 + wrongGain, level));
    }

    void checkingFillsHiddenSlotsWithZeroWithoutShowingThem()
    {
        Game game;
        Form2 &quiz = game.quiz;
        QVERIFY(askQuestion(game, 1, 1, {6}));
        QVERIFY(quiz.LB6->isHidden());
        QVERIFY(quiz.LB8->isHidden());
        QVERIFY(quiz.LB15->isHidden());
        enter(quiz, 1, QString(), QStringLiteral("6"));
        quiz.Cm3_Click();

        for (Label *slot : quiz.answerSlots())
            QVERIFY(!slot->caption().isEmpty());
        QCOMPARE(quiz.LB6->caption(), QStringLiteral("0"));
        QVERIFY(quiz.LB6->isHidden());
        QVERIFY(quiz.LB8->isHidden());
        QVERIFY(quiz.LB15->isHidden());
        QVERIFY(!quiz.LB7->isHidden());
        // Nothing but group 1 was read at level 1.
        QCOMPARE(quiz.enteredAnswer[0], 6);
        for (int i = 1; i < 5; ++i)
            QCOMPARE(quiz.enteredAnswer[i], 0);
    }

    void theCorrectAnswerReplacesTheHintWithTheLevelsText_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<int>>("sizes");
        QTest::addColumn<QString>("expected");
        const QString hyphens(43, QLatin1Char('-'));
        QTest::newRow("level 1") << 1 << QList<int>{7} << QStringLiteral("คำตอบที่ถูก คือ 7 ครับ ");
        QTest::newRow("level 2") << 2 << QList<int>{7, 12}
                                 << QStringLiteral("( 7 + 12 ) = 19\r\nคำตอบที่ถูก คือ 7 + 12 ครับ \r\nและผลรวมเท่ากับ 19 ครับ");
        QTest::newRow("level 3") << 3 << QList<int>{10, 2, 5}
                                 << QStringLiteral("( 10 + 2 ) + 5 = 17\r\n") + hyphens +
                                        QStringLiteral("\r\nคำตอบที่ถูก คือ 10 + 2 + 5 ครับ \r\nและผลรวมเท่ากับ 17 ครับ");
        QTest::newRow("level 4") << 4 << QList<int>{3, 15, 11, 2}
                                 << QStringLiteral("( 3 + 15 ) + ( 11 + 2 ) = 31\r\n") + hyphens +
                                        QStringLiteral("\r\nคำตอบที่ถูก คือ 3 + 15 + 11 + 2 ครับ \r\nและผลรวมเท่ากับ 31 ครับ");
    }

    void theCorrectAnswerReplacesTheHintWithTheLevelsText()
    {
        QFETCH(int, level);
        QFETCH(QList<int>, sizes);
        QFETCH(QString, expected);

        Game game;
        Form2 &quiz = game.quiz;
        QVERIFY(askQuestion(game, level, 25 * (level - 1) + 1, sizes));
        QCOMPARE(quiz.LB3->caption(), quiz::levelHint(level));

        quiz.Cm3_Click();
        QCOMPARE(quiz.LB3->caption(), expected);
    }

    void theLastQuestionOfALevelMovesUpAndAddsThirtyMinutes_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("questionNo");
        QTest::addColumn<bool>("answerRight");
        QTest::addColumn<int>("newLevel");

        QTest::newRow("question 24 stays at level 1") << 1 << 24 << true << 1;
        QTest::newRow("question 25 right") << 1 << 25 << true << 2;
        QTest::newRow("question 25 wrong") << 1 << 25 << false << 2;
        QTest::newRow("question 50 right") << 2 << 50 << true << 3;
        QTest::newRow("question 50 wrong") << 2 << 50 << false << 3;
        QTest::newRow("question 75 right") << 3 << 75 << true << 4;
        QTest::newRow("question 75 wrong") << 3 << 75 << false << 4;
        QTest::newRow("question 100 stays at level 4") << 4 << 100 << true << 4;
    }

    void theLastQuestionOfALevelMovesUpAndAddsThirtyMinutes()
    {
        QFETCH(int, level);
        QFETCH(int, questionNo);
        QFETCH(bool, answerRight);
        QFETCH(int, newLevel);

        Game game;
        Form2 &quiz = game.quiz;
        QVERIFY(askQuestion(game, level, questionNo, QList<int>{5, 6, 7, 8}.first(level)));
        quiz.minutesLeft = 7;
        quiz.secondsLeft = 13;
        if (answerRight)
            enterRightAnswers(quiz);
        quiz.Cm3_Click();

        const int right = answerRight ? (level == 1 ? 1 : 2 * level) : 0;
        const int wrong = answerRight ? 0 : (level == 1 ? 1 : level + 1);
        QCOMPARE(quiz.rightCount, right);
        QCOMPARE(quiz.wrongCount, wrong);
        QCOMPARE(quiz.level, newLevel);
        QCOMPARE(quiz.minutesLeft, newLevel != level ? 37 : 7);
        QCOMPARE(quiz.secondsLeft, 13);
        // The score line names the new level straight away.
        QCOMPARE(quiz.LB2->caption(), scoreText(questionNo, right, wrong, newLevel));

        if (questionNo == 100)
            return;
        // The next question is built at the new level, with its hint.
        runClearing(quiz);
        scriptQuestion(game.services, QList<int>{5, 6, 7, 8}.first(newLevel));
        quiz.Cm4_Click();
        QCOMPARE(quiz.level, newLevel);
        QCOMPARE(quiz.LB3->caption(), quiz::levelHint(newLevel));
        const std::array<Picture *, 15> *rows[] = {&quiz.Im1, &quiz.Im2, &quiz.Im3, &quiz.Im4};
        for (int g = 1; g <= 4; ++g)
            QCOMPARE(!(*rows[g - 1])[4]->isHidden(), g <= newLevel);
        if (newLevel == 2)
            QVERIFY(!quiz.LB15->isHidden());
    }
};

QTEST_MAIN(MarkingTest)
#include "test_marking.moc"
