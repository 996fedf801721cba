// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// A whole game of 100 questions played with the keyboard alone, with the
// clock ticking all along, up to the praise after the last question.
#include "support/keyboard_play.h"
#include "support/question_cycle.h"

#include <QPointer>
#include <QtTest>

using namespace lumo;
using namespace lumo::test;

class WholeGameTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { lumo::setUpApplication(*qApp); }
    void cleanup() { settle(); }

    void aGameOfOneHundredQuestionsEndsWithPraiseAndTheStartScreen_data() {
        QTest::addColumn<bool>("answerRight");
        QTest::addColumn<int>("finalRight");
        QTest::addColumn<int>("finalWrong");
        // 25 questions a level: 1, 2 + 2, 3 + 3 and 4 + 4 points right, or
        // 1, 2 + 1, 3 + 1 and 4 + 1 points wrong.
        QTest::newRow("every answer right") << true << 475 << 0;
        QTest::newRow("every slot left empty") << false << 0 << 325;
    }

    void aGameOfOneHundredQuestionsEndsWithPraiseAndTheStartScreen() {
        QFETCH(bool, answerRight);
        QFETCH(int, finalRight);
        QFETCH(int, finalWrong);

        const QString name = QStringLiteral("ต้น");
        TestProgram game;
        Form2 &quiz = game.quiz;
        game.openQuiz(name);
        QWidget *window = quiz.window();
        QVERIFY(QTest::qWaitForWindowActive(window));
        const auto press = [window](int key) { sendKey(window, key); };

        // From the leave button, where the focus starts, to the clock's button.
        press(Qt::Key_Tab);
        QCOMPARE(window->focusWidget(), quiz.Cm1);
        press(Qt::Key_Return);
        QCOMPARE(quiz.LB2->caption(), QStringLiteral("ข้อที่ 0 ทำถูก 0 ทำผิด 0 ระดับ 1"));

        int right = 0, wrong = 0, ticks = 0, levelUps = 0;
        auto tickClock = [&](int count) {
            for (int i = 0; i < count; ++i, ++ticks)
                quiz.Timer1_Timer();
        };

        for (int q = 1; q <= 100; ++q) {
            const int level = (q - 1) / 25 + 1;
            QVERIFY(quiz.Cm4->isEnabled());
            QCOMPARE(window->focusWidget(), quiz.Cm4);
            press(Qt::Key_Return);
            QCOMPARE(quiz.game().questionNo(), q);
            QCOMPARE(quiz.game().level(), level);
            QCOMPARE(quiz.LB2->caption(), scoreText(q, right, wrong, level));
            if (q == 1)
                QCOMPARE(quiz.LB2->caption(), QStringLiteral("ข้อที่ 1 ทำถูก 0 ทำผิด 0 ระดับ 1"));

            tickClock(5);
            QVERIFY(quiz.Cm3->isEnabled());
            if (answerRight)
                typeRightAnswer(quiz, DigitKeys(q % 4));
            const int minutesBefore = quiz.game().minutesLeft();
            QVERIFY(tabTo(window, quiz.Cm3));
            press(Qt::Key_Return);
            if (answerRight)
                right += level == 1 ? 1 : 2 * level;
            else
                wrong += level == 1 ? 1 : level + 1;
            QCOMPARE(quiz.game().rightCount(), right);
            QCOMPARE(quiz.game().wrongCount(), wrong);

            const bool levelUp = q == 25 || q == 50 || q == 75;
            levelUps += levelUp;
            QCOMPARE(quiz.game().level(), levelUp ? level + 1 : level);
            QCOMPARE(quiz.game().minutesLeft(), levelUp ? minutesBefore + 30 : minutesBefore);
            QCOMPARE(quiz.LB2->caption(), scoreText(q, right, wrong, quiz.game().level()));

            for (int step = 0; step < 15; ++step) {
                QVERIFY(!quiz.Cm4->isEnabled());
                quiz.Timer2_Timer();
                if (step % 3 == 0)
                    tickClock(1);
            }
        }
        QCOMPARE(right, finalRight);
        QCOMPARE(wrong, finalWrong);
        QVERIFY(game.services.messages.isEmpty());

        // The clock line of the last tick, with 30 minutes for each level-up.
        const int secondsLeft = 1800 - ticks + levelUps * 1800;
        const QString lastClock = quiz.LB1->caption();
        QCOMPARE(lastClock, clockText(name, secondsLeft / 60, secondsLeft % 60));

        // The 101st press ends the game and builds no question.
        const QPointer<Label> hintLine = quiz.LB3;
        const QPointer<Label> firstTile = quiz.LB[0];
        const QPointer<Button> checkButton = quiz.Cm3;
        const QPointer<QTimer> clock = quiz.Timer1;
        const QString lastAnswer = quiz.LB3->caption();
        const int randomsBefore = game.services.randomCalls;
        bool clockRunningDuringMessage = true, openDuringMessage = false;
        game.services.duringMessage = [&] {
            clockRunningDuringMessage = quiz.Timer1->isActive();
            openDuringMessage = quiz.isOpen();
        };
        WindowOrder order(quiz.window());

        QCOMPARE(window->focusWidget(), quiz.Cm4);
        press(Qt::Key_Return);

        QCOMPARE(game.services.messages,
                 QStringList{QStringLiteral("จบแล้วครับ....เก่งมาก\r\n") + lastClock +
                             QStringLiteral("\r\n") + scoreText(101, finalRight, finalWrong, 4)});
        QCOMPARE(game.services.messages.first().split(QStringLiteral("\r\n")).size(), 4);
        QVERIFY(!clockRunningDuringMessage);
        QVERIFY(openDuringMessage);
        QCOMPARE(order.seen, (QStringList{"start shown", "quiz closed"}));
        QVERIFY(!quiz.isOpen());
        QVERIFY(game.start.isOpen());
        QVERIFY(!game.start.window()->isHidden());
        QCOMPARE(quiz.game().phase(), quiz::Game::Phase::Over);
        QCOMPARE(quiz.game().outcome(), quiz::Game::Outcome::Won);
        QVERIFY(!clock.isNull() && !clock->isActive());

        // Only the four picture numbers were drawn; nothing on the closed
        // screen was touched after the message.
        QCOMPARE(game.services.randomCalls, randomsBefore + 4);
        QVERIFY(!hintLine.isNull());
        QCOMPARE(hintLine->caption(), lastAnswer);
        QVERIFY(!firstTile->isEnabled());
        QVERIFY(!checkButton->isEnabled());

        settle();
        QVERIFY(hintLine.isNull());
        QCOMPARE(game.services.endCount, 0);
        QCOMPARE(game.services.messages.size(), 1);
        QVERIFY(game.start.isOpen());
    }
};

QTEST_MAIN(WholeGameTest)
#include "test_whole_game.moc"
