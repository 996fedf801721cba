// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader hears: every change the child makes or sees on the
// board, told as it happens (platform/announcer.h says how). The clock is
// told once a minute, not every second.
#include "quiz/form2.h"

#include "platform/announcer.h"
#include "platform/controls.h"
#include "quiz/spoken_texts.h"

namespace lumo {

void Form2::connectAnnouncements() {
    // Tied to the window's announcer, so that they go with the window.
    connect(
        &game_, &quiz::Game::questionReady, announcer(),
        [this](const quiz::Game::Question &question) { announce(quiz::spokenQuestion(question)); });
}

void Form2::announceClockTick() {
    const bool wholeMinute =
        game_.rules().countsDown() ? game_.secondsLeft() == 0 : game_.secondsUsed() % 60 == 0;
    // The time-out at 0:00 has a message of its own.
    if (wholeMinute && !game_.isOver())
        announce(quiz::spokenClock(game_));
}

void Form2::announce(const QString &text) {
    if (Announcer *voice = announcer())
        voice->say(text);
}

void Form2::announceNow(const QString &text) {
    if (Announcer *voice = announcer()) {
        voice->say(text);
        voice->flush();
    }
}

void Form2::announceSlot(const Label *slot) {
    announce(quiz::spokenSlot(slot->accessibleName(), slot->caption()));
}

void Form2::announceMarking(const quiz::Game::Marking &marking) {
    QString text = quiz::spokenCaption(LB3->caption());
    for (int g = 1; g <= marking.groups; ++g)
        text += QLatin1Char('\n') + quiz::spokenMark(g, marking.group[std::size_t(g - 1)]);
    if (marking.hasTotal)
        text += QLatin1Char('\n') + quiz::spokenMark(5, marking.total);
    text += QLatin1Char('\n') + LB2->caption();
    if (const quiz::Level *level = quiz::levelRules(marking.level); marking.levelRaised && level)
        text += QLatin1Char('\n') + quiz::spokenClockRaised(game_, level->minutesAdded);
    announce(text);
}

} // namespace lumo
