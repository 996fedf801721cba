// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// A seeded run of random input over both screens. Clicks, drags, taps, keys, timer
// ticks, name prompts, message boxes and window closings come in an order
// drawn from one seed; after every event the rules of the game are checked.
// A failure names the seed and the event, so it can be replayed:
//
//     LUMO_SOAK_SEED=<seed> LUMO_SOAK_EVENTS=<count> test_soak
//
// LUMO_SOAK_TRACE=1 prints every event as it is sent.
#include "fakes/fake_services.h"
#include "support/random_input.h"

#include "platform/controls.h"
#include "platform/focus_group.h"

#include <QAbstractButton>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <array>
#include <cstdio>
#include <memory>
#include <random>

using namespace lumo;
using namespace lumo::test;

namespace {

// The everyday seed is one whose run reaches every way a game or the program
// ends (checked at the end of the run); a change to the screens' controls
// changes the path a seed takes, and may call for another.
constexpr quint32 defaultSeed = 20261208;
constexpr int defaultEvents = 8000;

const QString hello = QStringLiteral("สวัสดีครับ น้อง ");
const QString welcome = QStringLiteral("ยินดีต้อนรับ");
const QString goodbye = QStringLiteral("แล้วพบกันใหม่");
const QString praise = QStringLiteral("จบแล้วครับ....เก่งมาก");
const QString crlf = QStringLiteral("\r\n");

enum class QuizState { Opened, ClockRunning, Answering, BoardClearing, None };

QString stateName(QuizState s) {
    switch (s) {
    case QuizState::Opened:
        return QStringLiteral("Opened");
    case QuizState::ClockRunning:
        return QStringLiteral("Clock running");
    case QuizState::Answering:
        return QStringLiteral("Answering");
    case QuizState::BoardClearing:
        return QStringLiteral("Board clearing");
    case QuizState::None:
        break;
    }
    return QStringLiteral("none of the four states");
}

// The four states of an open quiz screen, told apart by its enabled
// controls and running timers alone.
QuizState stateOf(const Form2 &q) {
    int tilesOn = 0;
    for (Label *tile : q.LB)
        tilesOn += tile->isEnabled() ? 1 : 0;
    if (tilesOn != 0 && tilesOn != 10)
        return QuizState::None;
    const bool tiles = tilesOn == 10;
    const auto is = [&](bool cm1, bool cm4, bool cm3, bool t, bool t1, bool t2) {
        return q.Cm1->isEnabled() == cm1 && q.Cm4->isEnabled() == cm4 &&
               q.Cm3->isEnabled() == cm3 && tiles == t && q.Timer1->isActive() == t1 &&
               q.Timer2->isActive() == t2;
    };
    if (is(true, false, false, false, false, false))
        return QuizState::Opened;
    if (is(false, true, false, false, true, false))
        return QuizState::ClockRunning;
    if (is(false, false, true, true, true, false))
        return QuizState::Answering;
    if (is(false, false, false, false, true, true))
        return QuizState::BoardClearing;
    return QuizState::None;
}

QString scoreLine(int q, int right, int wrong, int level) {
    return QStringLiteral("ข้อที่ %1 ทำถูก %2 ทำผิด %3 ระดับ %4").arg(q).arg(right).arg(wrong).arg(level);
}

QString clockLine(const QString &name, int minutes, int seconds) {
    return QStringLiteral("น้อง ") + name + crlf +
           QStringLiteral(" เหลือยเวลา %1 นาที %2 วินาที").arg(minutes).arg(seconds);
}

QString timeUsedLine(const QString &name, int seconds) {
    return QStringLiteral("น้อง ") + name + crlf +
           QStringLiteral(" ใช้เวลาไป %1 นาที %2 วินาที").arg(seconds / 60).arg(seconds % 60);
}

// The phase of the game that each state of the controls stands for.
quiz::Game::Phase phaseOf(QuizState state) {
    switch (state) {
    case QuizState::Opened:
        return quiz::Game::Phase::Opened;
    case QuizState::ClockRunning:
        return quiz::Game::Phase::Waiting;
    case QuizState::Answering:
        return quiz::Game::Phase::Answering;
    case QuizState::BoardClearing:
        return quiz::Game::Phase::Clearing;
    default:
        return quiz::Game::Phase::Over;
    }
}

// The number a pair of slots stands for once the check has put "0" into the empty ones.
int slotPairNumber(const QString &tens, const QString &units) {
    return (tens.isEmpty() ? 0 : tens.toInt()) * 10 + (units.isEmpty() ? 0 : units.toInt());
}

// The screens' own timers tick only when the soak says so, never from the
// wall clock, so that one seed always replays the same run.
class ScreenTimerGate : public QObject {
  protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Timer && qobject_cast<QTimer *>(watched) &&
            qobject_cast<ScreenWindow *>(watched->parent()))
            return true;
        return false;
    }
};

// Everything about the state before an event that the checks compare with.
struct Before {
    bool startOpen = false, quizOpen = false;
    QuizState state = QuizState::None;
    int questionNo = 0, level = 0, right = 0, wrong = 0, minutes = 0, seconds = 0, secondsUsed = 0,
        clearTick = 0;
    std::array<int, 4> tops{};
    int pictureTotal = 0;
    QString quizLB1, quizLB2, playerName;
    int ends = 0, prompts = 0, messages = 0;
    int hostClicks = 0, exitClicks = 0, animPhase = 0;
    QString promptAnswer;
    bool promptScripted = false;
};

// What the event itself is expected to do, as far as the input decides it.
struct Expectation {
    bool hostClick = false,
         exitClick = false;    // the release completes a click on a start screen picture
    int group = 0, index = -1; // the quiz picture clicked, if it is one
    int dropSlot = -1;         // 0..9: LB6..LB15
    QString dropDigit;         // empty: the slot is emptied
    static constexpr int unchanged = -2;
    int selectionAfter = unchanged; // the tile selected by a tap, -1 for none
    int clockTicks = 0;             // ticks of the quiz's clock made by the event
    bool clearingTick = false, startTick = false;
    bool closedFromFrame = false;
};

struct Stats {
    int games = 0, quizOpenings = 0, questions = 0, checks = 0, drops = 0, pictureClicks = 0;
    int prompts = 0, wins = 0, timeOuts = 0, leaves = 0, exitEnds = 0, frameEnds = 0;
    int highestLevel = 0, levelUps = 0, clockTicks = 0, clearingTicks = 0, keys = 0, selections = 0,
        typed = 0;
};

class Soak {
  public:
    Soak(quint32 seed, int events, bool trace)
        : seed_(seed), events_(events), trace_(trace), rng_(seed) {}

    QString run();
    const Stats &stats() const { return stats_; }

  private:
    // --- the game and its open windows ------------------------------------
    void newGame();
    QWidget *openWindow() const;
    void settle();

