// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The program keeps every game played on its screens: from the clock's start,
// every checked answer as the child left the slots, and the end, whichever
// way it came. A store that cannot be used leaves the game as playable as
// ever, with one warning, a word in the teacher's window, and nothing that
// was stored before lost.
#include "support/classroom.h"

#include "file_faults.h"
#include "samples.h"

#include "store/connection.h"
#include "store/reader.h"
#include "teacher/teacher_window.h"

#include <QLabel>
#include <QSqlQuery>
#include <QSysInfo>
#include <QtTest>

using namespace lumo;
using namespace lumo::test;
using lumo::store::test::bytesOf;
using lumo::store::test::OrdinaryUser;
using store::AnswerRow;
using store::GameRow;
using store::Outcome;
using store::ResultReader;
using store::StoreStatus;

namespace {

enum class Ending {
    Won,
    TimeOut,
    Left,
    WindowClosed,
    LeftBeforeTheClock,
    // The window closed while the time-out message is open: the program ends.
    TimeOutThenWindowClosed
};
enum class Fault { Damaged, ReadOnlyFolder, Locked };

// What the child put in the slots: every count and the total right, or only
// a 7 in the units slot of row 1 (every row wrong, the rest left empty).
struct Answered {
    QList<int> counts;
    bool right = false;
    int ticks = 0;
};

const QString name = QStringLiteral("  <b>ด.ญ. มาลี</b>, \"Smith\" =1+1 ");

// The counts of question q at `level`: 2 to 15, never 7 in row 1.
QList<int> countsFor(int q, int level) {
    QList<int> counts;
    for (int g = 0; g < level; ++g)
        counts << 2 + (q * 5 + g * 3) % 14;
    if (counts[0] == 7)
        counts[0] = 8;
    return counts;
}

QStringList slotsFor(const Answered &a, int level) {
    QStringList captions(10);
    if (!a.right) {
        captions[1] = QStringLiteral("7");
        return captions;
    }
    int total = 0;
    const auto put = [&](int pair, int value) {
        captions[2 * pair] = value >= 10 ? QString::number(value / 10) : QString();
        captions[2 * pair + 1] = QString::number(value % 10);
    };
    for (int g = 0; g < a.counts.size(); ++g) {
        put(g, a.counts[g]);
        total += a.counts[g];
    }
    if (level >= 2)
        put(4, total);
    return captions;
}

int rightPoints(const Answered &a, int level) {
    return a.right ? level + (level >= 2 ? level : 0) : 0;
}
int wrongPoints(const Answered &a, int level) {
    return a.right ? 0 : level + (level >= 2 ? 1 : 0);
}

void answerAs(Form2 &quiz, const Answered &a) {
    if (a.right)
        enterRightAnswers(quiz);
    else
        quiz.placeDigit(7, 1);
}

/// Games recorded before this run, as another day's games would be.
void recordEarlierGames(const QString &folder, int games) {
    store::GameRecorder recorder(folder);
    for (int n = 0; n < games; ++n) {
        const store::GameStart start =
            store::test::sampleStart(QStringLiteral("Earlier %1").arg(n));
        recorder.gameStarted(start);
        for (int q = 1; q <= 5; ++q)
            recorder.answerChecked(store::test::sampleAnswer(start, q, 1, q % 2));
    }
    QVERIFY(recorder.waitUntilWritten());
}

int earlierGamesIn(const QString &folder) {
    ResultReader reader(folder);
    int found = 0;
    for (const GameRow &game : reader.games({QStringLiteral("Earlier"), {}, {}}))
        found += reader.answers(game.id).size() == 5 ? 1 : 0;
    return found;
}

void openTeachersWindow(Classroom &room) {
    QVERIFY(QTest::qWaitForWindowActive(room.start.window()));
    QTest::keyClick(room.start.window(), Qt::Key_T,
                    Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
}

} // namespace

Q_DECLARE_METATYPE(Ending)
Q_DECLARE_METATYPE(Fault)

class RecordedGames : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { setUpApplication(*qApp); }
    void cleanup() { settle(); }

