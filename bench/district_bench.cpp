// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// A district's schools on one server: a real PostgreSQL server of its own
// (started as the server tests start it), filled with 200 computers' games
// (20,000 games, 1,000,000 answers, made on the server itself), then timed:
// the teacher's window opening on it (its first reads, as the teacher's
// user), and 40 computers handing in a lesson's games at the same moment,
// each from its own store, as the computers' user.
//   district_bench [--computers N] [--games N] [--answers-per-game N] [--senders N]
#include "store/opening.h"
#include "store/reader.h"
#include "store/recorder.h"
#include "sync/outbox.h"
#include "sync/sender.h"
#include "sync/server_reader.h"
#include "sync/server_schema.h"
#include "test_server.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <latch>
#include <mutex>
#include <thread>

using namespace lumo;

namespace {

struct Figures {
    double median, p95, max;
};

Figures figures(QList<double> ms) {
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double share) {
        return ms[std::min<qsizetype>(ms.size() - 1, qsizetype(share * double(ms.size())))];
    };
    return {at(0.5), at(0.95), ms.last()};
}

void print(const char *what, const Figures &f, const char *target) {
    std::printf("| %s | %.1f ms | %.1f ms | %.1f ms | %s |\n", what, f.median, f.p95, f.max,
                target);
}

/// Games started over the last year, newest today; each computer's
/// children by name, answers of up to four rows.
QString fillSql(int computers, int games, int answersPerGame) {
    return QStringLiteral(
               "INSERT INTO lumo3.games (id, computer, player, started_utc, start_level, "
               "clock_minutes, settings, program_version, ended_utc, outcome, level_reached, "
               "questions, right_points, wrong_points, clock_seconds) SELECT gen_random_uuid(), "
               "'school-' || (n %% %1 / 20) || '-pc-' || (n %% %1), 'นักเรียน ' || (n %% %1) || "
               "'-' || (n / %1 %% 30), now() - (n * interval '1 day' * 365 / %2), 1, 30, "
               "'{}', '3.1.0', now() - (n * interval '1 day' * 365 / %2) + interval '20 "
               "minutes', 'time_out', 1 + n %% 4, %3, 2 * %3, %3 / 2, 0 FROM "
               "generate_series(1, %2) n; INSERT INTO lumo3.answers (id, game_id, question, "
               "level, count1, count2, count3, count4, total, slots, answer1, answer2, answer3, "
               "answer4, answer_total, right_points, wrong_points, seconds, checked_utc) SELECT "
               "gen_random_uuid(), g.id, q, 1 + (q - 1) / 25, 2 + q %% 14, CASE WHEN q > 25 THEN "
               "3 + q %% 13 END, CASE WHEN q > 50 THEN 4 + q %% 12 END, CASE WHEN q > 75 THEN 5 "
               "+ q %% 11 END, CASE WHEN q > 25 THEN 20 END, '[\"\",\"5\"]', 2 + q %% 14, CASE "
               "WHEN q > 25 THEN 3 + q %% 13 END, CASE WHEN q > 50 THEN 4 + q %% 12 END, CASE "
               "WHEN q > 75 THEN 5 + q %% 11 END, CASE WHEN q > 25 THEN 21 END, 1, q %% 2, 7.5, "
               "g.started_utc + q * interval '10 seconds' FROM lumo3.games g, "
               "generate_series(1, %3) q; ANALYZE lumo3.games; ANALYZE lumo3.answers")
        .arg(computers)
        .arg(games)
        .arg(answersPerGame)
        .replace(QStringLiteral("%%"), QStringLiteral("%"));
}

