// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's corner timed: the teacher's window opening on 10,000
// recorded games of a class list of 40 (on its class page), exporting
// 10,000 games with 500,000 answers, and what recording an answer costs
// the GUI thread.
//   teacher_bench [--games N] [--answers-per-game N] [--runs N] [--fresh N] [--folder DIR]
//                 [--export-answers-per-game N]
#include "platform/fonts.h"
#include "settings/settings_files.h"
#include "store/opening.h"
#include "store/recorder.h"
#include "teacher/dialogs.h"
#include "teacher/games_page.h"
#include "teacher/teacher_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QSqlQuery>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QUuid>

#include <algorithm>
#include <cstdio>
#include <random>

#include <time.h>

using namespace lumo;

namespace {

struct Figures {
    double median, p95, max;
};

/// Processor time of this thread, in ms: what the opening cost without the
/// time spent waiting for a processor that other programs had.
double threadMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

Figures figures(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v[std::min(v.size() - 1, v.size() * 95 / 100)], v.back()};
}

constexpr int children = 40;

QString childName(int n) {
    return QStringLiteral("ด.ช. นักเรียน %1").arg(n);
}

/// The class list of the 40 children, in the computer's settings file.
lumo::SettingsFiles classSettings(const QDir &dir) {
    const lumo::SettingsFiles files{dir.filePath(QStringLiteral("system.conf")),
                                    dir.filePath(QStringLiteral("user.conf"))};
    QStringList names;
    for (int n = 0; n < children; ++n)
        names << childName(n);
    QFile file(files.systemFile);
    if (file.open(QIODevice::WriteOnly))
        file.write(
            QStringLiteral("[class]\nnames=%1\n").arg(names.join(QStringLiteral(", "))).toUtf8());
    return files;
}

/// Fills a store quickly, in one transaction, with games spread over a
/// school year among 40 children, and the games' tallies of their answers
/// as the writer keeps them.
void fill(const QString &folder, int games, int answersPerGame) {
    store::OpenedStore opened = store::openStore(folder, {});
    QSqlDatabase &db = opened.connection->db();
    QSqlQuery(db).exec(QStringLiteral("BEGIN"));
    QSqlQuery game(db), answer(db);
    game.prepare(QStringLiteral(
        "INSERT INTO games (id, computer, player, started_utc, start_level, clock_minutes, "
        "settings, "
        "program_version, ended_utc, outcome, level_reached, questions, right_points, "
        "wrong_points, "
        "clock_seconds) VALUES (?, 'pc', ?, ?, 1, 30, '{}', '3.1.0', ?, ?, ?, ?, ?, ?, ?)"));
    answer.prepare(QStringLiteral(
        "INSERT INTO answers (id, game_id, question, level, count1, count2, total, slots, answer1, "
        "answer2, answer_total, right_points, wrong_points, seconds, checked_utc) "
        "VALUES (?, ?, ?, 2, ?, ?, ?, '[]', ?, ?, ?, ?, ?, 9.5, ?)"));
    std::mt19937 random(1);
    const QDateTime first(QDate(2025, 5, 16), QTime(2, 0), Qt::UTC);
    const QStringList outcomes{QStringLiteral("won"), QStringLiteral("time_out"),
                               QStringLiteral("left"), QStringLiteral("window_closed")};
    for (int g = 0; g < games; ++g) {
        const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        const QDateTime started = first.addSecs(qint64(g) * 2900);
        game.addBindValue(id);
        game.addBindValue(childName(int(random() % children)));
        game.addBindValue(store::utcText(started));
        game.addBindValue(store::utcText(started.addSecs(1500)));
        game.addBindValue(outcomes[random() % 4]);
        game.addBindValue(int(1 + random() % 4));
        game.addBindValue(int(random() % 101));
        game.addBindValue(int(random() % 300));
        game.addBindValue(int(random() % 60));
        game.addBindValue(int(random() % 5400));
        game.exec();
        for (int q = 1; q <= answersPerGame; ++q) {
            const int a = 2 + int(random() % 14), b = 2 + int(random() % 14);
            answer.addBindValue(QUuid::createUuid().toString(QUuid::WithoutBraces));
            answer.addBindValue(id);
            answer.addBindValue(q);
            answer.addBindValue(a);
            answer.addBindValue(b);
            answer.addBindValue(a + b);
            const bool countRight = random() % 5, totalRight = random() % 4;
            answer.addBindValue(countRight ? a : a + 1);
            answer.addBindValue(b);
            answer.addBindValue(totalRight ? a + b : a + b - 1);
            answer.addBindValue(1 + (countRight ? 1 : 0) + (totalRight ? 2 : 0));
            answer.addBindValue((countRight ? 0 : 1) + (totalRight ? 0 : 1));
            answer.addBindValue(store::utcText(started.addSecs(q * 12)));
            answer.exec();
        }
    }
    QSqlQuery(db).exec(QStringLiteral(
        "UPDATE games SET answered = (SELECT COUNT(*) FROM answers a WHERE a.game_id = games.id), "
        "answered_right = (SELECT COUNT(*) FROM answers a WHERE a.game_id = games.id AND "
        "a.wrong_points = 0)"));
    QSqlQuery(db).exec(QStringLiteral("COMMIT"));
}

