// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// A store that cannot be used never holds up the game: every recording call
// returns at once, one warning goes to standard error, the status says why,
// and nothing stored before is lost. Damaged files are set aside, not deleted.
// Records the file can never take are counted and told, never taken silently.
#include "file_faults.h"
#include "samples.h"

#include "store/connection.h"
#include "store/opening.h"
#include "store/reader.h"
#include "store/recorder.h"
#include "store/tables.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <random>

using namespace lumo::store;
using namespace lumo::store::test;

namespace {

enum class Fault {
    NotADatabase,
    DamagedPage,
    Truncated,
    ReadOnlyFolder,
    NoFolder,
    Locked,
    LockedToTheEnd,
    Full,
    DeletedWhilePlayed,
    RemovedForGoodWhilePlayed,
};

void recordEarlierGame(const QString &folder, int games = 1) {
    GameRecorder recorder(folder);
    for (int n = 0; n < games; ++n) {
        const GameStart start =
            sampleStart(n ? QStringLiteral("Other %1").arg(n) : QStringLiteral("Earlier"));
        recorder.gameStarted(start);
        for (int q = 1; q <= 5; ++q)
            recorder.answerChecked(sampleAnswer(start, q, 1, q % 2));
    }
    QVERIFY(recorder.waitUntilWritten());
}

void overwrite(const QString &path, qint64 offset, const QByteArray &bytes, bool truncate = false) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    if (truncate)
        QVERIFY(file.resize(offset));
    QVERIFY(file.seek(offset));
    file.write(bytes);
}

void checkEarlierGameIsThere(const QString &folder) {
    ResultReader reader(folder);
    QCOMPARE(reader.status().state, StoreStatus::State::Ready);
    const QList<GameRow> games = reader.games({.nameContains = QStringLiteral("Earlier")});
    QCOMPARE(games.size(), 1);
    QCOMPARE(reader.answers(games.first().id).size(), 5);
}

} // namespace

class StoreFaults : public QObject {
    Q_OBJECT
  private slots:
    void aBrokenStoreLeavesTheGamePlayableWithOneWarning_data();
    void aBrokenStoreLeavesTheGamePlayableWithOneWarning();
};

void StoreFaults::aBrokenStoreLeavesTheGamePlayableWithOneWarning_data() {
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<StoreStatus::State>("state");
    QTest::newRow("not a database") << Fault::NotADatabase << StoreStatus::State::Ready;
    QTest::newRow("a damaged page") << Fault::DamagedPage << StoreStatus::State::Ready;
    QTest::newRow("cut short") << Fault::Truncated << StoreStatus::State::Ready;
    QTest::newRow("read-only folder") << Fault::ReadOnlyFolder << StoreStatus::State::Unusable;
    QTest::newRow("folder cannot be made") << Fault::NoFolder << StoreStatus::State::Unusable;
    QTest::newRow("locked by another program") << Fault::Locked << StoreStatus::State::Locked;
    QTest::newRow("locked until the program ends")
        << Fault::LockedToTheEnd << StoreStatus::State::Locked;
    QTest::newRow("disk full") << Fault::Full << StoreStatus::State::Full;
    QTest::newRow("the game deleted while it is played")
        << Fault::DeletedWhilePlayed << StoreStatus::State::Ready;
    QTest::newRow("the game removed for good while it is played")
        << Fault::RemovedForGoodWhilePlayed << StoreStatus::State::Ready;
}

