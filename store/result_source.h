// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/reader_types.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace lumo::store {

/// A deleted game waiting in the bin, to be restored or left to go.
struct BinnedGame {
    QString id;
    QString player;
    QString computer;
    QDateTime startedUtc;
    QDateTime deletedUtc;
    /// On the school's server: the computer the deletion was made on (a
    /// game's own computer, or where the teacher's window ran); empty here.
    QString deletedBy;
    /// On the school's server: deleted in the teacher's window, not sent
    /// by a computer.
    bool byTeacher = false;

    bool operator==(const BinnedGame &) const = default;
};

/// Where the teacher's window reads games from: this computer's store or
/// the school's server. Both answer the same questions with the same rows,
/// so that every page, summary, chart and export works on either.
class ResultSource {
  public:
    virtual ~ResultSource() = default;

    /// Newest first.
    virtual QList<GameRow> games(const GameFilter &filter = {}) = 0;
    /// Every name that has a game the filter lets through.
    virtual QStringList players(const GameFilter &filter = {}) = 0;
    /// Every computer that has a game, in ascending order.
    virtual QStringList computers() = 0;
    /// One player's games (matched exactly) that the filter's computer and
    /// days let through.
    virtual ChildSummary summary(const QString &player, const GameFilter &filter = {}) = 0;
    virtual WrongAnswers wrongAnswers(const QString &player, const GameFilter &filter = {}) = 0;
    virtual QList<AnswerRow> answers(const QString &gameId) = 0;
    /// The answers of every game the filter lets through, newest game
    /// first, each game's in question order, in one read; without the
    /// slots' captions.
    virtual QList<AnswerRow> answersOf(const GameFilter &filter = {}) = 0;

    /// Puts one game, every game of one player (matched exactly), or
    /// everyone's into the bin with their answers: no read lists them any
    /// more, and they can be restored for binDays. Returns the number of
    /// games put there, -1 on failure.
    virtual int deleteGame(const QString &id) = 0;
    virtual int deletePlayer(const QString &player) = 0;
    virtual int deleteAll() = 0;

    /// The games in the bin, the last deleted first.
    virtual QList<BinnedGame> bin() = 0;
    /// Takes one game, or every game, out of the bin; returns how many, -1
    /// on failure.
    virtual int restoreGame(const QString &id) = 0;
    virtual int restoreAll() = 0;

    /// The last error of a read or delete, in the database's words; empty if none.
    virtual QString lastError() const = 0;
};

} // namespace lumo::store