/// Exports to the file the bench names, without a dialog.
class ExportTo : public teacher::RealTeacherDialogs {
  public:
    QString path;
    QString saveFileName(QWidget *, const QString &) override { return path; }
    void inform(QWidget *, const QString &text) override {
        std::printf("export failed: %s\n", qPrintable(text));
    }
};

struct ExportTimes {
    double csv, workbook;
    qint64 csvBytes, workbookBytes;
};

/// The games page's export of every game and answer, as CSV and as a workbook.
ExportTimes timeExports(const QDir &dir) {
    ExportTo dialogs;
    const lumo::SettingsFiles settings = classSettings(dir);
    teacher::TeacherWindow window(dir.path(), settings, dialogs,
                                  QLocale(QLocale::Thai, QLocale::Thailand));
    QElapsedTimer clock;
    ExportTimes times{};
    dialogs.path = dir.filePath(QStringLiteral("export.csv"));
    clock.start();
    window.gamesPage()->exportShownRows();
    times.csv = clock.nsecsElapsed() / 1e9;
    times.csvBytes = QFileInfo(dialogs.path).size() +
                     QFileInfo(dir.filePath(QStringLiteral("export-คำตอบ.csv"))).size();
    dialogs.path = dir.filePath(QStringLiteral("export.xlsx"));
    clock.start();
    window.gamesPage()->exportShownRows();
    times.workbook = clock.nsecsElapsed() / 1e9;
    times.workbookBytes = QFileInfo(dialogs.path).size();
    return times;
}

} // namespace

