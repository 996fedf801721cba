// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/reader_types.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace lumo::store {

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

    /// Deletes every game of one player (matched exactly) with its answers,
    /// or of everyone; returns the number of games deleted, -1 on failure.
    virtual int deletePlayer(const QString &player) = 0;
    virtual int deleteAll() = 0;

    /// The last error of a read or delete, in the database's words; empty if none.
    virtual QString lastError() const = 0;
};

} // namespace lumo::store
