// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Tap, then tap: a tap (or click) on an enabled digit tile selects it, and
// a tap on a shown answer slot puts its digit there, as a drop of that
// tile would. The selection stays for further slots until another tile is
// chosen, Esc or a tap on the background clears it, or the tiles are
// disabled (the check).
#include "quiz/form2.h"

#include "platform/controls.h"
#include "platform/tap_selection.h"
#include "quiz/spoken_texts.h"

#include <algorithm>

namespace lumo {

void Form2::connectTaps() {
    taps_ = new TapSelection(window());
    for (Label *tile : LB)
        taps_->addChoice(tile);
    const auto answerSlotList = answerSlots();
    for (int i = 0; i < int(answerSlotList.size()); ++i)
        taps_->addTarget(answerSlotList[std::size_t(i)],
                         [this, i](QWidget *) { placeDigit(selectedTile(), i); });
    connect(taps_, &TapSelection::selectionChanged, this, [this](QWidget *tile) {
        if (tile)
            announce(quiz::spokenSelection(tile->accessibleName()));
    });
}

int Form2::selectedTile() const {
    if (!taps_ || !taps_->selected())
        return -1;
    const auto found = std::find(LB.begin(), LB.end(), taps_->selected());
    return found == LB.end() ? -1 : int(found - LB.begin());
}

} // namespace lumo
