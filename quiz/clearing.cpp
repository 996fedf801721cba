// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Emptying the board after a check: one column of pictures every 200 ms,
// the counters counting down, the slots emptied; then the next question.
#include "quiz/form2.h"

#include "platform/controls.h"

#include <QTimer>

namespace lumo {

namespace {
// One step for each column of pictures, the last one included.
constexpr int lastColumn = quiz::mostPictures - 1;
} // namespace

void Form2::Timer2_Timer() {
    const Integer column = clearTick_;
    for (int g = 1; g <= 4; ++g)
        group(g).row[column]->setEmpty();
    for (int g = 1; g <= 4; ++g) {
        const Group grp = group(g);
        grp.row[column]->hide();
        clickCount_[g - 1] = 0;
        grp.counter->setCaption(QString::number(clickCount_[g - 1]));
    }
    if (column != lastColumn) {
        clearTick_ = Integer(column + 1);
        const QString left = QString::number(lastColumn - clearTick_);
        for (Label *counter : {LB4, Label6, Label14, Label16})
            counter->setCaption(left);
    } else {
        clearTick_ = 0;
        // The board is empty: what the check marked goes with it.
        hideMarks();
        Cm4->setEnabled(true);
        focusNextQuestion();
        Timer2->stop();
        game_.boardCleared();
    }
    for (Label *slot : answerSlots())
        slot->setCaption(QString());
}

} // namespace lumo
