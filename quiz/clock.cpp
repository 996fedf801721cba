// The countdown: one second off every tick, the name and time left shown,
// and the game lost when the time is out.
#include "quiz/form2.h"

#include "platform/controls.h"
#include "platform/services.h"
#include "quiz/texts.h"
#include "start/form1.h"

#include <QTimer>

namespace lumo {

void Form2::Timer1_Timer()
{
    const quiz::ClockTime next = quiz::tickClock({minutesLeft, secondsLeft});
    minutesLeft = next.minutes;
    secondsLeft = next.seconds;
    LB1->setCaption(quiz::clockLine(playerName, minutesLeft, secondsLeft));
    if (minutesLeft == 0 && secondsLeft == 0)
        Ends();
}

void Form2::Ends()
{
    Timer1->stop();
    services_.message(window(), quiz::timeOutMessage(playerName, LB1->caption(), LB2->caption()));
    if (!isOpen())
        return;
    // Closing first, then the start screen: the program keeps running
    // because the host checks for open screens only after this event.
    close();
    start_->show();
}

} // namespace lumo