    // --- events -------------------------------------------------------------
    void nextEvent();
    void mouse(QWidget *window, Qt::MouseButton button, QPoint from, const QList<QPoint> &via,
               QPoint to);
    void clickAt(QWidget *window, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        mouse(window, button, at, {}, at);
    }
    void clickControl(QWidget *control, Qt::MouseButton button = Qt::LeftButton);
    void dragTileToSlot();
    void dragRightDigit();
    void clickShownPicture();
    void randomControlClick(QWidget *window);
    void randomDrag(QWidget *window);
    void key(QWidget *window);
    void tickClearing();
    void tickClock(int ticks);
    void chooseRules();
    struct ClockAfter {
        int minutes, seconds, used;
    };
    // The clock as `ticks` ticks after the state before the event leave it.
    ClockAfter clockAfter(int ticks) const;
    void tickStart();
    void onMessage();

    // --- checks ---------------------------------------------------------------
    Before snapshot() const;
    void check();
    void checkStartScreen();
    void checkQuizScreen();
    void checkQuizOpening();
    void checkStartOpening();
    void fail(const QString &what);

    quint32 seed_;
    int events_;
    bool trace_;
    std::mt19937 rng_;
    RandomInput input_{rng_};
    std::unique_ptr<TestProgram> game_;
    int event_ = 0;
    QString description_;
    QStringList recent_;
    QString failure_;
    Stats stats_;

    Before before_;
    Expectation expect_;
    int clearingTicksLeft_ = 0;

    // The model of one quiz game, kept from the input alone.
    // Each opening's stage, which holds that opening's controls.
    QPointer<QWidget> startStage_, quizStage_;
    QString quizName_;
    std::array<QString, 10> slots_{};
    std::array<int, 4> clicks_{};
    std::array<QString, 4> counters_{};
    int selected_ = -1;
    int questionLevel_ = 0;
    // The rules the next quiz opening plays by, chosen at random.
    quiz::Rules rules_;
};

QString Soak::run() {
    for (event_ = 1; event_ <= events_ && failure_.isEmpty(); ++event_) {
        if (!game_) {
            description_ = QStringLiteral("start the program");
            newGame();
        }
        if (!failure_.isEmpty())
            break;
        before_ = snapshot();
        expect_ = Expectation();
        description_.clear();
        nextEvent();
        if (trace_)
            std::fprintf(stderr, "%d %s\n", event_, qPrintable(description_));
        recent_.append(QStringLiteral("%1: %2").arg(event_).arg(description_));
        if (recent_.size() > 12)
            recent_.removeFirst();
        settle();
        check();
        if (!failure_.isEmpty())
            break;
        // The program has ended: start it again.
        if (game_->services.endCount > before_.ends) {
            game_.reset();
            settle();
        }
    }
    return failure_;
}

void Soak::newGame() {
    game_ = std::make_unique<TestProgram>();
    ++stats_.games;
    game_->services.engine.seed(rng_());
    // While a message box is open, timers that still run keep ticking.
    game_->services.duringMessage = [this] { onMessage(); };
    game_->start.show();
    quizStage_ = nullptr;
    settle();
    startStage_ = game_->start.window()->stage();
    checkStartOpening();
}

void Soak::settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // The screen host looks for open screens once the event is over.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QWidget *Soak::openWindow() const {
    if (game_->quiz.isOpen())
        return game_->quiz.window();
    if (game_->start.isOpen())
        return game_->start.window();
    return nullptr;
}

Before Soak::snapshot() const {
    Before b;
    const FakeServices &s = game_->services;
    const Form1 &start = game_->start;
    const Form2 &q = game_->quiz;
    b.startOpen = start.isOpen();
    b.quizOpen = q.isOpen();
    b.state = b.quizOpen ? stateOf(q) : QuizState::None;
    b.questionNo = q.game().questionNo();
    b.level = q.game().level();
    b.right = q.game().rightCount();
    b.wrong = q.game().wrongCount();
    b.minutes = q.game().minutesLeft();
    b.seconds = q.game().secondsLeft();
    b.secondsUsed = q.game().secondsUsed();
    b.clearTick = q.clearTick();
    b.tops = {q.game().groupTop1(), q.game().groupTop2(), q.game().groupTop3(),
              q.game().groupTop4()};
    b.pictureTotal = q.game().pictureTotal();
    b.quizLB1 = b.quizOpen ? q.LB1->caption() : QString();
    b.quizLB2 = b.quizOpen ? q.LB2->caption() : QString();
    b.playerName = q.game().playerName();
    b.ends = s.endCount;
    b.prompts = int(s.prompts.size());
    b.messages = int(s.messages.size());
    b.hostClicks = start.hostClicks();
    b.exitClicks = start.exitClicks();
    b.animPhase = start.animPhase();
    return b;
}

// ---------------------------------------------------------------------------
// Events

void Soak::nextEvent() {
    Form1 &start = game_->start;
    Form2 &q = game_->quiz;
    FakeServices &s = game_->services;

    // The name prompt answers with a random name, cancels, or is accepted as it stands.
    s.promptAnswers.clear();
    const int answer = input_.below(10);
    if (answer == 0) {
        before_.promptScripted = false;
    } else {
        before_.promptScripted = true;
        before_.promptAnswer = answer == 1 ? QString() : input_.name();
        s.promptAnswers.push_back(before_.promptAnswer);
    }

    // A burst of clearing ticks goes on as long as the clearing runs.
    if (clearingTicksLeft_ > 0) {
        --clearingTicksLeft_;
        if (q.isOpen() && q.Timer2->isActive()) {
            tickClearing();
            return;
        }
        clearingTicksLeft_ = 0;
    }

    QWidget *window = openWindow();
    if (q.isOpen()) {
        const QuizState state = stateOf(q);
        // Useful events first, so that games move on to higher levels and their ends.
        RandomInput::Weights w;
        w.add(state == QuizState::Opened ? 30 : 1, [&] { clickControl(q.Cm1); });
        w.add(state == QuizState::ClockRunning ? 30 : 1, [&] { clickControl(q.Cm4); });
        w.add(state == QuizState::Answering ? 12 : 1, [&] { clickControl(q.Cm3); });
        w.add(state == QuizState::Answering ? 25 : 3, [&] { dragTileToSlot(); });
        if (state == QuizState::Answering)
            w.add(30, [&] { dragRightDigit(); });
        w.add(state == QuizState::Answering || state == QuizState::BoardClearing ? 10 : 1,
              [&] { clickShownPicture(); });
        if (q.Timer2->isActive()) {
            w.add(25, [&] {
                clearingTicksLeft_ = 14;
                tickClearing();
            });
            w.add(8, [&] { tickClearing(); });
        }
        if (q.Timer1->isActive()) {
            w.add(8, [&] { tickClock(1); });
            // The clock left to run for a while: short clocks run out.
            w.add(3, [&] { tickClock(1 + input_.below(40)); });
        }
        w.add(10, [&] { randomControlClick(window); });
        w.add(5, [&] {
            description_ = QStringLiteral("click a random point");
            clickAt(window, input_.pointNear(window->rect()));
        });
        w.add(2, [&] {
            description_ = QStringLiteral("right-click a random point");
            clickAt(window, input_.pointNear(window->rect()), Qt::RightButton);
        });
        w.add(5, [&] { randomDrag(window); });
        w.add(state == QuizState::Answering ? 6 : 1.5, [&] { key(window); });
        w.add(0.1, [&] { clickControl(q.Cm6); });
        w.add(0.05, [&] {
            expect_.closedFromFrame = true;
            description_ = QStringLiteral("close the quiz window from its frame");
            window->close();
        });
        w.run(input_);
    } else {
        chooseRules();
        RandomInput::Weights w;
        w.add(start.Im1->isEnabled() ? 30 : 3, [&] { clickControl(start.Im1); });
        w.add(2.5, [&] { clickControl(start.Image1); });
        if (start.Timer1->isActive())
            w.add(10, [&] { tickStart(); });
        w.add(8, [&] { randomControlClick(window); });
        w.add(4, [&] {
            description_ = QStringLiteral("click a random point");
            clickAt(window, input_.pointNear(window->rect()));
        });
        w.add(3, [&] { randomDrag(window); });
        w.add(2, [&] { key(window); });
        w.add(0.5, [&] {
            expect_.closedFromFrame = true;
            description_ = QStringLiteral("close the start window from its frame");
            window->close();
        });
        w.run(input_);
    }
}

