// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/wrong_chart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QValueAxis>

#include <algorithm>

namespace lumo::teacher {

WrongChart::WrongChart(const QString &title, const QString &axisTitle, QWidget *parent)
    : QChartView(new QChart, parent), axisTitle_(axisTitle) {
    // Given its chart at once: a chart set later leaves the view's own
    // first chart to whoever set it.
    QChart *chart = this->chart();
    chart->setTitle(title);
    QFont titleFont(QStringLiteral("Tahoma"));
    titleFont.setPixelSize(16);
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->setTitleBrush(QColor(0, 0, 64));
    chart->legend()->hide();
    chart->setBackgroundRoundness(6);
    chart->setAnimationOptions(QChart::NoAnimation);
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(220);
}

void WrongChart::setTallies(const QList<store::WrongTally> &tallies, const QList<int> &values,
                            int most) {
    bars_.clear();
    if (!values.isEmpty()) {
        for (int value : values) {
            const auto it =
                std::find_if(tallies.begin(), tallies.end(),
                             [value](const store::WrongTally &t) { return t.value == value; });
            bars_.append({QString::number(value), it == tallies.end() ? 0 : it->times});
        }
    } else {
        QList<store::WrongTally> top = tallies;
        std::stable_sort(top.begin(), top.end(),
                         [](const auto &a, const auto &b) { return a.times > b.times; });
        top = top.mid(0, most);
        std::sort(top.begin(), top.end(),
                  [](const auto &a, const auto &b) { return a.value < b.value; });
        for (const store::WrongTally &t : top)
            bars_.append({QString::number(t.value), t.times});
    }

    QChart *c = chart();
    c->removeAllSeries();
    for (QAbstractAxis *axis : c->axes())
        c->removeAxis(axis), delete axis;

    auto *set = new QBarSet(QStringLiteral("ตอบผิด"));
    set->setColor(QColor(224, 96, 64));
    set->setBorderColor(QColor(160, 48, 32));
    set->setLabelColor(QColor(0, 0, 64));
    QStringList labels;
    int highest = 0;
    for (const auto &[label, times] : bars_) {
        *set << times;
        labels << label;
        highest = std::max(highest, times);
    }
    auto *series = new QBarSeries;
    series->append(set);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series->setLabelsFormat(QStringLiteral("@value"));
    series->setBarWidth(0.7);
    c->addSeries(series);

    QFont axisFont(QStringLiteral("Tahoma"));
    axisFont.setPixelSize(13);
    auto *x = new QBarCategoryAxis;
    x->append(labels);
    x->setTitleText(axisTitle_);
    x->setTitleFont(axisFont);
    x->setLabelsFont(axisFont);
    auto *y = new QValueAxis;
    // Whole numbers of times, with room above the highest bar for its label.
    const int top = std::max(1, highest + (highest + 4) / 5);
    y->setRange(0, top);
    y->setTickType(QValueAxis::TicksDynamic);
    y->setTickAnchor(0);
    y->setTickInterval(std::max(1, (top + 4) / 5));
    y->setLabelFormat(QStringLiteral("%d"));
    y->setTitleText(QStringLiteral("ครั้ง"));
    y->setTitleFont(axisFont);
    y->setLabelsFont(axisFont);
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
}

} // namespace lumo::teacher