int main(int argc, char *argv[]) {
    installFontSubstitutions();
    QApplication app(argc, argv);
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QCommandLineParser parser;
    const QCommandLineOption gamesOption(QStringLiteral("games"),
                                         QStringLiteral("Games in the store."), QStringLiteral("n"),
                                         QStringLiteral("10000"));
    const QCommandLineOption answersOption(QStringLiteral("answers-per-game"),
                                           QStringLiteral("Answers per game."), QStringLiteral("n"),
                                           QStringLiteral("30"));
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Openings timed."),
                                        QStringLiteral("n"), QStringLiteral("11"));
    const QCommandLineOption folderOption(
        QStringLiteral("folder"),
        QStringLiteral(
            "Store folder to use; filled if it has no store yet (default: a temporary one)."),
        QStringLiteral("dir"));
    const QCommandLineOption bareOption(
        QStringLiteral("bare"),
        QStringLiteral("Time only a bare window with one Thai label, first in the process: the "
                       "part of a first opening that any Qt window pays (fonts, style)."));
    const QCommandLineOption freshOption(
        QStringLiteral("fresh"),
        QStringLiteral("Fresh processes timed for the first opening, and for a bare window."),
        QStringLiteral("n"), QStringLiteral("9"));
    const QCommandLineOption firstOnlyOption(
        QStringLiteral("first-only"),
        QStringLiteral("Open the window once and print its times (for --fresh)."));
    const QCommandLineOption exportOption(
        QStringLiteral("export-answers-per-game"),
        QStringLiteral("Answers per game of the store the exports are timed on (0: none)."),
        QStringLiteral("n"), QStringLiteral("50"));
    parser.addOptions({gamesOption, answersOption, runsOption, folderOption, bareOption,
                       freshOption, firstOnlyOption, exportOption});
    parser.process(app);
    if (parser.isSet(bareOption)) {
        const double cpu = threadMs();
        QElapsedTimer clock;
        clock.start();
        QLabel label(QStringLiteral("ผลการทดสอบ"));
        label.resize(1024, 680);
        label.show();
        label.repaint();
        QCoreApplication::processEvents();
        std::printf("OPENED %.3f %.3f\n", clock.nsecsElapsed() / 1e6, threadMs() - cpu);
        return 0;
    }
    const int games = parser.value(gamesOption).toInt();
    const int runs = parser.value(runsOption).toInt();

    QTemporaryDir temporary;
    const QDir dir(parser.isSet(folderOption) ? parser.value(folderOption) : temporary.path());
    QElapsedTimer clock;
    if (!QFileInfo::exists(store::storeFilePath(dir.path()))) {
        clock.start();
        fill(dir.path(), games, parser.value(answersOption).toInt());
        std::printf("store filled: %d games, %d answers each, in %.1f s\n", games,
                    parser.value(answersOption).toInt(), clock.elapsed() / 1000.0);
    }

    teacher::RealTeacherDialogs dialogs;
    const SettingsFiles settings = classSettings(dir);
    if (parser.isSet(firstOnlyOption)) {
        const double cpu = threadMs();
        clock.start();
        teacher::TeacherWindow window(dir.path(), settings, dialogs,
                                      QLocale(QLocale::Thai, QLocale::Thailand));
        window.show();
        window.repaint();
        QCoreApplication::processEvents();
        std::printf("OPENED %.3f %.3f\n", clock.nsecsElapsed() / 1e6, threadMs() - cpu);
        return 0;
    }

    // The opening a teacher sees: the first window in a fresh process, which
    // also pays for what any first Qt window pays (fonts, style); a bare
    // window with one Thai label shows how much that is.
    const auto fresh = [&](const QStringList &arguments) {
        std::vector<double> wall, cpu;
        for (int n = 0; n < parser.value(freshOption).toInt(); ++n) {
            QProcess process;
            process.start(QCoreApplication::applicationFilePath(), arguments);
            process.waitForFinished(60000);
            const QStringList fields =
                QString::fromLatin1(process.readAllStandardOutput()).trimmed().split(u' ');
            if (fields.size() == 3 && fields[0] == u"OPENED") {
                wall.push_back(fields[1].toDouble());
                cpu.push_back(fields[2].toDouble());
            }
        }
        return std::pair{figures(wall), figures(cpu)};
    };
    const auto [freshWall, freshCpu] =
        fresh({QStringLiteral("--first-only"), QStringLiteral("--folder"), dir.path()});
    const auto [bareWall, bareCpu] = fresh({QStringLiteral("--bare")});

    std::vector<double> openings, processor;
    for (int run = 0; run < runs; ++run) {
        const double cpu = threadMs();
        clock.start();
        {
            teacher::TeacherWindow window(dir.path(), settings, dialogs,
                                          QLocale(QLocale::Thai, QLocale::Thailand));
            window.show();
            window.repaint();
            QCoreApplication::processEvents();
            openings.push_back(clock.nsecsElapsed() / 1e6);
            processor.push_back(threadMs() - cpu);
        }
        QCoreApplication::processEvents();
    }
    const Figures open = figures(openings);
    const Figures openCpu = figures(processor);

    // The GUI thread's part of recording an answer: a copy handed to the writer.
    std::vector<double> enqueue, committed;
    {
        QTemporaryDir recording;
        store::GameRecorder recorder(recording.path());
        store::GameStart start;
        start.id = QUuid::createUuid();
        start.player = QStringLiteral("ด.ญ. วัดเวลา");
        start.computer = QStringLiteral("bench");
        start.settingsJson = QStringLiteral("{}");
        start.programVersion = QStringLiteral("3.1.0");
        start.startedUtc = QDateTime::currentDateTimeUtc();
        recorder.gameStarted(start);
        recorder.waitUntilWritten();
        for (int q = 1; q <= 2000; ++q) {
            store::AnswerCheck answer;
            answer.gameId = start.id;
            answer.question = q;
            answer.level = 4;
            answer.counts = {15, 14, 13, 12};
            answer.total = 54;
            answer.slotCaptions = {QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("1"),
                                   QStringLiteral("4"), QStringLiteral("1"), QStringLiteral("3"),
                                   QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5"),
                                   QStringLiteral("4")};
            answer.checkedUtc = QDateTime::currentDateTimeUtc();
            clock.start();
            recorder.answerChecked(answer);
            enqueue.push_back(clock.nsecsElapsed() / 1e6);
            // One in ten also waits for the commit, to see what the disk takes.
            if (q % 10 == 0) {
                recorder.waitUntilWritten();
                committed.push_back(clock.nsecsElapsed() / 1e6);
            }
        }
    }
    const int exportAnswers = parser.value(exportOption).toInt();
    ExportTimes exported{};
    if (exportAnswers > 0) {
        QTemporaryDir exportDir;
        clock.start();
        fill(exportDir.path(), games, exportAnswers);
        std::printf("export store filled: %d games, %d answers each, in %.1f s\n", games,
                    exportAnswers, clock.elapsed() / 1000.0);
        exported = timeExports(QDir(exportDir.path()));
    }

    const Figures hand = figures(enqueue);
    const Figures disk = figures(committed);

    std::printf("\n| measure | median | 95th pct. | max | target |\n|---|---:|---:|---:|---|\n");
    const int processes = parser.value(freshOption).toInt();
    std::printf("| teacher's window opened on %d games (constructed, shown, painted), first in a "
                "fresh process, %d processes | %.1f ms | %.1f ms | %.1f ms | ≤ 130 ms |\n",
                games, processes, freshWall.median, freshWall.p95, freshWall.max);
    std::printf("| the same, processor time of the GUI thread | %.1f ms | %.1f ms | %.1f ms | |\n",
                freshCpu.median, freshCpu.p95, freshCpu.max);
    std::printf("| baseline: a bare window with one Thai label, first in a fresh process | %.1f ms "
                "| %.1f ms | %.1f ms | |\n",
                bareWall.median, bareWall.p95, bareWall.max);
    std::printf("| the same, processor time | %.1f ms | %.1f ms | %.1f ms | |\n", bareCpu.median,
                bareCpu.p95, bareCpu.max);
    std::printf(
        "| teacher's window opened again in the same process, %d runs | %.1f ms | %.1f ms | "
        "%.1f ms | ≤ 130 ms |\n",
        runs, open.median, open.p95, open.max);
    std::printf("| the same, processor time of the GUI thread | %.1f ms | %.1f ms | %.1f ms | |\n",
                openCpu.median, openCpu.p95, openCpu.max);
    if (exportAnswers > 0) {
        std::printf("| export of %d games and %d answers: two CSV files (read, written) | %.2f s "
                    "(%.1f MB) | | | |\n",
                    games, games * exportAnswers, exported.csv, exported.csvBytes / 1e6);
        std::printf("| the same as an .xlsx workbook | %.2f s (%.1f MB) | | | |\n",
                    exported.workbook, exported.workbookBytes / 1e6);
    }
    std::printf("| recording an answer: GUI thread (enqueue), 2000 answers | %.4f ms | %.4f ms | "
                "%.3f ms | well under a frame |\n",
                hand.median, hand.p95, hand.max);
    std::printf("| recording an answer: until committed on disk (writer thread), 200 answers | "
                "%.2f ms | %.2f ms | %.2f ms | off the GUI thread |\n",
                disk.median, disk.p95, disk.max);
    return 0;
}