// Presses, moves and releases as real input on the window, and works out
// beforehand which control the release clicks and which slot a tile drops on.
void Soak::mouse(QWidget *window, Qt::MouseButton button, QPoint from, const QList<QPoint> &via,
                 QPoint to) {
    // QTest takes the point 0,0 for "the window's centre".
    if (from.isNull())
        from = QPoint(1, 0);
    if (to.isNull())
        to = QPoint(1, 0);
    Form2 &q = game_->quiz;
    QWidget *pressed = window->childAt(from);
    if (!window->rect().contains(from))
        pressed = nullptr;

    auto *picture = qobject_cast<Picture *>(pressed);
    if (picture && picture->isEnabled() && button == Qt::LeftButton &&
        picture->rect().contains(picture->mapFrom(window, to))) {
        const Form1 &start = game_->start;
        expect_.hostClick = start.isOpen() && picture == start.Im1;
        expect_.exitClick = start.isOpen() && picture == start.Image1;
        if (q.isOpen() && window == q.window()) {
            const std::array<const std::array<Picture *, 15> *, 4> rows{&q.Im1, &q.Im2, &q.Im3,
                                                                        &q.Im4};
            for (int g = 0; g < 4; ++g)
                for (int k = 0; k < 15; ++k)
                    if ((*rows[g])[k] == picture) {
                        expect_.group = g + 1;
                        expect_.index = k;
                    }
        }
    }
    const bool onQuiz = q.isOpen() && window == q.window();
    const std::array<Label *, 10> answerSlotLabels =
        onQuiz ? q.answerSlots() : std::array<Label *, 10>{};
    const auto releasedOn = [&](QWidget *w) {
        return window->rect().contains(to) && w->rect().contains(w->mapFrom(window, to));
    };
    // A press on the background clears a tap's selection; tiles, slots,
    // buttons and pictures keep it.
    if (onQuiz && selected_ >= 0) {
        bool keeps = false;
        for (QWidget *w = pressed; w && w != window && !keeps; w = w->parentWidget())
            keeps = std::find(q.LB.begin(), q.LB.end(), w) != q.LB.end() ||
                    std::find(answerSlotLabels.begin(), answerSlotLabels.end(), w) !=
                        answerSlotLabels.end() ||
                    qobject_cast<QAbstractButton *>(w) || qobject_cast<Picture *>(w);
        if (!keeps)
            expect_.selectionAfter = -1;
    }
    // A tap on a shown slot puts the selected tile's digit there.
    if (onQuiz && selected_ >= 0 && pressed)
        for (int j = 0; j < 10; ++j)
            if (answerSlotLabels[j] == pressed && releasedOn(pressed)) {
                expect_.dropSlot = j;
                expect_.dropDigit = QString::number(selected_);
            }
    if (onQuiz && pressed) {
        for (int i = 0; i < 10; ++i) {
            if (q.LB[i] != pressed || !pressed->isEnabled())
                continue;
            // Released over the tile itself: a tap, which selects it. Any
            // other release ends a drag, which leaves no selection.
            expect_.selectionAfter = releasedOn(pressed) ? i : -1;
            // The drop goes to the visible slot under the release, if any.
            QWidget *under = window->rect().contains(to) ? window->childAt(to) : nullptr;
            const std::array<Label *, 10> slotLabels = q.answerSlots();
            for (QWidget *w = under; w && w != window; w = w->parentWidget()) {
                const auto found = std::find(slotLabels.begin(), slotLabels.end(), w);
                if (found != slotLabels.end()) {
                    if (w->isVisible()) {
                        expect_.dropSlot = int(found - slotLabels.begin());
                        expect_.dropDigit = QString::number(i);
                    }
                    break;
                }
            }
        }
    }

    const QString pressedName = pressed ? pressed->objectName() : QStringLiteral("(window)");
    description_ +=
        QStringLiteral(" [%1 press %2,%3 on %4, %5 moves, release %6,%7]")
            .arg(button == Qt::LeftButton ? QStringLiteral("left") : QStringLiteral("right"))
            .arg(from.x())
            .arg(from.y())
            .arg(pressedName)
            .arg(via.size())
            .arg(to.x())
            .arg(to.y());

    QWindow *handle = window->windowHandle();
    QTest::mousePress(handle, button, {}, from);
    for (const QPoint &p : via)
        QTest::mouseMove(handle, p);
    QTest::mouseRelease(handle, button, {}, to);
}

void Soak::clickControl(QWidget *control, Qt::MouseButton button) {
    QWidget *window = control->window();
    description_ = QStringLiteral("click %1").arg(control->objectName());
    clickAt(window, control->mapTo(window, input_.pointIn(control->rect())), button);
}

void Soak::randomControlClick(QWidget *window) {
    // Every control of the screen, shown or hidden, enabled or not.
    const QList<QWidget *> controls = window->findChildren<QWidget *>();
    QList<QWidget *> named;
    for (QWidget *w : controls)
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            named.append(w);
    QWidget *control = named.at(input_.below(int(named.size())));
    clickControl(control, input_.below(8) == 0 ? Qt::RightButton : Qt::LeftButton);
}

void Soak::dragTileToSlot() {
    Form2 &q = game_->quiz;
    QWidget *window = q.window();
    Label *tile = q.LB[input_.below(10)];
    const std::array<Label *, 10> slotLabels = q.answerSlots();
    Label *slot = slotLabels[input_.below(10)];
    QList<QPoint> via;
    for (int i = input_.below(4); i > 0; --i)
        via.append(input_.pointNear(window->rect()));
    description_ = QStringLiteral("drag %1 to %2").arg(tile->objectName(), slot->objectName());
    mouse(window, input_.below(10) == 0 ? Qt::RightButton : Qt::LeftButton,
          tile->mapTo(window, input_.pointIn(tile->rect())), via,
          slot->mapTo(window, input_.pointIn(slot->rect())));
}

