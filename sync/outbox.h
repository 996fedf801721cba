// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The local side of sending: what this computer's store has that the
// server has not, and marking it sent once the server has committed it.

#include "store/connection.h"
#include "store/reader.h"

#include <QSet>
#include <QString>
#include <QVariantList>

namespace lumo::sync {

/// One game with the answers not sent yet, values in the order of the
/// columns both sides keep (store::sharedColumns()).
struct OutgoingGame {
    QString id;
    QVariantList game;
    QList<QVariantList> answers;
};

/// A game deleted or restored here, with the computer it was played on.
struct BinChange {
    QString gameId;
    QString computer;
};

class Outbox {
  public:
    explicit Outbox(store::Connection &local) : local_(local) {}

    bool backlog(store::Backlog &backlog);
    /// Games deleted here, oldest deletion first; restored here, oldest
    /// first. A game is in one of the two logs at most: its last move.
    QList<BinChange> deletions();
    QList<BinChange> restorations();
    bool forgetDeletion(const QString &gameId);
    bool forgetRestoration(const QString &gameId);

    /// Games with something unsent, oldest first, leaving out `skipped`
    /// and the games in the bin.
    QList<OutgoingGame> nextGames(int limit, const QSet<QString> &skipped);
    /// Marks the answers sent, and the game too unless anything was
    /// recorded for it since it was read (`complete` false: it goes again).
    bool markSent(const OutgoingGame &game, bool &complete);
    /// Another server: every record goes again.
    bool resendEverything();

    bool failed() const { return error_.isValid(); }
    QSqlError error() const { return error_; }

  private:
    QList<BinChange> changes(const QString &sql);

    store::Connection &local_;
    QSqlError error_;
};

} // namespace lumo::sync
