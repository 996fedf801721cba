// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Playing without a pointer: digits of every keyboard typed into the
// focused slot, the focus chain and the ring that shows it, counting a
// picture row from the keyboard, and the start screen by keyboard.
#include "support/keyboard_play.h"
#include "support/question_cycle.h"

#include "platform/controls.h"
#include "platform/focus_group.h"
#include "platform/focus_ring.h"
#include "platform/keyboard.h"

#include <QtTest>

#include <memory>

using namespace lumo;
using namespace lumo::test;

Q_DECLARE_METATYPE(lumo::test::DigitKeys)
Q_DECLARE_METATYPE(lumo::ScanCodes)

class KeyboardEntryTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TestProgram> game;

    QWidget *window() { return game->quiz.window(); }
    QWidget *focus() { return window()->focusWidget(); }
    void key(int k, Qt::KeyboardModifiers modifiers = {}) { sendKey(window(), k, modifiers); }

    // The quiz opened for a game at `level`, its window active.
    void openQuiz(int level) {
        game = std::make_unique<TestProgram>();
        game->quiz.setRules({level, quiz::defaultClockMinutes});
        game->openQuiz();
        QVERIFY(QTest::qWaitForWindowActive(window()));
    }

    // Whether the focus ring is drawn around `control`, outside its edges.
    bool ringAround(QWidget *control) {
        const auto *ring = window()->findChild<Ring *>(QStringLiteral("focusRing"));
        const QRect place(control->mapTo(window(), QPoint(0, 0)), control->size());
        return ring && ring->isVisible() && ring->target() == control &&
               ring->geometry().contains(place) && ring->geometry() != place;
    }

  private slots:
    void initTestCase() { setUpApplication(*qApp); }
    void cleanup() {
        game.reset();
        settle();
    }

    void aKeyStandsForTheDigitOnItsKeyCap_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("scanCode");
        QTest::addColumn<ScanCodes>("codes");
        QTest::addColumn<int>("digit");
        const int none = Qt::NoModifier;
        const ScanCodes x11 = ScanCodes::Linux, unknown = ScanCodes::Unknown;
        QTest::newRow("number row 7") << int(Qt::Key_7) << none << "7" << 16u << x11 << 7;
        QTest::newRow("keypad 3") << int(Qt::Key_3) << int(Qt::KeypadModifier) << "3" << 89u << x11
                                  << 3;
        QTest::newRow("Thai digit ๙") << 0x0E59 << int(Qt::ShiftModifier) << "๙" << 81u << x11 << 9;
        QTest::newRow("Thai digit ๐, no scan code") << 0x0E50 << none << "๐" << 0u << unknown << 0;
        QTest::newRow("Thai layout 4 (ภ) on X11") << 0x0E20 << none << "ภ" << 13u << x11 << 4;
        QTest::newRow("Thai layout 0 (จ) on X11") << 0x0E08 << none << "จ" << 19u << x11 << 0;
        QTest::newRow("Thai layout 2 (/) on Windows")
            << int(Qt::Key_Slash) << none << "/" << 0x03u << ScanCodes::Windows << 2;
        QTest::newRow("Thai layout 1 (ๅ), no scan code")
            << 0x0E45 << none << "ๅ" << 0u << unknown << 1;
        QTest::newRow("Thai layout 3 (-), no scan code")
            << int(Qt::Key_Minus) << none << "-" << 0u << unknown << 3;
        QTest::newRow("Thai layout 8 (ค), scan codes unknown")
            << 0x0E04 << none << "ค" << 17u << unknown << 8;
        // Shift+2 on the Kedmanee layout types ๑: the digit typed wins.
        QTest::newRow("Thai layout Shift+2 (๑)")
            << 0x0E51 << int(Qt::ShiftModifier) << "๑" << 11u << x11 << 1;
        QTest::newRow("French layout 1 (&) on X11")
            << int(Qt::Key_Ampersand) << none << "&" << 10u << x11 << 1;
        QTest::newRow("slash key of an English layout")
            << int(Qt::Key_Slash) << none << "/" << 61u << x11 << -1;
        QTest::newRow("letter") << int(Qt::Key_A) << none << "a" << 38u << x11 << -1;
        QTest::newRow("Ctrl+5") << int(Qt::Key_5) << int(Qt::ControlModifier) << "5" << 14u << x11
                                << -1;
        QTest::newRow("Alt+5") << int(Qt::Key_5) << int(Qt::AltModifier) << "" << 14u << x11 << -1;
        QTest::newRow("superscript two")
            << int(Qt::Key_twosuperior) << none << "²" << 0u << unknown << -1;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << "\b" << 22u << x11 << -1;
    }

    void aKeyStandsForTheDigitOnItsKeyCap() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(quint32, scanCode);
        QFETCH(ScanCodes, codes);
        QFETCH(int, digit);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), scanCode, 0,
                              0, text);
        QCOMPARE(typedDigit(event, codes), digit);
    }

    void aQuestionIsAnsweredRightByTheKeyboardAloneAtEveryLevel_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<DigitKeys>("keys");
        const std::pair<const char *, DigitKeys> keyboards[] = {
            {"number row", DigitKeys::MainRow},
            {"keypad", DigitKeys::Keypad},
            {"Thai digits", DigitKeys::ThaiDigits},
            {"Thai layout's number row", DigitKeys::ThaiLayoutNumberRow}};
        for (int level = 1; level <= 4; ++level)
            for (const auto &[name, keys] : keyboards)
                QTest::addRow("level %d, %s", level, name) << level << keys;
    }

    void aQuestionIsAnsweredRightByTheKeyboardAloneAtEveryLevel() {
        QFETCH(int, level);
        QFETCH(DigitKeys, keys);
        openQuiz(level);
        Form2 &q = game->quiz;
        QCOMPARE(focus(), q.Cm6);

        // Start the clock: Tab from the leave button, Enter.
        key(Qt::Key_Tab);
        QCOMPARE(focus(), q.Cm1);
        key(Qt::Key_Return);
        QVERIFY(q.Timer1->isActive());
        QCOMPARE(focus(), q.Cm4);

        // The question: a second Enter must not check it, so the focus is on the first slot.
        scriptQuestion(game->services, {12, 7, 15, 3});
        key(Qt::Key_Enter);
        QCOMPARE(q.game().questionNo(), quiz::questionsBefore(level) + 1);
        QCOMPARE(focus(), q.LB6);
        QVERIFY(ringAround(q.LB6));
        key(Qt::Key_Return);
        QVERIFY(q.Cm3->isEnabled());

        // A wrong digit, taken back, then the whole right answer.
        typeDigit(window(), 8, keys);
        QCOMPARE(q.LB6->caption(), QStringLiteral("8"));
        key(Qt::Key_Backspace);
        QVERIFY(q.LB6->caption().isEmpty());
        typeRightAnswer(q, keys);

        // On to the check and press it.
        QVERIFY(tabTo(window(), q.Cm3));
        key(Qt::Key_Return);
        const int points = level == 1 ? 1 : 2 * level;
        QCOMPARE(q.game().rightCount(), points);
        QCOMPARE(q.game().wrongCount(), 0);
        // Not on to the leave button, where the next Enter would end the game.
        QCOMPARE(focus(), q.LB6);
        key(Qt::Key_Return);
        QVERIFY(q.isOpen());

        // Digits after the check change nothing; the cleared board hands the focus to the next
        // question.
        typeDigit(window(), 5, keys);
        key(Qt::Key_Delete);
        QCOMPARE(q.LB6->caption(), QStringLiteral("1"));
        runClearing(q);
        QCOMPARE(focus(), q.Cm4);
        QVERIFY(ringAround(q.Cm4));
    }

    void theFocusRunsThroughTheButtonsTheShownSlotsAndThePictureRowsInARing_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<int>>("sizes");
        QTest::addColumn<QStringList>("chain");
        QTest::newRow("level 1, 7 pictures")
            << 1 << QList<int>{7} << QStringList{"Cm3", "Cm6", "LB7", "Row1"};
        QTest::newRow("level 2, 12 and 5")
            << 2 << QList<int>{12, 5}
            << QStringList{"Cm3", "Cm6", "LB6", "LB7", "LB9", "LB14", "LB15", "Row1", "Row2"};
        QTest::newRow("level 4") << 4 << QList<int>{3, 15, 9, 10}
                                 << QStringList{"Cm3",  "Cm6",  "LB7",  "LB8",  "LB9",
                                                "LB11", "LB12", "LB13", "LB14", "LB15",
                                                "Row1", "Row2", "Row3", "Row4"};
    }

    void theFocusRunsThroughTheButtonsTheShownSlotsAndThePictureRowsInARing() {
        QFETCH(int, level);
        QFETCH(QList<int>, sizes);
        QFETCH(QStringList, chain);
        openQuiz(level);
        Form2 &q = game->quiz;
        q.Cm1_Click();
        askQuestion(*game, sizes);
        q.Cm3->setFocus(Qt::OtherFocusReason);

        QStringList reached{focus()->objectName()};
        for (int i = 0; i < chain.size(); ++i) {
            key(Qt::Key_Tab);
            reached << focus()->objectName();
            QVERIFY2(ringAround(focus()), qPrintable(focus()->objectName()));
        }
        QCOMPARE(reached, chain + QStringList{chain.first()});
        // Backwards too.
        key(Qt::Key_Backtab);
        QCOMPARE(focus()->objectName(), chain.last());
    }

    void theRingShowsOnceTheKeyboardIsUsedAndHidesOnAClickOrATouch_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<bool>("shown");
        // From the first slot of a question, its focus given without a key.
        QTest::newRow("nothing pressed yet") << QStringList() << "LB6" << false;
        QTest::newRow("Tab") << QStringList{"Tab"} << "LB7" << true;
        QTest::newRow("Shift+Tab") << QStringList{"Backtab"} << "Cm6" << true;
        QTest::newRow("an arrow") << QStringList{"Right"} << "LB7" << true;
        QTest::newRow("Enter") << QStringList{"Return"} << "LB6" << true;
        QTest::newRow("a digit") << QStringList{"5"} << "LB6" << true;
        QTest::newRow("Backspace") << QStringList{"Backspace"} << "LB6" << true;
        QTest::newRow("a letter") << QStringList{"a"} << "LB6" << false;
        QTest::newRow("a shortcut") << QStringList{"Ctrl+Alt+Shift+T"} << "LB6" << false;
        QTest::newRow("Tab, then a click") << QStringList{"Tab", "click"} << "LB7" << false;
        QTest::newRow("Tab, then a touch") << QStringList{"Tab", "touch"} << "LB7" << false;
        QTest::newRow("a click, then an arrow") << QStringList{"click", "Right"} << "LB7" << true;
    }

    void theRingShowsOnceTheKeyboardIsUsedAndHidesOnAClickOrATouch() {
        QFETCH(QStringList, steps);
        QFETCH(QString, focused);
        QFETCH(bool, shown);
        openQuiz(2);
        Form2 &q = game->quiz;
        const auto *ring = window()->findChild<Ring *>(QStringLiteral("focusRing"));
        QVERIFY(!ring->isVisible());
        q.Cm1_Click();
        askQuestion(*game, {12, 5});
        q.LB6->setFocus(Qt::OtherFocusReason);
        // A click where no control is, so that the focus stays.
        const QPoint background = q.Frame2->mapTo(window(), QPoint(q.Frame2->width() / 2, 2));
        QPointingDevice *touchscreen = QTest::createTouchDevice();
        for (const QString &step : steps) {
            if (step == QLatin1String("click")) {
                QTest::mouseClick(window()->windowHandle(), Qt::LeftButton, {}, background);
            } else if (step == QLatin1String("touch")) {
                QTest::touchEvent(window()->windowHandle(), touchscreen).press(0, background);
                QTest::touchEvent(window()->windowHandle(), touchscreen).release(0, background);
            } else {
                const QKeySequence keys(step);
                const QKeyCombination combination = keys[0];
                sendKey(window(), combination.key(), combination.keyboardModifiers(),
                        step.size() == 1 ? step : QString());
            }
        }
        QCOMPARE(focus()->objectName(), focused);
        QCOMPARE(ringAround(focus()), shown);
        QCOMPARE(ring->isVisible(), shown);
    }

    void theArrowKeysMoveBetweenTheShownSlots_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("arrow");
        QTest::addColumn<QString>("to");
        // Level 4 with rows of 3, 15, 9 and 10: the tens of rows 1 and 3 are hidden.
        QTest::newRow("right to the next row") << "LB7" << int(Qt::Key_Right) << "LB8";
        QTest::newRow("right over a hidden tens slot") << "LB9" << int(Qt::Key_Right) << "LB11";
        QTest::newRow("left over a hidden tens slot") << "LB11" << int(Qt::Key_Left) << "LB9";
        QTest::newRow("left at the first stays") << "LB7" << int(Qt::Key_Left) << "LB7";
        QTest::newRow("right at the last stays") << "LB15" << int(Qt::Key_Right) << "LB15";
        QTest::newRow("down, same column") << "LB9" << int(Qt::Key_Down) << "LB11";
        QTest::newRow("down to a row whose tens are hidden")
            << "LB8" << int(Qt::Key_Down) << "LB11";
        QTest::newRow("up to a row whose tens are hidden") << "LB8" << int(Qt::Key_Up) << "LB7";
        QTest::newRow("down to the total") << "LB13" << int(Qt::Key_Down) << "LB15";
        QTest::newRow("up from the total's tens") << "LB14" << int(Qt::Key_Up) << "LB12";
    }

    void theArrowKeysMoveBetweenTheShownSlots() {
        QFETCH(QString, from);
        QFETCH(int, arrow);
        QFETCH(QString, to);
        openQuiz(4);
        Form2 &q = game->quiz;
        q.Cm1_Click();
        askQuestion(*game, {3, 15, 9, 10});
        window()->findChild<QWidget *>(from)->setFocus(Qt::OtherFocusReason);
        key(arrow);
        QCOMPARE(focus()->objectName(), to);
    }

    void spaceOrEnterOnAPictureRowCountsItsNextPictureAsAClickWould_data() {
        QTest::addColumn<int>("activation");
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("Enter") << int(Qt::Key_Return);
    }

    void spaceOrEnterOnAPictureRowCountsItsNextPictureAsAClickWould() {
        QFETCH(int, activation);
        openQuiz(2);
        Form2 &q = game->quiz;
        q.Cm1_Click();
        askQuestion(*game, {4, 11});
        FocusGroup *row = q.pictureRow(2);
        QVERIFY(row->isVisible());
        // The row covers its eleven shown pictures.
        QCOMPARE(row->geometry(), q.Im2[0]->geometry().united(q.Im2[10]->geometry()));
        QVERIFY(q.pictureRow(3)->isHidden());

        // A mouse click first: the keyboard goes on with the next shown picture.
        q.Im2_Click(0);
        QVERIFY(tabTo(window(), row));
        for (int count = 2; count <= 11; ++count) {
            key(activation);
            QCOMPARE(q.clickCount()[1], count);
            QCOMPARE(q.Label6->caption(), QString::number(count));
            QVERIFY(q.Im2[count - 1]->isHidden());
            if (count < 11) {
                QVERIFY(!q.Im2[count]->isHidden());
                QCOMPARE(focus(), row);
                QCOMPARE(row->geometry().left(), q.Im2[count]->geometry().left());
            }
        }
        // The last picture counted, the row is gone and the focus is where the count is written.
        QVERIFY(row->isHidden());
        QCOMPARE(focus(), q.LB8);
        QCOMPARE(q.clickCount()[0], 0);
    }

    void theStartScreenIsPlayedWithEnterOrSpace_data() {
        QTest::addColumn<int>("activation");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void theStartScreenIsPlayedWithEnterOrSpace() {
        QFETCH(int, activation);
        game = std::make_unique<TestProgram>();
        Form1 &start = game->start;
        start.show();
        QVERIFY(QTest::qWaitForWindowActive(start.window()));
        QWidget *startWindow = start.window();
        QCOMPARE(startWindow->focusWidget(), start.Im1);

        // The host asks for the name, greets, and opens the quiz.
        game->services.promptAnswers = {QStringLiteral("ต้น")};
        sendKey(startWindow, activation);
        QCOMPARE(game->services.prompts.size(), std::size_t(1));
        QCOMPARE(start.LB2->caption(), QStringLiteral("สวัสดีครับ น้อง ต้น"));
        sendKey(startWindow, activation);
        QVERIFY(game->quiz.isOpen());
        QVERIFY(!start.isOpen());
        // Opened from the keyboard, the quiz shows at once where the keyboard is.
        QVERIFY(QTest::qWaitForWindowActive(window()));
        QTRY_VERIFY(ringAround(game->quiz.Cm6));

        // Back at the start, the door says goodbye and ends the program.
        game->quiz.Cm6_Click();
        settle();
        QVERIFY(QTest::qWaitForWindowActive(start.window()));
        sendKey(start.window(), Qt::Key_Tab);
        QCOMPARE(start.window()->focusWidget(), start.Image1);
        sendKey(start.window(), activation);
        QCOMPARE(start.exitClicks(), 1);
        QVERIFY(!start.Im1->isEnabled());
        sendKey(start.window(), activation);
        QCOMPARE(game->services.endCount, 1);
    }
};

QTEST_MAIN(KeyboardEntryTest)
#include "test_keyboard_entry.moc"
