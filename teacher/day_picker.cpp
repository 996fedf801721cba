#include "teacher/day_picker.h"

#include "platform/dates.h"

#include <QCalendarWidget>
#include <QMenu>
#include <QWidgetAction>

namespace lumo::teacher {

DayPicker::DayPicker(const QLocale &locale, QWidget *parent)
    : QToolButton(parent), locale_(locale), calendar_(new QCalendarWidget) {
    calendar_->setLocale(locale);
    calendar_->setGridVisible(true);
    auto *menu = new QMenu(this);
    auto *action = new QWidgetAction(menu);
    action->setDefaultWidget(calendar_);
    menu->addAction(action);
    setMenu(menu);
    setPopupMode(QToolButton::InstantPopup);
    connect(calendar_, &QCalendarWidget::clicked, this, [this, menu](QDate picked) {
        menu->close();
        setDay(picked);
    });
    setDay(QDate::currentDate());
}

void DayPicker::setDay(QDate day) {
    if (day == day_)
        return;
    day_ = day;
    calendar_->setSelectedDate(day);
    setText(formatDayMonthYear(day.startOfDay(), locale_));
    emit dayChanged(day);
}

} // namespace lumo::teacher