    void everyGameIsRecordedFromItsClockToItsEnd_data();
    void everyGameIsRecordedFromItsClockToItsEnd();
    void aStoreThatCannotBeUsedLeavesTheGamePlayable_data();
    void aStoreThatCannotBeUsedLeavesTheGamePlayable();
};

void RecordedGames::everyGameIsRecordedFromItsClockToItsEnd_data() {
    QTest::addColumn<Ending>("ending");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("player");
    QTest::newRow("won") << Ending::Won << 4 << 30 << 25 << name;
    QTest::newRow("out of time") << Ending::TimeOut << 1 << 10 << 2 << name;
    QTest::newRow("left, no clock") << Ending::Left << 2 << 0 << 3 << name;
    QTest::newRow("window closed") << Ending::WindowClosed << 3 << 45 << 1 << name;
    QTest::newRow("left before the clock") << Ending::LeftBeforeTheClock << 1 << 30 << 0 << name;
    QTest::newRow("window closed behind the time-out message")
        << Ending::TimeOutThenWindowClosed << 1 << 10 << 1 << name;
    // A prompt that answers with no text at all: the game is the empty name's.
    QTest::newRow("name prompt cancelled") << Ending::Left << 1 << 30 << 1 << QString();
}

void RecordedGames::everyGameIsRecordedFromItsClockToItsEnd() {
    QFETCH(Ending, ending);
    QFETCH(int, level);
    QFETCH(int, minutes);
    QFETCH(int, questions);
    QFETCH(QString, player);
    RoomFolders room;
    RoomFolders::write(
        room.settings().userFile,
        QStringLiteral("[class]\nstart_level=%1\nclock=%2\nclock_minutes=%3\nnames=A, B\n")
            .arg(level)
            .arg(minutes ? "true" : "false")
            .arg(minutes ? minutes : 30)
            .toUtf8());
    Classroom game(room.folders());
    game.program.start();
    game.enterQuiz(player);
    Form2 &quiz = game.quiz;

    QList<Answered> played;
    int ticks = 0;
    if (ending != Ending::LeftBeforeTheClock) {
        quiz.Cm1->click();
        const int first = 25 * (level - 1) + 1;
        for (int q = first; q < first + questions; ++q) {
            const Answered a{countsFor(q, level), q % 2 == 1, q % 3 + 1};
            game.playQuestion(a.counts, a.ticks, [&](Form2 &f) { answerAs(f, a); });
            played << a;
            ticks += a.ticks;
        }
    }
    switch (ending) {
    case Ending::Won:
        quiz.Cm4->click();
        QCOMPARE(game.services.messages.size(), 1);
        break;
    case Ending::TimeOutThenWindowClosed:
        game.services.duringMessage = [&quiz] { quiz.window()->close(); };
        [[fallthrough]];
    case Ending::TimeOut:
        while (quiz.isOpen())
            quiz.Timer1_Timer();
        QCOMPARE(game.services.messages.size(), 1);
        break;
    case Ending::Left:
    case Ending::LeftBeforeTheClock:
        quiz.Cm6->click();
        break;
    case Ending::WindowClosed:
        quiz.window()->close();
        break;
    }
    settle();
    QVERIFY(!quiz.isOpen());
    // A closed window brings no screen back: the program ends.
    const bool windowClosed =
        ending == Ending::WindowClosed || ending == Ending::TimeOutThenWindowClosed;
    QCOMPARE(game.start.isOpen(), !windowClosed);
    QVERIFY(game.program.recorder.waitUntilWritten());

    ResultReader reader(room.store());
    const QList<GameRow> games = reader.games();
    if (ending == Ending::LeftBeforeTheClock) {
        QVERIFY(games.isEmpty());
        return;
    }
    QCOMPARE(games.size(), 1);
    const GameRow &g = games.first();
    QCOMPARE(g.player, player.isNull() ? QStringLiteral("") : player);
    QCOMPARE(g.startedUtc, game.services.fixedNow.toUTC());
    QCOMPARE(g.endedUtc, game.services.fixedNow.toUTC());
    const Outcome outcomes[] = {Outcome::Won,          Outcome::TimeOut, Outcome::Left,
                                Outcome::WindowClosed, Outcome::Left,    Outcome::TimeOut};
    QCOMPARE(g.outcome, std::optional<Outcome>(outcomes[int(ending)]));
    QCOMPARE(g.startLevel, level);
    QCOMPARE(g.clockMinutes, minutes ? std::optional<int>(minutes) : std::nullopt);
    QCOMPARE(g.levelReached, level);
    QCOMPARE(g.questions, 25 * (level - 1) + questions);
    int right = 0, wrong = 0;
    for (const Answered &a : played) {
        right += rightPoints(a, level);
        wrong += wrongPoints(a, level);
    }
    QCOMPARE(g.right, right);
    QCOMPARE(g.wrong, wrong);
    const bool outOfTime = ending == Ending::TimeOut || ending == Ending::TimeOutThenWindowClosed;
    const int clockSeconds = outOfTime ? 0 : minutes ? minutes * 60 - ticks : ticks;
    QCOMPARE(g.clockSeconds, std::optional<int>(clockSeconds));

    const QList<AnswerRow> answers = reader.answers(g.id);
    QCOMPARE(answers.size(), played.size());
    for (int i = 0; i < answers.size(); ++i) {
        const AnswerRow &r = answers[i];
        const Answered &a = played[i];
        QCOMPARE(r.question, 25 * (level - 1) + 1 + i);
        QCOMPARE(r.level, level);
        QCOMPARE(r.counts, a.counts);
        int total = 0;
        for (int c : a.counts)
            total += c;
        QCOMPARE(r.total, level >= 2 ? std::optional<int>(total) : std::nullopt);
        QCOMPARE(r.slotCaptions, slotsFor(a, level));
        QCOMPARE(r.pointsRight, rightPoints(a, level));
        QCOMPARE(r.pointsWrong, wrongPoints(a, level));
        QCOMPARE(r.seconds, double(a.ticks));
        QCOMPARE(r.checkedUtc, game.services.fixedNow.toUTC());
    }

    // The settings in force travel with the game; the class list stays out.
    store::Connection file(store::storeFilePath(room.store()));
    QSqlQuery query(file.db());
    QVERIFY(query.exec(QStringLiteral("SELECT settings, program_version, computer FROM games")) &&
            query.next());
    QCOMPARE(query.value(0).toString(),
             QStringLiteral(
                 R"({"classListSize":2,"clockMinutes":%1,"fullscreen":false,"startLevel":%2})")
                 .arg(minutes ? QString::number(minutes) : QStringLiteral("null"))
                 .arg(level));
    QCOMPARE(query.value(1).toString(), QStringLiteral("3.1.0"));
    QCOMPARE(query.value(2).toString(), QSysInfo::machineHostName());
}

