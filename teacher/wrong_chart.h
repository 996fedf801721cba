// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/reader.h"

#include <QChartView>

namespace lumo::teacher {

/// A bar chart of how often values were answered wrongly.
class WrongChart : public QChartView {
    Q_OBJECT
  public:
    WrongChart(const QString &title, const QString &axisTitle, QWidget *parent = nullptr);

    /// One bar for each of `values` (zero where there is no tally); with no
    /// values given, one bar for each of the `most` most frequent tallies,
    /// in the order of their values.
    void setTallies(const QList<store::WrongTally> &tallies, const QList<int> &values = {},
                    int most = 12);

    /// The bars as drawn: label and height.
    QList<std::pair<QString, int>> bars() const { return bars_; }

  private:
    QString axisTitle_;
    QList<std::pair<QString, int>> bars_;
};

} // namespace lumo::teacher
