// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaType>
#include <QString>

namespace lumo::store {

/// What the teacher's window says about the store, and what decides the one
/// warning on standard error. Details are the file system's or SQLite's own
/// words; the window puts them in a Thai sentence.
struct StoreStatus {
    enum class State {
        Opening,  ///< not tried yet
        Ready,    ///< records are committed as they come
        Locked,   ///< another program holds the file; records wait and are retried
        Full,     ///< the disk is full; records wait and are retried
        Unusable, ///< cannot be opened or written (read-only, damaged beyond use, newer schema)
    };
    State state = State::Opening;
    QString filePath;
    QString detail;
    /// Where a damaged file was moved before a new one was started.
    QString setAsidePath;
    /// Records waiting in memory for the store to be writable again.
    int pending = 0;
    /// Records given up on (the queue overflowed, or the program ended first).
    int lost = 0;
    /// Records the file can never take (an answer or an end for a game
    /// that is not in it): each game's told once on standard error.
    int rejected = 0;

    bool ready() const { return state == State::Ready; }
    bool operator==(const StoreStatus &) const = default;
};

} // namespace lumo::store

Q_DECLARE_METATYPE(lumo::store::StoreStatus)
