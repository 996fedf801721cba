#pragma once

// Steps of the question cycle for tests that play the quiz screen: scripted
// questions, answers dropped into the slots, the board clearing run to its
// end, and the score and clock lines written out in full.

#include "platform/controls.h"
#include "support/fake_services.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace lumo::test {

/// Scripts the randoms of the next question: the four picture numbers that
/// Cm4 draws, then one group size per row that the level shows.
inline void scriptQuestion(FakeServices &services, const QList<int> &sizes,
                           const QList<int> &pictures = {1, 2, 3, 4})
{
    for (int number : pictures)
        services.scriptedRandoms.push_back(FakeServices::pictureDraw(number));
    for (int count : sizes)
        services.scriptedRandoms.push_back(FakeServices::sizeDraw(count));
}

/// Drops one digit tile's caption onto a slot, as the drag from a tile does.
inline void drop(Form2 &quiz, void (Form2::*onDrop)(), const QString &digit)
{
    if (digit.isEmpty())
        return;
    quiz.dragDigit = digit;
    (quiz.*onDrop)();
}

/// Enters a number of one or two digits into the slots of group g (1 to 4)
/// or, for g = 5, of the total. An empty piece leaves its slot untouched.
inline void enter(Form2 &quiz, int g, const QString &tens, const QString &units)
{
    using Drop = void (Form2::*)();
    static const Drop tensDrops[] = {&Form2::LB6_DragDrop, &Form2::LB8_DragDrop, &Form2::LB10_DragDrop,
                                     &Form2::LB12_DragDrop, &Form2::LB14_DragDrop};
    static const Drop unitsDrops[] = {&Form2::LB7_DragDrop, &Form2::LB9_DragDrop, &Form2::LB11_DragDrop,
                                      &Form2::LB13_DragDrop, &Form2::LB15_DragDrop};
    drop(quiz, tensDrops[g - 1], tens);
    drop(quiz, unitsDrops[g - 1], units);
}

/// Enters `number` the way a child would: no tens digit below 10.
inline void enterNumber(Form2 &quiz, int g, int number)
{
    enter(quiz, g, number >= 10 ? QString::number(number / 10) : QString(), QString::number(number % 10));
}

/// Enters the right counts of the groups the current level shows, and the total.
inline void enterRightAnswers(Form2 &quiz)
{
    const int tops[] = {quiz.groupTop1, quiz.groupTop2, quiz.groupTop3, quiz.groupTop4};
    for (int g = 1; g <= quiz.level; ++g)
        enterNumber(quiz, g, tops[g - 1] + 1);
    if (quiz.level >= 2)
        enterNumber(quiz, 5, quiz.pictureTotal);
}

/// The fifteen steps of the board clearing.
inline void runClearing(Form2 &quiz)
{
    for (int tick = 0; tick < 15; ++tick)
        quiz.Timer2_Timer();
}

/// Lets windows closed by a handler go away, and the screen host look
/// whether any screen is still open.
inline void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

/// "ข้อที่ q ทำถูก r ทำผิด w ระดับ l", written out here rather than taken
/// from the program.
inline QString scoreText(int questionNo, int right, int wrong, int level)
{
    return QStringLiteral("ข้อที่ %1 ทำถูก %2 ทำผิด %3 ระดับ %4").arg(questionNo).arg(right).arg(wrong).arg(level);
}

/// The name, and on the next line the time left.
inline QString clockText(const QString &name, int minutes, int seconds)
{
    return QStringLiteral("น้อง ") + name + QStringLiteral("\r\n เหลือยเวลา %1 นาที %2 วินาที").arg(minutes).arg(seconds);
}

/// Notes, in order, when the quiz window is hidden and when another window
/// is shown.
class WindowOrder : public QObject {
public:
    explicit WindowOrder(QWidget *quizWindow) : quizWindow_(quizWindow) { qApp->installEventFilter(this); }
    QStringList seen;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->isWindow()) {
            const bool quiz = watched == quizWindow_;
            if (event->type() == QEvent::Hide && quiz)
                seen.append(QStringLiteral("quiz closed"));
            if (event->type() == QEvent::Show && !quiz)
                seen.append(QStringLiteral("start shown"));
        }
        return false;
    }

private:
    QWidget *quizWindow_;
};

} // namespace lumo::test
