// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Real processes on one store: a game killed outright in the middle
// keeps every answer committed before the kill and shows as unfinished, and
// two copies of the program writing at once lose neither's records.
#include "store/connection.h"
#include "store/opening.h"
#include "store/reader.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace lumo::store;

namespace {

/// The program that plays: a stand-in that records as the game does.
QString player() {
    return QStringLiteral(LUMO_RECORD_HELPER);
}

int committedAnswers(const QString &folder) {
    if (!QFileInfo::exists(storeFilePath(folder)))
        return 0;
    Connection c(storeFilePath(folder));
    c.exec(QStringLiteral("PRAGMA busy_timeout = 1000"));
    return c.scalar(QStringLiteral("SELECT COUNT(*) FROM answers")).toInt();
}

} // namespace

class StoreProcesses : public QObject {
    Q_OBJECT
  private slots:
    void aKilledGameKeepsEveryCommittedAnswerAndShowsUnfinished();
    void twoCopiesWritingAtOnceLoseNothing();
};

void StoreProcesses::aKilledGameKeepsEveryCommittedAnswerAndShowsUnfinished() {
    QTemporaryDir dir;
    QProcess game;
    game.start(player(), {dir.path(), QStringLiteral("ด.ช. ถูกตัดไฟ"), QStringLiteral("30"),
                          QStringLiteral("forever")});
    QVERIFY(game.waitForStarted());
    // Killed while it goes on checking answers, as a power cut would find it.
    QTRY_VERIFY_WITH_TIMEOUT(committedAnswers(dir.path()) >= 40, 30000);
    const int seenBeforeKill = committedAnswers(dir.path());
    game.kill(); // SIGKILL on Linux, TerminateProcess on Windows
    QVERIFY(game.waitForFinished());
    QCOMPARE(game.exitStatus(), QProcess::CrashExit);

    {
        Connection c(storeFilePath(dir.path()));
        QCOMPARE(c.scalar(QStringLiteral("PRAGMA integrity_check")).toString(),
                 QStringLiteral("ok"));
    }
    ResultReader reader(dir.path());
    const QList<GameRow> games = reader.games();
    QCOMPARE(games.size(), 1);
    QCOMPARE(games.first().player, QStringLiteral("ด.ช. ถูกตัดไฟ"));
    QVERIFY(!games.first().outcome.has_value());
    const QList<AnswerRow> answers = reader.answers(games.first().id);
    QVERIFY(answers.size() >= seenBeforeKill);
    for (int i = 0; i < answers.size(); ++i)
        QCOMPARE(answers[i].question, i + 1);
    QCOMPARE(games.first().questions, answers.size());
}

void StoreProcesses::twoCopiesWritingAtOnceLoseNothing() {
    QTemporaryDir dir;
    constexpr int answers = 150;
    QProcess first, second;
    for (auto [process, name] : {std::pair{&first, "first"}, std::pair{&second, "second"}})
        process->start(player(), {dir.path(), QString::fromLatin1(name), QString::number(answers),
                                  QStringLiteral("end")});
    for (QProcess *process : {&first, &second}) {
        QVERIFY(process->waitForFinished(60000));
        QCOMPARE(process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(process->exitCode(), 0);
        QVERIFY2(process->readAllStandardError().isEmpty(), "no warning expected");
    }
    ResultReader reader(dir.path());
    const QList<GameRow> games = reader.games();
    QCOMPARE(games.size(), 2);
    for (const GameRow &game : games) {
        QCOMPARE(game.outcome, std::optional<Outcome>(Outcome::Won));
        QCOMPARE(reader.answers(game.id).size(), answers);
    }
}

QTEST_GUILESS_MAIN(StoreProcesses)
#include "test_store_processes.moc"
