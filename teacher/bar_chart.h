// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QWidget>

namespace lumo::teacher {

/// A bar chart drawn with QPainter: one bar per value, each with its label
/// under it and its number over it. A bar may stand inside a paler one of
/// which it is a part (missed of asked). With nothing to show it draws no
/// axes at all, only its title and the sentence that says why.
class BarChart : public QWidget {
    Q_OBJECT
  public:
    struct Bar {
        QString label;
        int value = 0;
        /// The whole that `value` is part of, drawn behind it; none when negative.
        int whole = -1;

        bool operator==(const Bar &) const = default;
    };

    BarChart(const QString &title, const QString &axisTitle, QWidget *parent = nullptr);

    /// `partName` and `wholeName` name the two kinds of bar in a legend
    /// when bars have wholes. `emptyText` is shown instead of axes when no
    /// bar has anything to show.
    void setBars(const QList<Bar> &bars, const QString &emptyText);
    void setLegend(const QString &partName, const QString &wholeName);
    /// The value axis' title ("ครั้ง" unless set) and, when above 0, its
    /// fixed top (100 for percentages).
    void setValueAxis(const QString &title, int top = 0);

    const QList<Bar> &bars() const { return bars_; }
    /// True when the chart shows its empty text instead of bars.
    bool isEmpty() const;
    QString emptyText() const { return emptyText_; }
    QString title() const { return title_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

  private:
    struct Geometry;
    Geometry geometry() const;
    int highest() const;
    QString valueText(const Bar &bar) const;
    void describe();

    QString title_;
    QString axisTitle_;
    QString valueTitle_ = QStringLiteral("ครั้ง");
    int fixedTop_ = 0;
    QString partName_;
    QString wholeName_;
    QString emptyText_;
    QList<Bar> bars_;
};

/// Whole steps for a value axis that reaches at least `highest`: the step
/// is 1, 2 or 5 times a power of ten, with at most `ticks` steps.
struct AxisSteps {
    int step = 1;
    int top = 1;
};
AxisSteps axisSteps(int highest, int ticks = 5);

} // namespace lumo::teacher
