// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/reader.h"

#include <QDateTime>
#include <QMetaType>
#include <QString>

namespace lumo::sync {

/// What the sync last saw: what waits to be sent and why it waits. The
/// detail is the server's or libpq's own words; the teacher's window puts
/// them in a Thai sentence.
struct SyncStatus {
    enum class State {
        Off,           ///< no server is set up (the default)
        Starting,      ///< not tried yet
        Sending,       ///< connected, records are going
        UpToDate,      ///< everything recorded here is on the server
        Unreachable,   ///< server down, its name unknown, the network gone
        LoginRefused,  ///< wrong or missing password, unknown user, not allowed from here
        NotSetUp,      ///< no such database or schema, or the user lacks a right
        SchemaTooNew,  ///< the server was set up by a newer program; left untouched
        Interrupted,   ///< a statement failed, the connection dropped: sent again later
        StoreUnusable, ///< this computer's store cannot be read
    };
    State state = State::Starting;
    /// Where the server is, as the settings say ("host:port/database").
    QString server;
    QString detail;
    /// Records still waiting on this computer.
    store::Backlog waiting;
    /// When the last record arrived on the server; invalid if none in this run.
    QDateTime lastSentUtc;
    /// Milliseconds until the next try, after a failure; 0 if none is planned.
    int retryInMs = 0;

    /// The server is reached and holds everything it should.
    bool upToDate() const { return state == State::UpToDate; }
    /// A failure that makes the records wait.
    bool failing() const { return state >= State::Unreachable; }
    bool operator==(const SyncStatus &) const = default;
};

} // namespace lumo::sync

Q_DECLARE_METATYPE(lumo::sync::SyncStatus)
