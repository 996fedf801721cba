// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Emptying the board after a check: fifteen steps of one column each, the
// counters counting down, the slots emptied, then the next question may
// be asked for.
#include "support/question_cycle.h"

#include <QPointer>
#include <QtTest>

using namespace lumo;
using namespace lumo::test;

namespace {

std::array<std::array<Picture *, 15> *, 4> rows(Form2 &quiz) {
    return {&quiz.Im1, &quiz.Im2, &quiz.Im3, &quiz.Im4};
}

std::array<Label *, 4> counters(Form2 &quiz) {
    return {quiz.LB4, quiz.Label6, quiz.Label16, quiz.Label14};
}

bool columnShown(Form2 &quiz, int column) {
    for (auto *row : rows(quiz))
        if ((*row)[column]->isHidden() || (*row)[column]->isEmpty())
            return false;
    return true;
}

bool columnCleared(Form2 &quiz, int column) {
    for (auto *row : rows(quiz))
        if (!(*row)[column]->isHidden() || !(*row)[column]->isEmpty())
            return false;
    return true;
}

/// Opens a game at `level` with the clock running and asks for one question.
void startQuestion(TestProgram &game, int level, const QList<int> &sizes) {
    startGame(game, level);
    askQuestion(game, sizes);
}

} // namespace

class ClearingTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { lumo::setUpApplication(*qApp); }
    void cleanup() { settle(); }

    void fifteenTicksClearOneColumnOfAllFourRowsEach() {
        TestProgram game;
        Form2 &quiz = game.quiz;
        startQuestion(game, 4, {15, 15, 15, 15});
        for (int column = 0; column < 15; ++column)
            QVERIFY(columnShown(quiz, column));
        enter(quiz, 1, QStringLiteral("1"), QStringLiteral("5"));
        enter(quiz, 3, QString(), QStringLiteral("7"));
        quiz.Cm3_Click();
        QVERIFY(quiz.Timer2->isActive());
        QCOMPARE(quiz.clearTick(), 0);

        // Until the first tick the slots keep the digits and the "0"s.
        const QStringList checked{"1", "5", "0", "0", "0", "7", "0", "0", "0", "0"};
        for (int i = 0; i < 10; ++i)
            QCOMPARE(quiz.answerSlots()[i]->caption(), checked[i]);
        const QString correctAnswer = quiz.LB3->caption();

        for (int tick = 1; tick <= 15; ++tick) {
            // A caption in a slot is gone after every tick, not only the first.
            quiz.LB15->setCaption(QStringLiteral("9"));
            quiz.Timer2_Timer();
            for (int column = 0; column < tick; ++column)
                QVERIFY2(columnCleared(quiz, column),
                         qPrintable(QStringLiteral("tick %1 column %2").arg(tick).arg(column)));
            for (int column = tick; column < 15; ++column)
                QVERIFY2(columnShown(quiz, column),
                         qPrintable(QStringLiteral("tick %1 column %2").arg(tick).arg(column)));
            const QString left = tick < 15 ? QString::number(14 - tick) : QStringLiteral("0");
            for (Label *counter : counters(quiz))
                QCOMPARE(counter->caption(), left);
            for (Label *slot : quiz.answerSlots())
                QVERIFY(slot->caption().isEmpty());
            QCOMPARE(quiz.clickCount(), (std::array<Form2::Integer, 4>{}));
            QCOMPARE(quiz.LB3->caption(), correctAnswer);
            QVERIFY(!quiz.Cm3->isEnabled());
            if (tick < 15) {
                QCOMPARE(quiz.clearTick(), tick);
                QVERIFY(!quiz.Cm4->isEnabled());
                QVERIFY(quiz.Timer2->isActive());
            }
        }
        QVERIFY(quiz.Cm4->isEnabled());
        QVERIFY(!quiz.Timer2->isActive());
        QCOMPARE(quiz.clearTick(), 0);
        for (Label *tile : quiz.LB)
            QVERIFY(!tile->isEnabled());
    }

    void aPictureClickedDuringTheClearingCountsOnlyUntilTheNextTick() {
        TestProgram game;
        Form2 &quiz = game.quiz;
        startQuestion(game, 1, {15});
        quiz.Im1_Click(3);
        QCOMPARE(quiz.LB4->caption(), QStringLiteral("1"));
        quiz.Cm3_Click();

        quiz.Timer2_Timer();
        QCOMPARE(quiz.LB4->caption(), QStringLiteral("13"));
        // A visible picture can still be clicked away and is counted ...
        QVERIFY(!quiz.Im1[5]->isHidden());
        quiz.Im1_Click(5);
        QVERIFY(quiz.Im1[5]->isHidden());
        QCOMPARE(quiz.clickCount()[0], 1);
        QCOMPARE(quiz.LB4->caption(), QStringLiteral("1"));
        // ... a picture already cleared is not, nor one of an unused row.
        quiz.Im1_Click(0);
        quiz.Im2_Click(5);
        QCOMPARE(quiz.clickCount()[0], 1);
        QCOMPARE(quiz.clickCount()[1], 0);
        QCOMPARE(quiz.LB4->caption(), QStringLiteral("1"));

        // ... until the next tick writes the countdown over it.
        quiz.Timer2_Timer();
        QCOMPARE(quiz.clickCount()[0], 0);
        QCOMPARE(quiz.LB4->caption(), QStringLiteral("12"));

        // The last picture can still be clicked before the last tick.
        for (int tick = 3; tick <= 14; ++tick)
            quiz.Timer2_Timer();
        QVERIFY(!quiz.Im1[14]->isHidden());
        quiz.Im1_Click(14);
        QCOMPARE(quiz.LB4->caption(), QStringLiteral("1"));
        quiz.Timer2_Timer();
        QCOMPARE(quiz.clickCount()[0], 0);
        QCOMPARE(quiz.LB4->caption(), QStringLiteral("0"));
        QVERIFY(quiz.Cm4->isEnabled());
    }

    void aSecondClearingStartsAgainAtColumnZero() {
        TestProgram game;
        Form2 &quiz = game.quiz;
        startQuestion(game, 2, {15, 4});
        quiz.Cm3_Click();
        runClearing(quiz);
        QCOMPARE(quiz.clearTick(), 0);

        scriptQuestion(game.services, {15, 15});
        quiz.Cm4_Click();
        QVERIFY(!quiz.Im1[0]->isHidden());
        QVERIFY(!quiz.Im2[14]->isHidden());
        quiz.Cm3_Click();
        quiz.Timer2_Timer();
        QVERIFY(quiz.Im1[0]->isHidden());
        QVERIFY(quiz.Im2[0]->isHidden());
        QVERIFY(!quiz.Im1[1]->isHidden());
        QCOMPARE(quiz.clearTick(), 1);
        QCOMPARE(quiz.LB4->caption(), QStringLiteral("13"));
        for (int tick = 2; tick <= 15; ++tick)
            quiz.Timer2_Timer();
        QCOMPARE(quiz.clearTick(), 0);
        QVERIFY(quiz.Cm4->isEnabled());
        QVERIFY(quiz.Im1[14]->isHidden());
    }

    void leavingDuringTheClearingStopsItAndTheNextGameStartsAtColumnZero() {
        TestProgram game;
        Form2 &quiz = game.quiz;
        startQuestion(game, 1, {9});
        quiz.Cm3_Click();
        for (int tick = 0; tick < 5; ++tick)
            quiz.Timer2_Timer();
        QCOMPARE(quiz.clearTick(), 5);

        const QPointer<QTimer> clearing = quiz.Timer2;
        quiz.Cm6_Click();
        QVERIFY(!quiz.isOpen());
        QVERIFY(game.start.isOpen());
        QVERIFY(!clearing.isNull());
        QVERIFY(!clearing->isActive());
        settle();
        QVERIFY(clearing.isNull());
        QCOMPARE(game.services.endCount, 0);

        game.openQuiz();
        QCOMPARE(quiz.clearTick(), 0);
        QVERIFY(!quiz.Timer2->isActive());
        quiz.Cm1_Click();
        scriptQuestion(game.services, {9});
        quiz.Cm4_Click();
        quiz.Cm3_Click();
        quiz.Timer2_Timer();
        QVERIFY(quiz.Im1[0]->isHidden());
        QVERIFY(!quiz.Im1[1]->isHidden());
        QCOMPARE(quiz.clearTick(), 1);
    }
};

QTEST_MAIN(ClearingTest)
#include "test_clearing.moc"
