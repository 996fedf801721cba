// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/wrong_chart.h"

#include <algorithm>

namespace lumo::teacher {

void WrongChart::setTallies(const QList<store::WrongTally> &tallies, const QList<int> &values,
                            const QString &emptyText, int most) {
    QList<Bar> bars;
    if (!values.isEmpty()) {
        for (int value : values) {
            const auto it =
                std::find_if(tallies.begin(), tallies.end(),
                             [value](const store::WrongTally &t) { return t.value == value; });
            bars.append({QString::number(value), it == tallies.end() ? 0 : it->times});
        }
    } else {
        QList<store::WrongTally> top = tallies;
        std::stable_sort(top.begin(), top.end(),
                         [](const auto &a, const auto &b) { return a.times > b.times; });
        top = top.mid(0, most);
        std::sort(top.begin(), top.end(),
                  [](const auto &a, const auto &b) { return a.value < b.value; });
        for (const store::WrongTally &t : top)
            bars.append({QString::number(t.value), t.times});
    }
    setBars(bars, emptyText);
}

} // namespace lumo::teacher
