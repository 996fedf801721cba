// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The clock: one second every tick, the name and the time shown, and the
// game lost when a countdown runs out.
#include "quiz/form2.h"

#include "platform/controls.h"
#include "platform/services.h"
#include "quiz/spoken_texts.h"
#include "quiz/texts.h"

#include <QTimer>

namespace lumo {

void Form2::Timer1_Timer() {
    if (!game_.tick())
        return;
    showClock();
    announceClockTick();
    // A tick ends a game only when its time is out.
    if (game_.isOver())
        Ends();
}

void Form2::showClock() {
    LB1->setCaption(
        game_.rules().countsDown()
            ? quiz::clockLine(game_.playerName(), game_.minutesLeft(), game_.secondsLeft())
            : quiz::timeUsedLine(game_.playerName(), game_.secondsUsed()));
}

void Form2::Ends() {
    Timer1->stop();
    const QString message =
        quiz::timeOutMessage(game_.playerName(), LB1->caption(), LB2->caption());
    announceNow(quiz::spokenCaption(message));
    services_.message(window(), message);
    finish(Outcome::TimeOut);
}

} // namespace lumo
