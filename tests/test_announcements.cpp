// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader hears: every change on the board is told once, in
// Thai, as a notification that appears with the text as its name.
#include "support/keyboard_play.h"
#include "support/question_cycle.h"

#include "platform/announcer.h"
#include "platform/controls.h"

#include <QAccessible>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace lumo;
using namespace lumo::test;

namespace {

// The texts told, in order.
QStringList heard;

// The names of the notifications shown now: what a screen reader that
// looks a moment late still finds.
QStringList notificationsShown(QWidget *window) {
    QStringList shown;
    for (QWidget *notice : window->findChildren<QWidget *>(QStringLiteral("notice"))) {
        QAccessibleInterface *told = QAccessible::queryAccessibleInterface(notice);
        if (!notice->isHidden() && told && told->role() == QAccessible::Notification)
            shown << told->text(QAccessible::Name);
    }
    return shown;
}

} // namespace

class AnnouncementsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { setUpApplication(*qApp); }
    void cleanup() { settle(); }

    void whatChangesOnTheBoardIsToldOnce_data() {
        using Action = std::function<void(TestProgram &)>;
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("clockMinutes");
        QTest::addColumn<int>("questionNo");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QStringList>("told");
        // Seconds on the clock, one event each, as the timer ticks them.
        const auto tick = [](int seconds) {
            return Action([seconds](TestProgram &p) {
                for (int i = 0; i < seconds && p.quiz.isOpen(); ++i) {
                    p.quiz.Timer1_Timer();
                    QCoreApplication::processEvents();
                }
            });
        };
        const QString levelTwoHint =
            QStringLiteral("ถ้าน้อง ตอบผลรวมของทั้งหมดได้ จะได้คะแนนเพิ่มอีก 2 คะแนน ครับ "
                           "แต่ถ้าตอบผิด จะถูกหัก 1 คะแนนครับ");
        // The correct answer, then whether each row and the total were right.
        const QString answer =
            QStringLiteral("( 5 + 12 ) = 17\nคำตอบที่ถูก คือ 5 + 12 ครับ\nและผลรวมเท่ากับ 17 ครับ\n"
                           "แถวที่ 1: ผิด คำตอบที่ถูกคือ 5\nแถวที่ 2: ผิด คำตอบที่ถูกคือ 12\n"
                           "ผลรวม: ผิด คำตอบที่ถูกคือ 17\n");

        // Every row asks question `questionNo` of a game from `level` (rows
        // of 5 and 12, and 3 and 4 from level 3 on), then acts; no action:
        // what the question's appearing told.
        QTest::newRow("a question appears, the first of its level")
            << 2 << 30 << 26 << Action()
            << QStringList{"ข้อที่ 26\nแถวที่ 1: 5 รูป\nแถวที่ 2: 12 รูป\n" + levelTwoHint};
        QTest::newRow("a question appears")
            << 2 << 30 << 27 << Action() << QStringList{"ข้อที่ 27\nแถวที่ 1: 5 รูป\nแถวที่ 2: 12 รูป"};
        QTest::newRow("a digit typed into a slot") << 2 << 30 << 26 << Action([](TestProgram &p) {
            p.quiz.LB7->setFocus();
            typeDigit(p.quiz.window(), 5, DigitKeys::ThaiDigits);
        }) << QStringList{"ช่องหลักหน่วย แถวที่ 1: 5"};
        QTest::newRow("a digit put there by two taps")
            << 2 << 30 << 26 << Action([](TestProgram &p) {
                   for (QWidget *control : {static_cast<QWidget *>(p.quiz.LB[1]),
                                            static_cast<QWidget *>(p.quiz.LB8)}) {
                       QTest::mouseClick(p.quiz.window()->windowHandle(), Qt::LeftButton, {},
                                         control->mapTo(p.quiz.window(), control->rect().center()));
                       QCoreApplication::processEvents();
                   }
               })
            << QStringList{"เลือก ตัวเลข 1", "ช่องหลักสิบ แถวที่ 2: 1"};
        QTest::newRow("a slot emptied") << 2 << 30 << 26 << Action([](TestProgram &p) {
            p.quiz.LB15->setFocus();
            sendKey(p.quiz.window(), Qt::Key_4);
            QCoreApplication::processEvents();
            sendKey(p.quiz.window(), Qt::Key_Backspace);
        }) << QStringList{"ช่องหลักหน่วย ผลรวม: 4", "ช่องหลักหน่วย ผลรวม: ว่าง"};
        QTest::newRow("told once the window is active again")
            << 2 << 30 << 26 << Action([](TestProgram &p) {
                   QWidget other;
                   other.show();
                   other.activateWindow();
                   QVERIFY(QTest::qWaitForWindowActive(&other));
                   p.quiz.placeDigit(6, 1);
                   QCoreApplication::processEvents();
                   QVERIFY(heard.isEmpty());
                   other.close();
                   p.quiz.window()->activateWindow();
                   QVERIFY(QTest::qWaitForWindowActive(p.quiz.window()));
               })
            << QStringList{"ช่องหลักหน่วย แถวที่ 1: 6"};
        QTest::newRow("a picture counted")
            << 2 << 30 << 26 << Action([](TestProgram &p) { p.quiz.Im2_Click(3); })
            << QStringList{"ตัวนับ แถวที่ 2: 1"};
        QTest::newRow("the check")
            << 2 << 30 << 27 << Action([](TestProgram &p) { p.quiz.Cm3_Click(); })
            << QStringList{answer + "ข้อที่ 27 ทำถูก 0 ทำผิด 6 ระดับ 2"};
        QTest::newRow("the check, row 1 and the total right")
            << 2 << 30 << 27 << Action([](TestProgram &p) {
                   enterNumber(p.quiz, 1, 5);
                   enterNumber(p.quiz, 5, 17);
                   QCoreApplication::processEvents();
                   heard.clear();
                   p.quiz.Cm3_Click();
               })
            << QStringList{QStringLiteral("( 5 + 12 ) = 17\nคำตอบที่ถูก คือ 5 + 12 ครับ\n"
                                          "และผลรวมเท่ากับ 17 ครับ\nแถวที่ 1: ถูก\n"
                                          "แถวที่ 2: ผิด คำตอบที่ถูกคือ 12\nผลรวม: ถูก\n"
                                          "ข้อที่ 27 ทำถูก 3 ทำผิด 4 ระดับ 2")};
        QTest::newRow("the check of a level's last question")
            << 2 << 30 << 50 << Action([](TestProgram &p) { p.quiz.Cm3_Click(); })
            << QStringList{answer +
                           "ข้อที่ 50 ทำถูก 0 ทำผิด 75 ระดับ 3\nได้เวลาเพิ่ม 30 นาที\nเหลือเวลา 60 นาที"};
        QTest::newRow("two minutes on the clock, told once a minute")
            << 2 << 30 << 26 << tick(120) << QStringList{"เหลือเวลา 29 นาที", "เหลือเวลา 28 นาที"};
        QTest::newRow("two minutes without a countdown")
            << 2 << 0 << 26 << tick(120) << QStringList{"ใช้เวลาไป 1 นาที", "ใช้เวลาไป 2 นาที"};
        QTest::newRow("the time runs out")
            << 2 << 1 << 26 << tick(70)
            << QStringList{"น้อง ต้น ทำไม่ทันครับ แพ้แล้วครับ\nน้อง ต้น\nเหลือยเวลา 0 นาที 0 วินาที\n"
                           "ข้อที่ 26 ทำถูก 0 ทำผิด 0 ระดับ 2"};
        QTest::newRow("the game is won") << 4 << 30 << 100 << Action([](TestProgram &p) {
            finishQuestion(p.quiz);
            QCoreApplication::processEvents();
            heard.clear();
            p.quiz.Cm4_Click();
        }) << QStringList{"จบแล้วครับ....เก่งมาก\nต้น\nข้อที่ 101 ทำถูก 0 ทำผิด 125 ระดับ 4"};
    }

    void whatChangesOnTheBoardIsToldOnce() {
        using Action = std::function<void(TestProgram &)>;
        QFETCH(int, level);
        QFETCH(int, clockMinutes);
        QFETCH(int, questionNo);
        QFETCH(Action, action);
        QFETCH(QStringList, told);
        TestProgram program;
        startGame(program, level, clockMinutes);
        // The clock ticks only when a row ticks it, never with the wall clock.
        program.quiz.Timer1->stop();
        QVERIFY(QTest::qWaitForWindowActive(program.quiz.window()));
        QPointer<QWidget> window = program.quiz.window();
        connect(program.quiz.announcer(), &Announcer::announced, this,
                [](const QString &text) { heard << text; });
        playQuestions(program.quiz, questionNo - 1 - quiz::questionsBefore(level));
        QCoreApplication::processEvents();

        heard.clear();
        askQuestion(program, {5, 12, 3, 4});
        QCoreApplication::processEvents();
        if (action) {
            heard.clear();
            action(program);
            QCoreApplication::processEvents();
        }
        QCOMPARE(heard, told);
        QVERIFY(window);
        QVERIFY(notificationsShown(window).contains(told.last()));
    }
};

QTEST_MAIN(AnnouncementsTest)
#include "test_announcements.moc"
