// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The sync against a real PostgreSQL server that this program starts: whole
// games arrive as they were played, names verbatim; two computers fill one
// class; a server that is down, killed or restarted in the middle of a
// game, a refused login, a schema from a newer program: the records wait,
// nothing is lost and nothing arrives twice. And the teacher's window on
// the server's games.
#include "samples.h"
#include "support/classroom.h"
#include "support/question_cycle.h"
#include "test_server.h"

#include "store/connection.h"
#include "store/opening.h"
#include "store/reader.h"
#include "store/recorder.h"
#include "store/tables.h"
#include "sync/school_sync.h"
#include "sync/server_reader.h"
#include "teacher/child_page.h"
#include "teacher/dialogs.h"
#include "teacher/games_model.h"
#include "teacher/games_page.h"
#include "teacher/source_bar.h"
#include "teacher/teacher_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QThread>

#include <QTemporaryDir>
#include <QTest>

#include <atomic>

#include <libpq-fe.h>

using namespace lumo;
using namespace lumo::store;
using namespace lumo::store::test;
using namespace lumo::sync;
using namespace lumo::sync::test;
using State = SyncStatus::State;

namespace {

struct Played {
    QString player;
    int answers = 30;
    bool ended = true;
    QDateTime at = firstMorning;
};

/// Records games as the game does, on one computer.
QList<GameStart> record(const QString &folder, const QString &computer,
                        const QList<Played> &games) {
    GameRecorder recorder(folder);
    QList<GameStart> starts;
    for (const Played &p : games) {
        GameStart start = sampleStart(p.player, 1, 30, p.at);
        start.computer = computer;
        recorder.gameStarted(start);
        int right = 0, wrong = 0;
        for (int q = 1; q <= p.answers; ++q) {
            const AnswerCheck answer = sampleAnswer(start, q, 1 + (q - 1) / 25, q % 3, q % 7 == 0);
            recorder.answerChecked(answer);
            right += answer.pointsRight;
            wrong += answer.pointsWrong;
        }
        if (p.ended)
            recorder.gameEnded(sampleEnd(start, Outcome::Won, p.answers, right, wrong));
        starts << start;
    }
    if (!recorder.waitUntilWritten())
        qWarning("the recorder did not finish in time");
    return starts;
}

/// Tries again only when told to, so that each test decides when.
SyncOptions options(const QString &computer = QStringLiteral("room-1-pc-01")) {
    SyncOptions o;
    o.firstRetryMs = 600000;
    o.longestRetryMs = 600000;
    o.computer = computer;
    o.programVersion = QStringLiteral("3.1.0-test");
    o.gamesPerBatch = 3;
    o.soonDelayMs = 0;
    o.idleCheckMs = 600000;
    return o;
}

/// Every game with its answers, in the order the source lists them.
struct Contents {
    QList<GameRow> games;
    QMap<QString, QList<AnswerRow>> answers;
};

/// Newest first, and games that started together in the order of their ids.
void sortGames(QList<GameRow> &games) {
    std::sort(games.begin(), games.end(), [](const GameRow &a, const GameRow &b) {
        return std::tie(b.startedUtc, b.id) < std::tie(a.startedUtc, a.id);
    });
}

Contents contentsOf(ResultSource &source) {
    Contents c;
    c.games = source.games();
    sortGames(c.games);
    for (const GameRow &game : c.games)
        c.answers[game.id] = source.answers(game.id);
    return c;
}

/// The union of several computers' stores, as the server should hold it.
Contents contentsOf(const QStringList &folders) {
    Contents all;
    for (const QString &folder : folders) {
        ResultReader reader(folder);
        const Contents c = contentsOf(reader);
        all.games += c.games;
        all.answers.insert(c.answers);
    }
    sortGames(all.games);
    return all;
}

void compareContents(const Contents &actual, const Contents &expected) {
    QCOMPARE(actual.games.size(), expected.games.size());
    for (qsizetype i = 0; i < expected.games.size(); ++i) {
        const GameRow &a = actual.games[i];
        const GameRow &e = expected.games[i];
        QCOMPARE(a.id, e.id);
        QCOMPARE(a.player, e.player);
        QCOMPARE(a.computer, e.computer);
        QCOMPARE(a.startedUtc, e.startedUtc);
        QVERIFY2(a == e, qPrintable(QStringLiteral("game %1 differs").arg(e.id)));
        QCOMPARE(actual.answers.value(e.id).size(), expected.answers.value(e.id).size());
        QVERIFY2(actual.answers.value(e.id) == expected.answers.value(e.id),
                 qPrintable(QStringLiteral("the answers of game %1 differ").arg(e.id)));
    }
}

/// What the server holds outside its bin, counted by its superuser: doubles
/// would show here.
QString serverCounts(TestServer &server) {
    QString counts;
    server.admin(QStringLiteral("SELECT (SELECT count(*) FROM lumo3.games WHERE deleted_utc IS "
                                "NULL) || ' games, ' || (SELECT count(*) FROM lumo3.answers a "
                                "JOIN lumo3.games g ON g.id = a.game_id WHERE g.deleted_utc IS "
                                "NULL) || ' answers'"),
                 &counts);
    return counts;
}

QString localCounts(const QStringList &folders) {
    qsizetype games = 0, answers = 0;
    for (const QString &folder : folders) {
        ResultReader reader(folder);
        for (const GameRow &game : reader.games()) {
            ++games;
            answers += reader.answers(game.id).size();
        }
    }
    return QStringLiteral("%1 games, %2 answers").arg(games).arg(answers);
}

/// Every record of a store marked as not sent, as if the program had never sent it.
void forgetSent(const QString &folder) {
    Connection c(storeFilePath(folder));
    QVERIFY(c.exec(QStringLiteral("UPDATE games SET synced = 0")));
    QVERIFY(c.exec(QStringLiteral("UPDATE answers SET synced = 0")));
}

class FakeDialogs : public teacher::TeacherDialogs {
  public:
    QString exportPath;
    QStringList told;
    QString saveFileName(QWidget *, const QString &) override { return exportPath; }
    bool confirm(QWidget *, const QString &) override { return false; }
    void inform(QWidget *, const QString &text) override { told << text; }
};

QString describe(const SyncStatus &status) {
    return QStringLiteral("state %1 (%2), waiting %3 games, %4 answers, %5 deletions")
        .arg(int(status.state))
        .arg(status.detail)
        .arg(status.waiting.games)
        .arg(status.waiting.answers)
        .arg(status.waiting.deletions);
}

} // namespace

/// The sync's state, with what it said when it is another.
#define COMPARE_STATE(sync, expected)                                                              \
    QVERIFY2((sync).status().state == (expected), qPrintable(describe((sync).status())))