// Drags the right digit onto one of the slots the question uses, so that
// answers are often right in part or in whole.
void Soak::dragRightDigit() {
    Form2 &q = game_->quiz;
    const std::array<Label *, 10> slotLabels = q.answerSlots();
    const std::array<int, 5> numbers{q.game().groupTop1() + 1, q.game().groupTop2() + 1,
                                     q.game().groupTop3() + 1, q.game().groupTop4() + 1,
                                     q.game().pictureTotal()};
    QList<int> used;
    for (int i = 0; i < 10; ++i) {
        const int number = i / 2;
        if ((number < 4 && number + 1 <= q.game().level()) ||
            (number == 4 && q.game().level() >= 2))
            used.append(i);
    }
    // The total's slots half the time: its points differ from level to level.
    const int slot = q.game().level() >= 2 && input_.below(2) == 0
                         ? 8 + input_.below(2)
                         : used.at(input_.below(int(used.size())));
    const int number = numbers[slot / 2];
    Label *tile = q.LB[slot % 2 == 0 ? number / 10 : number % 10];
    QWidget *window = q.window();
    description_ = QStringLiteral("drag the right digit %1 to %2")
                       .arg(tile->caption(), slotLabels[slot]->objectName());
    mouse(window, Qt::LeftButton, tile->mapTo(window, input_.pointIn(tile->rect())), {},
          slotLabels[slot]->mapTo(window, input_.pointIn(slotLabels[slot]->rect())));
}

void Soak::clickShownPicture() {
    Form2 &q = game_->quiz;
    QList<Picture *> shown;
    for (const auto *row : {&q.Im1, &q.Im2, &q.Im3, &q.Im4})
        for (Picture *p : *row)
            if (p->isVisible())
                shown.append(p);
    if (shown.isEmpty()) {
        clickControl(q.Im1[input_.below(15)]);
        return;
    }
    clickControl(shown.at(input_.below(int(shown.size()))));
}

void Soak::randomDrag(QWidget *window) {
    QList<QPoint> via;
    for (int i = input_.below(4); i > 0; --i)
        via.append(input_.pointNear(window->rect()));
    description_ = QStringLiteral("drag between random points");
    mouse(window, input_.below(6) == 0 ? Qt::RightButton : Qt::LeftButton,
          input_.pointNear(window->rect()), via, input_.pointNear(window->rect()));
}

void Soak::key(QWidget *window) {
    static const Qt::Key keys[] = {
        Qt::Key_Space, Qt::Key_Space, Qt::Key_Return,  Qt::Key_Enter,     Qt::Key_Tab,
        Qt::Key_Tab,   Qt::Key_Tab,   Qt::Key_Backtab, Qt::Key_Escape,    Qt::Key_A,
        Qt::Key_0,     Qt::Key_4,     Qt::Key_9,       Qt::Key_Backspace, Qt::Key_Delete,
        Qt::Key_Left,  Qt::Key_Right, Qt::Key_Up,      Qt::Key_Down};
    const Qt::Key k = keys[input_.below(int(std::size(keys)))];
    QWidget *focus = window->focusWidget();
    description_ = QStringLiteral("key %1 on %2")
                       .arg(int(k))
                       .arg(focus ? focus->objectName() : QStringLiteral("(none)"));
    ++stats_.keys;

    // What the key does to the focused control, as far as the rules go.
    const Form1 &start = game_->start;
    Form2 &q = game_->quiz;
    const bool activates = k == Qt::Key_Space || k == Qt::Key_Return || k == Qt::Key_Enter;
    if (activates && focus && focus->isEnabled() && start.isOpen() && window == start.window()) {
        expect_.hostClick = focus == start.Im1;
        expect_.exitClick = focus == start.Image1;
    }
    if (q.isOpen() && window == q.window()) {
        const bool tilesOn = q.LB[0]->isEnabled();
        for (int g = 1; g <= 4; ++g) {
            if (!activates || focus != q.pictureRow(g))
                continue;
            const std::array<Picture *, 15> &row = g == 1   ? q.Im1
                                                   : g == 2 ? q.Im2
                                                   : g == 3 ? q.Im3
                                                            : q.Im4;
            const auto next =
                std::find_if(row.begin(), row.end(), [](Picture *p) { return !p->isHidden(); });
            if (next != row.end()) {
                expect_.group = g;
                expect_.index = int(next - row.begin());
            }
        }
        const std::array<Label *, 10> slotLabels = q.answerSlots();
        const auto slot = std::find(slotLabels.begin(), slotLabels.end(), focus);
        if (slot != slotLabels.end() && tilesOn) {
            if (k >= Qt::Key_0 && k <= Qt::Key_9) {
                ++stats_.typed;
                expect_.dropSlot = int(slot - slotLabels.begin());
                expect_.dropDigit = QString::number(k - Qt::Key_0);
            } else if (k == Qt::Key_Backspace || k == Qt::Key_Delete) {
                expect_.dropSlot = int(slot - slotLabels.begin());
                expect_.dropDigit.clear();
            }
        }
        if (k == Qt::Key_Escape)
            expect_.selectionAfter = -1;
    }
    QTest::keyClick(window->windowHandle(), k);
}

void Soak::tickClearing() {
    Form2 &q = game_->quiz;
    expect_.clearingTick = true;
    description_ = QStringLiteral("clearing tick at column %1").arg(q.clearTick());
    ++stats_.clearingTicks;
    q.Timer2_Timer();
}

void Soak::tickClock(int ticks) {
    Form2 &q = game_->quiz;
    description_ = QStringLiteral("%1 clock ticks at %2:%3")
                       .arg(ticks)
                       .arg(q.game().minutesLeft())
                       .arg(q.game().secondsLeft());
    for (; expect_.clockTicks < ticks && q.isOpen(); ++expect_.clockTicks) {
        ++stats_.clockTicks;
        q.Timer1_Timer();
    }
}

Soak::ClockAfter Soak::clockAfter(int ticks) const {
    ClockAfter c{before_.minutes, before_.seconds, before_.secondsUsed + ticks};
    if (!rules_.countsDown())
        return c;
    // 59 down to 0, then 59 of the minute below; 0:00 is the end.
    for (int i = 0; i < ticks && (c.minutes > 0 || c.seconds > 0); ++i) {
        if (c.seconds == 0) {
            c.seconds = 59;
            --c.minutes;
        } else {
            --c.seconds;
        }
    }
    return c;
}

void Soak::chooseRules() {
    // Every start level, the last one most often so that games are won; a
    // countdown of one or two minutes now and then, so that games run out
    // of time, and now and then no countdown at all.
    const int level = input_.below(2) == 0 ? 4 : 1 + input_.below(3);
    const int clock = input_.below(10);
    rules_ = {level, clock < 3 ? 1 + input_.below(2) : clock < 5 ? 0 : quiz::defaultClockMinutes};
    game_->quiz.setRules(rules_);
}

void Soak::tickStart() {
    expect_.startTick = true;
    description_ = QStringLiteral("exit animation tick");
    game_->start.Timer1_Timer();
}