/// One lesson's games on one computer, recorded as the game records them.
void recordLesson(const QString &folder, const QString &computer, int games, int answers) {
    store::GameRecorder recorder(folder);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (int g = 0; g < games; ++g) {
        store::GameStart start;
        start.id = QUuid::createUuid();
        start.player = QStringLiteral("ด.ญ. %1 %2").arg(computer).arg(g);
        start.startedUtc = now.addSecs(-1800 + 60 * g);
        start.clockMinutes = 30;
        start.settingsJson = QStringLiteral("{}");
        start.programVersion = QStringLiteral("3.1.0");
        start.computer = computer;
        recorder.gameStarted(start);
        for (int q = 1; q <= answers; ++q) {
            store::AnswerCheck answer;
            answer.gameId = start.id;
            answer.question = q;
            answer.level = 1;
            answer.counts = {2 + q % 14};
            answer.slotCaptions[1] = QString::number((2 + q % 14) % 10);
            if (2 + q % 14 >= 10)
                answer.slotCaptions[0] = QStringLiteral("1");
            answer.pointsRight = 1;
            answer.seconds = 6.5;
            answer.checkedUtc = start.startedUtc.addSecs(10 * q);
            recorder.answerChecked(answer);
        }
        store::GameEnd end;
        end.gameId = start.id;
        end.endedUtc = start.startedUtc.addSecs(10 * answers + 5);
        end.outcome = store::Outcome::TimeOut;
        end.questions = answers;
        end.right = answers;
        end.clockSeconds = 0;
        recorder.gameEnded(end);
    }
    recorder.waitUntilWritten(60000);
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const auto number = [&](const char *name, const char *help, const char *value) {
        QCommandLineOption option(QLatin1String(name), QLatin1String(help), QStringLiteral("n"),
                                  QLatin1String(value));
        parser.addOption(option);
        return option;
    };
    const auto computersOption = number("computers", "Computers in the district.", "200");
    const auto gamesOption = number("games", "Games on the server.", "20000");
    const auto answersOption = number("answers-per-game", "Answers of each game.", "50");
    const auto sendersOption = number("senders", "Computers sending at once.", "40");
    const auto lessonOption = number("lesson-games", "Games each of them sends.", "5");
    const auto runsOption = number("runs", "Openings of the teacher's window.", "15");
    parser.process(app);
    const int computers = parser.value(computersOption).toInt();
    const int games = parser.value(gamesOption).toInt();
    const int answersPerGame = parser.value(answersOption).toInt();
    const int senders = parser.value(sendersOption).toInt();
    const int lessonGames = parser.value(lessonOption).toInt();
    const int runs = parser.value(runsOption).toInt();

    sync::test::TestServer server;
    if (!server.setUp()) {
        std::fprintf(stderr, "%s\n", qPrintable(server.error()));
        return 1;
    }
    server.usePassword(server.rightPassword(), server.teacherPassword());
    QElapsedTimer filling;
    filling.start();
    if (!server.admin(fillSql(computers, games, answersPerGame))) {
        std::fprintf(stderr, "%s\n", qPrintable(server.error()));
        return 1;
    }
    QString counts;
    server.admin(QStringLiteral("SELECT (SELECT count(DISTINCT computer) FROM lumo3.games) || ' "
                                "computers, ' || (SELECT count(*) FROM lumo3.games) || ' games, "
                                "' || (SELECT count(*) FROM lumo3.answers) || ' answers'"),
                 &counts);
    std::printf("filled in %.1f s: %s\n\n", filling.elapsed() / 1000.0, qPrintable(counts));

    // The teacher's window opening on the server: the connection and its
    // check, then what its first page reads.
    store::GameFilter lastWeek;
    lastWeek.firstDay = QDate::currentDate().addDays(-6);
    QList<double> opening, week, all, players, computerList, connecting;
    int weekRows = 0, allRows = 0, playerRows = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer t;
        t.start();
        sync::ServerReader reader(server.settings());
        connecting << t.nsecsElapsed() / 1e6;
        QElapsedTimer step;
        step.start();
        weekRows = int(reader.games(lastWeek).size());
        week << step.nsecsElapsed() / 1e6;
        step.start();
        playerRows = int(reader.players(lastWeek).size());
        players << step.nsecsElapsed() / 1e6;
        step.start();
        reader.computers();
        computerList << step.nsecsElapsed() / 1e6;
        opening << t.nsecsElapsed() / 1e6;
        step.start();
        allRows = int(reader.games().size());
        all << step.nsecsElapsed() / 1e6;
        if (!reader.lastError().isEmpty() || !reader.canRead()) {
            std::fprintf(stderr, "the teacher's read failed: %s %s\n",
                         qPrintable(reader.lastError()), qPrintable(reader.problem().detail));
            return 1;
        }
    }
    std::printf(
        "| measure (%d runs) | median | 95th pct. | max | target |\n|---|---:|---:|---:|---|\n",
        runs);
    print("teacher's window: connection and version check", figures(connecting), "");
    std::printf("| teacher's window: games of the last 7 days (%d rows) | %.1f ms | %.1f ms | %.1f "
                "ms | |\n",
                weekRows, figures(week).median, figures(week).p95, figures(week).max);
    std::printf("| teacher's window: players of those days (%d names) | %.1f ms | %.1f ms | %.1f "
                "ms | |\n",
                playerRows, figures(players).median, figures(players).p95, figures(players).max);
    print("teacher's window: computers", figures(computerList), "");
    print("**teacher's window opening: all of the above**", figures(opening), "< 1000 ms");
    std::printf("| teacher's window: every game (%d rows) | %.1f ms | %.1f ms | %.1f ms | |\n",
                allRows, figures(all).median, figures(all).p95, figures(all).max);

    // A computer room at the end of a lesson: each computer hands in its
    // games as the sync does, all starting at the same moment.
    QTemporaryDir folders;
    for (int c = 0; c < senders; ++c)
        recordLesson(folders.filePath(QString::number(c)), QStringLiteral("room-9-pc-%1").arg(c),
                     lessonGames, 25);
    std::mutex mutex;
    QList<double> sends, serverSends;
    QStringList failures;
    std::latch ready(senders);
    QElapsedTimer wall;
    std::vector<std::thread> threads;
    for (int c = 0; c < senders; ++c) {
        threads.emplace_back([&, c] {
            store::OpenedStore local = store::openStore(folders.filePath(QString::number(c)), {});
            QString problem;
            QList<double> mine, mineServer;
            {
                sync::ServerConnection connection(server.settings());
                if (!connection.open()) {
                    problem = connection.problem().detail;
                } else if (const sync::ServerSchema schema = sync::checkServer(connection.db());
                           schema.kind != sync::ServerSchema::Kind::Ready) {
                    problem = schema.detail;
                }
                ready.arrive_and_wait();
                if (problem.isEmpty() && local.connection) {
                    sync::Outbox outbox(*local.connection);
                    for (const sync::OutgoingGame &game : outbox.nextGames(lessonGames, {})) {
                        QElapsedTimer t;
                        t.start();
                        QSqlError error;
                        store::WriteTransaction transaction(connection.db());
                        bool complete = false;
                        if (!transaction.begin(error) ||
                            !store::execute(connection.db(), sync::handInStatement,
                                            sync::handInValues(game), error) ||
                            !transaction.commit(error)) {
                            problem = store::errorText(error);
                            break;
                        }
                        mineServer << t.nsecsElapsed() / 1e6;
                        if (!outbox.markSent(game, complete)) {
                            problem = store::errorText(outbox.error());
                            break;
                        }
                        mine << t.nsecsElapsed() / 1e6;
                    }
                }
            }
            std::lock_guard lock(mutex);
            sends += mine;
            serverSends += mineServer;
            if (!problem.isEmpty())
                failures << problem;
        });
    }
    wall.start();
    for (std::thread &thread : threads)
        thread.join();
    const double took = wall.elapsed();
    if (!failures.isEmpty()) {
        std::fprintf(stderr, "sending failed: %s\n", qPrintable(failures.first()));
        return 1;
    }
    print(qPrintable(QStringLiteral("**one game with 25 answers handed in, %1 computers at "
                                    "once (%2 games): the server's transaction**")
                         .arg(senders)
                         .arg(sends.size())),
          figures(serverSends), "< 50 ms");
    print("the same with the sent mark in the computer's own store (a synced commit)",
          figures(sends), "");
    std::printf("\nall %lld games of the %d computers in %.0f ms\n", qlonglong(sends.size()),
                senders, took);
    return 0;
}
