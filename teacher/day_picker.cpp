// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/day_picker.h"

#include "teacher/texts.h"

#include <QCalendarWidget>
#include <QMenu>
#include <QWidgetAction>

namespace lumo::teacher {

DayPicker::DayPicker(const QLocale &locale, QWidget *parent)
    : QToolButton(parent), locale_(locale) {
    auto *menu = new QMenu(this);
    setMenu(menu);
    setPopupMode(QToolButton::InstantPopup);
    // A calendar widget is slow to make the first time in a process: it is
    // made when the teacher first opens one, not with the window.
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        if (calendar_)
            return;
        calendar_ = new QCalendarWidget;
        calendar_->setLocale(locale_);
        calendar_->setGridVisible(true);
        calendar_->setSelectedDate(day_);
        auto *action = new QWidgetAction(menu);
        action->setDefaultWidget(calendar_);
        menu->addAction(action);
        connect(calendar_, &QCalendarWidget::clicked, this, [this, menu](QDate picked) {
            menu->close();
            setDay(picked);
        });
    });
    setDay(QDate::currentDate());
}

void DayPicker::setDay(QDate day) {
    if (day == day_)
        return;
    day_ = day;
    if (calendar_)
        calendar_->setSelectedDate(day);
    setText(dayText(day, locale_, QLocale::LongFormat));
    emit dayChanged(day);
}

} // namespace lumo::teacher