class SchoolServer : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void aWholeGameArrivesAsItWasPlayed_data();
    void aWholeGameArrivesAsItWasPlayed();
    void twoComputersFillOneClass();
    void aGameCutOffInTheMiddleIsSentAgainWhole_data();
    void aGameCutOffInTheMiddleIsSentAgainWhole();
    void recordsWaitUntilTheServerTakesThem_data();
    void recordsWaitUntilTheServerTakesThem();
    void aStoreStartedAfreshIsFollowed();
    void theTeacherSeesTheClassFromTheServer();
    void eachRoleMayDoItsJobAndNothingMore_data();
    void eachRoleMayDoItsJobAndNothingMore();
    void aGamePlayedInTheProgramReachesTheServerWhenItEnds();
    void theProgramEndsWhileTheStoreIsLockedAndTheServerHangs();

  private:
    std::unique_ptr<TestServer> server_;
};

void SchoolServer::aGamePlayedInTheProgramReachesTheServerWhenItEnds() {
    // The program as main() makes it, with the school's server in the
    // user's settings: a game played and left arrives by itself, end and all,
    // with no retry (a retry is ten minutes away here).
    lumo::test::RoomFolders room;
    QVERIFY(writeServerSettings(room.settings(), server_->settings()));
    lumo::test::FakeServices services;
    lumo::test::FakeTeacherDialogs dialogs;
    Program program(services, room.folders(), dialogs, lumo::test::quickRecorder(), options());
    program.start();
    QVERIFY(program.schoolSync.waitUntilIdle());
    COMPARE_STATE(program.schoolSync, State::UpToDate);

    Form2 &quiz = program.screens.quiz;
    quiz.show(QStringLiteral("ด.ช. ต้น"));
    quiz.Cm1_Click();
    lumo::test::playQuestions(quiz, 3, true);
    quiz.Cm6_Click();
    QVERIFY(program.recorder.waitUntilWritten(5000));
    const auto endOnServer = [this] {
        QString row;
        server_->admin(QStringLiteral("SELECT player || '|' || outcome FROM lumo3.games"), &row);
        return row;
    };
    QTRY_COMPARE_WITH_TIMEOUT(endOnServer(), QStringLiteral("ด.ช. ต้น|left"), 20000);
    QCOMPARE(serverCounts(*server_), QStringLiteral("1 games, 3 answers"));
    QVERIFY(program.schoolSync.waitUntilIdle());
    COMPARE_STATE(program.schoolSync, State::UpToDate);
}

namespace {
/// The threads of this process that have the name Qt gave them (cut, as
/// Linux keeps 15 characters).
int threadsNamed(const QString &name) {
    int count = 0;
    for (const QString &task : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs)) {
        QFile comm(QStringLiteral("/proc/self/task/%1/comm").arg(task));
        if (comm.open(QIODevice::ReadOnly) &&
            QString::fromUtf8(comm.readAll()).trimmed() == name.left(15))
            ++count;
    }
    return count;
}
} // namespace

void SchoolServer::theProgramEndsWhileTheStoreIsLockedAndTheServerHangs() {
    // Closed while its writer waits for a file another program holds and
    // its sync waits for a server that takes statements and never answers:
    // the program ends, in a bounded time, and no thread of it is left.
    lumo::test::RoomFolders room;
    QVERIFY(writeServerSettings(room.settings(), server_->settings()));
    lumo::test::FakeServices services;
    lumo::test::FakeTeacherDialogs dialogs;
    auto program = std::make_unique<Program>(services, room.folders(), dialogs,
                                             store::RecorderOptions{}, options());
    program->start();
    QVERIFY(program->schoolSync.waitUntilIdle());
    COMPARE_STATE(program->schoolSync, State::UpToDate);
    QCOMPARE(threadsNamed(QStringLiteral("lumo store writer")), 1);
    QCOMPARE(threadsNamed(QStringLiteral("lumo school sync")), 1);

    Connection holder(storeFilePath(room.store()));
    QVERIFY(holder.exec(
        QStringLiteral("INSERT INTO deletions VALUES ('%1', '%2')")
            .arg(QUuid::createUuid().toString(QUuid::WithoutBraces), utcText(firstMorning))));
    QVERIFY(server_->pause());
    program->schoolSync.syncSoon();
    QVERIFY(!program->schoolSync.waitUntilIdle(1000)); // waiting for the server
    QVERIFY(holder.exec(QStringLiteral("BEGIN IMMEDIATE")));
    const GameStart start = sampleStart(QStringLiteral("ปิดโปรแกรม"));
    program->recorder.gameStarted(start);
    program->recorder.answerChecked(sampleAnswer(start, 1, 1));
    QVERIFY(!program->recorder.waitUntilWritten(500)); // waiting for the file

    QElapsedTimer closing;
    closing.start();
    program.reset();
    const qint64 took = closing.elapsed();
    QVERIFY(server_->resume());
    QVERIFY2(took < 20000, qPrintable(QString::number(took)));
    QCOMPARE(threadsNamed(QStringLiteral("lumo store writer")), 0);
    QCOMPARE(threadsNamed(QStringLiteral("lumo school sync")), 0);
}

void SchoolServer::initTestCase() {
    server_ = std::make_unique<TestServer>();
    QVERIFY2(server_->setUp(), qPrintable(server_->error()));
}

void SchoolServer::init() {
    // A test that failed half-way may have left the server stopped or paused.
    server_->resume();
    if (!server_->isRunning())
        QVERIFY2(server_->start(), qPrintable(server_->error()));
    QVERIFY2(server_->resetDatabase(), qPrintable(server_->error()));
    server_->usePassword(server_->rightPassword(), server_->teacherPassword());
    qunsetenv("PGSERVICEFILE");
}

void SchoolServer::aWholeGameArrivesAsItWasPlayed_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("Thai") << QStringLiteral("ด.ญ. มาลี ใจดี");
    QTest::newRow("quotes and backslashes") << QStringLiteral("O'Brien \"Bob\" \\' \\\\ ''");
    QTest::newRow("markup") << QStringLiteral("<b>ตัวหนา</b> <img src=x onerror=alert(1)>");
    QTest::newRow("SQL") << QStringLiteral("x'); DROP TABLE lumo3.games; --");
    QTest::newRow("formula, line break, % and _")
        << QStringLiteral("=1+1\r\n100% _นักเรียน_ $1 :p ?");
}

