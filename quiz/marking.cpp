// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Checking the answer: the game marks the slots, and the screen shows the
// correct answer and the new score line, and over each row's slots and the
// total's whether it was right.
#include "quiz/form2.h"

#include "platform/answer_mark.h"
#include "platform/controls.h"
#include "quiz/spoken_texts.h"
#include "quiz/texts.h"

namespace lumo {

void Form2::makeMarks() {
    for (int g = 1; g <= 5; ++g) {
        Label *tens = g <= 4 ? group(g).tens : LB14;
        Label *units = g <= 4 ? group(g).units : LB15;
        auto *mark = new AnswerMark(units->parentWidget());
        mark->setObjectName(g <= 4 ? QStringLiteral("Mark%1").arg(g) : QStringLiteral("MarkTotal"));
        mark->cover({tens, units});
        marks_[std::size_t(g - 1)] = mark;
    }
}

void Form2::showMarks(const quiz::Game::Marking &marking) {
    for (int g = 1; g <= marking.groups; ++g) {
        const quiz::Game::Mark &row = marking.group[std::size_t(g - 1)];
        mark(g)->showMark(row.right, row.expected, quiz::spokenMark(g, row));
    }
    if (marking.hasTotal)
        mark(5)->showMark(marking.total.right, marking.total.expected,
                          quiz::spokenMark(5, marking.total));
}

void Form2::hideMarks() {
    for (AnswerMark *mark : marks_)
        mark->hide();
}

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
    showMarks(*marking);
    LBS();
    announceMarking(*marking);
}

} // namespace lumo