void Soak::onMessage() {
    // The board clearing may go on behind the time-out message.
    Form2 &q = game_->quiz;
    if (q.isOpen() && q.Timer2->isActive() && input_.below(2) == 0) {
        for (int n = 1 + input_.below(15); n > 0 && q.Timer2->isActive(); --n)
            q.Timer2_Timer();
        description_ += QStringLiteral(" (clearing ticked behind the message)");
    }
}

// ---------------------------------------------------------------------------
// Checks

void Soak::fail(const QString &what) {
    if (failure_.isEmpty())
        failure_ = QStringLiteral("seed %1, event %2 (%3): %4\nlast events:\n  %5")
                       .arg(seed_)
                       .arg(event_)
                       .arg(description_, what, recent_.join(QStringLiteral("\n  ")));
}

#define SOAK_REQUIRE(condition, what)                                                              \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            fail(what);                                                                            \
            return;                                                                                \
        }                                                                                          \
    } while (false)

void Soak::check() {
    FakeServices &s = game_->services;
    Form1 &start = game_->start;
    Form2 &q = game_->quiz;
    ScreenHost &host = game_->host;
    const Before &b = before_;

    // Screens open and the program's end.
    const int open = (start.isOpen() ? 1 : 0) + (q.isOpen() ? 1 : 0);
    SOAK_REQUIRE(host.openScreens() == open,
                 QStringLiteral("the host counts %1 open screens, but %2 are open")
                     .arg(host.openScreens())
                     .arg(open));
    const int ended = s.endCount - b.ends;
    SOAK_REQUIRE(ended == 0 || ended == 1,
                 QStringLiteral("the program ended %1 times in one event").arg(ended));
    const bool secondExitClick = b.exitClicks == 1 && start.exitClicks() == 2;
    if (ended) {
        SOAK_REQUIRE(
            secondExitClick || open == 0,
            QStringLiteral("the program ended with %1 screen(s) open and no second exit click")
                .arg(open));
        if (secondExitClick)
            ++stats_.exitEnds;
        else if (expect_.closedFromFrame)
            ++stats_.frameEnds;
    } else {
        SOAK_REQUIRE(open != 0, QStringLiteral("no screen is open, yet the program did not end"));
        SOAK_REQUIRE(open == 1, QStringLiteral("%1 screens are open at once").arg(open));
    }
    SOAK_REQUIRE(!secondExitClick || ended,
                 QStringLiteral("the second exit click did not end the program"));
    if (expect_.closedFromFrame)
        SOAK_REQUIRE(
            ended && open == 0,
            QStringLiteral("closing the only window from its frame left %1 open").arg(open));

    // The prompt comes only with the first host click.
    const int prompts = int(s.prompts.size()) - b.prompts;
    SOAK_REQUIRE(prompts == 0 || prompts == 1,
                 QStringLiteral("%1 name prompts in one event").arg(prompts));
    const bool hostClicked = expect_.hostClick;
    const bool exitClicked = expect_.exitClick;
    SOAK_REQUIRE((prompts == 1) == (hostClicked && b.hostClicks == 0),
                 prompts ? QStringLiteral("a name prompt came without a first host click")
                         : QStringLiteral("the first host click asked for no name"));
    if (prompts == 1) {
        ++stats_.prompts;
        const QString name = b.promptScripted ? b.promptAnswer : QStringLiteral("No Name");
        SOAK_REQUIRE(start.typedName() == name,
                     QStringLiteral("the typed name is not the prompt's answer"));
        SOAK_REQUIRE(start.isOpen() && start.LB2->caption() == hello + name,
                     QStringLiteral("the greeting does not show the name exactly as typed"));
    }
    if (b.startOpen) {
        if (!hostClicked)
            SOAK_REQUIRE(
                start.hostClicks() == b.hostClicks,
                QStringLiteral("host clicks went from %1 to %2 without a click on the host")
                    .arg(b.hostClicks)
                    .arg(start.hostClicks()));
        SOAK_REQUIRE(start.exitClicks() == b.exitClicks + (exitClicked ? 1 : 0),
                     QStringLiteral("exit clicks went from %1 to %2")
                         .arg(b.exitClicks)
                         .arg(start.exitClicks()));
        if (hostClicked) {
            SOAK_REQUIRE(start.hostClicks() == (b.hostClicks == 0 ? 1 : 0),
                         QStringLiteral("a host click took host clicks from %1 to %2")
                             .arg(b.hostClicks)
                             .arg(start.hostClicks()));
            if (b.hostClicks == 1)
                SOAK_REQUIRE(
                    q.isOpen() && !start.isOpen(),
                    QStringLiteral(
                        "the second host click did not swap the start screen for the quiz"));
        }
    }
    if (!failure_.isEmpty())
        return;

    // Messages: the end of a won game and the time-out, each at most once.
    const int messages = int(s.messages.size()) - b.messages;
    SOAK_REQUIRE(messages == 0 || messages == 1,
                 QStringLiteral("%1 messages in one event").arg(messages));
    const ClockAfter after = clockAfter(expect_.clockTicks);
    const bool timeOut = expect_.clockTicks > 0 && b.quizOpen && rules_.countsDown() &&
                         after.minutes == 0 && after.seconds == 0;
    const bool won = !timeOut && b.quizOpen && b.state == QuizState::ClockRunning &&
                     b.questionNo == 100 && !q.isOpen() && messages == 1;
    if (messages == 1) {
        const QString text = s.messages.last();
        SOAK_REQUIRE(won || timeOut, QStringLiteral("an unexpected message: %1").arg(text));
        SOAK_REQUIRE(
            !q.isOpen() && start.isOpen(),
            QStringLiteral(
                "after the end message the start screen is not back in place of the quiz"));
        if (won) {
            ++stats_.wins;
            SOAK_REQUIRE(text == praise + crlf + b.quizLB1 + crlf +
                                     scoreLine(101, b.right, b.wrong, b.level),
                         QStringLiteral("the won message reads: %1").arg(text));
        } else {
            ++stats_.timeOuts;
            SOAK_REQUIRE(text == QStringLiteral("น้อง ") + b.playerName +
                                     QStringLiteral(" ทำไม่ทันครับ แพ้แล้วครับ") + crlf +
                                     clockLine(b.playerName, 0, 0) + crlf + b.quizLB2,
                         QStringLiteral("the time-out message reads: %1").arg(text));
        }
    } else {
        SOAK_REQUIRE(!timeOut,
                     QStringLiteral("the clock reached 0:00 without the time-out message"));
    }

    // Leaving by Cm6.
    if (b.quizOpen && !q.isOpen() && messages == 0 && !expect_.closedFromFrame) {
        SOAK_REQUIRE(start.isOpen(),
                     QStringLiteral("the quiz closed without bringing back the start screen"));
        ++stats_.leaves;
    }

    if (start.isOpen())
        checkStartScreen();
    if (!failure_.isEmpty())
        return;
    if (q.isOpen())
        checkQuizScreen();
}

