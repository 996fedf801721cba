// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// A teacher sets the game up for a class in the computer's settings file or
// in the teacher's window, and the next game is played that way: the level
// it starts at, its clock or none, fullscreen, the class list in the name
// prompt. The teacher's window opens beside the game from the start screen
// and neither ends the program nor a game when it closes.
#include "support/classroom.h"

#include "store/reader.h"
#include "teacher/games_model.h"
#include "teacher/games_page.h"
#include "teacher/settings_page.h"
#include "teacher/teacher_window.h"

#include <QCheckBox>
#include <QSpinBox>
#include <QtTest>

using namespace lumo;
using namespace lumo::test;

namespace {

void pressTeachersKeys(QWidget *window) {
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_T, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
}

} // namespace

class ClassSetup : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { setUpApplication(*qApp); }
    void cleanup() { settle(); }

    void theSettingsFilesSetUpTheNextGame_data();
    void theSettingsFilesSetUpTheNextGame();
    void theTeachersWindowOpensBesideTheGame();
};

void ClassSetup::theSettingsFilesSetUpTheNextGame_data() {
    QTest::addColumn<QByteArray>("computers");
    QTest::addColumn<QByteArray>("users");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<bool>("fullScreen");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("no settings: the game as it always was")
        << QByteArray() << QByteArray() << 1 << 30 << false << QStringList();
    QTest::newRow("the computer's file: level 3, no clock, a class list")
        << QByteArray("[class]\nstart_level=3\nclock=false\nfullscreen=true\n"
                      "names=ด.ช. สมชาย รักเรียน, ด.ญ. มาลี ใจดี, \"Smith, John\"\n")
        << QByteArray() << 3 << 0 << true
        << QStringList{QStringLiteral("ด.ช. สมชาย รักเรียน"), QStringLiteral("ด.ญ. มาลี ใจดี"),
                       QStringLiteral("Smith, John")};
    QTest::newRow("the user's file wins key by key")
        << QByteArray("[class]\nstart_level=2\nclock=true\nclock_minutes=45\nnames=ก, ข\n")
        << QByteArray("[class]\nstart_level=3\nclock=no\n") << 3 << 0 << false
        << QStringList{QStringLiteral("ก"), QStringLiteral("ข")};
    QTest::newRow("the user's clock over the computer's none")
        << QByteArray("[class]\nclock=false\nstart_level=4\n")
        << QByteArray("[class]\nclock=true\nclock_minutes=15\n") << 4 << 15 << false
        << QStringList();
}

void ClassSetup::theSettingsFilesSetUpTheNextGame() {
    QFETCH(QByteArray, computers);
    QFETCH(QByteArray, users);
    QFETCH(int, level);
    QFETCH(int, minutes);
    QFETCH(bool, fullScreen);
    QFETCH(QStringList, names);
    RoomFolders room;
    if (!computers.isEmpty())
        RoomFolders::write(room.settings().systemFile, computers);
    if (!users.isEmpty())
        RoomFolders::write(room.settings().userFile, users);

    Classroom game(room.folders());
    game.program.start();
    QCOMPARE(game.host.placement().fullScreen(), fullScreen);
    game.enterQuiz(QStringLiteral("ต้น"));
    QCOMPARE(game.services.prompts.size(), std::size_t(1));
    QCOMPARE(game.services.prompts.front().choices, names);
    QCOMPARE(game.services.prompts.front().defaultAnswer, QStringLiteral("No Name"));

    Form2 &quiz = game.quiz;
    quiz.Cm1->click();
    quiz.Timer1_Timer();
    const QString clock = minutes ? QStringLiteral(" เหลือยเวลา %1 นาที 59 วินาที").arg(minutes - 1)
                                  : QStringLiteral(" ใช้เวลาไป 0 นาที 1 วินาที");
    QCOMPARE(quiz.LB1->caption(), QStringLiteral("น้อง ต้น\r\n") + clock);

    // The first question is the first of the level, with its rows and total.
    QList<int> sizes;
    for (int g = 1; g <= level; ++g)
        sizes << 2 + g;
    game.playQuestion(sizes, 0, enterRightAnswers);
    const int question = 25 * (level - 1) + 1;
    const int points = level + (level >= 2 ? level : 0);
    QCOMPARE(quiz.LB2->caption(),
             QStringLiteral("ข้อที่ %1 ทำถูก %2 ทำผิด 0 ระดับ %3").arg(question).arg(points).arg(level));
    quiz.Cm6->click();
    settle();

    QVERIFY(game.program.recorder.waitUntilWritten());
    store::ResultReader reader(room.store());
    const QList<store::GameRow> games = reader.games();
    QCOMPARE(games.size(), 1);
    QCOMPARE(games.first().startLevel, level);
    QCOMPARE(games.first().clockMinutes, minutes ? std::optional<int>(minutes) : std::nullopt);
}

