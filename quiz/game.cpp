// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/game.h"

namespace lumo::quiz {

namespace {
// The countdown shows a whole minute as "m 60" before its first tick, so
// that the first tick shows m minutes 59 seconds.
constexpr Game::Integer secondsAtStart = 60;

// A pair of slots stands for its tens caption followed by its units
// caption; an empty slot counts as "0".
int slotNumber(const QString &tens, const QString &units) {
    const auto digit = [](const QString &caption) {
        return caption.isEmpty() ? QStringLiteral("0") : caption;
    };
    bool ok = false;
    const int value = (digit(tens) + digit(units)).toInt(&ok, 10);
    return ok ? value : 0;
}

// A player who gave no name has the empty one: empty, never null, so that
// everything that keeps the name keeps an empty text.
const QString noName = QStringLiteral("");
} // namespace

Game::Game(RandomSource random, QObject *parent) : QObject(parent), random_(std::move(random)) {
    newGame();
}

void Game::newGame(const Rules &rules) {
    rules_ = rules;
    if (!levelRules(rules_.startLevel))
        rules_.startLevel = firstLevel;
    phase_ = Phase::Opened;
    outcome_ = Outcome::Left;
    playerName_ = noName;
    iconNumber_ = {};
    groupTop_ = {};
    pictureTotal_ = 0;
    rightCount_ = 0;
    wrongCount_ = 0;
    secondsUsed_ = 0;
    questionAskedAt_ = 0;
    level_ = Integer(rules_.startLevel);
    questionNo_ = Integer(questionsBefore(rules_.startLevel));
    minutesLeft_ = rules_.countsDown() ? Integer(rules_.clockMinutes - 1) : Integer(0);
    secondsLeft_ = rules_.countsDown() ? secondsAtStart : Integer(0);
}

bool Game::startClock(const QString &playerName) {
    if (phase_ != Phase::Opened)
        return false;
    playerName_ = playerName.isNull() ? noName : playerName;
    phase_ = Phase::Waiting;
    emit clockStarted();
    return true;
}

bool Game::nextQuestion() {
    if (phase_ != Phase::Waiting)
        return false;
    for (Integer &icon : iconNumber_)
        icon = Integer(random_() * pictureFiles + 1);
    ++questionNo_;
    if (isWon()) {
        emit gameWon();
        end(Outcome::Won);
        return true;
    }

    const Level &rules = levelNow();
    int total = 0;
    for (int g = 1; g <= rules.groups; ++g) {
        groupTop_[std::size_t(g - 1)] =
            Integer(random_() * (mostPictures - 1) + fewestPictures - 1);
        total += count(g);
    }
    // A level that asks no total leaves the last one as it was.
    if (rules.asksTotal())
        pictureTotal_ = Integer(total);
    questionAskedAt_ = secondsUsed_;
    phase_ = Phase::Answering;
    emit questionReady(question());
    return true;
}

Game::Question Game::question() const {
    Question q;
    q.number = questionNo_;
    q.level = level_;
    q.groups = levelNow().groups;
    for (int g = 1; g <= 4; ++g) {
        q.icons[g - 1] = iconNumber_[g - 1];
        q.counts[g - 1] = g <= q.groups ? count(g) : 0;
    }
    q.total = levelNow().asksTotal() ? int(pictureTotal_) : 0;
    return q;
}

std::optional<Game::Marking> Game::mark(const std::array<QString, 10> &slotCaptions) {
    if (phase_ != Phase::Answering)
        return std::nullopt;
    const Level &rules = levelNow();
    Marking m;
    m.questionNo = questionNo_;
    m.level = level_;
    m.slotCaptions = slotCaptions;
    m.secondsTaken = secondsUsed_ - questionAskedAt_;
    m.groups = rules.groups;
    for (int g = 1; g <= rules.groups; ++g) {
        Mark &mark = m.group[g - 1];
        mark.expected = count(g);
        mark.entered = slotNumber(slotCaptions[2 * (g - 1)], slotCaptions[2 * (g - 1) + 1]);
        mark.right = mark.entered == mark.expected;
        (mark.right ? m.pointsRight : m.pointsWrong) += 1;
    }
    m.hasTotal = rules.asksTotal();
    m.total.expected = pictureTotal_;
    if (m.hasTotal) {
        m.total.entered = slotNumber(slotCaptions[8], slotCaptions[9]);
        m.total.right = m.total.entered == m.total.expected;
        if (m.total.right)
            m.pointsRight += rules.totalBonus;
        else
            m.pointsWrong += 1;
    }
    rightCount_ = Integer(rightCount_ + m.pointsRight);
    wrongCount_ = Integer(wrongCount_ + m.pointsWrong);

    // The last question of a level moves the game up, right or wrong.
    m.levelRaised = questionNo_ == rules.lastQuestion && level_ < lastLevel;
    if (m.levelRaised) {
        ++level_;
        minutesLeft_ = Integer(minutesLeft_ + rules.minutesAdded);
    }
    phase_ = Phase::Clearing;
    emit answerMarked(m);
    if (m.levelRaised) {
        emit levelRaised(level_, rules.minutesAdded);
        if (rules_.countsDown())
            emit clockChanged();
    }
    return m;
}

bool Game::boardCleared() {
    if (phase_ != Phase::Clearing)
        return false;
    phase_ = Phase::Waiting;
    return true;
}

bool Game::tick() {
    if (phase_ == Phase::Opened || phase_ == Phase::Over)
        return false;
    ++secondsUsed_;
    if (!rules_.countsDown()) {
        emit clockChanged();
        return true;
    }
    // Seconds run 59 down to 0; after 0 the next lower minute starts at 59.
    if (secondsLeft_ == 0) {
        secondsLeft_ = 59;
        --minutesLeft_;
    } else {
        --secondsLeft_;
    }
    emit clockChanged();
    if (minutesLeft_ == 0 && secondsLeft_ == 0) {
        emit timeOut();
        end(Outcome::TimeOut);
    }
    return true;
}

bool Game::leave(Outcome how) {
    if (phase_ == Phase::Over || (how != Outcome::Left && how != Outcome::WindowClosed))
        return false;
    end(how);
    return true;
}

void Game::end(Outcome how) {
    phase_ = Phase::Over;
    outcome_ = how;
    emit ended(how);
}

} // namespace lumo::quiz
