// The score line, and the end of a won game after the last question.
#include "quiz/form2.h"

#include "platform/controls.h"
#include "platform/services.h"
#include "quiz/texts.h"

#include <QTimer>

namespace lumo {

bool Form2::LBS()
{
    LB2->setCaption(quiz::scoreLine(game_.questionNo(), game_.rightCount(), game_.wrongCount(), game_.level()));
    if (!game_.isWon())
        return false;

    Timer1->stop();
    services_.message(window(), quiz::wonMessage(LB1->caption(), LB2->caption()));
    if (isOpen())
        leave(Outcome::Won);
    return true;
}

} // namespace lumo