void Soak::checkStartOpening() {
    Form1 &start = game_->start;
    SOAK_REQUIRE(QTest::qWaitForWindowExposed(start.window()),
                 QStringLiteral("the start window never showed"));
    SOAK_REQUIRE(
        start.hostClicks() == 0 && start.exitClicks() == 0 && start.animPhase() == 0,
        QStringLiteral("the start screen opened with host clicks %1, exit clicks %2, phase %3")
            .arg(start.hostClicks())
            .arg(start.exitClicks())
            .arg(start.animPhase()));
    SOAK_REQUIRE(start.LB1->caption() == welcome,
                 QStringLiteral("the start screen did not open with its welcome"));
    for (Label *label : start.window()->findChildren<Label *>())
        SOAK_REQUIRE(label->textFormat() == Qt::PlainText,
                     QStringLiteral("%1 may show markup").arg(label->objectName()));
}

void Soak::checkStartScreen() {
    Form1 &start = game_->start;
    const Before &b = before_;
    if (start.window()->stage() != startStage_) {
        startStage_ = start.window()->stage();
        checkStartOpening();
        if (!failure_.isEmpty())
            return;
    }
    SOAK_REQUIRE(start.hostClicks() == 0 || start.hostClicks() == 1,
                 QStringLiteral("host clicks stand at %1").arg(start.hostClicks()));
    SOAK_REQUIRE(start.animPhase() == 0 || start.animPhase() == 1,
                 QStringLiteral("the exit animation stands at phase %1").arg(start.animPhase()));
    if (start.exitClicks() < 2) {
        SOAK_REQUIRE(start.Im1->isEnabled() == (start.exitClicks() == 0),
                     QStringLiteral("the host picture is %1 after %2 exit clicks")
                         .arg(start.Im1->isEnabled() ? "clickable" : "deaf")
                         .arg(start.exitClicks()));
        SOAK_REQUIRE(start.Timer1->isActive() == (start.exitClicks() == 1),
                     QStringLiteral("the exit animation is %1 after %2 exit clicks")
                         .arg(start.Timer1->isActive() ? "running" : "stopped")
                         .arg(start.exitClicks()));
    }
    if (start.exitClicks() >= 1)
        SOAK_REQUIRE(start.Label5->caption() == goodbye,
                     QStringLiteral("the exit picture did not say goodbye"));
    if (expect_.startTick)
        SOAK_REQUIRE(start.animPhase() == (b.animPhase == 0 ? 1 : 0) && !start.Image1->isEmpty(),
                     QStringLiteral("the exit animation moved from phase %1 to %2")
                         .arg(b.animPhase)
                         .arg(start.animPhase()));
}

void Soak::checkQuizOpening() {
    Form1 &start = game_->start;
    Form2 &q = game_->quiz;
    SOAK_REQUIRE(QTest::qWaitForWindowExposed(q.window()),
                 QStringLiteral("the quiz window never showed"));
    ++stats_.quizOpenings;
    quizName_ = start.typedName();
    const quiz::Game &g = q.game();
    const int level = rules_.startLevel;
    SOAK_REQUIRE(g.questionNo() == 25 * (level - 1) && g.level() == level && g.rightCount() == 0 &&
                     g.wrongCount() == 0 && g.secondsUsed() == 0 &&
                     g.minutesLeft() == (rules_.countsDown() ? rules_.clockMinutes - 1 : 0) &&
                     g.secondsLeft() == (rules_.countsDown() ? 60 : 0) && q.clearTick() == 0 &&
                     q.clickCount() == (std::array<Form2::Integer, 4>{}),
                 QStringLiteral("the quiz opened without a fresh game at level %1").arg(level));
    SOAK_REQUIRE(q.LB1->caption() == quizName_,
                 QStringLiteral("the quiz opened with a name other than the typed one"));
    SOAK_REQUIRE(q.LB3->caption().startsWith(hello + quizName_ + crlf),
                 QStringLiteral("the quiz's greeting does not hold the name exactly as typed"));
    for (Label *label : q.window()->findChildren<Label *>())
        SOAK_REQUIRE(label->textFormat() == Qt::PlainText,
                     QStringLiteral("%1 may show markup").arg(label->objectName()));
    const std::array<Label *, 10> slotLabels = q.answerSlots();
    for (int i = 0; i < 10; ++i)
        slots_[i] = slotLabels[i]->caption();
    const std::array<Label *, 4> counters{q.LB4, q.Label6, q.Label16, q.Label14};
    for (int g = 0; g < 4; ++g)
        counters_[g] = counters[g]->caption();
    clicks_ = {};
    selected_ = -1;
    questionLevel_ = 0;
}

