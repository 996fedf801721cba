// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Checking an answer on the quiz screen: the slots the check fills, the
// correct answer it shows, the marks over each row's slots until the board
// is empty, and the score line and next question after a level-up. What
// each level marks is the game's own rule, tested with it.
#include "platform/answer_mark.h"
#include "quiz/texts.h"
#include "support/question_cycle.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QtTest>

using namespace lumo;
using namespace lumo::test;

namespace {

/// Pixels of the mark's drawing near `colour`.
int pixelsOf(AnswerMark *mark, const QColor &colour) {
    const QImage image = mark->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                         std::abs(c.blue() - colour.blue()) <
                     30;
        }
    return count;
}

} // namespace

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

    void eachRowAndTheTotalShowWhetherTheyWereRightUntilTheBoardIsEmpty_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<int>>("sizes");
        // What the child enters in each row, then in the total; -1 for nothing.
        QTest::addColumn<QList<int>>("entered");
        QTest::addColumn<double>("scale");
        QTest::newRow("a right row") << 1 << QList<int>{7} << QList<int>{7} << 1.0;
        QTest::newRow("a wrong row") << 1 << QList<int>{12} << QList<int>{10} << 1.0;
        QTest::newRow("a row left empty") << 1 << QList<int>{9} << QList<int>{-1} << 1.0;
        QTest::newRow("right rows, a wrong total")
            << 2 << QList<int>{7, 12} << QList<int>{7, 12, 18} << 1.0;
        QTest::newRow("a wrong row, a right total, in a window 2.37 times the design")
            << 4 << QList<int>{3, 15, 9, 10} << QList<int>{3, 15, 8, 10, 37} << 2.37;
    }

    void eachRowAndTheTotalShowWhetherTheyWereRightUntilTheBoardIsEmpty() {
        QFETCH(int, level);
        QFETCH(QList<int>, sizes);
        QFETCH(QList<int>, entered);
        QFETCH(double, scale);
        TestProgram game;
        Form2 &quiz = game.quiz;
        startGame(game, level);
        quiz.window()->resize(qRound(793 * scale), qRound(593 * scale));
        askQuestion(game, sizes);
        for (int i = 0; i < entered.size(); ++i)
            if (entered[i] >= 0)
                enterNumber(quiz, i < level ? i + 1 : 5, entered[i]);
        for (int g = 1; g <= 5; ++g)
            QVERIFY(!quiz.mark(g)->isVisible());
        const QString score = quiz.LB2->caption();
        quiz.Cm3_Click();
        QVERIFY(QTest::qWaitForWindowExposed(quiz.window()));

        int total = 0;
        for (int count : sizes)
            total += count;
        const std::array<Label *, 5> tens{quiz.LB6, quiz.LB8, quiz.LB10, quiz.LB12, quiz.LB14};
        const std::array<Label *, 5> units{quiz.LB7, quiz.LB9, quiz.LB11, quiz.LB13, quiz.LB15};
        for (int g = 1; g <= 5; ++g) {
            AnswerMark *mark = quiz.mark(g);
            const bool used = g <= level || (g == 5 && level >= 2);
            QCOMPARE(mark->isVisible(), used);
            if (!used)
                continue;
            const int want = g <= 4 ? sizes[g - 1] : total;
            const int got = entered[g <= 4 ? g - 1 : level];
            const bool right = got == want;
            QCOMPARE(mark->isRight(), right);
            // Laid over the row's two slots, whatever the window's size.
            QCOMPARE(mark->geometry(), tens[g - 1]->geometry().united(units[g - 1]->geometry()));
            // A blue tick, or an orange cross beside the right number.
            QVERIFY(pixelsOf(mark, right ? AnswerMark::rightColour : AnswerMark::wrongColour) >
                    mark->height());
            QCOMPARE(pixelsOf(mark, right ? AnswerMark::wrongColour : AnswerMark::rightColour), 0);
            if (!right)
                QCOMPARE(mark->rightNumber(), want);
            const QString where =
                g <= 4 ? QStringLiteral("แถวที่ %1").arg(g) : QStringLiteral("ผลรวม");
            QCOMPARE(QAccessible::queryAccessibleInterface(mark)->text(QAccessible::Name),
                     right ? where + QStringLiteral(": ถูก")
                           : where + QStringLiteral(": ผิด คำตอบที่ถูกคือ %1").arg(want));
        }
        QVERIFY(quiz.LB2->caption() != score);

        // Through the clearing, until the board is empty.
        for (int tick = 1; tick < 15; ++tick)
            quiz.Timer2_Timer();
        QCOMPARE(quiz.mark(1)->isVisible(), true);
        quiz.Timer2_Timer();
        QVERIFY(quiz.Cm4->isEnabled());
        for (int g = 1; g <= 5; ++g)
            QVERIFY(!quiz.mark(g)->isVisible());
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