void SchoolServer::aWholeGameArrivesAsItWasPlayed() {
    QFETCH(QString, name);
    QTemporaryDir dir;
    record(dir.path(), QStringLiteral("room-1-pc-01"),
           {{name, 100}, {name, 7, false, firstMorning.addDays(1)}});
    SchoolSync sync(dir.path(), server_->settings(), options());
    sync.start();
    QVERIFY(sync.waitUntilIdle());
    COMPARE_STATE(sync, State::UpToDate);
    QCOMPARE(sync.status().waiting, Backlog{});
    QVERIFY(sync.status().lastSentUtc.isValid());

    // The server answers every question of the teacher's window as this
    // computer's store does.
    ResultReader local(dir.path());
    ServerReader remote(server_->settings());
    QVERIFY2(remote.canRead(), qPrintable(remote.problem().detail));
    compareContents(contentsOf(remote), contentsOf(local));
    QCOMPARE(remote.games().first().player, name);
    QCOMPARE(remote.players(), QStringList{name});
    QCOMPARE(remote.computers(), QStringList{QStringLiteral("room-1-pc-01")});
    QCOMPARE(remote.summary(name), local.summary(name));
    QCOMPARE(remote.summary(name).games, 2);
    QCOMPARE(remote.wrongAnswers(name), local.wrongAnswers(name));
    QVERIFY(!local.wrongAnswers(name).counts.isEmpty());
    QVERIFY(remote.lastError().isEmpty());

    // Sending everything again makes no double.
    const QString counts = serverCounts(*server_);
    QCOMPARE(counts, QStringLiteral("2 games, 107 answers"));
    forgetSent(dir.path());
    sync.syncSoon();
    QVERIFY(sync.waitUntilIdle());
    COMPARE_STATE(sync, State::UpToDate);
    QCOMPARE(serverCounts(*server_), counts);
}

void SchoolServer::twoComputersFillOneClass() {
    QTemporaryDir one, two;
    const QDateTime day1 = firstMorning, day2 = firstMorning.addDays(1);
    record(one.path(), QStringLiteral("room-1-pc-01"),
           {{QStringLiteral("Ann"), 10, true, day1},
            {QStringLiteral("Ben"), 5, true, day1.addSecs(3600)},
            {QStringLiteral("Zed"), 3, true, day2.addSecs(7200)}});
    record(two.path(), QStringLiteral("room-1-pc-02"),
           {{QStringLiteral("Ann"), 20, true, day2},
            {QStringLiteral(" Chai "), 4, false, day2.addSecs(3600)}});
    {
        SchoolSync first(one.path(), server_->settings(), options());
        SchoolSync second(two.path(), server_->settings(), options(QStringLiteral("room-1-pc-02")));
        first.start();
        second.start();
        QVERIFY(first.waitUntilIdle());
        QVERIFY(second.waitUntilIdle());
        COMPARE_STATE(first, State::UpToDate);
        COMPARE_STATE(second, State::UpToDate);
    }
    // The teacher's window on one of the room's computers.
    ServerReader remote(server_->settings(), {}, QStringLiteral("room-1-pc-01"));
    compareContents(contentsOf(remote), contentsOf({one.path(), two.path()}));
    QCOMPARE(remote.computers(),
             (QStringList{QStringLiteral("room-1-pc-01"), QStringLiteral("room-1-pc-02")}));

    // The teacher's filters: the class list, a computer, days.
    const auto names = [&](const GameFilter &filter) {
        QStringList list;
        for (const GameRow &game : remote.games(filter))
            list << game.player + QLatin1Char('@') + game.computer.right(2);
        return list;
    };
    GameFilter classList;
    classList.players = {QStringLiteral("Ann"), QStringLiteral("Chai")};
    QCOMPARE(names(classList), (QStringList{QStringLiteral(" Chai @02"), QStringLiteral("Ann@02"),
                                            QStringLiteral("Ann@01")}));
    GameFilter computer;
    computer.computer = QStringLiteral("room-1-pc-01");
    QCOMPARE(names(computer), (QStringList{QStringLiteral("Zed@01"), QStringLiteral("Ben@01"),
                                           QStringLiteral("Ann@01")}));
    GameFilter secondDay;
    secondDay.firstDay = day2.toLocalTime().date();
    QCOMPARE(remote.games(secondDay).size(), 3);
    QCOMPARE(remote.summary(QStringLiteral("Ann")).games, 2);
    QCOMPARE(remote.summary(QStringLiteral("Ann"), computer).games, 1);
    QCOMPARE(remote.players(classList),
             (QStringList{QStringLiteral(" Chai "), QStringLiteral("Ann")}));

    // Deleted on a computer: deleted on the server. Deleted on the server by
    // the teacher: no computer brings it back, each keeps its own copy.
    QCOMPARE(ResultReader(one.path()).deletePlayer(QStringLiteral("Ann")), 1);
    QCOMPARE(remote.deletePlayer(QStringLiteral("Zed")), 1);
    forgetSent(one.path());
    {
        SchoolSync first(one.path(), server_->settings(), options());
        first.start();
        QVERIFY(first.waitUntilIdle());
        COMPARE_STATE(first, State::UpToDate);
        QCOMPARE(first.status().waiting, Backlog{});
    }
    QCOMPARE(names({}), (QStringList{QStringLiteral(" Chai @02"), QStringLiteral("Ann@02"),
                                     QStringLiteral("Ben@01")}));
    QCOMPARE(ResultReader(one.path()).players(),
             (QStringList{QStringLiteral("Ben"), QStringLiteral("Zed")}));

    // Undone on the computer: back on the server, but for what the teacher
    // deleted there, which only the teacher's undo brings back.
    const QList<BinnedGame> serverBin = remote.bin();
    QCOMPARE(serverBin.size(), 2);
    // The computer's deletion arrived after the teacher's.
    const BinnedGame zed = serverBin.last();
    QCOMPARE(zed.player, QStringLiteral("Zed"));
    QVERIFY(zed.byTeacher && !serverBin.first().byTeacher);
    QCOMPARE(serverBin.first().deletedBy, QStringLiteral("room-1-pc-01"));
    {
        ResultReader local(one.path());
        QCOMPARE(local.restoreAll(), 1);
        QCOMPARE(local.deleteGame(zed.id), 1);
        QCOMPARE(local.restoreGame(zed.id), 1);
        SchoolSync first(one.path(), server_->settings(), options());
        first.start();
        QVERIFY(first.waitUntilIdle());
        COMPARE_STATE(first, State::UpToDate);
        QCOMPARE(first.status().waiting, Backlog{});
    }
    QCOMPARE(names({}), (QStringList{QStringLiteral(" Chai @02"), QStringLiteral("Ann@02"),
                                     QStringLiteral("Ben@01"), QStringLiteral("Ann@01")}));
    QCOMPARE(remote.restoreGame(zed.id), 1);
    QCOMPARE(remote.bin(), QList<BinnedGame>{});
    QCOMPARE(names({}).first(), QStringLiteral("Zed@01"));

    // The server's bin keeps a game binDays; then it is gone for good, and
    // no computer sends it again.
    QCOMPARE(remote.deletePlayer(QStringLiteral("Ben")), 1);
    QCOMPARE(remote.deleteGame(zed.id), 1);
    QVERIFY(server_->admin(QStringLiteral(
        "UPDATE lumo3.games SET deleted_utc = now() - CASE player WHEN 'Ben' THEN interval '30 "
        "days 1 minute' ELSE interval '29 days 23 hours' END WHERE deleted_utc IS NOT NULL")));
    QCOMPARE(remote.bin().size(), 1);
    QCOMPARE(remote.bin().first().id, zed.id);
    forgetSent(one.path());
    {
        SchoolSync first(one.path(), server_->settings(), options());
        first.start();
        QVERIFY(first.waitUntilIdle());
        COMPARE_STATE(first, State::UpToDate);
    }
    QString ben;
    QVERIFY(server_->admin(QStringLiteral("SELECT (SELECT count(*) FROM lumo3.games WHERE player "
                                          "= 'Ben') || '|' || (SELECT count(*) FROM "
                                          "lumo3.deletions)"),
                           &ben));
    QCOMPARE(ben, QStringLiteral("0|1"));
    QCOMPARE(remote.bin().size(), 1);
}