void RecordedGames::aStoreThatCannotBeUsedLeavesTheGamePlayable_data() {
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("toldInTheWindow");
    QTest::newRow("damaged file") << Fault::Damaged << QStringLiteral("ไฟล์เดิมเสียหาย เก็บไว้เป็น");
    QTest::newRow("read-only folder")
        << Fault::ReadOnlyFolder << QStringLiteral("ไม่สามารถบันทึกผลได้:");
    QTest::newRow("locked by another copy") << Fault::Locked << QStringLiteral("โปรแกรมอื่นใช้ไฟล์");
}

void RecordedGames::aStoreThatCannotBeUsedLeavesTheGamePlayable() {
    QFETCH(Fault, fault);
    QFETCH(QString, toldInTheWindow);
    if (fault == Fault::ReadOnlyFolder && !store::test::foldersCanBeMadeReadOnly)
        QSKIP("A folder's permissions do not stop writing on this system.");
    RoomFolders room;
    const QString folder = room.store();
    const QString file = store::storeFilePath(folder);
    recordEarlierGames(folder, 40);

    std::optional<store::Connection> otherCopy;
    QByteArray damaged;
    switch (fault) {
    case Fault::Damaged: {
        QFile out(file);
        QVERIFY(out.open(QIODevice::ReadWrite) && out.seek(4096 * 3));
        out.write(QByteArray(4096, '\xA5'));
        out.close();
        damaged = bytesOf(file);
        break;
    }
    case Fault::ReadOnlyFolder:
        for (const QString &path : {room.path(), folder})
            QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                    QFileDevice::ReadOther |
                                                    QFileDevice::ExeOther));
        break;
    case Fault::Locked:
        otherCopy.emplace(file);
        QVERIFY(otherCopy->exec(QStringLiteral("BEGIN IMMEDIATE")));
        break;
    }

    store::test::Warnings warnings;
    {
        OrdinaryUser user(fault == Fault::ReadOnlyFolder);
        Classroom game(room.folders());
        game.program.start();
        game.enterQuiz(QStringLiteral("ต้น"));
        Form2 &quiz = game.quiz;
        quiz.Cm1->click();
        game.playQuestion({9}, 2, enterRightAnswers);
        QCOMPARE(quiz.LB2->caption(), QStringLiteral("ข้อที่ 1 ทำถูก 1 ทำผิด 0 ระดับ 1"));
        QVERIFY(quiz.Cm4->isEnabled());
        game.playQuestion({12}, 1, [](Form2 &f) { f.placeDigit(3, 1); });
        QCOMPARE(quiz.LB2->caption(), QStringLiteral("ข้อที่ 2 ทำถูก 1 ทำผิด 1 ระดับ 1"));
        quiz.Cm6->click();
        settle();
        QVERIFY(game.start.isOpen());
        QVERIFY(game.program.recorder.waitUntilWritten());

        // The teacher's window, opened beside the game, says what is wrong.
        openTeachersWindow(game);
        teacher::TeacherWindow *window = game.program.teacherAccess.window();
        QVERIFY(window);
        QVERIFY2(window->statusLine()->text().contains(toldInTheWindow),
                 qPrintable(window->statusLine()->text()));
        QCOMPARE(game.services.endCount, 0);

        if (fault == Fault::Locked) {
            // The other copy lets go: what waited in memory is saved.
            QVERIFY(otherCopy->exec(QStringLiteral("COMMIT")));
            otherCopy.reset();
            QTRY_COMPARE(game.program.recorder.status().state, StoreStatus::State::Ready);
            QVERIFY(game.program.recorder.waitUntilWritten());
        }
    }
    QStringList storeWarnings = warnings.all().filter(QStringLiteral("lumo3:"));
    QCOMPARE(storeWarnings.size(), 1);

    switch (fault) {
    case Fault::Damaged: {
        const QStringList aside =
            QDir(folder).entryList({QStringLiteral("results.sqlite.damaged-*")});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(bytesOf(QDir(folder).filePath(aside.first())), damaged);
        QVERIFY(storeWarnings.first().contains(aside.first()));
        ResultReader reader(folder);
        QCOMPARE(reader.players(), QStringList{QStringLiteral("ต้น")});
        QCOMPARE(reader.answers(reader.games().first().id).size(), 2);
        break;
    }
    case Fault::ReadOnlyFolder:
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner));
        QCOMPARE(earlierGamesIn(folder), 40);
        QCOMPARE(ResultReader(folder).players().size(), 40);
        break;
    case Fault::Locked: {
        QCOMPARE(earlierGamesIn(folder), 40);
        ResultReader reader(folder);
        const QList<GameRow> now = reader.games({QStringLiteral("ต้น"), {}, {}});
        QCOMPARE(now.size(), 1);
        QCOMPARE(now.first().outcome, std::optional<Outcome>(Outcome::Left));
        QCOMPARE(reader.answers(now.first().id).size(), 2);
        break;
    }
    }
}

QTEST_MAIN(RecordedGames)
#include "test_recorded_games.moc"
