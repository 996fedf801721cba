// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/bar_chart.h"

#include <QHelpEvent>
#include <QLocale>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace lumo::teacher {

namespace {

const QColor ink(0, 0, 64);
const QColor grid(208, 208, 232);
const QColor partFill(224, 96, 64);
const QColor partEdge(160, 48, 32);
const QColor wholeFill(200, 212, 255);
const QColor wholeEdge(120, 132, 200);
constexpr int margin = 8;

QFont titleFont(const QFont &base) {
    QFont font = base;
    font.setBold(true);
    return font;
}

QFont smallFont(const QFont &base) {
    QFont font = base;
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(10, font.pixelSize() * 13 / 15));
    else
        font.setPointSizeF(font.pointSizeF() * 13 / 15);
    return font;
}

} // namespace

AxisSteps axisSteps(int highest, int ticks) {
    highest = std::max(1, highest);
    ticks = std::max(1, ticks);
    for (int power = 1;; power *= 10) {
        for (int factor : {1, 2, 5}) {
            const int step = factor * power;
            const int count = (highest + step - 1) / step;
            if (count <= ticks)
                return {step, count * step};
        }
    }
}

struct BarChart::Geometry {
    QRect title;
    QRect legend;
    QRect plot;       ///< where bars stand, their numbers above them included
    QRect labels;     ///< the bars' labels
    QRect axisTitle;  ///< under the labels
    QRect valueTitle; ///< over the value axis
    int valueWidth = 0;
    AxisSteps steps;
};

BarChart::BarChart(const QString &title, const QString &axisTitle, QWidget *parent)
    : QWidget(parent), title_(title), axisTitle_(axisTitle) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    describe();
}

void BarChart::setBars(const QList<Bar> &bars, const QString &emptyText) {
    bars_ = bars;
    emptyText_ = emptyText;
    describe();
    updateGeometry();
    update();
}

void BarChart::setLegend(const QString &partName, const QString &wholeName) {
    partName_ = partName;
    wholeName_ = wholeName;
    update();
}

void BarChart::setValueAxis(const QString &title, int top) {
    valueTitle_ = title;
    fixedTop_ = top;
    update();
}

bool BarChart::isEmpty() const {
    return std::none_of(bars_.begin(), bars_.end(),
                        [](const Bar &bar) { return bar.value > 0 || bar.whole > 0; });
}

int BarChart::highest() const {
    int most = 0;
    for (const Bar &bar : bars_)
        most = std::max({most, bar.value, bar.whole});
    return most;
}

QString BarChart::valueText(const Bar &bar) const {
    if (bar.whole < 0)
        return locale().toString(bar.value);
    return QStringLiteral("%1/%2").arg(locale().toString(bar.value), locale().toString(bar.whole));
}

void BarChart::describe() {
    // What a screen reader says of the chart: its title and every bar.
    setAccessibleName(title_);
    if (isEmpty()) {
        setAccessibleDescription(emptyText_);
        return;
    }
    QStringList parts;
    for (const Bar &bar : bars_)
        parts << QStringLiteral("%1: %2").arg(bar.label, valueText(bar));
    setAccessibleDescription(parts.join(QStringLiteral(", ")));
}

QSize BarChart::minimumSizeHint() const {
    // Many bars grow thin and their labels fewer: the chart never asks for
    // more width than a page has.
    const QFontMetrics metrics(font());
    return {metrics.averageCharWidth() * 24, metrics.height() * 9};
}

QSize BarChart::sizeHint() const {
    const QSize least = minimumSizeHint();
    return {std::max(least.width(), 420), least.height() * 3 / 2};
}

BarChart::Geometry BarChart::geometry() const {
    Geometry g;
    const QFontMetrics titleMetrics(titleFont(font()));
    const QFontMetrics metrics(smallFont(font()));
    const QRect area = rect().adjusted(margin, margin, -margin, -margin);
    g.title = QRect(area.left(), area.top(), area.width(), titleMetrics.height());
    const bool legend =
        std::any_of(bars_.begin(), bars_.end(), [](const Bar &b) { return b.whole >= 0; }) &&
        !partName_.isEmpty();
    const int line = metrics.height();
    int top = g.title.bottom() + 1 + line / 2;
    if (legend) {
        g.legend = QRect(area.left(), top, area.width(), line);
        top += line + line / 2;
    }
    g.steps = fixedTop_ > 0 ? axisSteps(fixedTop_) : axisSteps(highest());
    g.valueWidth = metrics.horizontalAdvance(locale().toString(g.steps.top)) + 6;
    g.valueTitle = QRect(area.left(), top, area.width(), line);
    top += line;
    g.axisTitle = QRect(area.left(), area.bottom() - line + 1, area.width(), line);
    g.labels = QRect(area.left() + g.valueWidth, g.axisTitle.top() - line - 2,
                     area.width() - g.valueWidth, line);
    g.plot =
        QRect(QPoint(area.left() + g.valueWidth, top), QPoint(area.right(), g.labels.top() - 3));
    return g;
}

