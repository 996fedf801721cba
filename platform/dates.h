// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace lumo {

/// Two-digit day, full month name and four-digit year in the given locale.
/// A Thai locale gives the Buddhist-era year, as Thai desktops show a date.
QString formatDayMonthYear(const QDateTime &moment, const QLocale &locale);

/// The locale's long time format, without a time-zone name.
QString formatLongTime(const QDateTime &moment, const QLocale &locale);

} // namespace lumo
