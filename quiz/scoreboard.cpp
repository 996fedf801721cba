// The score line, and the end of a won game after question 100.
#include "quiz/form2.h"

#include "platform/controls.h"
#include "platform/services.h"
#include "quiz/texts.h"

#include <QTimer>

namespace lumo {

bool Form2::LBS()
{
    LB2->setCaption(quiz::scoreLine(questionNo, rightCount, wrongCount, level));
    if (questionNo != 101)
        return false;

    Timer1->stop();
    questionNo = 0;
    services_.message(window(), quiz::wonMessage(LB1->caption(), LB2->caption()));
    if (isOpen())
        goToStartScreen();
    return true;
}

} // namespace lumo