void SchoolServer::aGameCutOffInTheMiddleIsSentAgainWhole_data() {
    QTest::addColumn<QString>("cut");
    QTest::addColumn<State>("state");
    QTest::newRow("server killed") << QStringLiteral("kill") << State::Interrupted;
    QTest::newRow("server restarted") << QStringLiteral("restart") << State::Interrupted;
    QTest::newRow("server stopped") << QStringLiteral("stop") << State::Interrupted;
    QTest::newRow("an answer recorded meanwhile") << QStringLiteral("answer") << State::UpToDate;
    QTest::newRow("the game's end recorded meanwhile") << QStringLiteral("end") << State::UpToDate;
    QTest::newRow("the game deleted here meanwhile") << QStringLiteral("delete") << State::UpToDate;
    QTest::newRow("the store refuses the sent mark")
        << QStringLiteral("refuse mark") << State::StoreUnusable;
}

void SchoolServer::aGameCutOffInTheMiddleIsSentAgainWhole() {
    // Four games go one by one; the third is cut off just before its
    // transaction is committed.
    QFETCH(QString, cut);
    QFETCH(State, state);
    QTemporaryDir dir;
    const QStringList players{QStringLiteral("Ann"), QStringLiteral("Ben"), QStringLiteral("Chai"),
                              QStringLiteral("Dao")};
    QList<Played> games;
    for (int i = 0; i < players.size(); ++i)
        games << Played{players[i], 30, i != 2, firstMorning.addSecs(3600 * i)};
    const QList<GameStart> starts = record(dir.path(), QStringLiteral("room-1-pc-01"), games);

    std::atomic<bool> done = false;
    SyncOptions o = options();
    o.beforeCommit = [&](const QString &gameId) {
        if (gameId != starts[2].id.toString(QUuid::WithoutBraces) || done.exchange(true))
            return;
        QMetaObject::invokeMethod(
            this,
            [&] {
                if (cut == QLatin1String("kill"))
                    QVERIFY(server_->kill());
                else if (cut == QLatin1String("restart"))
                    QVERIFY(server_->stop() && server_->start());
                else if (cut == QLatin1String("stop"))
                    QVERIFY(server_->stop());
                else if (cut == QLatin1String("answer")) {
                    GameRecorder recorder(dir.path());
                    recorder.answerChecked(sampleAnswer(starts[2], 31, 2, 1));
                    QVERIFY(recorder.waitUntilWritten());
                } else if (cut == QLatin1String("end")) {
                    GameRecorder recorder(dir.path());
                    recorder.gameEnded(sampleEnd(starts[2], Outcome::TimeOut, 30, 40, 9));
                    QVERIFY(recorder.waitUntilWritten());
                } else if (cut == QLatin1String("delete")) {
                    QCOMPARE(ResultReader(dir.path()).deletePlayer(players[2]), 1);
                } else if (cut == QLatin1String("refuse mark")) {
                    Connection c(storeFilePath(dir.path()));
                    QVERIFY(c.exec(QStringLiteral(
                        "CREATE TRIGGER refuse_mark BEFORE UPDATE OF synced ON answers "
                        "BEGIN SELECT RAISE(ABORT, 'the disk failed'); END")));
                }
            },
            Qt::BlockingQueuedConnection);
    };
    SchoolSync sync(dir.path(), server_->settings(), o);
    sync.start();
    QTRY_VERIFY_WITH_TIMEOUT(sync.status().state == state, 60000);
    QVERIFY(done);

    if (state == State::Interrupted) {
        if (cut == QLatin1String("stop")) {
            // While the server is down the records wait, and say why.
            sync.syncSoon();
            QVERIFY(sync.waitUntilIdle());
            COMPARE_STATE(sync, State::Unreachable);
            QCOMPARE(sync.status().waiting, ResultReader(dir.path()).backlog());
            QVERIFY(sync.status().retryInMs > 0);
        }
        if (cut != QLatin1String("restart"))
            QVERIFY2(server_->start(), qPrintable(server_->error()));
        // The first two games arrived whole, nothing of the third.
        ServerReader remote(server_->settings());
        Contents expected = contentsOf({dir.path()});
        expected.games.erase(std::remove_if(expected.games.begin(), expected.games.end(),
                                            [&](const GameRow &g) {
                                                return g.player != players[0] &&
                                                       g.player != players[1];
                                            }),
                             expected.games.end());
        compareContents(contentsOf(remote), expected);
        QCOMPARE(serverCounts(*server_), QStringLiteral("2 games, 60 answers"));
        QCOMPARE(sync.status().waiting.games, 2);
        sync.syncSoon();
        QVERIFY(sync.waitUntilIdle());
    }
    if (state == State::StoreUnusable) {
        // A store that cannot be written says so, and nothing is lost.
        QVERIFY(sync.status().retryInMs > 0);
        QVERIFY(sync.status().detail.contains(QStringLiteral("the disk failed")));
        QVERIFY(
            Connection(storeFilePath(dir.path())).exec(QStringLiteral("DROP TRIGGER refuse_mark")));
        sync.syncSoon();
        QVERIFY(sync.waitUntilIdle());
    }
    COMPARE_STATE(sync, State::UpToDate);
    QCOMPARE(sync.status().waiting, Backlog{});
    ServerReader remote(server_->settings());
    compareContents(contentsOf(remote), contentsOf({dir.path()}));
    QCOMPARE(serverCounts(*server_), localCounts({dir.path()}));
}

