// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Playing the quiz screen as a child would, for the tests and the
// benchmarks: scripted questions, digits placed from the tiles, the board
// clearing run to its end.

#include "fakes/fake_services.h"

#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QString>

namespace lumo::test {

/// Scripts the randoms of the next question: the four picture numbers that
/// Cm4 draws, then one group size per row that the level shows.
inline void scriptQuestion(FakeServices &services, const QList<int> &sizes,
                           const QList<int> &pictures = {1, 2, 3, 4}) {
    for (int number : pictures)
        services.scriptedRandoms.push_back(FakeServices::pictureDraw(number));
    for (int count : sizes)
        services.scriptedRandoms.push_back(FakeServices::sizeDraw(count));
}

/// Enters a number of one or two digits into the slots of row g (1 to 4)
/// or, for g = 5, of the total, as digits placed from the tiles. An empty
/// piece leaves its slot untouched.
inline void enter(Form2 &quiz, int g, const QString &tens, const QString &units) {
    if (!tens.isEmpty())
        quiz.placeDigit(tens.toInt(), 2 * (g - 1));
    if (!units.isEmpty())
        quiz.placeDigit(units.toInt(), 2 * (g - 1) + 1);
}

/// Enters `number` the way a child would: no tens digit below 10.
inline void enterNumber(Form2 &quiz, int g, int number) {
    enter(quiz, g, number >= 10 ? QString::number(number / 10) : QString(),
          QString::number(number % 10));
}

/// Enters the right counts of the rows the current level shows, and the total.
inline void enterRightAnswers(Form2 &quiz) {
    const quiz::Game::Question question = quiz.game().question();
    for (int g = 1; g <= question.groups; ++g)
        enterNumber(quiz, g, question.counts[g - 1]);
    if (question.groups >= 2)
        enterNumber(quiz, 5, question.total);
}

/// The fifteen steps of the board clearing.
inline void runClearing(Form2 &quiz) {
    for (int tick = 0; tick < 15; ++tick)
        quiz.Timer2_Timer();
}

/// Lets windows closed by a handler go away, and the screen host look
/// whether any screen is still open.
inline void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace lumo::test
