// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// In-process benchmarks of the game's screens, on the fake services of the
// tests: no dialog waits, chance is scripted, the pictures are read from
// the game's own icon folder.
//
//   lumo_bench --handlers [RUNS] [WxH]
//                                times every handler of both screens (and a
//                                bare window as the baseline) and prints one
//                                line per measure, tab-separated: name,
//                                median and 95th percentile of the wall-clock
//                                time, median of the processor time (all in
//                                microseconds), number of runs; with WxH the
//                                screens' windows are that large (the layout
//                                scaled to fill them), else at design size
//   lumo_bench --cold-openings   times the first opening of each screen in
//                                this process, caches still empty
//   lumo_bench --peak-memory-game  plays one whole 100-question game and
//                                prints the peak memory (kB)
//   lumo_bench --games N         opens, plays and leaves N games in a row
//                                and prints the resident memory and the
//                                heap in use (kB) after games 1, 10, 25 and
//                                N, and once more after emptying Qt's
//                                pixmap cache
//
// Run it on a real display (the benchmark script gives it Xvfb), so that
// showing and painting cost what they cost in the game.
#include "fakes/playing.h"
#include "memory.h"

#include "app/results_recording.h"
#include "store/reader.h"
#include "store/recorder.h"

#include "platform/controls.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QLabel>
#include <QPixmapCache>
#include <QTemporaryDir>
#include <QTimer>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using lumo::Form2;
using lumo::test::FakeServices;
using lumo::test::TestProgram;

namespace {

// --- measuring ------------------------------------------------------------

double threadCpuMicros() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

/// Times of one measure: wall-clock time, and the processor time of this
/// thread, which leaves out the time spent waiting for a processor that
/// other programs had (the machine may be shared).
struct Sample {
    std::vector<double> wall, cpu;

    static double percentile(std::vector<double> values, double p) {
        std::sort(values.begin(), values.end());
        const auto index =
            static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
        return values[index];
    }
};

/// Times one stretch of work into a Sample.
class Stopwatch {
  public:
    Stopwatch() : cpuStart_(threadCpuMicros()) { wall_.start(); }
    void stopInto(Sample &sample) const {
        sample.wall.push_back(static_cast<double>(wall_.nsecsElapsed()) / 1000.0);
        sample.cpu.push_back(threadCpuMicros() - cpuStart_);
    }

