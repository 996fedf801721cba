// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Answering without a keyboard: digit tiles dragged onto the answer slots
// with real presses, moves and releases on the shown window, and pictures
// clicked away to count them.
#include "support/question_cycle.h"

#include "platform/controls.h"

#include <QWindow>
#include <QtTest>

#include <memory>

using namespace lumo;
using namespace lumo::test;

class AnswerEntryTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TestProgram> game;

    Form2 &quiz() { return game->quiz; }
    QWidget *window() { return game->quiz.window(); }
    QWidget *outline() { return window()->findChild<QWidget *>(QStringLiteral("dragOutline")); }
    QPoint centreOf(QWidget *control) { return control->mapTo(window(), control->rect().center()); }

    // Mouse input as the window system delivers it, in window coordinates.
    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(window()->windowHandle(), button, {}, at);
    }
    void moveTo(QPoint at) { QTest::mouseMove(window()->windowHandle(), at); }
    void release(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(window()->windowHandle(), button, {}, at);
    }
    void dragTile(int digit, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
        const QPoint from = centreOf(quiz().LB[digit]);
        press(from, button);
        moveTo((from + to) / 2);
        moveTo(to);
        release(to, button);
    }

    // A new game at `level`, its clock started and its first question asked.
    void askQuestion(int level, const QList<int> &counts) {
        game = std::make_unique<TestProgram>();
        startGame(*game, level);
        QVERIFY(QTest::qWaitForWindowExposed(window()));
        lumo::test::askQuestion(*game, counts, {4, 9, 13, 21});
    }
    // Level 2, groups of 5 and 12: the slots LB7, LB8, LB9, LB14 and LB15 are on view.
    void askLevelTwoQuestion() { askQuestion(2, {5, 12}); }

    QStringList slotCaptions() {
        QStringList captions;
        for (const Label *slot : quiz().answerSlots())
            captions << slot->caption();
        return captions;
    }
    QStringList emptySlots() { return QStringList(10, QString()); }

  private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void init() {
        game = std::make_unique<TestProgram>();
        game->openQuiz();
        QVERIFY(QTest::qWaitForWindowExposed(window()));
        quiz().Cm1_Click();
    }

    void cleanup() { game.reset(); }

    void tilesDroppedOnVisibleSlotsWriteTheirDigitsAndOneTileMayFillSeveralSlots() {
        askLevelTwoQuestion();
        for (Label *slot : {quiz().LB7, quiz().LB9, quiz().LB15})
            dragTile(4, centreOf(slot));
        QCOMPARE(quiz().dragDigit(), QStringLiteral("4"));
        dragTile(1, centreOf(quiz().LB8));
        dragTile(0, quiz().LB14->mapTo(window(), QPoint(1, 1)));
        QCOMPARE(quiz().dragDigit(), QStringLiteral("0"));
        QCOMPARE(slotCaptions(), (QStringList{"", "4", "1", "4", "", "", "", "", "0", "4"}));
        QVERIFY(outline()->isHidden());
    }

    void aSecondDropOnASlotReplacesItsDigit() {
        askLevelTwoQuestion();
        dragTile(7, centreOf(quiz().LB7));
        QCOMPARE(quiz().LB7->caption(), QStringLiteral("7"));
        dragTile(3, centreOf(quiz().LB7));
        QCOMPARE(quiz().LB7->caption(), QStringLiteral("3"));
    }

    void dropsAnywhereButOnAVisibleSlotChangeNothing_data() {
        QTest::addColumn<QString>("target");
        for (const char *target :
             {"hidden tens slot", "hidden slot of group 3", "picture", "other tile", "same tile",
              "message label", "click counter", "enabled button", "disabled button",
              "window background", "outside the window"})
            QTest::newRow(target) << QString::fromLatin1(target);
    }

    void dropsAnywhereButOnAVisibleSlotChangeNothing() {
        QFETCH(QString, target);
        askLevelTwoQuestion();
        Form2 &q = quiz();
        const QHash<QString, QPoint> places{
            {"hidden tens slot", centreOf(q.LB6)},
            {"hidden slot of group 3", centreOf(q.LB11)},
            {"picture", centreOf(q.Im1[0])},
            {"other tile", centreOf(q.LB[2])},
            {"same tile", centreOf(q.LB[5])},
            {"message label", centreOf(q.LB3)},
            {"click counter", centreOf(q.LB4)},
            {"enabled button", centreOf(q.Cm3)},
            {"disabled button", centreOf(q.Cm4)},
            {"window background", QPoint(92, 200)},
            {"outside the window", QPoint(-30, window()->height() + 30)}};
        QVERIFY(q.LB6->isHidden() && q.LB11->isHidden());
        QCOMPARE(window()->childAt(places["window background"]), quiz().window()->stage());

        dragTile(5, places[target]);
        QCOMPARE(q.dragDigit(), QStringLiteral("5"));
        QCOMPARE(slotCaptions(), emptySlots());
        QVERIFY(q.LB4->caption().isEmpty());
        QCOMPARE(q.clickCount(), (std::array<Form2::Integer, 4>{}));
        QVERIFY(!q.Im1[0]->isHidden());
        QVERIFY(q.Cm3->isEnabled()); // not pressed: the check has not run
        QCOMPARE(q.game().wrongCount(), 0);
        QVERIFY(outline()->isHidden());
    }

    void disabledTilesStartNoDrag() {
        // Clock running, no question yet.
        press(centreOf(quiz().LB[5]));
        moveTo(centreOf(quiz().LB7));
        QVERIFY(outline()->isHidden());
        release(centreOf(quiz().LB7));
        QVERIFY(quiz().dragDigit().isEmpty());
        QCOMPARE(slotCaptions(), emptySlots());

        // Board clearing after a check.
        askLevelTwoQuestion();
        quiz().Cm3_Click();
        press(centreOf(quiz().LB[6]));
        moveTo(centreOf(quiz().LB9));
        QVERIFY(outline()->isHidden());
        release(centreOf(quiz().LB9));
        QVERIFY(quiz().dragDigit().isEmpty());
        QVERIFY(!slotCaptions().contains(QStringLiteral("6")));
    }

    void theOutlineFollowsThePointerWhileTheTileStaysInPlace() {
        askLevelTwoQuestion();
        Label *tile = quiz().LB[3];
        const QRect tilePlace = tile->geometry();
        const QPoint grab(8, 10);
        const QPoint start = tile->mapTo(window(), grab);
        press(start);
        QVERIFY(outline()->isVisible());
        QCOMPARE(outline()->parentWidget(), window());
        QCOMPARE(outline()->size(), tile->size());
        QCOMPARE(outline()->pos(), start - grab);

        for (const QPoint &to :
             {centreOf(quiz().LB3), centreOf(quiz().Im2[7]), centreOf(quiz().LB9)}) {
            moveTo(to);
            QVERIFY(outline()->isVisible());
            QCOMPARE(outline()->pos(), to - grab);
            QCOMPARE(tile->geometry(), tilePlace);
            QVERIFY(tile->isVisible());
        }
        release(centreOf(quiz().LB9));
        QVERIFY(outline()->isHidden());
        QCOMPARE(quiz().LB9->caption(), QStringLiteral("3"));
        QCOMPARE(tile->geometry(), tilePlace);
    }

    void clockTicksDuringADragDoNotDisturbIt() {
        askLevelTwoQuestion();
        press(centreOf(quiz().LB[6]));
        moveTo(centreOf(quiz().LB3));
        quiz().Timer1_Timer();
        quiz().Timer1_Timer();
        QCOMPARE(quiz().game().secondsLeft(), 58);
        QVERIFY(outline()->isVisible());
        moveTo(centreOf(quiz().LB15));
        QCOMPARE(outline()->pos(), centreOf(quiz().LB15) - quiz().LB[6]->rect().center());
        release(centreOf(quiz().LB15));
        QCOMPARE(quiz().LB15->caption(), QStringLiteral("6"));
        QVERIFY(outline()->isHidden());
    }

    void everyDragEndsInExactlyOneDropAtItsRelease() {
        askLevelTwoQuestion();
        dragTile(7, centreOf(quiz().LB7));
        QCOMPARE(quiz().LB7->caption(), QStringLiteral("7"));
        // A late second drop would write the 7 again over this.
        quiz().LB7->setCaption(QStringLiteral("x"));
        QTest::qWait(20);
        QCOMPARE(quiz().LB7->caption(), QStringLiteral("x"));
        quiz().LB7->setCaption(QStringLiteral("7"));

        // After the release the pointer drags nothing.
        moveTo(centreOf(quiz().LB9));
        QTest::qWait(20);
        QVERIFY(outline()->isHidden());
        QVERIFY(quiz().LB9->caption().isEmpty());

        // A press on a label that is no tile starts no drag.
        press(centreOf(quiz().LB3));
        moveTo(centreOf(quiz().LB9));
        release(centreOf(quiz().LB9));
        QVERIFY(quiz().LB9->caption().isEmpty());

        // Any mouse button drags; a drag ended outside the window leaves nothing behind.
        dragTile(8, QPoint(-40, -40), Qt::RightButton);
        dragTile(2, centreOf(quiz().LB15), Qt::RightButton);
        QCOMPARE(slotCaptions(), (QStringList{"", "7", "", "", "", "", "", "", "", "2"}));
    }

    void clickingAPictureHidesItAndCountsItInItsOwnGroupsCounter() {
        askQuestion(4, {6, 5, 4, 3});
        Form2 &q = quiz();
        for (int k = 0; k < 5; ++k)
            q.Im1_Click(k);
        QCOMPARE(q.LB4->caption(), QStringLiteral("5"));
        for (int k = 0; k < 6; ++k)
            QCOMPARE(q.Im1[k]->isHidden(), k < 5);

        q.Im3_Click(0);
        q.Im3_Click(3);
        QCOMPARE(q.Label16->caption(), QStringLiteral("2"));
        QVERIFY(q.Label14->caption().isEmpty());
        q.Im4_Click(2);
        QCOMPARE(q.Label14->caption(), QStringLiteral("1"));
        q.Im2_Click(4);
        QCOMPARE(q.Label6->caption(), QStringLiteral("1"));
        QCOMPARE(q.clickCount(), (std::array<Form2::Integer, 4>{5, 1, 2, 1}));

        // A picture counts once, and pictures that the question does not show never.
        q.Im1_Click(0);
        q.Im2_Click(10);
        q.Im4_Click(14);
        QCOMPARE(q.clickCount(), (std::array<Form2::Integer, 4>{5, 1, 2, 1}));
        QCOMPARE(q.LB4->caption(), QStringLiteral("5"));
        QCOMPARE(q.Label6->caption(), QStringLiteral("1"));
        QCOMPARE(q.Label14->caption(), QStringLiteral("1"));
        QCOMPARE(slotCaptions(), emptySlots());
    }

    void realClicksOnAShownPictureCountItAndTheEmptyPlaceTakesNone() {
        askQuestion(4, {6, 5, 4, 3});
        const QPoint place = centreOf(quiz().Im2[4]);
        QTest::mouseClick(window()->windowHandle(), Qt::LeftButton, {}, place);
        QVERIFY(quiz().Im2[4]->isHidden());
        QCOMPARE(quiz().Label6->caption(), QStringLiteral("1"));
        QTest::mouseClick(window()->windowHandle(), Qt::LeftButton, {}, place);
        QTest::mouseClick(window()->windowHandle(), Qt::LeftButton, {}, centreOf(quiz().Im3[3]));
        QCOMPARE(quiz().clickCount(), (std::array<Form2::Integer, 4>{0, 1, 1, 0}));
        QCOMPARE(quiz().Label16->caption(), QStringLiteral("1"));
    }

    void picturesCanBeClickedDuringTheBoardClearing() {
        askQuestion(1, {15});
        quiz().Cm3_Click();
        QTest::mouseClick(window()->windowHandle(), Qt::LeftButton, {}, centreOf(quiz().Im1[10]));
        QVERIFY(quiz().Im1[10]->isHidden());
        QCOMPARE(quiz().clickCount()[0], 1);
        QCOMPARE(quiz().LB4->caption(), QStringLiteral("1"));

        quiz().Timer2_Timer();
        QCOMPARE(quiz().clickCount()[0], 0);
        quiz().Im1_Click(11);
        QVERIFY(quiz().Im1[11]->isHidden());
        QCOMPARE(quiz().clickCount()[0], 1);
        QCOMPARE(quiz().LB4->caption(), QStringLiteral("1"));
    }
};

QTEST_MAIN(AnswerEntryTest)
#include "test_answer_entry.moc"
