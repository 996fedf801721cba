// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "quiz/game.h"
#include "settings/class_settings.h"

#include <QObject>
#include <QUuid>

namespace lumo {

class Services;

namespace store {
class GameRecorder;
}

/// Keeps the results of the games played: follows the quiz's game and hands
/// the recorder a record when its clock starts, at every check and when it
/// ends. Handing a record over is a copy into the writer's queue, so the
/// child never waits for the disk; a store that cannot be used changes
/// nothing here.
class ResultsRecording : public QObject {
    Q_OBJECT
  public:
    ResultsRecording(const quiz::Game &game, store::GameRecorder &recorder, Services &services,
                     QObject *parent = nullptr);

    /// The class settings the coming games are played with, for their records.
    void setSettings(const ClassSettings &settings) { settings_ = settings; }

  private:
    void clockStarted();
    void answerMarked(const quiz::Game::Marking &marking);
    void ended(quiz::Game::Outcome how);
    /// The settings in force for the game on the screen: its own rules, which
    /// a change saved during the game does not reach, and the rest as set.
    ClassSettings settingsInForce() const;

    const quiz::Game &game_;
    store::GameRecorder &recorder_;
    Services &services_;
    ClassSettings settings_;
    QUuid gameId_;
};

} // namespace lumo