  private:
    QElapsedTimer wall_;
    double cpuStart_;
};

void report(const char *name, const Sample &sample) {
    std::printf("%s\t%.1f\t%.1f\t%.1f\t%zu\n", name, Sample::percentile(sample.wall, 0.5),
                Sample::percentile(sample.wall, 0.95), Sample::percentile(sample.cpu, 0.5),
                sample.wall.size());
    std::fflush(stdout);
}

/// Runs `setup`, times `action`, runs `teardown`, `runs` times over.
Sample measure(
    int runs, const std::function<void()> &setup, const std::function<void()> &action,
    const std::function<void()> &teardown = [] {}) {
    Sample sample;
    for (int i = 0; i < runs; ++i) {
        setup();
        const Stopwatch stopwatch;
        action();
        stopwatch.stopInto(sample);
        teardown();
    }
    return sample;
}

/// Remembers which windows have been painted since they were last shown.
class PaintWatcher : public QObject {
  public:
    bool painted(QWidget *window) const { return painted_.value(window, false); }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (event->type() == QEvent::Show && widget->isWindow())
                painted_.insert(widget, false);
            else if (event->type() == QEvent::Paint)
                painted_.insert(widget->window(), true);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QHash<QWidget *, bool> painted_;
};

PaintWatcher *paintWatcher = nullptr;

/// Handles what is pending: the repaint that the last step asked for.
void repaint() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

/// Waits until `window`, shown a moment ago, has been painted (a newly
/// shown window first waits for the display server to expose it).
void untilPainted(QWidget *window) {
    QElapsedTimer limit;
    limit.start();
    while (!paintWatcher->painted(window) && limit.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    if (!paintWatcher->painted(window))
        std::fprintf(stderr, "warning: %s was not painted within 2 s\n",
                     qPrintable(window->objectName()));
    repaint();
}

/// Opens a screen unless it is open, and waits for its first paint.
void showStart(lumo::Form1 &start) {
    if (!start.isOpen()) {
        start.show();
        untilPainted(start.window());
    }
}

void showQuiz(Form2 &quiz) {
    if (!quiz.isOpen()) {
        quiz.show(QStringLiteral("สมหญิง"));
        untilPainted(quiz.window());
    }
}

using lumo::test::settle;

// --- playing ----------------------------------------------------------------

/// Scripts the randoms of the next question: four picture numbers, then
/// the most pictures a row can show for each row of the level.
void scriptQuestion(FakeServices &services, int level, int firstPicture = 1) {
    QList<int> pictures, sizes;
    for (int k = 0; k < 4; ++k)
        pictures << (firstPicture + k - 1) % 30 + 1;
    for (int g = 0; g < level; ++g)
        sizes << lumo::quiz::mostPictures;
    lumo::test::scriptQuestion(services, sizes, pictures);
}

/// The board clearing after a check, tick by tick instead of every 200 ms.
void clearBoard(Form2 &quiz) {
    quiz.Timer2->stop();
    for (int tick = 0; tick < 15; ++tick)
        quiz.Timer2_Timer();
}

/// From the start screen, as a child: the host twice (name prompt, quiz).
void openQuizFromStart(TestProgram &game) {
    if (!game.start.isOpen())
        game.start.show();
    game.services.promptAnswers.push_back(QStringLiteral("สมหญิง"));
    game.start.Im1_Click();
    game.start.Im1_Click();
}

/// One question: ask, answer right, check, clear; painted after each step.
void playQuestion(TestProgram &game) {
    Form2 &quiz = game.quiz;
    quiz.Cm4_Click();
    if (!quiz.isOpen())
        return;
    repaint();
    lumo::test::enterRightAnswers(quiz);
    repaint();
    quiz.Cm3_Click();
    repaint();
    clearBoard(quiz);
    repaint();
}

// --- the measures -------------------------------------------------------------

/// The size of the screens' windows while handlers are timed.
QSize windowSize(793, 593);

/// A program whose screens open at `windowSize`.
std::unique_ptr<TestProgram> sizedProgram() {
    auto program = std::make_unique<TestProgram>();
    program->services.settingsFile.setValue(QStringLiteral("window/geometry"),
                                            QRect(QPoint(), windowSize));
    return program;
}

void benchHandlers(int runs) {
    const std::unique_ptr<TestProgram> program = sizedProgram();
    TestProgram &game = *program;
    Form2 &quiz = game.quiz;
    lumo::Form1 &start = game.start;
    const auto noop = [] {};

    // Baseline: what a bare label costs to change and repaint, and a bare
    // window to show and paint.
    {
        QLabel *label = nullptr;
        QWidget *bare = nullptr;
        report("baseline: bare window shown and painted",
               measure(
                   runs, noop,
                   [&] {
                       bare = new QWidget;
                       bare->setFixedSize(801, 601);
                       label = new QLabel(QStringLiteral("ยินดีต้อนรับ"), bare);
                       bare->show();
                       untilPainted(bare);
                   },
                   [&] {
                       delete bare;
                       settle();
                   }));
        bare = new QWidget;
        bare->setFixedSize(801, 601);
        label = new QLabel(bare);
        label->setGeometry(120, 160, 561, 41);
        bare->show();
        untilPainted(bare);
        int n = 0;
        report("baseline: bare label setText + repaint", measure(runs, noop, [&] {
                   label->setText(QStringLiteral("ยินดีต้อนรับ %1").arg(++n));
                   repaint();
               }));
        delete bare;
        settle();
    }

    // Start screen.
    report("Form1 opened (show + first paint)", measure(
                                                    runs, noop,
                                                    [&] {
                                                        start.show();
                                                        untilPainted(start.window());
                                                    },
                                                    [&] {
                                                        start.close();
                                                        settle();
                                                    }));
    showStart(start);
    // The host counts his clicks until the quiz opens: the first click is
    // measured on a start screen that the quiz has just handed back.
    const auto hostNotClicked = [&] {
        if (start.hostClicks() == 1) {
            start.Im1_Click();
            quiz.close();
            settle();
        }
        showStart(start);
        game.services.promptAnswers.push_back(QStringLiteral("สมหญิง"));
    };
    const auto hostClickedOnce = [&] {
        showStart(start);
        if (start.hostClicks() == 0)
            start.Im1_Click();
    };
    report("Form1 Im1_Click, first (name prompt, greeting)",
           measure(
               runs, hostNotClicked, [&] { start.Im1_Click(); }, repaint));
    report("Form1 Im1_Click, first + repaint", measure(runs, hostNotClicked, [&] {
               start.Im1_Click();
               repaint();
           }));
    report("Form1 Im1_Click, second (opens the quiz)",
           measure(
               runs, hostClickedOnce, [&] { start.Im1_Click(); },
               [&] {
                   quiz.close();
                   settle();
               }));
    report("Form1 Im1_Click, second + quiz first paint", measure(
                                                             runs, hostClickedOnce,
                                                             [&] {
                                                                 start.Im1_Click();
                                                                 untilPainted(quiz.window());
                                                             },
                                                             [&] {
                                                                 quiz.close();
                                                                 settle();
                                                             }));
    start.close();
    settle();

    // The exit picture's clicks are counted for the life of the program:
    // each run has a program of its own.
    std::unique_ptr<TestProgram> leaving;
    const auto freshStart = [&](int exitClicks) {
        return [&, exitClicks] {
            leaving = sizedProgram();
            showStart(leaving->start);
            for (int i = 0; i < exitClicks; ++i)
                leaving->start.Image1_Click();
        };
    };
    const auto dropProgram = [&] {
        leaving.reset();
        settle();
    };
    report("Form1 Image1_Click, first (goodbye)", measure(
                                                      runs, freshStart(0),
                                                      [&] {
                                                          leaving->start.Image1_Click();
                                                          repaint();
                                                      },
                                                      dropProgram));
    report("Form1 Image1_Click, second (ends)",
           measure(
               runs, freshStart(1), [&] { leaving->start.Image1_Click(); }, dropProgram));
    freshStart(1)();
    report("Form1 Timer1_Timer (exit animation) + repaint", measure(runs, noop, [&] {
               leaving->start.Timer1_Timer();
               repaint();
           }));
    dropProgram();

    // Quiz screen.
    report("Form2 opened (show + first paint)", measure(
                                                    runs, noop,
                                                    [&] {
                                                        quiz.show(QStringLiteral("สมหญิง"));
                                                        untilPainted(quiz.window());
                                                    },
                                                    [&] {
                                                        quiz.close();
                                                        settle();
                                                    }));
    // The clock starts once a game: a fresh opening for every run.
    const auto freshQuiz = [&] {
        quiz.close();
        settle();
        showQuiz(quiz);
    };
    report("Form2 Cm1_Click (start the clock) + repaint", measure(
                                                              runs, freshQuiz,
                                                              [&] {
                                                                  quiz.Cm1_Click();
                                                                  repaint();
                                                              },
                                                              [&] { quiz.Timer1->stop(); }));
    report("Form2 Timer1_Timer (clock tick)",
           measure(
               runs, noop, [&] { quiz.Timer1_Timer(); }, repaint));
    report("Form2 Timer1_Timer + repaint", measure(runs, noop, [&] {
               quiz.Timer1_Timer();
               repaint();
           }));

    // An empty board at `level`, its question scripted: a new game at that
    // level whenever the one on screen is elsewhere or near its level's end.
    const auto freshBoard = [&](int level) {
        return [&, level] {
            const lumo::quiz::Game &g = quiz.game();
            if (!quiz.isOpen() || g.level() != level ||
                g.questionNo() >= lumo::quiz::levels[level - 1].lastQuestion - 1) {
                quiz.close();
                settle();
                quiz.setRules({level});
                showQuiz(quiz);
                quiz.Cm1_Click();
                quiz.Timer1->stop();
            } else if (quiz.Cm3->isEnabled()) {
                quiz.Cm3_Click();
            }
            clearBoard(quiz);
            repaint();
            scriptQuestion(game.services, level, level * 5);
        };
    };
    for (int level = 1; level <= 4; ++level) {
        const QByteArray name = QStringLiteral("Form2 Cm4_Click, level %1, %2 pictures")
                                    .arg(level)
                                    .arg(15 * level)
                                    .toUtf8();
        report(name.constData(), measure(runs, freshBoard(level), [&] { quiz.Cm4_Click(); }));
        const QByteArray painted =
            QStringLiteral("Form2 Cm4_Click, level %1 + repaint").arg(level).toUtf8();
        report(painted.constData(), measure(runs, freshBoard(level), [&] {
                   quiz.Cm4_Click();
                   repaint();
               }));
    }
    report("Form2 St, level 4, 60 pictures from disk", measure(
                                                           runs,
                                                           [&] {
                                                               freshBoard(4)();
                                                               quiz.Cm4_Click();
                                                               // The question stays drawn; its
                                                               // pictures go, to be shown anew.
                                                               clearBoard(quiz);
                                                               repaint();
                                                           },
                                                           [&] { quiz.St(); }));

    const auto questionAnswered = [&] {
        freshBoard(4)();
        quiz.Cm4_Click();
        lumo::test::enterRightAnswers(quiz);
        repaint();
    };
    report("Form2 Cm3_Click (check), level 4",
           measure(
               runs, questionAnswered, [&] { quiz.Cm3_Click(); }, [&] { quiz.Timer2->stop(); }));
    report("Form2 Cm3_Click, level 4 + repaint", measure(
                                                     runs, questionAnswered,
                                                     [&] {
                                                         quiz.Cm3_Click();
                                                         repaint();
                                                     },
                                                     [&] { quiz.Timer2->stop(); }));
    report("Form2 Th (marking), level 4", measure(runs, questionAnswered, [&] { quiz.Th(); }));

    // The check as the program makes it: the answer handed to the results
    // store's writer, which commits it to a real SQLite file on its thread.
    {
        QTemporaryDir storeFolder;
        lumo::store::GameRecorder recorder(storeFolder.path());
        lumo::ResultsRecording recording(quiz.game(), recorder, game.services);
        // A game whose clock starts from here on is recorded.
        quiz.close();
        settle();
        const auto recordedQuestion = [&] {
            questionAnswered();
            recorder.waitUntilWritten();
        };
        report(
            "Form2 Cm3_Click (check) with the store recording, level 4",
            measure(
                runs, recordedQuestion, [&] { quiz.Cm3_Click(); }, [&] { quiz.Timer2->stop(); }));
        report("Form2 Cm3_Click with the store recording, level 4 + repaint",
               measure(
                   runs, recordedQuestion,
                   [&] {
                       quiz.Cm3_Click();
                       repaint();
                   },
                   [&] { quiz.Timer2->stop(); }));
        report("Form2 Cm3_Click with the store recording, until committed on disk",
               measure(
                   runs, recordedQuestion,
                   [&] {
                       quiz.Cm3_Click();
                       recorder.waitUntilWritten();
                   },
                   [&] { quiz.Timer2->stop(); }));
        recorder.waitUntilWritten();
        if (!recorder.status().ready() ||
            lumo::store::ResultReader(storeFolder.path()).games().isEmpty())
            std::fprintf(stderr, "the store did not record the checks\n");
        quiz.close();
        settle();
    }

    {
        Sample ticks, painted;
        for (int i = 0; i < std::max(1, runs / 15); ++i) {
            questionAnswered();
            quiz.Cm3_Click();
            quiz.Timer2->stop();
            repaint();
            for (int tick = 0; tick < 15; ++tick) {
                const Stopwatch stopwatch;
                quiz.Timer2_Timer();
                stopwatch.stopInto(ticks);
                repaint();
                stopwatch.stopInto(painted);
            }
        }
        report("Form2 Timer2_Timer (one clearing tick), level 4", ticks);
        report("Form2 Timer2_Timer + repaint", painted);
    }

    {
        Sample click;
        for (int i = 0; i < std::max(1, runs / 15); ++i) {
            freshBoard(1)();
            quiz.Cm4_Click();
            repaint();
            for (int k = 0; k < 15; ++k) {
                const Stopwatch stopwatch;
                quiz.Im1_Click(k);
                repaint();
                stopwatch.stopInto(click);
            }
        }
        report("Form2 Im1_Click (picture counted) + repaint", click);
    }
    freshBoard(1)();
    quiz.Cm4_Click();
    repaint();
    report("Form2 LB_MouseDown (drag begins) + repaint", measure(
                                                             runs, noop,
                                                             [&] {
                                                                 quiz.LB_MouseDown(7);
                                                                 repaint();
                                                             },
                                                             [&] {
                                                                 quiz.LB_MouseUp(7);
                                                                 repaint();
                                                             }));
    report("Form2 LB_MouseUp (drag ends, hit test) + repaint", measure(
                                                                   runs,
                                                                   [&] {
                                                                       quiz.LB_MouseDown(7);
                                                                       repaint();
                                                                   },
                                                                   [&] {
                                                                       quiz.LB_MouseUp(7);
                                                                       repaint();
                                                                   }));
    report("Form2 LB7_DragDrop (digit into a slot) + repaint", measure(runs, noop, [&] {
               quiz.placeDigit(7, 1);
               repaint();
           }));

    quiz.setRules({});
    report("Form2 Cm6_Click (leave) + start screen painted", measure(
                                                                 runs, [&] { showQuiz(quiz); },
                                                                 [&] {
                                                                     quiz.Cm6_Click();
                                                                     untilPainted(start.window());
                                                                 },
                                                                 [&] {
                                                                     start.close();
                                                                     settle();
                                                                 }));
}

/// One whole game of 100 questions, every answer right, from the start
/// screen until the game has ended and the start screen is back.
void playWholeGame(TestProgram &game) {
    openQuizFromStart(game);
    untilPainted(game.quiz.window());
    game.quiz.Cm1_Click();
    repaint();
    for (int question = 1; question <= 101 && game.quiz.isOpen(); ++question)
        playQuestion(game);
    settle();
}

/// The first opening of each screen in a fresh process: nothing cached yet
/// (fonts, picture readers, style), as when the child starts the game.
int benchColdOpenings() {
    TestProgram game;
    Sample start, quiz;
    const Stopwatch startWatch;
    game.start.show();
    untilPainted(game.start.window());
    startWatch.stopInto(start);
    game.services.promptAnswers.push_back(QStringLiteral("สมหญิง"));
    game.start.Im1_Click();
    repaint();
    const Stopwatch quizWatch;
    game.start.Im1_Click();
    untilPainted(game.quiz.window());
    quizWatch.stopInto(quiz);
    report("Form1 first opening in the process (show + first paint)", start);
    report("Form2 first opening: Im1_Click, second + first paint", quiz);
    return 0;
}

int benchPeakMemory() {
    TestProgram game;
    playWholeGame(game);
    if (game.quiz.isOpen() || game.services.messages.size() != 1) {
        std::fprintf(stderr, "the game did not end after question 100\n");
        return 1;
    }
    std::printf("%ld\n", lumo::bench::peakMemoryKb());
    return 0;
}

int benchGames(int count) {
    const auto print = [](const char *when) {
        std::printf("%s\t%ld\t%ld\n", when, lumo::bench::residentKb(),
                    lumo::bench::heapInUseBytes() / 1024);
        std::fflush(stdout);
    };
    TestProgram game;
    for (int n = 1; n <= count; ++n) {
        // A short game: into the quiz, the clock started, five questions, out.
        openQuizFromStart(game);
        untilPainted(game.quiz.window());
        game.quiz.Cm1_Click();
        for (int question = 0; question < 5; ++question)
            playQuestion(game);
        game.quiz.Cm6_Click();
        untilPainted(game.start.window());
        settle();
        if (n == 1 || n == 10 || n == 25 || n == count)
            print(QByteArray::number(n).constData());
    }
    // What Qt keeps in its pixmap cache (limited to 10 MB by default).
    QPixmapCache::clear();
    print("cleared");
    return 0;
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    lumo::setUpApplication(app);
    paintWatcher = new PaintWatcher;
    app.installEventFilter(paintWatcher);

    const QStringList args = app.arguments();
    if (args.size() >= 2 && args[1] == QLatin1String("--handlers")) {
        if (args.size() >= 4) {
            const QStringList size = args[3].split(QLatin1Char('x'));
            windowSize = QSize(size.value(0).toInt(), size.value(1).toInt());
        }
        benchHandlers(args.size() >= 3 ? args[2].toInt() : 101);
        return 0;
    }
    if (args.size() >= 2 && args[1] == QLatin1String("--cold-openings"))
        return benchColdOpenings();
    if (args.size() >= 2 && args[1] == QLatin1String("--peak-memory-game"))
        return benchPeakMemory();
    if (args.size() >= 3 && args[1] == QLatin1String("--games"))
        return benchGames(args[2].toInt());
    std::fprintf(stderr, "usage: lumo_bench --handlers [RUNS] [WxH] | --cold-openings | "
                         "--peak-memory-game | --games N\n");
    return 2;
}
