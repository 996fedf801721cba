// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The score line, and the end of a won game after the last question.
#include "quiz/form2.h"

#include "platform/controls.h"
#include "platform/services.h"
#include "quiz/spoken_texts.h"
#include "quiz/texts.h"

#include <QTimer>

namespace lumo {

bool Form2::LBS() {
    LB2->setCaption(
        quiz::scoreLine(game_.questionNo(), game_.rightCount(), game_.wrongCount(), game_.level()));
    if (!game_.isWon())
        return false;

    Timer1->stop();
    const QString message = quiz::wonMessage(LB1->caption(), LB2->caption());
    announceNow(quiz::spokenCaption(message));
    services_.message(window(), message);
    finish(Outcome::Won);
    return true;
}

} // namespace lumo