void StoreFaults::aBrokenStoreLeavesTheGamePlayableWithOneWarning() {
    QFETCH(Fault, fault);
    QFETCH(StoreStatus::State, state);
    if (fault == Fault::ReadOnlyFolder && !foldersCanBeMadeReadOnly)
        QSKIP("A folder's permissions do not stop writing on this system.");
    QTemporaryDir base;
    QVERIFY(QFile::setPermissions(base.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                   QFileDevice::ExeOther));
    QString folder = base.filePath(QStringLiteral("results"));
    const QString file = storeFilePath(folder);

    std::optional<Connection> holder;
    QByteArray damaged;
    switch (fault) {
    case Fault::NotADatabase: {
        QVERIFY(QDir().mkpath(folder));
        std::mt19937 random(7);
        for (int i = 0; i < 8192; ++i)
            damaged.append(char(random()));
        overwrite(file, 0, damaged);
        break;
    }
    case Fault::DamagedPage:
    case Fault::Truncated:
        recordEarlierGame(folder, 40);
        if (fault == Fault::DamagedPage)
            overwrite(file, 4096 * 3, QByteArray(4096, '\xA5'));
        else
            overwrite(file, 4096 * 3 + 100, {}, true);
        damaged = bytesOf(file);
        break;
    case Fault::ReadOnlyFolder:
        recordEarlierGame(folder);
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                  QFileDevice::ReadOther | QFileDevice::ExeOther));
        break;
    case Fault::NoFolder:
        overwrite(base.filePath(QStringLiteral("a file")), 0, "not a folder");
        folder = base.filePath(QStringLiteral("a file/results"));
        break;
    case Fault::Locked:
    case Fault::LockedToTheEnd:
        recordEarlierGame(folder);
        holder.emplace(file);
        QVERIFY(holder->exec(QStringLiteral("BEGIN IMMEDIATE")));
        break;
    case Fault::Full:
    case Fault::DeletedWhilePlayed:
    case Fault::RemovedForGoodWhilePlayed:
        recordEarlierGame(folder);
        break;
    }

    if (!damaged.isEmpty()) {
        // The teacher's window leaves the file where a game may be writing
        // it (it reports damage it meets on opening); setting it aside is
        // the game's job.
        ResultReader reader(folder);
        QVERIFY(reader.status().state != StoreStatus::State::Unusable ||
                reader.status().detail.startsWith(QStringLiteral("the file is damaged")));
        QCOMPARE(bytesOf(file), damaged);
        QVERIFY(QDir(folder).entryList({QStringLiteral("*.damaged-*")}).isEmpty());
    }

    const lumo::FileIdentity found = lumo::fileIdentity(file);
    Warnings warnings;
    RecorderOptions options;
    options.store.busyTimeoutMs = 50;
    // No retry before the program ends: only its last try can save the game.
    options.retryIntervalMs = fault == Fault::LockedToTheEnd ? 600000 : 50;
    options.store.testPagesLeft = fault == Fault::Full ? 1 : 0;
    // Room for exactly the game.
    options.queueLimit = fault == Fault::Locked ? 102 : options.queueLimit;
    {
        OrdinaryUser user(fault == Fault::ReadOnlyFolder);
        GameRecorder recorder(folder, options);
        QSignalSpy endsWritten(&recorder, &GameRecorder::gameEndWritten);
        const GameStart start = sampleStart(QStringLiteral("Now"));
        QElapsedTimer clock;
        qint64 slowest = 0;
        const auto timed = [&](auto &&call) {
            clock.start();
            call();
            slowest = std::max(slowest, clock.nsecsElapsed());
        };
        timed([&] { recorder.gameStarted(start); });
        if (fault == Fault::DeletedWhilePlayed || fault == Fault::RemovedForGoodWhilePlayed) {
            QVERIFY(recorder.waitUntilWritten());
            QCOMPARE(ResultReader(folder).deletePlayer(start.player), 1);
        }
        if (fault == Fault::RemovedForGoodWhilePlayed) {
            // The bin emptied as if its days were over.
            Connection other(file);
            QSqlError error;
            QVERIFY2(
                emptyBin(other.db(), QDateTime::currentDateTimeUtc().addDays(binDays + 1), error),
                qPrintable(error.text()));
        }
        for (int q = 1; q <= 100; ++q)
            timed([&] { recorder.answerChecked(sampleAnswer(start, q, 2, 0, q % 2)); });
        timed([&] { recorder.gameEnded(sampleEnd(start, Outcome::Won, 100, 350, 50)); });
        QVERIFY2(slowest < 16'000'000, qPrintable(QString::number(slowest)));

        QVERIFY(recorder.waitUntilWritten());
        QCOMPARE(recorder.status().state, state);
        QVERIFY(!recorder.status().detail.isEmpty() || state == StoreStatus::State::Ready);
        if (fault == Fault::DeletedWhilePlayed) {
            // Kept whole in the bin, not brought back.
            QCOMPARE(recorder.status().rejected, 0);
            QTRY_COMPARE(endsWritten.size(), 1);
        }
        if (fault == Fault::RemovedForGoodWhilePlayed) {
            // Nowhere to go: every answer and the end counted as not saved.
            QCOMPARE(recorder.status().rejected, 101);
            QCOMPARE(endsWritten.size(), 0);
        }
        if (fault == Fault::Locked) {
            recorder.gameStarted(sampleStart(QStringLiteral("No room")));
            QVERIFY(recorder.waitUntilWritten());
            QCOMPARE(recorder.status().pending, 102);
            QCOMPARE(recorder.status().lost, 1);
            // The teacher can read past the lock.
            ResultReader reader(folder, options.store);
            QCOMPARE(reader.status().state, StoreStatus::State::Locked);
            QCOMPARE(reader.players(), QStringList{QStringLiteral("Earlier")});
            QVERIFY(holder->exec(QStringLiteral("COMMIT")));
            QTRY_COMPARE(recorder.status().state, StoreStatus::State::Ready);
            QVERIFY(recorder.waitUntilWritten());
        }
        if (fault == Fault::LockedToTheEnd)
            QVERIFY(holder->exec(QStringLiteral("COMMIT")));
        if (fault == Fault::ReadOnlyFolder) {
            // The teacher can still read what is there.
            ResultReader reader(folder);
            QCOMPARE(reader.status().state, StoreStatus::State::Unusable);
            QVERIFY(reader.canRead());
            QCOMPARE(reader.games().size(), 1);
        }
    }
    // A game deleted while it is played is no fault: nothing to warn of.
    QCOMPARE(warnings.all().size(), fault == Fault::DeletedWhilePlayed ? 0 : 1);

    switch (fault) {
    case Fault::NotADatabase:
    case Fault::DamagedPage:
    case Fault::Truncated: {
        const QStringList aside =
            QDir(folder).entryList({QStringLiteral("results.sqlite.damaged-*")});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(bytesOf(QDir(folder).filePath(aside.first())), damaged);
        // The same file under its new name; a new one under the old.
        QCOMPARE(lumo::fileIdentity(QDir(folder).filePath(aside.first())), found);
        QVERIFY(lumo::fileIdentity(file).valid() && lumo::fileIdentity(file) != found);
        QVERIFY(warnings.all().first().contains(aside.first()));
        ResultReader reader(folder);
        QCOMPARE(reader.players(), QStringList{QStringLiteral("Now")});
        QCOMPARE(reader.answers(reader.games().first().id).size(), 100);
        break;
    }
    case Fault::ReadOnlyFolder:
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner));
        checkEarlierGameIsThere(folder);
        break;
    case Fault::NoFolder:
        QVERIFY(!QFileInfo::exists(file));
        break;
    case Fault::Locked:
    case Fault::LockedToTheEnd: {
        holder.reset();
        checkEarlierGameIsThere(folder);
        ResultReader reader(folder);
        QCOMPARE(reader.players(), (QStringList{QStringLiteral("Earlier"), QStringLiteral("Now")}));
        const GameRow now = reader.games({.nameContains = QStringLiteral("Now")}).first();
        QCOMPARE(now.outcome, std::optional<Outcome>(Outcome::Won));
        QCOMPARE(reader.answers(now.id).size(), 100);
        break;
    }
    case Fault::RemovedForGoodWhilePlayed: {
        checkEarlierGameIsThere(folder);
        ResultReader reader(folder);
        QCOMPARE(reader.players(), QStringList{QStringLiteral("Earlier")});
        QVERIFY(reader.bin().isEmpty());
        break;
    }
    case Fault::DeletedWhilePlayed: {
        checkEarlierGameIsThere(folder);
        ResultReader reader(folder);
        QCOMPARE(reader.players(), QStringList{QStringLiteral("Earlier")});
        QCOMPARE(reader.bin().size(), 1);
        QCOMPARE(reader.restoreAll(), 1);
        const GameRow now = reader.games({.nameContains = QStringLiteral("Now")}).first();
        QCOMPARE(now.outcome, std::optional<Outcome>(Outcome::Won));
        QCOMPARE(reader.answers(now.id).size(), 100);
        break;
    }
    case Fault::Full: {
        checkEarlierGameIsThere(folder);
        // What fitted is there, in order, with nothing missing in between.
        ResultReader reader(folder);
        const QList<GameRow> now = reader.games({.nameContains = QStringLiteral("Now")});
        QCOMPARE(now.size(), 1);
        const QList<AnswerRow> answers = reader.answers(now.first().id);
        QVERIFY(answers.size() < 100);
        for (int i = 0; i < answers.size(); ++i)
            QCOMPARE(answers[i].question, i + 1);
        break;
    }
    }
}

QTEST_GUILESS_MAIN(StoreFaults)
#include "test_store_faults.moc"
