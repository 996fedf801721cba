// Checking the answer: read the slots, mark each count and the total, show
// the correct answer, and move on to the next level after its last question.
#include "quiz/form2.h"

#include "platform/controls.h"
#include "quiz/texts.h"

namespace lumo {

void Form2::Th()
{
    // An empty slot counts as "0", visible or not, used or not.
    for (Label *slot : answerSlots())
        if (slot->caption().isEmpty())
            slot->setCaption(QStringLiteral("0"));

    if (level >= 1 && level <= 4) {
        const std::array<int, 4> counts{groupTop1 + 1, groupTop2 + 1, groupTop3 + 1, groupTop4 + 1};
        LB3->setCaption(quiz::correctAnswerText(level, counts, pictureTotal));

        for (int g = 1; g <= level; ++g) {
            const Group grp = group(g);
            enteredAnswer[g - 1] =
                static_cast<Integer>(quiz::slotNumber(grp.tens->caption(), grp.units->caption()));
        }
        if (level >= 2)
            enteredAnswer[4] = static_cast<Integer>(quiz::slotNumber(LB14->caption(), LB15->caption()));

        for (int g = 1; g <= level; ++g) {
            if (counts[g - 1] == enteredAnswer[g - 1])
                ++rightCount;
            else
                ++wrongCount;
        }
        if (level >= 2) {
            if (pictureTotal == enteredAnswer[4])
                rightCount = static_cast<Integer>(rightCount + quiz::totalBonus(level));
            else
                ++wrongCount;
        }

        // The last question of levels 1 to 3 moves the game up a level,
        // with 30 more minutes on the clock.
        if ((level == 1 && questionNo == 25) || (level == 2 && questionNo == 50) ||
            (level == 3 && questionNo == 75)) {
            ++level;
            minutesLeft = static_cast<Integer>(minutesLeft + 30);
        }
    }
    LBS();
}

} // namespace lumo