void ClassSetup::theTeachersWindowOpensBesideTheGame() {
    RoomFolders room;
    Classroom game(room.folders());
    game.program.start();
    game.enterQuiz(QStringLiteral("ต้น"));
    game.quiz.Cm1->click();
    game.playQuestion({5}, 3, enterRightAnswers);
    game.quiz.Cm6->click();
    settle();
    QVERIFY(game.program.recorder.waitUntilWritten());

    // Opened from the start screen, it lists the game just played.
    pressTeachersKeys(game.start.window());
    QPointer<teacher::TeacherWindow> window = game.program.teacherAccess.window();
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->gamesPage()->model()->rowCount(), 1);
    QCOMPARE(window->gamesPage()->model()->text(0, teacher::GamesModel::Name),
             QStringLiteral("ต้น"));
    // The same keys again bring the same window forward.
    pressTeachersKeys(game.start.window());
    QCOMPARE(game.program.teacherAccess.window(), window.data());

    // A teacher saves level 2 without a clock: the next game plays so.
    teacher::SettingsPage *page = window->settingsPage();
    page->findChild<QSpinBox *>(QStringLiteral("startLevel"))->setValue(2);
    page->findChild<QCheckBox *>(QStringLiteral("clock"))->setChecked(false);
    QVERIFY(page->save());
    QCOMPARE(game.program.settings().startLevel, 2);
    QCOMPARE(game.program.settings().clock, false);

    // The game opens while the window stays; the window closing ends neither
    // the game nor the program.
    game.enterQuiz(QStringLiteral("ปลา"));
    QVERIFY(game.quiz.isOpen());
    QVERIFY(!game.start.isOpen());
    QVERIFY(window->isVisible());
    game.quiz.Cm1->click();
    game.quiz.Timer1_Timer();
    QCOMPARE(game.quiz.LB1->caption(), QStringLiteral("น้อง ปลา\r\n ใช้เวลาไป 0 นาที 1 วินาที"));
    window->close();
    settle();
    QVERIFY(!window);
    QVERIFY(game.quiz.isOpen());
    QCOMPARE(game.services.endCount, 0);
    game.playQuestion({4, 6}, 1, enterRightAnswers);
    QCOMPARE(game.quiz.LB2->caption(), QStringLiteral("ข้อที่ 26 ทำถูก 4 ทำผิด 0 ระดับ 2"));

    // With the window open and no game screen, the program goes on; it ends
    // when the window closes.
    game.quiz.Cm6->click();
    settle();
    pressTeachersKeys(game.start.window());
    window = game.program.teacherAccess.window();
    QVERIFY(window);
    game.start.window()->close();
    settle();
    QVERIFY(!game.start.isOpen());
    QCOMPARE(game.services.endCount, 0);
    window->close();
    settle();
    QCOMPARE(game.services.endCount, 1);
}

QTEST_MAIN(ClassSetup)
#include "test_class_setup.moc"
