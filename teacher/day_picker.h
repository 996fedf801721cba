// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QLocale>
#include <QToolButton>

class QCalendarWidget;

namespace lumo::teacher {

/// A day shown as the greeting shows dates (a Thai locale gives the
/// Buddhist-era year, which a date edit cannot), picked from a calendar.
class DayPicker : public QToolButton {
    Q_OBJECT
  public:
    DayPicker(const QLocale &locale, QWidget *parent = nullptr);

    QDate day() const { return day_; }
    void setDay(QDate day);

  signals:
    void dayChanged(QDate day);

  private:
    QLocale locale_;
    QDate day_;
    QCalendarWidget *calendar_ = nullptr;
};

} // namespace lumo::teacher