void Soak::checkQuizScreen() {
    Form2 &q = game_->quiz;
    const Before &b = before_;
    const bool fresh = q.window()->stage() != quizStage_;
    if (fresh) {
        quizStage_ = q.window()->stage();
        checkQuizOpening();
        if (!failure_.isEmpty())
            return;
    }
    const QuizState state = stateOf(q);
    SOAK_REQUIRE(state != QuizState::None,
                 QStringLiteral("the quiz screen is in none of its four states"));
    // The game's own idea of where it stands agrees with the controls.
    SOAK_REQUIRE(phaseOf(state) == q.game().phase(),
                 QStringLiteral("the controls are %1, the game is in phase %2")
                     .arg(stateName(state))
                     .arg(int(q.game().phase())));
    SOAK_REQUIRE(q.Cm6->isEnabled(), QStringLiteral("the leave button is disabled"));
    stats_.highestLevel = std::max(stats_.highestLevel, int(q.game().level()));

    // Counters and the question's range.
    SOAK_REQUIRE(q.game().questionNo() >= 0 && q.game().questionNo() <= 100,
                 QStringLiteral("question %1 on an open screen").arg(q.game().questionNo()));
    SOAK_REQUIRE(q.game().level() >= 1 && q.game().level() <= 4,
                 QStringLiteral("level %1").arg(q.game().level()));
    SOAK_REQUIRE(q.game().rightCount() >= 0 && q.game().wrongCount() >= 0,
                 QStringLiteral("tallies %1 right, %2 wrong")
                     .arg(q.game().rightCount())
                     .arg(q.game().wrongCount()));
    SOAK_REQUIRE(q.game().minutesLeft() >= 0 && q.game().secondsLeft() >= 0 &&
                     q.game().secondsLeft() <= 60,
                 QStringLiteral("the clock stands at %1:%2")
                     .arg(q.game().minutesLeft())
                     .arg(q.game().secondsLeft()));
    if (state != QuizState::Opened)
        SOAK_REQUIRE(q.game().playerName() == quizName_,
                     QStringLiteral("the player's name changed during the game"));

    if (!fresh) {
        SOAK_REQUIRE(
            q.game().level() >= b.level,
            QStringLiteral("the level fell from %1 to %2").arg(b.level).arg(q.game().level()));
        // One step of the state machine per event.
        const QuizState from = b.state;
        const bool allowed = state == from ||
                             (from == QuizState::Opened && state == QuizState::ClockRunning) ||
                             (from == QuizState::ClockRunning && state == QuizState::Answering) ||
                             (from == QuizState::Answering && state == QuizState::BoardClearing) ||
                             (from == QuizState::BoardClearing && state == QuizState::ClockRunning);
        SOAK_REQUIRE(
            allowed,
            QStringLiteral("the quiz went from %1 to %2").arg(stateName(from), stateName(state)));
        {
            const int step = q.game().questionNo() - b.questionNo;
            const bool asked = from == QuizState::ClockRunning && state == QuizState::Answering;
            SOAK_REQUIRE(step == (asked ? 1 : 0),
                         QStringLiteral("the question number went from %1 to %2 (%3 to %4)")
                             .arg(b.questionNo)
                             .arg(q.game().questionNo())
                             .arg(stateName(from), stateName(state)));
            if (asked) {
                ++stats_.questions;
                questionLevel_ = q.game().level();
                SOAK_REQUIRE(q.game().questionNo() > 25 * (q.game().level() - 1) &&
                                 q.game().questionNo() <= 25 * q.game().level(),
                             QStringLiteral("question %1 is asked at level %2")
                                 .arg(q.game().questionNo())
                                 .arg(q.game().level()));
            }
        }

        // The check: the tallies as the slots read, and the level-up.
        const bool checked = from == QuizState::Answering && state == QuizState::BoardClearing;
        if (checked) {
            ++stats_.checks;
            int right = 0, wrong = 0;
            for (int g = 1; g <= b.level; ++g) {
                const int entered = slotPairNumber(slots_[2 * (g - 1)], slots_[2 * (g - 1) + 1]);
                (entered == b.tops[g - 1] + 1 ? right : wrong) += 1;
            }
            // A right total earns as many points as the level; a wrong one costs one.
            if (b.level >= 2) {
                if (slotPairNumber(slots_[8], slots_[9]) == b.pictureTotal)
                    right += b.level;
                else
                    wrong += 1;
            }
            SOAK_REQUIRE(q.game().rightCount() == b.right + right &&
                             q.game().wrongCount() == b.wrong + wrong,
                         QStringLiteral("marking question %1 at level %2 gave %3 right and %4 "
                                        "wrong, expected %5 and %6")
                             .arg(b.questionNo)
                             .arg(b.level)
                             .arg(q.game().rightCount() - b.right)
                             .arg(q.game().wrongCount() - b.wrong)
                             .arg(right)
                             .arg(wrong));
            for (QString &slot : slots_)
                if (slot.isEmpty())
                    slot = QStringLiteral("0");
            const bool levelUp = b.level < 4 && b.questionNo == 25 * b.level;
            stats_.levelUps += levelUp ? 1 : 0;
            SOAK_REQUIRE(q.game().level() == b.level + (levelUp ? 1 : 0),
                         QStringLiteral("checking question %1 left level %2 at %3")
                             .arg(b.questionNo)
                             .arg(b.level)
                             .arg(q.game().level()));
            if (levelUp && rules_.countsDown())
                SOAK_REQUIRE(q.game().minutesLeft() == b.minutes + 30 &&
                                 q.game().secondsLeft() == b.seconds,
                             QStringLiteral("the level-up did not add 30 minutes to %1:%2")
                                 .arg(b.minutes)
                                 .arg(b.seconds));
        } else {
            SOAK_REQUIRE(q.game().level() == b.level && q.game().rightCount() == b.right &&
                             q.game().wrongCount() == b.wrong,
                         QStringLiteral("level or tallies changed without a check"));
        }

        // The clock moves one second per tick, 59 down to 0, and never shows 60;
        // without a countdown it shows the time used.
        if (expect_.clockTicks > 0) {
            const ClockAfter c = clockAfter(expect_.clockTicks);
            SOAK_REQUIRE(q.game().minutesLeft() == c.minutes &&
                             q.game().secondsLeft() == c.seconds &&
                             q.game().secondsUsed() == c.used,
                         QStringLiteral("%1 ticks after %2:%3 show %4:%5")
                             .arg(expect_.clockTicks)
                             .arg(b.minutes)
                             .arg(b.seconds)
                             .arg(q.game().minutesLeft())
                             .arg(q.game().secondsLeft()));
            const QString line = rules_.countsDown() ? clockLine(quizName_, c.minutes, c.seconds)
                                                     : timeUsedLine(quizName_, c.used);
            SOAK_REQUIRE(q.LB1->caption() == line,
                         QStringLiteral("the clock line reads: %1").arg(q.LB1->caption()));
        } else if (!checked) {
            SOAK_REQUIRE(q.game().minutesLeft() == b.minutes && q.game().secondsLeft() == b.seconds,
                         QStringLiteral("the clock moved without a tick"));
        }
    }
    if (!failure_.isEmpty())
        return;

    // From the start of the clock on, the score line shows the question, tallies and level.
    if (state != QuizState::Opened)
        SOAK_REQUIRE(q.LB2->caption() == scoreLine(q.game().questionNo(), q.game().rightCount(),
                                                   q.game().wrongCount(), q.game().level()),
                     QStringLiteral("the score line reads: %1").arg(q.LB2->caption()));

    // The board clearing: one column per tick, the counters counting down.
    if (expect_.clearingTick && !fresh) {
        const int next = b.clearTick == 14 ? 0 : b.clearTick + 1;
        SOAK_REQUIRE(q.clearTick() == next, QStringLiteral("the clearing went from column %1 to %2")
                                                .arg(b.clearTick)
                                                .arg(q.clearTick()));
        for (const auto *row : {&q.Im1, &q.Im2, &q.Im3, &q.Im4})
            SOAK_REQUIRE((*row)[b.clearTick]->isHidden() && (*row)[b.clearTick]->isEmpty(),
                         QStringLiteral("column %1 is not cleared").arg(b.clearTick));
        clicks_ = {};
        for (QString &counter : counters_)
            counter = QString::number(next == 0 ? 0 : 14 - next);
        for (QString &slot : slots_)
            slot.clear();
    }

    // A click on a shown picture hides it and counts it in its row.
    const std::array<const std::array<Picture *, 15> *, 4> rows{&q.Im1, &q.Im2, &q.Im3, &q.Im4};
    if (expect_.group > 0 && !fresh) {
        const int g = expect_.group - 1;
        SOAK_REQUIRE((*rows[g])[expect_.index]->isHidden(),
                     QStringLiteral("the clicked picture %1 of row %2 still shows")
                         .arg(expect_.index)
                         .arg(g + 1));
        ++stats_.pictureClicks;
        ++clicks_[g];
        counters_[g] = QString::number(clicks_[g]);
    }

    // A tile dropped on a shown slot puts its digit there.
    if (expect_.dropSlot >= 0) {
        ++stats_.drops;
        slots_[expect_.dropSlot] = expect_.dropDigit;
    }
    // A tap's selection, cleared whenever the tiles are disabled.
    if (expect_.selectionAfter != Expectation::unchanged) {
        stats_.selections +=
            expect_.selectionAfter >= 0 && expect_.selectionAfter != selected_ ? 1 : 0;
        selected_ = expect_.selectionAfter;
    }
    if (state != QuizState::Answering)
        selected_ = -1;
    SOAK_REQUIRE(q.selectedTile() == selected_,
                 QStringLiteral("tile %1 is selected, the input selected %2")
                     .arg(q.selectedTile())
                     .arg(selected_));
    const auto *ring = q.window()->findChild<QWidget *>(QStringLiteral("selectionRing"));
    SOAK_REQUIRE(ring && ring->isVisible() == (selected_ >= 0),
                 QStringLiteral("the selection ring is %1")
                     .arg(ring && ring->isVisible() ? "shown" : "hidden"));
    const auto *outline = q.window()->findChild<QWidget *>(QStringLiteral("dragOutline"));
    SOAK_REQUIRE(outline && outline->isHidden(),
                 QStringLiteral("a drag outline is left on the screen"));

    const std::array<Label *, 10> slotLabels = q.answerSlots();
    for (int i = 0; i < 10; ++i) {
        const QString caption = slotLabels[i]->caption();
        SOAK_REQUIRE(caption.isEmpty() || (caption.size() == 1 && caption.at(0).isDigit()),
                     QStringLiteral("%1 holds \"%2\"").arg(slotLabels[i]->objectName(), caption));
        SOAK_REQUIRE(caption == slots_[i],
                     QStringLiteral("%1 holds \"%2\" where the input put \"%3\"")
                         .arg(slotLabels[i]->objectName(), caption, slots_[i]));
    }

    // Each counter shows the pictures clicked away in its row, and never more than it shows.
    const std::array<Label *, 4> counters{q.LB4, q.Label6, q.Label16, q.Label14};
    const std::array<int, 4> tops{q.game().groupTop1(), q.game().groupTop2(), q.game().groupTop3(),
                                  q.game().groupTop4()};
    for (int g = 0; g < 4; ++g) {
        SOAK_REQUIRE(q.clickCount()[g] == clicks_[g],
                     QStringLiteral("row %1 counts %2 clicks, the input made %3")
                         .arg(g + 1)
                         .arg(q.clickCount()[g])
                         .arg(clicks_[g]));
        SOAK_REQUIRE(counters[g]->caption() == counters_[g],
                     QStringLiteral("the counter of row %1 shows \"%2\", expected \"%3\"")
                         .arg(g + 1)
                         .arg(counters[g]->caption(), counters_[g]));
        SOAK_REQUIRE(clicks_[g] <= tops[g] + 1,
                     QStringLiteral("row %1 counts %2 clicks of %3 pictures")
                         .arg(g + 1)
                         .arg(clicks_[g])
                         .arg(tops[g] + 1));
    }

    // The pictures that show belong to the question on the board.
    for (int g = 0; g < 4; ++g) {
        int visible = 0;
        for (int k = 0; k < 15; ++k) {
            Picture *p = (*rows[g])[k];
            if (p->isHidden())
                continue;
            ++visible;
            SOAK_REQUIRE(
                !p->isEmpty(),
                QStringLiteral("picture %1 of row %2 shows but is empty").arg(k).arg(g + 1));
            SOAK_REQUIRE(k <= tops[g],
                         QStringLiteral("picture %1 of row %2 shows beyond its %3 pictures")
                             .arg(k)
                             .arg(g + 1)
                             .arg(tops[g] + 1));
            SOAK_REQUIRE(state == QuizState::Answering ||
                             (state == QuizState::BoardClearing && k >= q.clearTick()),
                         QStringLiteral("picture %1 of row %2 shows in state %3")
                             .arg(k)
                             .arg(g + 1)
                             .arg(stateName(state)));
            SOAK_REQUIRE(g + 1 <= questionLevel_,
                         QStringLiteral("row %1 shows at a level-%2 question")
                             .arg(g + 1)
                             .arg(questionLevel_));
        }
        if (state == QuizState::Answering && g + 1 <= questionLevel_)
            SOAK_REQUIRE(visible + clicks_[g] == tops[g] + 1,
                         QStringLiteral("row %1 shows %2 pictures and counts %3 clicks of %4")
                             .arg(g + 1)
                             .arg(visible)
                             .arg(clicks_[g])
                             .arg(tops[g] + 1));
    }
}

