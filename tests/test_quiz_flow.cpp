// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The quiz screen's game flow: its opening, the four buttons whose enabled
// states make up the game's state machine, leaving, and opening it again.
#include "support/question_cycle.h"

#include "platform/controls.h"

#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <QtTest>

using namespace lumo;
using namespace lumo::test;

namespace {

const QString readyText =
    QStringLiteral("พร้อมเริ่มบททดสอบ คณิตสาสตร์ หรือยังครับถ้าพร้อมแล้ว กดปุ่มเพื่อเริ่มจับเวลา ได้แล้วครับ");
const QString scoreBoardAtOpening = QStringLiteral("ถ้าพร้อมแล้ว กดปุ่มเพื่อเริ่มจับเวลา ได้แล้วค่ะ");
const QString firstQuestionPrompt = QStringLiteral("กดปุ่มมุมขวาล่าง เพื่อเริ่มทำข้อแรก");
const QString levelOneHint = QStringLiteral(
    "นำตัวเลขจากข้างล่างนี้ไปใส่ในกรอบ ซ้ายมือบนครับ หรือจะคลิกที่รูป เพื่อนับดูให้แน่ใจว่ามีรูปเท่าไหร่ก็ได้ครับ");

const QString opened =
    QStringLiteral("Cm1 on, Cm4 off, Cm3 off, Cm6 on, tiles off, Timer1 stopped, Timer2 stopped");
const QString clockRunning =
    QStringLiteral("Cm1 off, Cm4 on, Cm3 off, Cm6 on, tiles off, Timer1 running, Timer2 stopped");
const QString answering =
    QStringLiteral("Cm1 off, Cm4 off, Cm3 on, Cm6 on, tiles on, Timer1 running, Timer2 stopped");
const QString clearing =
    QStringLiteral("Cm1 off, Cm4 off, Cm3 off, Cm6 on, tiles off, Timer1 running, Timer2 running");

// Which of the controls that make up the game's state are enabled or running.
QString state(const Form2 &quiz) {
    const auto on = [](const QWidget *w) { return w->isEnabled() ? "on" : "off"; };
    const auto runs = [](const QTimer *t) { return t->isActive() ? "running" : "stopped"; };
    int enabledTiles = 0;
    for (const Label *tile : quiz.LB)
        enabledTiles += tile->isEnabled();
    const QString tiles = enabledTiles == 10 ? "on" : enabledTiles == 0 ? "off" : "mixed";
    return QStringLiteral("Cm1 %1, Cm4 %2, Cm3 %3, Cm6 %4, tiles %5, Timer1 %6, Timer2 %7")
        .arg(on(quiz.Cm1), on(quiz.Cm4), on(quiz.Cm3), on(quiz.Cm6), tiles, runs(quiz.Timer1),
             runs(quiz.Timer2));
}

// A real click, routed by the window to the control under the pointer.
void clickOn(QWidget *control) {
    QWidget *window = control->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      control->mapTo(window, control->rect().center()));
}

// Steps a fresh game forward to one of its four states.
void bringTo(TestProgram &game, const QString &wanted) {
    game.openQuiz();
    Form2 &quiz = game.quiz;
    if (wanted == opened)
        return;
    quiz.Cm1_Click();
    if (wanted == clockRunning)
        return;
    quiz.Cm4_Click();
    if (wanted == answering)
        return;
    quiz.Cm3_Click();
}

// Notes, at the moment the start screen's window appears, whether the quiz is still open.
class StartScreenWatcher : public QObject {
  public:
    explicit StartScreenWatcher(const Form2 &quiz) : quiz_(quiz) { qApp->installEventFilter(this); }
    ~StartScreenWatcher() override { qApp->removeEventFilter(this); }
    int shown = 0;
    bool quizOpenWhenShown = false;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Show && watched->objectName() == QLatin1String("Form1")) {
            ++shown;
            quizOpenWhenShown = quiz_.isOpen();
        }
        return false;
    }

  private:
    const Form2 &quiz_;
};

} // namespace

class QuizFlowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void openingStartsAFreshGameWithTheNameInItsGreeting_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("a name") << QStringLiteral("ต้น");
        QTest::newRow("no name") << QString();
    }

    void openingStartsAFreshGameWithTheNameInItsGreeting() {
        QFETCH(QString, name);
        TestProgram game;
        game.openQuiz(name);
        Form2 &quiz = game.quiz;

        QCOMPARE(quiz.LB1->caption(), name);
        QCOMPARE(quiz.LB2->caption(), scoreBoardAtOpening);
        QCOMPARE(quiz.LB3->caption(),
                 QStringLiteral("สวัสดีครับ น้อง ") + name + QStringLiteral("\r\n") + readyText);
        QVERIFY(quiz.dragDigit().isEmpty());
        QCOMPARE(quiz.clearTick(), 0);
        QCOMPARE(quiz.clickCount(), (std::array<Form2::Integer, 4>{}));
        QCOMPARE(quiz.game().phase(), quiz::Game::Phase::Opened);
        QCOMPARE(quiz.game().questionNo(), 0);
        QCOMPARE(game.services.seedCount, 1);
        QCOMPARE(game.services.randomCalls, 0);

        QCOMPARE(state(quiz), opened);
        QCOMPARE(quiz.Timer1->interval(), 1000);
        QCOMPARE(quiz.Timer2->interval(), 200);
        QCOMPARE(quiz.window()->focusWidget(), quiz.Cm6);
    }

    void startingTheClockTakesTheNameAndShowsTheScoreLineOfQuestionZero() {
        TestProgram game;
        game.openQuiz(QStringLiteral("ต้น"));
        Form2 &quiz = game.quiz;
        clickOn(quiz.Cm1);

        QCOMPARE(state(quiz), clockRunning);
        QCOMPARE(quiz.game().playerName(), QStringLiteral("ต้น"));
        QCOMPARE(quiz.LB2->caption(), QStringLiteral("ข้อที่ 0 ทำถูก 0 ทำผิด 0 ระดับ 1"));
        QCOMPARE(quiz.LB3->caption(), firstQuestionPrompt);
        QCOMPARE(game.services.randomCalls, 0);
        // The name was taken before the clock's first tick overwrites LB1.
        quiz.Timer1_Timer();
        QCOMPARE(quiz.LB1->caption(), QStringLiteral("น้อง ต้น\r\n เหลือยเวลา 29 นาที 59 วินาที"));
    }

    void nextQuestionDrawsFourPictureNumbersFirstThenBuildsTheQuestion() {
        TestProgram game;
        bringTo(game, clockRunning);
        Form2 &quiz = game.quiz;
        // Two groups may get the same number; the fifth draw is group 1's size.
        game.services.scriptedRandoms = {0.0, 0.999999, 0.5, 0.5, FakeServices::sizeDraw(6)};
        clickOn(quiz.Cm4);

        QCOMPARE(quiz.game().iconNumber(), (std::array<Form2::Integer, 4>{1, 30, 16, 16}));
        QCOMPARE(quiz.game().groupTop1(), 5);
        QCOMPARE(game.services.randomCalls, 5);
        QCOMPARE(quiz.LB2->caption(), QStringLiteral("ข้อที่ 1 ทำถูก 0 ทำผิด 0 ระดับ 1"));
        QCOMPARE(quiz.LB3->caption(), levelOneHint);
        QCOMPARE(state(quiz), answering);

        // Unscripted draws stay within 1..30.
        for (int question = 2; question <= 30; ++question) {
            finishQuestion(quiz);
            quiz.Cm4_Click();
            for (Form2::Integer number : quiz.game().iconNumber())
                QVERIFY2(number >= 1 && number <= 30, qPrintable(QString::number(number)));
        }
        QCOMPARE(quiz.LB2->caption(), QStringLiteral("ข้อที่ 30 ทำถูก 0 ทำผิด 37 ระดับ 2"));
    }

    void eachLevelShowsItsOwnHint_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("hint");
        const QString bonus = QStringLiteral(
            "ถ้าน้อง ตอบผลรวมของทั้งหมดได้ จะได้คะแนนเพิ่มอีก %1 คะแนน ครับ แต่ถ้าตอบผิด จะถูกหัก 1 คะแนนครับ");
        QTest::newRow("1") << 1 << levelOneHint;
        QTest::newRow("2") << 2 << bonus.arg(2);
        QTest::newRow("3") << 3 << bonus.arg(3);
        QTest::newRow("4") << 4 << bonus.arg(4);
    }

    void eachLevelShowsItsOwnHint() {
        QFETCH(int, level);
        QFETCH(QString, hint);
        TestProgram game;
        startGame(game, level);
        game.quiz.Cm4_Click();
        QCOMPARE(game.quiz.LB3->caption(), hint);
        QCOMPARE(game.services.randomCalls, 4 + level);
        QCOMPARE(state(game.quiz), answering);
    }

    void checkingDisablesItselfAndTheTilesMarksAtOnceAndStartsTheClearing() {
        TestProgram game;
        bringTo(game, clockRunning);
        Form2 &quiz = game.quiz;
        game.services.scriptedRandoms = {0.1, 0.2, 0.3, 0.4, FakeServices::sizeDraw(7)};
        quiz.Cm4_Click();
        clickOn(quiz.Cm3);

        QCOMPARE(state(quiz), clearing);
        // Nothing entered: the answer is marked wrong before the first clearing step.
        QCOMPARE(quiz.LB2->caption(), QStringLiteral("ข้อที่ 1 ทำถูก 0 ทำผิด 1 ระดับ 1"));
        QCOMPARE(quiz.LB3->caption(), QStringLiteral("คำตอบที่ถูก คือ 7 ครับ "));
        QCOMPARE(quiz.clearTick(), 0);
        QCOMPARE(quiz.LB7->caption(), QStringLiteral("0"));
    }

    void theButtonsLeadRoundTheQuestionCycleAndClicksOnDisabledControlsDoNothing() {
        TestProgram game;
        bringTo(game, opened);
        Form2 &quiz = game.quiz;
        const auto clickAllDisabled = [&quiz] {
            for (QWidget *control : std::initializer_list<QWidget *>{quiz.Cm1, quiz.Cm3, quiz.Cm4})
                if (!control->isEnabled())
                    clickOn(control);
            for (Label *tile : quiz.LB)
                if (!tile->isEnabled())
                    clickOn(tile);
        };

        clickAllDisabled();
        QCOMPARE(state(quiz), opened);
        QCOMPARE(game.services.randomCalls, 0);
        QCOMPARE(quiz.LB2->caption(), scoreBoardAtOpening);

        clickOn(quiz.Cm1);
        clickAllDisabled();
        QCOMPARE(state(quiz), clockRunning);
        QCOMPARE(quiz.game().questionNo(), 0);
        QCOMPARE(quiz.LB3->caption(), firstQuestionPrompt);

        clickOn(quiz.Cm4);
        clickAllDisabled();
        QCOMPARE(state(quiz), answering);
        QCOMPARE(quiz.game().questionNo(), 1);
        QCOMPARE(game.services.randomCalls, 5);

        clickOn(quiz.Cm3);
        clickAllDisabled();
        QCOMPARE(state(quiz), clearing);
        QCOMPARE(quiz.game().wrongCount(), 1);
        QVERIFY(quiz.dragDigit().isEmpty());

        for (int tick = 0; tick < 15; ++tick)
            quiz.Timer2_Timer();
        QCOMPARE(state(quiz), clockRunning);
        clickOn(quiz.Cm4);
        QCOMPARE(state(quiz), answering);
        QCOMPARE(quiz.LB2->caption(), QStringLiteral("ข้อที่ 2 ทำถูก 0 ทำผิด 1 ระดับ 1"));
    }

    void leavingFromAnyStateShowsTheStartScreenThenClosesTheQuiz_data() {
        QTest::addColumn<QString>("from");
        QTest::newRow("opened") << opened;
        QTest::newRow("clock running") << clockRunning;
        QTest::newRow("answering") << answering;
        QTest::newRow("board clearing") << clearing;
    }

    void leavingFromAnyStateShowsTheStartScreenThenClosesTheQuiz() {
        QFETCH(QString, from);
        TestProgram game;
        bringTo(game, from);
        QCOMPARE(state(game.quiz), from);
        const QPointer<QTimer> clock = game.quiz.Timer1;
        const QPointer<QTimer> clearingTimer = game.quiz.Timer2;
        ScreenWindow *const quizWindow = game.quiz.window();
        const QPointer<QWidget> quizControls = quizWindow->stage();
        const quiz::Game &model = game.quiz.game();
        const int seconds = model.secondsUsed();
        const Form2::Integer column = game.quiz.clearTick();

        StartScreenWatcher watcher(game.quiz);
        clickOn(game.quiz.Cm6);

        QCOMPARE(watcher.shown, 1);
        QVERIFY(watcher.quizOpenWhenShown);
        QVERIFY(!game.quiz.isOpen());
        QVERIFY(game.start.isOpen());
        QVERIFY(game.start.window()->isVisible());
        QVERIFY(!clock || !clock->isActive());
        QVERIFY(!clearingTimer || !clearingTimer->isActive());
        QVERIFY(!quizWindow->isVisible());
        QTRY_VERIFY(!quizControls);
        QTest::qWait(250);
        QCOMPARE(model.secondsUsed(), seconds);
        QCOMPARE(game.quiz.clearTick(), column);
        QCOMPARE(model.phase(), quiz::Game::Phase::Over);
        QCOMPARE(game.services.endCount, 0);
        QVERIFY(game.services.messages.isEmpty());
    }

    void reopeningTheQuizInOneRunStartsAFreshGame() {
        TestProgram game;
        game.services.promptAnswers = {QStringLiteral("ต้น"), QStringLiteral("มะลิ")};
        game.start.show();
        game.start.Im1_Click();
        game.start.Im1_Click();
        Form2 &quiz = game.quiz;
        bringTo(game, clearing);
        quiz.Timer1_Timer();
        quiz.Im1_Click(0);
        clickOn(quiz.Cm6);

        game.start.Im1_Click();
        game.start.Im1_Click();
        QVERIFY(quiz.isOpen());
        QCOMPARE(quiz.LB1->caption(), QStringLiteral("มะลิ"));
        QCOMPARE(quiz.game().questionNo(), 0);
        QCOMPARE(quiz.game().phase(), quiz::Game::Phase::Opened);
        QCOMPARE(quiz.clearTick(), 0);
        QCOMPARE(quiz.clickCount(), (std::array<Form2::Integer, 4>{}));
        QCOMPARE(game.services.seedCount, 2);
        QCOMPARE(state(quiz), opened);
        QCOMPARE(quiz.LB2->caption(), scoreBoardAtOpening);
        QVERIFY(quiz.LB7->caption().isEmpty());
        QVERIFY(quiz.LB4->caption().isEmpty());
        QVERIFY(quiz.Im1[1]->isHidden());
        QCOMPARE(quiz.window()->focusWidget(), quiz.Cm6);
    }
};

QTEST_MAIN(QuizFlowTest)
#include "test_quiz_flow.moc"
