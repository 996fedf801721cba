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

/// A name on one line (line breaks as spaces), cut short with an ellipsis
/// past `longest` characters: for tables, lists and buttons; exports keep
/// names whole.
QString oneLineName(const QString &name, int longest = 60);

/// A day as a Thai teacher writes it: "7 ธ.ค. 2569" (Buddhist-era year in a
/// Thai locale, the day not padded), or with the month's full name.
QString dayText(QDate day, const QLocale &locale, QLocale::FormatType month = QLocale::ShortFormat);

/// The day and time a game started, in the user's time zone and locale:
/// "7 ธ.ค. 2569 17:21".
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
