// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Checking the answer: the game marks the slots, and the screen shows the
// correct answer and the new score line.
#include "quiz/form2.h"

#include "platform/controls.h"
#include "quiz/texts.h"

namespace lumo {

void Form2::Th() {
    std::array<QString, 10> entered;
    const auto answerSlotList = answerSlots();
    for (std::size_t i = 0; i < answerSlotList.size(); ++i)
        entered[i] = answerSlotList[i]->caption();
    const std::optional<quiz::Game::Marking> marking = game_.mark(entered);
    if (!marking)
        return;
    // An empty slot counts as "0", visible or not, used or not, and shows it.
    for (Label *slot : answerSlotList)
        if (slot->caption().isEmpty())
            slot->setCaption(QStringLiteral("0"));

    std::array<int, 4> counts{};
    for (int g = 1; g <= 4; ++g)
        counts[g - 1] = game_.count(g);
    LB3->setCaption(quiz::correctAnswerText(marking->level, counts, marking->total.expected));
    LBS();
    announceMarking(*marking);
}

} // namespace lumo