void SchoolServer::recordsWaitUntilTheServerTakesThem_data() {
    QTest::addColumn<QString>("trouble");
    QTest::addColumn<State>("state");
    QTest::newRow("server stopped") << QStringLiteral("stopped") << State::Unreachable;
    QTest::newRow("server stopped, tried again by itself")
        << QStringLiteral("stopped, again") << State::Unreachable;
    QTest::newRow("wrong password") << QStringLiteral("wrong password") << State::LoginRefused;
    QTest::newRow("no password") << QStringLiteral("no password") << State::LoginRefused;
    QTest::newRow("newer schema on the server") << QStringLiteral("newer") << State::SchemaTooNew;
    QTest::newRow("no schema for the program") << QStringLiteral("no schema") << State::NotSetUp;
    QTest::newRow("no such database") << QStringLiteral("no database") << State::NotSetUp;
    QTest::newRow("tables of the first version, never set up again")
        << QStringLiteral("first version") << State::NotSetUp;
    QTest::newRow("password from a service file") << QStringLiteral("service") << State::UpToDate;
}

void SchoolServer::recordsWaitUntilTheServerTakesThem() {
    QFETCH(QString, trouble);
    QFETCH(State, state);
    const QString future = QStringLiteral("INSERT INTO lumo3.schema_version (version, "
                                          "program_version) VALUES (99, 'from the future')");
    ServerSettings settings = server_->settings();
    const bool again = trouble == QLatin1String("stopped, again");
    SyncOptions o = options();
    o.longestRetryMs = 4 * o.firstRetryMs;
    if (again) {
        o.firstRetryMs = 200;
        o.longestRetryMs = 800;
    }
    if (trouble.startsWith(QLatin1String("stopped")))
        QVERIFY(server_->stop());
    else if (trouble == QLatin1String("wrong password"))
        server_->usePassword(QStringLiteral("not the password"));
    else if (trouble == QLatin1String("no password"))
        server_->usePassword({});
    else if (trouble == QLatin1String("newer"))
        QVERIFY2(server_->admin(future), qPrintable(server_->error()));
    else if (trouble == QLatin1String("no schema"))
        QVERIFY(server_->admin(QStringLiteral("DROP SCHEMA lumo3 CASCADE")));
    else if (trouble == QLatin1String("no database"))
        settings.database = QStringLiteral("lumo3_gone");
    else if (trouble == QLatin1String("first version")) {
        // As the first version set a server up: everything the computers'
        // user's, which made the tables itself when it first sent.
        QVERIFY2(server_->resetDatabase(false), qPrintable(server_->error()));
        QStringList made{QStringLiteral("SET ROLE lumo3"),
                         QStringLiteral("SET search_path = lumo3"),
                         QStringLiteral("CREATE TABLE schema_version (version integer PRIMARY KEY, "
                                        "applied_utc timestamptz NOT NULL DEFAULT now(), "
                                        "program_version text NOT NULL)")};
        made += store::schemaStatements(store::SqlDialect::Postgres, 1);
        made << QStringLiteral("INSERT INTO server_identity (id) VALUES (gen_random_uuid())")
             << QStringLiteral("INSERT INTO schema_version (version, program_version) VALUES "
                               "(1, '3.0.0')");
        QVERIFY2(server_->admin(QStringLiteral("ALTER SCHEMA lumo3 OWNER TO lumo3")),
                 qPrintable(server_->error()));
        QVERIFY2(server_->admin(made.join(QStringLiteral("; "))), qPrintable(server_->error()));
    } else if (trouble == QLatin1String("service")) {
        server_->usePassword({});
        server_->useService(
            QStringLiteral("lumo3-school"),
            QStringLiteral("host=%1\nport=%2\ndbname=lumo3\nuser=lumo3\npassword=%3")
                    .arg(settings.host)
                    .arg(settings.port)
                    .arg(server_->rightPassword()) +
                // The teacher's, in the teacher's own file on a real computer.
                QStringLiteral("\n[lumo3-teacher]\nhost=%1\nport=%2\ndbname=lumo3\n"
                               "user=lumo3_teacher\npassword=%3")
                    .arg(settings.host)
                    .arg(settings.port)
                    .arg(server_->teacherPassword()));
        settings = ServerSettings{};
        settings.port = 0;
        settings.database.clear();
        settings.user.clear();
        settings.service = QStringLiteral("lumo3-school");
        settings.teacherService = QStringLiteral("lumo3-teacher");
    }

    QTemporaryDir dir;
    record(dir.path(), QStringLiteral("room-1-pc-01"),
           {{QStringLiteral("Ann"), 12}, {QStringLiteral("Ben"), 5, false}});
    SchoolSync sync(dir.path(), settings, o);
    sync.start();
    QVERIFY(sync.waitUntilIdle());
    COMPARE_STATE(sync, state);
    if (trouble == QLatin1String("stopped")) {
        // Each failure doubles the pause before the next try, up to the longest.
        for (const int times : {1, 2, 4, 4}) {
            QCOMPARE(sync.status().retryInMs, times * o.firstRetryMs);
            sync.syncSoon();
            QVERIFY(sync.waitUntilIdle());
        }
    }
    // The teacher's window, on its own connection, is told the same.
    ServerReader reader(settings);
    if (state == State::UpToDate)
        QVERIFY2(reader.canRead(), qPrintable(reader.problem().detail));
    else
        QCOMPARE(reader.problem().state, state);

    if (state != State::UpToDate) {
        QCOMPARE(sync.status().waiting, (Backlog{2, 17, 0}));
        QVERIFY(!sync.status().detail.isEmpty());
        if (!trouble.startsWith(QLatin1String("stopped"))) {
            // Nothing reached the server, and nothing there was changed.
            QString tables;
            QVERIFY(server_->admin(
                QStringLiteral("SELECT string_agg(tablename || ':' || tableowner, ',' ORDER BY "
                               "tablename) FROM pg_tables WHERE schemaname = 'lumo3'"),
                &tables));
            QCOMPARE(tables,
                     trouble == QLatin1String("no schema")
                         ? QString()
                         : QStringLiteral("answers:%1,deletions:%1,games:%1,schema_version:%1,"
                                          "server_identity:%1")
                               .arg(trouble == QLatin1String("first version")
                                        ? QStringLiteral("lumo3")
                                        : QStringLiteral("lumo3_owner")));
            QString games;
            if (trouble != QLatin1String("no schema"))
                QVERIFY(server_->admin(QStringLiteral("SELECT count(*) FROM lumo3.games"), &games));
            QCOMPARE(games,
                     trouble == QLatin1String("no schema") ? QString() : QStringLiteral("0"));
        }
        if (trouble == QLatin1String("newer")) {
            QString version;
            QVERIFY(server_->admin(QStringLiteral("SELECT string_agg(version || '|' || "
                                                  "program_version, ',' ORDER BY version) FROM "
                                                  "lumo3.schema_version"),
                                   &version));
            QCOMPARE(version, QStringLiteral("1|3.1.0-test,2|3.1.0-test,99|from the future"));
        }

        // Put right, the records go, once.
        if (trouble.startsWith(QLatin1String("stopped")))
            QVERIFY(server_->start());
        else if (trouble.endsWith(QLatin1String("password")))
            server_->usePassword(server_->rightPassword(), server_->teacherPassword());
        else if (trouble == QLatin1String("newer"))
            QVERIFY(server_->admin(
                QStringLiteral("DELETE FROM lumo3.schema_version WHERE version = 99")));
        else if (trouble == QLatin1String("no schema"))
            QVERIFY2(server_->resetDatabase(), qPrintable(server_->error()));
        else if (trouble == QLatin1String("first version"))
            // The README's steps again, as after every update of the program.
            QVERIFY2(server_->runScript(QStringLiteral(LUMO_SERVER_SETUP_SQL)) &&
                         server_->setUpTables(),
                     qPrintable(server_->error()));
        else if (trouble == QLatin1String("no database")) {
            settings = server_->settings();
            sync.setServer(settings);
        }
        if (again)
            QTRY_VERIFY_WITH_TIMEOUT(sync.status().upToDate(), 20000);
        else
            sync.syncSoon();
        QVERIFY(sync.waitUntilIdle());
        COMPARE_STATE(sync, State::UpToDate);
    }
    QCOMPARE(sync.status().waiting, Backlog{});
    ServerReader remote(settings);
    compareContents(contentsOf(remote), contentsOf({dir.path()}));
    QCOMPARE(serverCounts(*server_), QStringLiteral("2 games, 17 answers"));
}

