// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "quiz/levels.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace lumo::quiz {

/// What a teacher may set; the defaults are the game everyone knows.
struct Rules {
    int startLevel = firstLevel;
    /// Starting minutes of the countdown; 0 means no clock: the time used
    /// counts up and never runs out.
    int clockMinutes = defaultClockMinutes;
    bool countsDown() const { return clockMinutes > 0; }
    bool operator==(const Rules &) const = default;
};

/// One game of counting questions against the clock, without any widget:
/// the questions drawn, the answers marked, the tallies, the levels and the
/// clock. The quiz screen asks it to act and shows what it returns; others
/// (the results store, the screen reader's announcements) follow its signals.
///
/// A game goes Opened -> (startClock) Waiting -> (nextQuestion) Answering
/// -> (mark) Clearing -> (boardCleared) Waiting ..., and ends Over: won
/// after the last question, out of time, or left. The clock ticks from
/// Waiting until Over. An operation its phase does not allow changes
/// nothing and says so: it returns false (or no marking).
class Game : public QObject {
    Q_OBJECT
  public:
    using Integer = std::int16_t;
    /// A uniform real number in [0, 1).
    using RandomSource = std::function<double()>;

    enum class Phase { Opened, Waiting, Answering, Clearing, Over };
    enum class Outcome { Won, TimeOut, Left, WindowClosed };

    using Rules = quiz::Rules;

    struct Question {
        int number = 0;
        int level = 0;
        int groups = 0;
        /// Picture file number of each row; all four are drawn at every level.
        std::array<int, 4> icons{};
        /// Pictures in each row; 0 for rows the level does not show.
        std::array<int, 4> counts{};
        /// Pictures in all rows; 0 at a level that asks no total.
        int total = 0;
    };

    struct Mark {
        int expected = 0;
        int entered = 0;
        bool right = false;
    };

    struct Marking {
        int questionNo = 0;
        /// The level the question was asked and marked at.
        int level = 0;
        int groups = 0;
        /// The rows the level shows, in order; those beyond `groups` are unused.
        std::array<Mark, 4> group{};
        bool hasTotal = false;
        Mark total;
        /// The slots as the child left them: tens then units of rows 1 to 4,
        /// then of the total; an empty text is an empty slot.
        std::array<QString, 10> slotCaptions;
        int pointsRight = 0;
        int pointsWrong = 0;
        /// Clock ticks from the question appearing to its check.
        int secondsTaken = 0;
        bool levelRaised = false;
    };

    explicit Game(RandomSource random, QObject *parent = nullptr);

    /// Every value back to the start of a game played by `rules`.
    void newGame(const Rules &rules = {});
    /// Opened: the clock starts; the name is the player's from now on (a
    /// null name counts as the empty one).
    bool startClock(const QString &playerName);
    /// Waiting: draws the picture numbers, counts the question and draws
    /// the rows' sizes; or, one question past the last, the game is won
    /// (isWon()) and over.
    bool nextQuestion();
    /// Answering: marks the answer in the slots (captions, tens before
    /// units) against the question, adds the points and moves up a level
    /// after its last question.
    std::optional<Marking> mark(const std::array<QString, 10> &slotCaptions);
    /// Clearing: the board is empty again; the next question may be asked for.
    bool boardCleared();
    /// From Waiting until Over: one second passes. A countdown's last
    /// second ends the game (isOver()).
    bool tick();
    /// Any phase but Over: the game stops without being won or lost, by
    /// Outcome::Left or Outcome::WindowClosed.
    bool leave(Outcome how);

    Phase phase() const { return phase_; }
    const Rules &rules() const { return rules_; }
    bool isWon() const { return questionNo_ > lastQuestion; }
    bool isOver() const { return phase_ == Phase::Over; }
    Outcome outcome() const { return outcome_; }

    const QString &playerName() const { return playerName_; }
    Integer level() const { return level_; }
    Integer questionNo() const { return questionNo_; }
    Integer rightCount() const { return rightCount_; }
    Integer wrongCount() const { return wrongCount_; }
    Integer minutesLeft() const { return minutesLeft_; }
    Integer secondsLeft() const { return secondsLeft_; }
    /// Seconds the clock has run since it started.
    int secondsUsed() const { return secondsUsed_; }
    const std::array<Integer, 4> &iconNumber() const { return iconNumber_; }
    /// Row g's highest picture index as last drawn (its pictures minus one).
    Integer groupTop1() const { return groupTop_[0]; }
    Integer groupTop2() const { return groupTop_[1]; }
    Integer groupTop3() const { return groupTop_[2]; }
    Integer groupTop4() const { return groupTop_[3]; }
    Integer pictureTotal() const { return pictureTotal_; }

    /// Pictures in row g (1 to 4) as last drawn.
    int count(int g) const { return groupTop_[std::size_t(g - 1)] + 1; }
    /// The question on the board (or the last one).
    Question question() const;

  signals:
    void clockStarted();
    void questionReady(const lumo::quiz::Game::Question &question);
    void answerMarked(const lumo::quiz::Game::Marking &marking);
    void levelRaised(int level, int minutesAdded);
    void clockChanged();
    void gameWon();
    void timeOut();
    /// Emitted once per game, whichever way it ends.
    void ended(lumo::quiz::Game::Outcome how);

  private:
    const Level &levelNow() const { return levels[std::size_t(level_ - firstLevel)]; }
    void end(Outcome how);

    RandomSource random_;
    Rules rules_;
    Phase phase_ = Phase::Opened;
    Outcome outcome_ = Outcome::Left;

    QString playerName_;
    Integer minutesLeft_ = 0;
    Integer secondsLeft_ = 0;
    Integer level_ = 0;
    std::array<Integer, 4> iconNumber_{};
    /// Rows the level does not draw keep what they held.
    std::array<Integer, 4> groupTop_{};
    Integer pictureTotal_ = 0;
    Integer questionNo_ = 0;
    Integer rightCount_ = 0;
    Integer wrongCount_ = 0;
    int secondsUsed_ = 0;
    int questionAskedAt_ = 0;
};

} // namespace lumo::quiz
