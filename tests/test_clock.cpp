// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The countdown: one second off at every tick, the name and time left in
// LB1, thirty more minutes at a level-up, and the lost game at 0:0.
#include "support/question_cycle.h"

#include <QPointer>
#include <QtTest>

using namespace lumo;
using namespace lumo::test;

namespace {

const QString name = QStringLiteral("ต้น");

/// Opens a game with a countdown of `minutes`, starts the clock and asks
/// for a first question of one row.
void startQuestion(TestProgram &game, int groupSize = 6, int minutes = 30) {
    game.quiz.setRules({1, minutes});
    game.openQuiz(name);
    game.quiz.Cm1_Click();
    askQuestion(game, {groupSize});
}

/// Lets the clock tick until it shows `minutes` and `seconds` left.
void tickUntil(Form2 &quiz, int minutes, int seconds) {
    while (quiz.game().minutesLeft() != minutes || quiz.game().secondsLeft() != seconds)
        quiz.Timer1_Timer();
}

} // namespace

class ClockTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { lumo::setUpApplication(*qApp); }
    void cleanup() { settle(); }

    void theClockRunsThirtyMinutesFromItsFirstTickAndNeverShowsSixtySeconds() {
        TestProgram game;
        Form2 &quiz = game.quiz;
        game.openQuiz(name);
        quiz.Cm1_Click();
        QVERIFY(quiz.Timer1->isActive());
        QCOMPARE(quiz.LB1->caption(), name);

        quiz.Timer1_Timer();
        QCOMPARE(quiz.LB1->caption(), QStringLiteral("น้อง ต้น\r\n เหลือยเวลา 29 นาที 59 วินาที"));
        for (int tick = 2; tick < 1800; ++tick) {
            quiz.Timer1_Timer();
            const int left = 1800 - tick;
            QCOMPARE(quiz.LB1->caption(), clockText(name, left / 60, left % 60));
            if (tick == 60)
                QCOMPARE(quiz.LB1->caption(), QStringLiteral("น้อง ต้น\r\n เหลือยเวลา 29 นาที 0 วินาที"));
            if (tick == 61)
                QCOMPARE(quiz.LB1->caption(),
                         QStringLiteral("น้อง ต้น\r\n เหลือยเวลา 28 นาที 59 วินาที"));
        }
        QCOMPARE(quiz.LB1->caption(), clockText(name, 0, 1));
        QVERIFY(game.services.messages.isEmpty());
        quiz.Timer1_Timer();
        QCOMPARE(game.services.messages.size(), 1);
        QVERIFY(!quiz.isOpen());
    }

    void theTickAfterZeroSecondsShowsFiftyNineOfTheMinuteBelow() {
        TestProgram game;
        Form2 &quiz = game.quiz;
        startQuestion(game);
        tickUntil(quiz, 12, 1);
        quiz.Timer1_Timer();
        QCOMPARE(quiz.LB1->caption(), clockText(name, 12, 0));
        quiz.Timer1_Timer();
        QCOMPARE(quiz.LB1->caption(), QStringLiteral("น้อง ต้น\r\n เหลือยเวลา 11 นาที 59 วินาที"));
        quiz.Timer1_Timer();
        QCOMPARE(quiz.LB1->caption(), clockText(name, 11, 58));
    }

    void aLevelUpAtFortySecondsLeftAddsThirtyMinutes() {
        TestProgram game;
        Form2 &quiz = game.quiz;
        game.quiz.setRules({1, 1});
        game.openQuiz(name);
        quiz.Cm1_Click();
        playQuestions(quiz, 24);
        askQuestion(game, {8});
        tickUntil(quiz, 0, 41);
        quiz.Timer1_Timer();
        QCOMPARE(quiz.LB1->caption(), clockText(name, 0, 40));

        enterRightAnswers(quiz);
        quiz.Cm3_Click();
        QCOMPARE(quiz.game().level(), 2);
        quiz.Timer1_Timer();
        QCOMPARE(quiz.LB1->caption(), QStringLiteral("น้อง ต้น\r\n เหลือยเวลา 30 นาที 39 วินาที"));

        // The time now runs out 30 minutes 39 seconds later.
        int ticks = 0;
        while (game.services.messages.isEmpty() && ticks < 5000) {
            quiz.Timer1_Timer();
            ++ticks;
        }
        QCOMPARE(ticks, 30 * 60 + 39);
    }

    void theTimeOutTellsTheChildOnceThenClosesTheQuizBeforeShowingTheStartScreen() {
        TestProgram game;
        Form2 &quiz = game.quiz;
        startQuestion(game, 6, 1);
        enterNumber(quiz, 1, 6);
        quiz.Cm3_Click();
        runClearing(quiz);
        askQuestion(game, {4});
        tickUntil(quiz, 0, 2);

        bool openDuringMessage = false, clockRunningDuringMessage = true,
             startOpenDuringMessage = true;
        game.services.duringMessage = [&] {
            openDuringMessage = quiz.isOpen();
            clockRunningDuringMessage = quiz.Timer1->isActive();
            startOpenDuringMessage = game.start.isOpen();
        };
        const QPointer<QTimer> clock = quiz.Timer1;
        WindowOrder order(quiz.window());

        quiz.Timer1_Timer();
        QVERIFY(game.services.messages.isEmpty());
        quiz.Timer1_Timer();

        QCOMPARE(game.services.messages,
                 QStringList{QStringLiteral("น้อง ต้น ทำไม่ทันครับ แพ้แล้วครับ\r\n"
                                            "น้อง ต้น\r\n เหลือยเวลา 0 นาที 0 วินาที\r\n"
                                            "ข้อที่ 2 ทำถูก 1 ทำผิด 0 ระดับ 1")});
        QVERIFY(openDuringMessage);
        QVERIFY(!clockRunningDuringMessage);
        QVERIFY(!startOpenDuringMessage);

        QCOMPARE(order.seen, (QStringList{"quiz closed", "start shown"}));
        QVERIFY(!quiz.isOpen());
        QVERIFY(game.start.isOpen());
        QVERIFY(!game.start.window()->isHidden());
        QVERIFY(!clock.isNull() && !clock->isActive());

        // The program goes on with the start screen.
        settle();
        QTest::qWait(20);
        QCOMPARE(game.services.endCount, 0);
        QCOMPARE(game.services.messages.size(), 1);
        QVERIFY(game.start.isOpen());
    }

    void aTimeOutDuringTheClearingStillEndsOnTheStartScreen() {
        TestProgram game;
        Form2 &quiz = game.quiz;
        startQuestion(game, 15, 1);
        tickUntil(quiz, 0, 1);
        quiz.Cm3_Click();
        for (int tick = 0; tick < 3; ++tick)
            quiz.Timer2_Timer();

        // The clearing goes on ticking behind the message.
        int clearTickAfterMessage = -1;
        game.services.duringMessage = [&] {
            quiz.Timer2_Timer();
            quiz.Timer2_Timer();
            clearTickAfterMessage = quiz.clearTick();
        };
        const QPointer<QTimer> clearing = quiz.Timer2;
        quiz.Timer1_Timer();

        QCOMPARE(game.services.messages.size(), 1);
        QCOMPARE(clearTickAfterMessage, 5);
        QVERIFY(!quiz.isOpen());
        QVERIFY(game.start.isOpen());
        QVERIFY(!clearing.isNull() && !clearing->isActive());
        settle();
        QCOMPARE(game.services.endCount, 0);
        QVERIFY(game.start.isOpen());
    }

    void leavingByTheLeaveButtonStopsTheClockForGood() {
        TestProgram game;
        Form2 &quiz = game.quiz;
        startQuestion(game, 6, 1);
        // One more second would be the time-out, were the clock still running.
        tickUntil(quiz, 0, 1);
        quiz.Timer1->setInterval(1);
        const QPointer<QTimer> clock = quiz.Timer1;

        quiz.Cm6_Click();
        QVERIFY(!clock.isNull() && !clock->isActive());
        QVERIFY(!quiz.isOpen());
        QVERIFY(game.start.isOpen());
        QTest::qWait(50);
        QVERIFY(game.services.messages.isEmpty());
        QCOMPARE(game.services.endCount, 0);
        QVERIFY(game.start.isOpen());
    }

    void theRealTimersTickTheClockAndFinishTheClearing() {
        TestProgram game;
        Form2 &quiz = game.quiz;
        game.openQuiz(name);
        quiz.Timer1->setInterval(5);
        quiz.Timer2->setInterval(5);
        quiz.Cm1_Click();
        QTRY_VERIFY(quiz.LB1->caption().startsWith(QStringLiteral("น้อง ต้น\r\n เหลือยเวลา 29 นาที ")));
        QTRY_VERIFY(quiz.game().secondsLeft() <= 55);

        askQuestion(game, {12});
        enterRightAnswers(quiz);
        quiz.Cm3_Click();
        QVERIFY(!quiz.Cm4->isEnabled());
        QTRY_VERIFY(quiz.Cm4->isEnabled());
        QVERIFY(!quiz.Timer2->isActive());
        QCOMPARE(quiz.clearTick(), 0);
        for (Picture *picture : quiz.Im1)
            QVERIFY(picture->isHidden());
        QCOMPARE(quiz.LB2->caption(), scoreText(1, 1, 0, 1));
        QVERIFY(quiz.Timer1->isActive());
        QVERIFY(game.services.messages.isEmpty());
        quiz.Cm6_Click();
    }

    void withoutACountdownTheClockLineShowsTheTimeUsedAndTheGameCannotBeLostOnTime() {
        TestProgram game;
        Form2 &quiz = game.quiz;
        startGame(game, 3, 0);
        for (int tick = 1; tick <= 125 * 60 + 7; ++tick)
            quiz.Timer1_Timer();
        QCOMPARE(quiz.LB1->caption(), QStringLiteral("น้อง ต้น\r\n ใช้เวลาไป 125 นาที 7 วินาที"));
        QVERIFY(game.services.messages.isEmpty());

        // The praise after the last question shows the time used likewise.
        playQuestions(quiz, 51, true);
        QCOMPARE(game.services.messages.size(), 1);
        QVERIFY(
            game.services.messages[0].contains(QStringLiteral("\r\n ใช้เวลาไป 125 นาที 7 วินาที\r\n")));
        QVERIFY(!quiz.isOpen());
        QVERIFY(game.start.isOpen());
    }
};

QTEST_MAIN(ClockTest)
#include "test_clock.moc"