void SchoolServer::aStoreStartedAfreshIsFollowed() {
    // The game sets a damaged store aside and starts a new one while the
    // sync runs: the new one's games are sent, the old ones stay on the server.
    QTemporaryDir dir;
    record(dir.path(), QStringLiteral("room-1-pc-01"), {{QStringLiteral("Ann"), 3}});
    SchoolSync sync(dir.path(), server_->settings(), options());
    sync.start();
    QVERIFY(sync.waitUntilIdle());
    COMPARE_STATE(sync, State::UpToDate);
    const QString file = storeFilePath(dir.path());
    QVERIFY(!setAside(file, fileIdentity(file)).isEmpty());
    record(dir.path(), QStringLiteral("room-1-pc-01"),
           {{QStringLiteral("Ben"), 4, true, firstMorning.addDays(1)}});
    sync.syncSoon();
    QVERIFY(sync.waitUntilIdle());
    COMPARE_STATE(sync, State::UpToDate);
    QCOMPARE(serverCounts(*server_), QStringLiteral("2 games, 7 answers"));

    // A server set up afresh gets, at the next start, everything this
    // computer still has.
    QVERIFY2(server_->resetDatabase(), qPrintable(server_->error()));
    SchoolSync next(dir.path(), server_->settings(), options());
    next.start();
    QVERIFY(next.waitUntilIdle());
    COMPARE_STATE(next, State::UpToDate);
    QCOMPARE(serverCounts(*server_), QStringLiteral("1 games, 4 answers"));
}

void SchoolServer::theTeacherSeesTheClassFromTheServer() {
    QTemporaryDir one, two, conf;
    record(one.path(), QStringLiteral("room-1-pc-01"),
           {{QStringLiteral("Ann"), 6, true, firstMorning},
            {QStringLiteral("Zed"), 4, true, firstMorning.addSecs(3600)}});
    record(two.path(), QStringLiteral("room-1-pc-02"),
           {{QStringLiteral("Ann"), 8, true, firstMorning.addDays(1)},
            {QStringLiteral("Chai"), 3, false, firstMorning.addDays(1).addSecs(3600)}});
    const SettingsFiles files{conf.filePath(QStringLiteral("system.conf")),
                              conf.filePath(QStringLiteral("user.conf"))};
    QFile system(files.systemFile);
    QVERIFY(system.open(QIODevice::WriteOnly));
    system.write(QStringLiteral("[class]\nnames=Ann, Chai\n[server]\nhost=%1\nport=%2\n")
                     .arg(server_->settings().host)
                     .arg(server_->settings().port)
                     .toUtf8());
    system.close();
    FakeDialogs dialogs;
    dialogs.exportPath = conf.filePath(QStringLiteral("class.csv"));
    teacher::TeacherWindow window(one.path(), files, dialogs, QLocale(QLocale::Thai));
    QCOMPARE(window.gamesPage()->model()->rowCount(), 2); // this computer's games
    QVERIFY(window.statusLine()->text().contains(QStringLiteral("ส่งไปยังเซิร์ฟเวอร์ของโรงเรียน")));

    // The server's tables are not set up yet: the window says so and makes none.
    QVERIFY2(server_->resetDatabase(false), qPrintable(server_->error()));
    QVERIFY(window.readFromServer(true));
    QTRY_COMPARE(dialogs.told.size(), 1);
    QVERIFY2(dialogs.told.first().contains(QStringLiteral("ยังไม่ได้ตั้งค่า ให้ผู้ดูแลระบบตั้งตามคู่มือ")),
             qPrintable(dialogs.told.first()));
    QCOMPARE(window.sourceBar()->source(), teacher::SourceBar::ThisComputer);
    QString tables;
    QVERIFY(server_->admin(
        QStringLiteral("SELECT count(*) FROM pg_tables WHERE schemaname = 'lumo3'"), &tables));
    QCOMPARE(tables, QStringLiteral("0"));
    QVERIFY2(server_->setUpTables(), qPrintable(server_->error()));

    for (const auto &[folder, computer] : {std::pair{one.path(), QStringLiteral("room-1-pc-01")},
                                           std::pair{two.path(), QStringLiteral("room-1-pc-02")}}) {
        SchoolSync sync(folder, server_->settings(), options(computer));
        sync.start();
        QVERIFY(sync.waitUntilIdle());
        COMPARE_STATE(sync, State::UpToDate);
    }
    QVERIFY(window.readFromServer(true));
    QTRY_VERIFY(!window.loading());
    QVERIFY(window.readLine()->isHidden()); // "กำลังโหลด…" gone with the last answer
    QCOMPARE(window.sourceBar()->source(), teacher::SourceBar::SchoolServer);
    QCOMPARE(window.gamesPage()->model()->rowCount(), 4);
    QVERIFY(!window.findChild<QWidget *>(QStringLiteral("deleteAll"))->isEnabled());
    window.findChild<QCheckBox *>(QStringLiteral("classOnly"))->setChecked(true);
    QTRY_COMPARE(window.gamesPage()->model()->rowCount(), 3);
    auto *computer = window.findChild<QComboBox *>(QStringLiteral("computer"));
    QCOMPARE(computer->count(), 3); // every computer, and each of the two
    computer->setCurrentIndex(computer->findData(QStringLiteral("room-1-pc-02")));
    QTRY_COMPARE(window.gamesPage()->model()->rowCount(), 2);
    QVERIFY(window.gamesPage()->exportShownRows());
    QFile csv(dialogs.exportPath);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QStringList lines =
        QString::fromUtf8(csv.readAll().mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines[1].startsWith(QStringLiteral("Chai,")));
    QVERIFY(lines[2].startsWith(QStringLiteral("Ann,")));
    window.show();
    QTRY_VERIFY(!window.loading());
    window.showChild(QStringLiteral("Ann"));
    QTRY_VERIFY(window.childPage()->summary()->text().contains(QStringLiteral("เล่นทั้งหมด 1 ครั้ง")));

    // The sync's word on what waits, and why.
    SyncStatus refused;
    refused.state = State::LoginRefused;
    refused.server = server_->settings().place();
    refused.waiting = {2, 30, 0};
    refused.detail = QStringLiteral("password authentication failed for user \"lumo3\"");
    refused.retryInMs = 120000;
    window.showSyncStatus(refused);
    QVERIFY(window.syncLine()->text().contains(QStringLiteral("32 รายการ")));
    QVERIFY(window.syncLine()->text().contains(QStringLiteral("รหัสผ่านไม่ถูกต้อง")));

    // A server that went away: the window says so and stays with this computer.
    QVERIFY(window.readFromServer(false));
    QVERIFY(server_->stop());
    QVERIFY(window.readFromServer(true));
    QTRY_COMPARE(dialogs.told.size(), 2);
    QCOMPARE(window.sourceBar()->source(), teacher::SourceBar::ThisComputer);
    QCOMPARE(window.gamesPage()->model()->rowCount(), 1); // Ann, of the class, here
}

