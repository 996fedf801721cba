// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Checking an answer on the quiz screen: the slots the check fills, the
// correct answer it shows, and the score line and next question after a
// level-up. What each level marks is the game's own rule, tested with it.
#include "quiz/texts.h"
#include "support/question_cycle.h"

#include <QSignalSpy>
#include <QtTest>

using namespace lumo;
using namespace lumo::test;

class MarkingTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { lumo::setUpApplication(*qApp); }
    void cleanup() { settle(); }

    void checkingFillsHiddenSlotsWithZeroWithoutShowingThem() {
        TestProgram game;
        Form2 &quiz = game.quiz;
        askQuestionNo(game, 1, 1, {6});
        QVERIFY(quiz.LB6->isHidden());
        QVERIFY(quiz.LB8->isHidden());
        QVERIFY(quiz.LB15->isHidden());
        enter(quiz, 1, QString(), QStringLiteral("6"));
        QSignalSpy marked(&quiz.game(), &quiz::Game::answerMarked);
        quiz.Cm3_Click();

        for (Label *slot : quiz.answerSlots())
            QVERIFY(!slot->caption().isEmpty());
        QCOMPARE(quiz.LB6->caption(), QStringLiteral("0"));
        QVERIFY(quiz.LB6->isHidden());
        QVERIFY(quiz.LB8->isHidden());
        QVERIFY(quiz.LB15->isHidden());
        QVERIFY(!quiz.LB7->isHidden());
        // Nothing but row 1 was read at level 1.
        QCOMPARE(marked.count(), 1);
        const auto marking = marked.at(0).at(0).value<quiz::Game::Marking>();
        QCOMPARE(marking.groups, 1);
        QCOMPARE(marking.group[0].entered, 6);
        QVERIFY(!marking.hasTotal);
    }

    void theCorrectAnswerReplacesTheHintWithTheLevelsText_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<int>>("sizes");
        QTest::addColumn<QString>("expected");
        const QString hyphens(43, QLatin1Char('-'));
        QTest::newRow("level 1") << 1 << QList<int>{7} << QStringLiteral("คำตอบที่ถูก คือ 7 ครับ ");
        QTest::newRow("level 2")
            << 2 << QList<int>{7, 12}
            << QStringLiteral("( 7 + 12 ) = 19\r\nคำตอบที่ถูก คือ 7 + 12 ครับ \r\nและผลรวมเท่ากับ 19 ครับ");
        QTest::newRow("level 3")
            << 3 << QList<int>{10, 2, 5}
            << QStringLiteral("( 10 + 2 ) + 5 = 17\r\n") + hyphens +
                   QStringLiteral("\r\nคำตอบที่ถูก คือ 10 + 2 + 5 ครับ \r\nและผลรวมเท่ากับ 17 ครับ");
        QTest::newRow("level 4")
            << 4 << QList<int>{3, 15, 11, 2}
            << QStringLiteral("( 3 + 15 ) + ( 11 + 2 ) = 31\r\n") + hyphens +
                   QStringLiteral("\r\nคำตอบที่ถูก คือ 3 + 15 + 11 + 2 ครับ \r\nและผลรวมเท่ากับ 31 ครับ");
    }

    void theCorrectAnswerReplacesTheHintWithTheLevelsText() {
        QFETCH(int, level);
        QFETCH(QList<int>, sizes);
        QFETCH(QString, expected);

        TestProgram game;
        Form2 &quiz = game.quiz;
        askQuestionNo(game, level, 25 * (level - 1) + 1, sizes);
        QCOMPARE(quiz.LB3->caption(), quiz::levelHint(level));

        quiz.Cm3_Click();
        QCOMPARE(quiz.LB3->caption(), expected);
    }

    void aLevelUpShowsInTheScoreLineAtOnceAndTheNextQuestionComesAtTheNewLevel_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("questionNo");
        QTest::addColumn<bool>("answerRight");
        QTest::addColumn<int>("newLevel");

        QTest::newRow("question 24 stays at level 1") << 1 << 24 << true << 1;
        QTest::newRow("question 25 right") << 1 << 25 << true << 2;
        QTest::newRow("question 50 wrong") << 2 << 50 << false << 3;
        QTest::newRow("question 75 right") << 3 << 75 << true << 4;
        QTest::newRow("question 100 stays at level 4") << 4 << 100 << true << 4;
    }

    void aLevelUpShowsInTheScoreLineAtOnceAndTheNextQuestionComesAtTheNewLevel() {
        QFETCH(int, level);
        QFETCH(int, questionNo);
        QFETCH(bool, answerRight);
        QFETCH(int, newLevel);

        TestProgram game;
        Form2 &quiz = game.quiz;
        askQuestionNo(game, level, questionNo, QList<int>{5, 6, 7, 8}.first(level));
        const int rightBefore = quiz.game().rightCount(), wrongBefore = quiz.game().wrongCount();
        if (answerRight)
            enterRightAnswers(quiz);
        quiz.Cm3_Click();

        const int right = answerRight ? (level == 1 ? 1 : 2 * level) : 0;
        const int wrong = answerRight ? 0 : (level == 1 ? 1 : level + 1);
        QCOMPARE(quiz.LB2->caption(),
                 scoreText(questionNo, rightBefore + right, wrongBefore + wrong, newLevel));
        // The clock line shows the thirty minutes at its next tick.
        quiz.Timer1_Timer();
        QCOMPARE(quiz.LB1->caption(),
                 clockText(QStringLiteral("ต้น"), newLevel != level ? 59 : 29, 59));

        if (questionNo == 100)
            return;
        runClearing(quiz);
        askQuestion(game, QList<int>{5, 6, 7, 8}.first(newLevel));
        QCOMPARE(quiz.LB3->caption(), quiz::levelHint(newLevel));
        const std::array<Picture *, 15> *rows[] = {&quiz.Im1, &quiz.Im2, &quiz.Im3, &quiz.Im4};
        for (int g = 1; g <= 4; ++g)
            QCOMPARE(!(*rows[g - 1])[4]->isHidden(), g <= newLevel);
        QCOMPARE(!quiz.LB15->isHidden(), newLevel >= 2);
    }
};

QTEST_MAIN(MarkingTest)
#include "test_marking.moc"
