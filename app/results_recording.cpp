// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/results_recording.h"

#include "platform/services.h"
#include "store/recorder.h"

#include <QSysInfo>

#include <algorithm>

namespace lumo {

namespace {

store::Outcome storedOutcome(quiz::Game::Outcome how) {
    switch (how) {
    case quiz::Game::Outcome::Won:
        return store::Outcome::Won;
    case quiz::Game::Outcome::TimeOut:
        return store::Outcome::TimeOut;
    case quiz::Game::Outcome::Left:
        return store::Outcome::Left;
    case quiz::Game::Outcome::WindowClosed:
        break;
    }
    return store::Outcome::WindowClosed;
}

} // namespace

ResultsRecording::ResultsRecording(const quiz::Game &game, store::GameRecorder &recorder,
                                   Services &services, QObject *parent)
    : QObject(parent), game_(game), recorder_(recorder), services_(services) {
    connect(&game, &quiz::Game::clockStarted, this, &ResultsRecording::clockStarted);
    connect(&game, &quiz::Game::answerMarked, this, &ResultsRecording::answerMarked);
    connect(&game, &quiz::Game::ended, this, &ResultsRecording::ended);
}

ClassSettings ResultsRecording::settingsInForce() const {
    ClassSettings inForce = settings_;
    const quiz::Rules &rules = game_.rules();
    inForce.startLevel = rules.startLevel;
    inForce.clock = rules.countsDown();
    if (rules.countsDown())
        inForce.clockMinutes = rules.clockMinutes;
    return inForce;
}

void ResultsRecording::clockStarted() {
    // The game allows one start of its clock: every start is a new game.
    gameId_ = QUuid::createUuid();
    const ClassSettings inForce = settingsInForce();
    store::GameStart start;
    start.id = gameId_;
    start.player = game_.playerName();
    start.startedUtc = services_.now().toUTC();
    start.startLevel = inForce.startLevel;
    start.clockMinutes = inForce.startingMinutes();
    start.settingsJson = inForce.gameSettingsJson();
    start.programVersion = QStringLiteral(LUMO_VERSION);
    start.computer = QSysInfo::machineHostName();
    recorder_.gameStarted(start);
}

void ResultsRecording::answerMarked(const quiz::Game::Marking &marking) {
    if (gameId_.isNull())
        return;
    store::AnswerCheck answer;
    answer.gameId = gameId_;
    answer.question = marking.questionNo;
    answer.level = marking.level;
    for (int g = 0; g < marking.groups; ++g)
        answer.counts.append(marking.group[g].expected);
    if (marking.hasTotal)
        answer.total = marking.total.expected;
    answer.slotCaptions = marking.slotCaptions;
    answer.pointsRight = marking.pointsRight;
    answer.pointsWrong = marking.pointsWrong;
    answer.seconds = marking.secondsTaken;
    answer.checkedUtc = services_.now().toUTC();
    recorder_.answerChecked(answer);
}

void ResultsRecording::ended(quiz::Game::Outcome how) {
    // A quiz left before its clock started was no game.
    if (gameId_.isNull())
        return;
    store::GameEnd end;
    end.gameId = gameId_;
    end.outcome = storedOutcome(how);
    end.endedUtc = services_.now().toUTC();
    end.levelReached = game_.level();
    // A won game has counted one question past the last.
    end.questions = std::min<int>(game_.questionNo(), quiz::lastQuestion);
    end.right = game_.rightCount();
    end.wrong = game_.wrongCount();
    end.clockSeconds = game_.rules().countsDown() ? game_.minutesLeft() * 60 + game_.secondsLeft()
                                                  : game_.secondsUsed();
    recorder_.gameEnded(end);
    gameId_ = QUuid();
}

} // namespace lumo