#undef SOAK_REQUIRE

quint32 seedFromEnvironment() {
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("LUMO_SOAK_SEED").toUInt(&ok, 0);
    return ok ? seed : defaultSeed;
}

int eventsFromEnvironment() {
    bool ok = false;
    const int events = qEnvironmentVariableIntValue("LUMO_SOAK_EVENTS", &ok);
    return ok && events > 0 ? events : defaultEvents;
}

} // namespace

class SoakTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        setUpApplication(*qApp);
        qApp->installEventFilter(&gate_);
    }
    void cleanupTestCase() { qApp->removeEventFilter(&gate_); }

    void randomInputNeverBreaksTheRulesOfEitherScreen() {
        const quint32 seed = seedFromEnvironment();
        const int events = eventsFromEnvironment();
        qInfo("Soak: seed %u, %d events (LUMO_SOAK_SEED, LUMO_SOAK_EVENTS)", seed, events);
        QElapsedTimer clock;
        clock.start();
        Soak soak(seed, events, qEnvironmentVariableIntValue("LUMO_SOAK_TRACE") != 0);
        const QString failure = soak.run();
        const Stats &s = soak.stats();
        qInfo("Soak: %lld ms; %d games, %d quiz openings, %d questions, %d checks, %d drops, %d "
              "picture clicks, "
              "%d prompts, %d keys (%d digits typed), %d tiles selected by a tap, %d clock ticks, "
              "%d clearing ticks; highest level %d, %d level-ups; %d won, "
              "%d timed out, "
              "%d left, %d ended by the exit picture, %d by closing the window",
              clock.elapsed(), s.games, s.quizOpenings, s.questions, s.checks, s.drops,
              s.pictureClicks, s.prompts, s.keys, s.typed, s.selections, s.clockTicks,
              s.clearingTicks, s.highestLevel, s.levelUps, s.wins, s.timeOuts, s.leaves, s.exitEnds,
              s.frameEnds);
        if (!failure.isEmpty())
            QFAIL(qPrintable(failure));

        // The everyday run has to reach every way a game or the program ends;
        // runs with other seeds are only held to the rules.
        if (seed == defaultSeed && events >= defaultEvents) {
            QVERIFY2(s.highestLevel == 4, "the soak never reached level 4");
            QVERIFY2(s.levelUps > 0, "the soak never moved up a level");
            QVERIFY2(s.wins > 0, "the soak never won a game");
            QVERIFY2(s.timeOuts > 0, "the soak never ran out of time");
            QVERIFY2(s.leaves > 0, "the soak never left the quiz");
            QVERIFY2(s.exitEnds > 0, "the soak never ended the program by the exit picture");
            QVERIFY2(s.frameEnds > 0, "the soak never ended the program by closing its window");
            QVERIFY2(s.drops > 0 && s.pictureClicks > 0 && s.checks > 0,
                     "the soak never answered a question");
            QVERIFY2(s.selections > 0 && s.typed > 0,
                     "the soak never tapped a tile or typed a digit");
        }
    }

  private:
    ScreenTimerGate gate_;
};

QTEST_MAIN(SoakTest)
#include "test_soak.moc"