namespace {

/// What a role gets when it logs in to `database` and runs `sql`: the
/// SQLSTATE of the refusal (of the login, or of the statement), or "" and
/// the first value of its answer.
std::pair<QString, QString> tryAs(const ServerSettings &server, const QString &role,
                                  const QString &database, const QString &sql) {
    const QByteArray host = server.host.toUtf8(), port = QByteArray::number(server.port),
                     db = database.toUtf8(), user = role.toUtf8();
    const char *keys[] = {"host", "port", "dbname", "user", nullptr};
    const char *values[] = {host.constData(), port.constData(), db.constData(), user.constData(),
                            nullptr};
    // The login's refusal is told by its code only when asked before it comes.
    PGconn *conn = PQconnectStartParams(keys, values, 0);
    PQsetErrorVerbosity(conn, PQERRORS_SQLSTATE);
    PostgresPollingStatusType polling = PGRES_POLLING_WRITING;
    QElapsedTimer waited;
    waited.start();
    while (PQstatus(conn) != CONNECTION_BAD && polling != PGRES_POLLING_OK &&
           polling != PGRES_POLLING_FAILED && waited.elapsed() < 10000) {
        QThread::msleep(2);
        polling = PQconnectPoll(conn);
    }
    std::pair<QString, QString> result;
    if (PQstatus(conn) != CONNECTION_OK) {
        static const QRegularExpression code(QStringLiteral(":  ([0-9A-Z]{5})$"),
                                             QRegularExpression::MultilineOption);
        result.first = QStringLiteral("login: ") +
                       code.match(QString::fromUtf8(PQerrorMessage(conn)).trimmed()).captured(1);
    } else {
        PGresult *answer = PQexec(conn, sql.toUtf8().constData());
        if (PQresultStatus(answer) == PGRES_COMMAND_OK || PQresultStatus(answer) == PGRES_TUPLES_OK)
            result.second =
                PQntuples(answer) > 0 ? QString::fromUtf8(PQgetvalue(answer, 0, 0)) : QString();
        else
            result.first = QString::fromUtf8(PQresultErrorField(answer, PG_DIAG_SQLSTATE));
        PQclear(answer);
    }
    PQfinish(conn);
    return result;
}

const QString ourGame = QStringLiteral("11111111-1111-4111-8111-111111111111");
const QString theirGame = QStringLiteral("22222222-2222-4222-8222-222222222222");

/// A game handed in as JSON, as the sync sends it.
QString gameJson(const QString &id, const char *computer) {
    return QStringLiteral(
               R"('{"id": "%1", "computer": "%2", "player": "x", "started_utc": "2026-06-01T02:30:00.000Z", "start_level": 1, "settings": "{}", "program_version": "3", "level_reached": 1, "questions": 0, "right_points": 0, "wrong_points": 0, "answered": 0, "answered_right": 0}')")
        .arg(id, QLatin1String(computer));
}

} // namespace

