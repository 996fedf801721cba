// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dates.h"

#include <QRegularExpression>

namespace lumo {

namespace {
constexpr int buddhistEraOffset = 543;
}

QString formatDayMonthYear(const QDateTime &moment, const QLocale &locale) {
    const QDate date = moment.date();
    int year = date.year();
    if (locale.language() == QLocale::Thai)
        year += buddhistEraOffset;
    return QStringLiteral("%1 %2 %3")
        .arg(locale.toString(date.day()).rightJustified(2, locale.zeroDigit().at(0)),
             locale.monthName(date.month(), QLocale::LongFormat),
             locale.toString(year)
                 .remove(locale.groupSeparator())
                 .rightJustified(4, locale.zeroDigit().at(0)));
}

QString formatLongTime(const QDateTime &moment, const QLocale &locale) {
    // Qt's long formats name the time zone ("t"); a desktop clock does not.
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b")));
    return locale.toString(moment.time(), format.trimmed());
}

} // namespace lumo
