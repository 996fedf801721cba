// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the teacher's window says, in Thai, in one place.

#include "store/reader.h"
#include "store/status.h"
#include "sync/sync_status.h"

#include <QLocale>
#include <QString>

namespace lumo::teacher {

inline const QString teacherWindowTitle = QStringLiteral("ผลการทดสอบ");

QString outcomeText(const std::optional<store::Outcome> &outcome);

/// "เหลือ 12:05" for a game with a clock, "ใช้ไป 7:30" for one without;
/// empty when the game never recorded its time.
QString clockText(const store::GameRow &game);

/// The day and time a game started, in the user's time zone and locale
/// (a Thai locale gives Thai months and the Buddhist-era year).
QString startedText(const QDateTime &startedUtc, const QLocale &locale);

/// The status line: where results are kept, or why they cannot be.
QString statusText(const store::StoreStatus &status, bool schoolServer = false);

/// Why the school's server cannot be read, for the teacher: what to do in
/// Thai, then the server's own words.
QString serverProblemText(sync::SyncStatus::State state, const QString &detail);

/// The school server's line: what waits to be sent and why; empty when no
/// server is set up.
QString syncStatusText(const sync::SyncStatus &status, const QLocale &locale);

} // namespace lumo::teacher