void SchoolServer::eachRoleMayDoItsJobAndNothingMore_data() {
    QTest::addColumn<QString>("role");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("refused"); // the SQLSTATE; empty: allowed
    QTest::addColumn<QString>("answer");  // the first value it gives, when allowed
    QTest::addColumn<QString>(
        "after"); // the games on the server afterwards, as the superuser sees them

    const QString computer = QStringLiteral("lumo3"), teacher = QStringLiteral("lumo3_teacher");
    const QString db = QStringLiteral("lumo3");
    const QString untouched = QStringLiteral("pc-01:-,pc-02:-");
    const QString denied = QStringLiteral("42501");
    const auto row = [&](const char *name, const QString &role, const QString &sql,
                         const QString &refused, const QString &answer = {},
                         const QString &after = {}, const QString &database = {}) {
        QTest::newRow(name) << role << (database.isEmpty() ? db : database) << sql << refused
                            << answer << (after.isEmpty() ? untouched : after);
    };
    // The computers' user.
    row("computer reads the games", computer, QStringLiteral("SELECT player FROM lumo3.games"),
        denied);
    row("computer reads the answers", computer,
        QStringLiteral("SELECT count(*) FROM lumo3.answers"), denied);
    row("computer reads the removed games", computer,
        QStringLiteral("SELECT count(*) FROM lumo3.deletions"), denied);
    row("computer changes a game", computer,
        QStringLiteral("UPDATE lumo3.games SET player = 'y' WHERE id = '%1'").arg(theirGame),
        denied);
    row("computer deletes games", computer, QStringLiteral("DELETE FROM lumo3.games"), denied);
    row("computer inserts a game past the function", computer,
        QStringLiteral("INSERT INTO lumo3.games SELECT * FROM lumo3.games"), denied);
    row("computer empties a table", computer, QStringLiteral("TRUNCATE lumo3.answers"), denied);
    row("computer drops a table", computer, QStringLiteral("DROP TABLE lumo3.games CASCADE"),
        QStringLiteral("42501"));
    row("computer writes the schema's version", computer,
        QStringLiteral("INSERT INTO lumo3.schema_version (version, program_version) VALUES (99, "
                       "'x')"),
        denied);
    row("computer makes a table in public", computer,
        QStringLiteral("CREATE TABLE public.x (a integer)"), denied);
    row("computer makes a table in the program's schema", computer,
        QStringLiteral("CREATE TABLE lumo3.x (a integer)"), denied);
    row("computer makes a temporary table", computer,
        QStringLiteral("CREATE TEMPORARY TABLE x (a integer)"), denied);
    row("computer replaces a function", computer,
        QStringLiteral("CREATE OR REPLACE FUNCTION lumo3.empty_bin() RETURNS void LANGUAGE sql "
                       "AS 'SELECT 1'"),
        denied);
    row("computer takes the owner's role", computer, QStringLiteral("SET ROLE lumo3_owner"),
        denied);
    row("computer makes a role", computer, QStringLiteral("CREATE ROLE x"), denied);
    row("computer makes a database", computer, QStringLiteral("CREATE DATABASE x"), denied);
    row("computer connects to the postgres database", computer, QStringLiteral("SELECT 1"),
        QStringLiteral("login: 42501"), {}, {}, QStringLiteral("postgres"));
    row("computer connects to template1", computer, QStringLiteral("SELECT 1"),
        QStringLiteral("login: 42501"), {}, {}, QStringLiteral("template1"));
    row("computer empties the bin", computer, QStringLiteral("SELECT lumo3.empty_bin()"), denied);
    row("computer lists the bin", computer,
        QStringLiteral("SELECT * FROM lumo3.teacher_bin_list()"), denied);
    row("computer bins everyone's games as the teacher", computer,
        QStringLiteral("SELECT lumo3.teacher_bin(NULL, NULL, true, 'x')"), denied);
    row("computer bins another computer's game", computer,
        QStringLiteral("SELECT lumo3.bin_game('%1', 'pc-01')").arg(theirGame), denied);
    row("computer restores another computer's game", computer,
        QStringLiteral("SELECT lumo3.restore_game('%1', 'pc-01')").arg(theirGame), denied);
    row("computer hands in over another computer's game", computer,
        QStringLiteral("SELECT lumo3.hand_in_game(%1, '[]')").arg(gameJson(theirGame, "pc-01")),
        denied);
    row("computer hands in an answer to another computer's game", computer,
        QStringLiteral("SELECT lumo3.hand_in_game(%1, '[{\"id\": "
                       "\"33333333-3333-4333-8333-333333333333\", \"game_id\": \"%2\"}]')")
            .arg(gameJson(ourGame, "pc-01"), theirGame),
        denied);
    row("computer checks the server", computer,
        QStringLiteral("SELECT version FROM lumo3.server_state()"), {}, QStringLiteral("2"));
    row("computer bins its own game", computer,
        QStringLiteral("SELECT lumo3.bin_game('%1', 'pc-01')").arg(ourGame), {},
        QStringLiteral("t"), QStringLiteral("pc-01:computer,pc-02:-"));
    row("computer hands in its own game again", computer,
        QStringLiteral("SELECT lumo3.hand_in_game(%1, '[]')").arg(gameJson(ourGame, "pc-01")), {},
        QStringLiteral("t"));

    // The teacher's user.
    row("teacher reads the games", teacher, QStringLiteral("SELECT count(*) FROM lumo3.games"), {},
        QStringLiteral("2"));
    row("teacher bins a game", teacher,
        QStringLiteral("SELECT lumo3.teacher_bin('%1', NULL, false, 'room')").arg(theirGame), {},
        QStringLiteral("1"), QStringLiteral("pc-01:-,pc-02:teacher"));
    row("teacher changes a game", teacher, QStringLiteral("UPDATE lumo3.games SET player = 'y'"),
        denied);
    row("teacher deletes games", teacher, QStringLiteral("DELETE FROM lumo3.games"), denied);
    row("teacher inserts a game", teacher,
        QStringLiteral("INSERT INTO lumo3.games SELECT * FROM lumo3.games"), denied);
    row("teacher hands in a game", teacher,
        QStringLiteral("SELECT lumo3.hand_in_game(%1, '[]')").arg(gameJson(ourGame, "pc-01")),
        denied);
    row("teacher bins as a computer", teacher,
        QStringLiteral("SELECT lumo3.bin_game('%1', 'pc-01')").arg(ourGame), denied);
    row("teacher reads the removed games", teacher,
        QStringLiteral("SELECT count(*) FROM lumo3.deletions"), denied);
    row("teacher writes the schema's version", teacher,
        QStringLiteral("INSERT INTO lumo3.schema_version (version, program_version) VALUES (99, "
                       "'x')"),
        denied);
    row("teacher makes a table in the program's schema", teacher,
        QStringLiteral("CREATE TABLE lumo3.x (a integer)"), denied);
    row("teacher empties a table", teacher, QStringLiteral("TRUNCATE lumo3.games CASCADE"), denied);
    row("teacher connects to the postgres database", teacher, QStringLiteral("SELECT 1"),
        QStringLiteral("login: 42501"), {}, {}, QStringLiteral("postgres"));
}

void SchoolServer::eachRoleMayDoItsJobAndNothingMore() {
    QFETCH(QString, role);
    QFETCH(QString, database);
    QFETCH(QString, sql);
    QFETCH(QString, refused);
    QFETCH(QString, answer);
    QFETCH(QString, after);
    // One game of each of two computers, as the superuser puts them there.
    for (const auto &[id, computer] : {std::pair{ourGame, QStringLiteral("pc-01")},
                                       std::pair{theirGame, QStringLiteral("pc-02")}})
        QVERIFY2(server_->admin(QStringLiteral("INSERT INTO lumo3.games (id, computer, player, "
                                               "started_utc, start_level, settings, "
                                               "program_version, level_reached, questions, "
                                               "right_points, wrong_points) VALUES ('%1', '%2', "
                                               "'x', now(), 1, '{}', '3', 1, 0, 0, 0)")
                                    .arg(id, computer)),
                 qPrintable(server_->error()));
    const auto [code, value] = tryAs(server_->settings(), role, database, sql);
    QCOMPARE(code, refused);
    if (refused.isEmpty() && !answer.isEmpty())
        QCOMPARE(value, answer);
    QString games;
    QVERIFY(server_->admin(QStringLiteral("SELECT string_agg(computer || ':' || "
                                          "COALESCE(deleted_from, '-'), ',' ORDER BY computer) "
                                          "FROM lumo3.games WHERE player = 'x'"),
                           &games));
    QCOMPARE(games, after);
}

QTEST_MAIN(SchoolServer)
#include "test_school_server.moc"