void BarChart::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    painter.setPen(grid);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);

    const Geometry g = geometry();
    painter.setPen(ink);
    painter.setFont(titleFont(font()));
    painter.drawText(g.title, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(title_, Qt::ElideRight, g.title.width()));

    const QFont small = smallFont(font());
    if (isEmpty()) {
        // No axes to read nothing from: the reason, in a sentence.
        painter.setFont(font());
        const QRect space =
            rect().adjusted(margin * 3, g.title.bottom() + margin, -margin * 3, -margin);
        painter.drawText(space, Qt::AlignCenter | Qt::TextWordWrap, emptyText_);
        return;
    }

    painter.setFont(small);
    const QFontMetrics metrics(small);
    if (!g.legend.isNull()) {
        int x = g.legend.left();
        const int box = metrics.ascent() * 3 / 4;
        for (auto [name, fill, edge] : {std::tuple{partName_, partFill, partEdge},
                                        std::tuple{wholeName_, wholeFill, wholeEdge}}) {
            painter.setPen(edge);
            painter.setBrush(fill);
            painter.drawRect(QRect(x, g.legend.center().y() - box / 2, box, box));
            painter.setPen(ink);
            x += box + 4;
            painter.drawText(
                QRect(x, g.legend.top(), metrics.horizontalAdvance(name) + 1, g.legend.height()),
                Qt::AlignLeft | Qt::AlignVCenter, name);
            x += metrics.horizontalAdvance(name) + 16;
        }
        painter.drawText(
            QRect(x, g.legend.top(), std::max(0, g.legend.right() - x), g.legend.height()),
            Qt::AlignLeft | Qt::AlignVCenter,
            metrics.elidedText(QStringLiteral("ตัวเลขบนแท่ง: %1/%2").arg(partName_, wholeName_),
                               Qt::ElideRight, std::max(0, g.legend.right() - x)));
    }

    // The value axis: whole numbers, with room over the highest bar for its number.
    const QRect plot = g.plot;
    const int room = metrics.height() + 2;
    const double unit = double(plot.height() - room) / g.steps.top;
    const auto yOf = [&](int value) { return plot.bottom() - value * unit; };
    painter.setPen(ink);
    painter.drawText(g.valueTitle, Qt::AlignLeft | Qt::AlignVCenter, valueTitle_);
    for (int value = 0; value <= g.steps.top; value += g.steps.step) {
        const double y = yOf(value);
        painter.setPen(value == 0 ? ink : grid);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(ink);
        painter.drawText(QRectF(plot.left() - g.valueWidth, y - metrics.height() / 2.0,
                                g.valueWidth - 4, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, locale().toString(value));
    }

    const double slot = double(plot.width()) / bars_.size();
    const double width = std::max(3.0, slot * 0.7);
    int widest = 0;
    for (const Bar &bar : bars_)
        widest = std::max(widest, metrics.horizontalAdvance(bar.label));
    const int labelEvery = std::max(1, int(std::ceil((widest + 6) / std::max(1.0, slot))));
    for (qsizetype i = 0; i < bars_.size(); ++i) {
        const Bar &bar = bars_[i];
        const double centre = plot.left() + slot * (i + 0.5);
        const auto column = [&](int value) {
            return QRectF(centre - width / 2, yOf(value), width, value * unit);
        };
        painter.setPen(wholeEdge);
        painter.setBrush(wholeFill);
        if (bar.whole > 0)
            painter.drawRect(column(bar.whole));
        painter.setPen(partEdge);
        painter.setBrush(partFill);
        if (bar.value > 0)
            painter.drawRect(column(bar.value));
        painter.setPen(ink);
        const int shown = std::max(bar.value, bar.whole);
        const QString number = valueText(bar);
        if (shown > 0 && metrics.horizontalAdvance(number) <= slot - 4)
            painter.drawText(QRectF(centre - slot / 2, yOf(shown) - room, slot, room),
                             Qt::AlignHCenter | Qt::AlignBottom, number);
        // Labels too many for their room are thinned out to every few;
        // each bar's tooltip still names it.
        if (i % labelEvery == 0)
            painter.drawText(
                QRectF(centre - slot * labelEvery / 2, g.labels.top(), slot * labelEvery,
                       g.labels.height()),
                Qt::AlignCenter,
                metrics.elidedText(bar.label, Qt::ElideRight, int(slot * labelEvery) + 2));
    }
    painter.drawText(g.axisTitle, Qt::AlignHCenter | Qt::AlignVCenter,
                     metrics.elidedText(axisTitle_, Qt::ElideRight, g.axisTitle.width()));
}

bool BarChart::event(QEvent *event) {
    if (event->type() != QEvent::ToolTip || isEmpty())
        return QWidget::event(event);
    // Over a bar, its label and number, in case the number did not fit.
    const auto *help = static_cast<QHelpEvent *>(event);
    const Geometry g = geometry();
    const double slot = double(g.plot.width()) / bars_.size();
    const int i = int((help->pos().x() - g.plot.left()) / slot);
    if (help->pos().x() >= g.plot.left() && i >= 0 && i < bars_.size())
        QToolTip::showText(help->globalPos(),
                           QStringLiteral("%1: %2").arg(bars_[i].label, valueText(bars_[i])), this);
    else
        QToolTip::hideText();
    return true;
}

} // namespace lumo::teacher
