// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The game as a native Wayland client: one round of play on a real
// compositor, driven from inside with mouse events on the shown windows,
// since a Wayland client cannot learn where its window is on the screen and
// nothing outside the program can move the pointer into it. The functions
// run in order and carry one program from the start screen through two games.
#include "support/question_cycle.h"
#include "support/warning_log.h"

#include "platform/controls.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <QtTest>

#include <memory>

using namespace lumo;
using namespace lumo::test;

namespace {

QPoint centreIn(QWidget *window, QWidget *control) {
    return control->mapTo(window, control->rect().center());
}

void clickOn(QWidget *control) {
    QWidget *window = control->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, centreIn(window, control));
}

} // namespace

class WaylandTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TestProgram> game;
    std::unique_ptr<WarningLog> warnings;

    Form1 &start() { return game->start; }
    Form2 &quiz() { return game->quiz; }

    // A tile carried to the centre of a slot with a press, two moves and a
    // release, as the compositor would deliver them to the window.
    void dragTile(int digit, Label *slot) {
        QWidget *window = quiz().window();
        QWindow *handle = window->windowHandle();
        const QPoint from = centreIn(window, quiz().LB[digit]);
        const QPoint to = centreIn(window, slot);
        QTest::mousePress(handle, Qt::LeftButton, {}, from);
        QTest::mouseMove(handle, (from + to) / 2);
        QTest::mouseMove(handle, to);
        QTest::mouseRelease(handle, Qt::LeftButton, {}, to);
    }

    // Two clicks on the host: the name prompt (answered by the fake), then
    // the quiz, shown on the compositor in place of the start screen.
    void intoTheQuiz() {
        QVERIFY(QTest::qWaitForWindowExposed(start().window()));
        clickOn(start().Im1);
        clickOn(start().Im1);
        settle();
        QVERIFY(!start().isOpen());
        QVERIFY(quiz().isOpen());
        QVERIFY(QTest::qWaitForWindowExposed(quiz().window()));
    }

    // After the quiz closes the start screen is the one open screen.
    void backAtTheStart() {
        settle();
        QVERIFY(!quiz().isOpen());
        QVERIFY(start().isOpen());
        QCOMPARE(game->host.openScreens(), 1);
        QVERIFY(QTest::qWaitForWindowExposed(start().window()));
        QCOMPARE(game->services.endCount, 0);
    }

  private slots:
    void initTestCase() {
        setUpApplication(*qApp);
        // Run on any other platform this test would prove nothing.
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
        warnings = std::make_unique<WarningLog>();
        game = std::make_unique<TestProgram>();
        // A remembered place on the screen, which a Wayland client can only
        // ask for: the compositor places the window, and Qt must not warn.
        game->services.settingsFile.setValue(QStringLiteral("window/geometry"),
                                             QRect(600, 400, 793, 593));
    }

    // A warning from Qt's Wayland layer points at something the program
    // asks of the window system that Wayland does not give.
    void cleanup() {
        QVERIFY2(warnings->warnings().isEmpty(),
                 qPrintable(warnings->warnings().join(QLatin1Char('\n'))));
    }

    void cleanupTestCase() {
        game.reset();
        warnings.reset();
    }

    void theHostLeadsFromTheStartScreenIntoTheQuiz() {
        game->services.promptAnswers.push_back(QStringLiteral("ต้น"));
        start().show();
        intoTheQuiz();
        QCOMPARE(game->services.prompts.size(), size_t(1));
        QCOMPARE(quiz().window()->scale(), 1.0);
    }

    void aDraggedTileFillsASlotAndAClickedPictureCounts() {
        clickOn(quiz().Cm1);
        QVERIFY(quiz().Timer1->isActive());
        QCOMPARE(quiz().game().playerName(), QStringLiteral("ต้น"));
        scriptQuestion(game->services, {12});
        clickOn(quiz().Cm4);
        QCOMPARE(quiz().game().question().counts[0], 12);

        dragTile(1, quiz().LB6);
        dragTile(2, quiz().LB7);
        QCOMPARE(quiz().LB6->caption(), QStringLiteral("1"));
        QCOMPARE(quiz().LB7->caption(), QStringLiteral("2"));

        clickOn(quiz().Im1[4]);
        QVERIFY(quiz().Im1[4]->isHidden());
        QCOMPARE(quiz().LB4->caption(), QStringLiteral("1"));
    }

    void theCheckMarksTheAnswerRightAndLeavingReturnsToTheStart() {
        clickOn(quiz().Cm3);
        QCOMPARE(quiz().game().rightCount(), 1);
        QCOMPARE(quiz().game().wrongCount(), 0);
        QCOMPARE(quiz().LB2->caption(), scoreText(1, 1, 0, 1));

        clickOn(quiz().Cm6);
        QCOMPARE(quiz().game().outcome(), Form2::Outcome::Left);
        backAtTheStart();
    }

    void aGameOutOfTimeEndsOnTheStartScreenAndTheProgramGoesOn() {
        quiz().setRules({1, 1});
        intoTheQuiz();
        clickOn(quiz().Cm1);
        for (int tick = 0; tick < 120 && quiz().isOpen(); ++tick)
            quiz().Timer1_Timer();
        QCOMPARE(quiz().game().outcome(), Form2::Outcome::TimeOut);
        QCOMPARE(game->services.messages.size(), 1);
        backAtTheStart();
    }

    void atOneAndAHalfTimesTheSizeDragsAndClicksStillLand() {
        quiz().setRules({});
        intoTheQuiz();
        ScreenWindow *window = quiz().window();
        // Taller than the layout's shape, so the layout is centred with margins.
        const QSize design = window->designSize();
        const QSize size(design.width() * 3 / 2, design.height() * 3 / 2 + 80);
        window->resize(size);
        QTRY_COMPARE(window->windowHandle()->size(), size);
        QTRY_VERIFY(qAbs(window->scale() - 1.5) < 0.01);
        QCOMPARE(window->stage()->pos(), QPoint(0, 40));

        clickOn(quiz().Cm1);
        scriptQuestion(game->services, {7});
        clickOn(quiz().Cm4);
        dragTile(7, quiz().LB7);
        QCOMPARE(quiz().LB7->caption(), QStringLiteral("7"));
        clickOn(quiz().Im1[6]);
        QVERIFY(quiz().Im1[6]->isHidden());
        QCOMPARE(quiz().LB4->caption(), QStringLiteral("1"));
    }

    // Fullscreen is the compositor's to grant: the size arrives with its
    // answer, and the layout must follow it there and back.
    void inFullscreenTheLayoutFillsTheOutputAndADropStillLands() {
        ScreenWindow *window = quiz().window();
        const QSize before = window->size();
        const QSize output = window->screen()->geometry().size();
        game->host.placement().toggleFullScreen(window);
        QTRY_COMPARE(window->size(), output);
        QTRY_COMPARE(window->scale(), ScreenWindow::scaleFor(output, window->designSize()));
        QCOMPARE(window->stage()->geometry().center(), window->rect().center());
        dragTile(3, quiz().LB7);
        QCOMPARE(quiz().LB7->caption(), QStringLiteral("3"));

        game->host.placement().toggleFullScreen(window);
        QTRY_COMPARE(window->size(), before);
        QVERIFY(!window->isFullScreen());
    }
};

QTEST_MAIN(WaylandTest)
#include "test_wayland.moc"
