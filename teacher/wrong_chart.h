// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/reader_types.h"
#include "teacher/bar_chart.h"

namespace lumo::teacher {

/// A bar chart of how often values were answered wrongly.
class WrongChart : public BarChart {
    Q_OBJECT
  public:
    using BarChart::BarChart;

    /// One bar for each of `values` (zero where there is no tally); with no
    /// values given, one bar for each of the `most` most frequent tallies,
    /// in the order of their values. `emptyText` says why there is none.
    void setTallies(const QList<store::WrongTally> &tallies, const QList<int> &values,
                    const QString &emptyText, int most = 12);
};

} // namespace lumo::teacher
