// Opening the quiz screen and the four buttons that drive a game:
// start the clock, next question, check, leave.
#include "quiz/form2.h"

#include "platform/controls.h"
#include "platform/drag.h"
#include "platform/services.h"
#include "quiz/texts.h"
#include "start/form1.h"

#include <QTimer>

namespace lumo {

Form2::Form2(Services &services, ScreenHost &host)
    : Screen(services, host, QStringLiteral(":/layout/form2.json"))
{
}

Form2::~Form2() = default;

void Form2::bindControls()
{
    const ControlSet &c = controls();
    Cm1 = c.button(QStringLiteral("Cm1"));
    Cm3 = c.button(QStringLiteral("Cm3"));
    Cm4 = c.button(QStringLiteral("Cm4"));
    Cm6 = c.button(QStringLiteral("Cm6"));
    Frame1 = c.frame(QStringLiteral("Frame1"));
    Frame2 = c.frame(QStringLiteral("Frame2"));
    Frame3 = c.frame(QStringLiteral("Frame3"));
    Frame4 = c.frame(QStringLiteral("Frame4"));
    LB1 = c.label(QStringLiteral("LB1"));
    LB2 = c.label(QStringLiteral("LB2"));
    LB3 = c.label(QStringLiteral("LB3"));
    LB4 = c.label(QStringLiteral("LB4"));
    LB6 = c.label(QStringLiteral("LB6"));
    LB7 = c.label(QStringLiteral("LB7"));
    LB8 = c.label(QStringLiteral("LB8"));
    LB9 = c.label(QStringLiteral("LB9"));
    LB10 = c.label(QStringLiteral("LB10"));
    LB11 = c.label(QStringLiteral("LB11"));
    LB12 = c.label(QStringLiteral("LB12"));
    LB13 = c.label(QStringLiteral("LB13"));
    LB14 = c.label(QStringLiteral("LB14"));
    LB15 = c.label(QStringLiteral("LB15"));
    Label6 = c.label(QStringLiteral("Label6"));
    Label14 = c.label(QStringLiteral("Label14"));
    Label16 = c.label(QStringLiteral("Label16"));
    Label18 = c.label(QStringLiteral("Label18"));
    for (int i = 0; i < 10; ++i)
        LB[i] = c.label(QStringLiteral("LB"), i);
    for (int k = 0; k < 15; ++k) {
        Im1[k] = c.picture(QStringLiteral("Im1"), k);
        Im2[k] = c.picture(QStringLiteral("Im2"), k);
        Im3[k] = c.picture(QStringLiteral("Im3"), k);
        Im4[k] = c.picture(QStringLiteral("Im4"), k);
    }
    Timer1 = c.timer(QStringLiteral("Timer1"));
    Timer2 = c.timer(QStringLiteral("Timer2"));

    connect(Cm1, &QAbstractButton::clicked, this, &Form2::Cm1_Click);
    connect(Cm3, &QAbstractButton::clicked, this, &Form2::Cm3_Click);
    connect(Cm4, &QAbstractButton::clicked, this, &Form2::Cm4_Click);
    connect(Cm6, &QAbstractButton::clicked, this, &Form2::Cm6_Click);
    connect(Timer1, &QTimer::timeout, this, &Form2::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &Form2::Timer2_Timer);

    drag_ = new ManualDrag(window());
    for (int i = 0; i < 10; ++i) {
        drag_->addSource(LB[i]);
        connect(LB[i], &Label::pressed, this, [this, i] { LB_MouseDown(i); });
        connect(LB[i], &Label::released, this, [this, i] { LB_MouseUp(i); });
    }
    drag_->addTarget(LB6, [this] { LB6_DragDrop(); });
    drag_->addTarget(LB7, [this] { LB7_DragDrop(); });
    drag_->addTarget(LB8, [this] { LB8_DragDrop(); });
    drag_->addTarget(LB9, [this] { LB9_DragDrop(); });
    drag_->addTarget(LB10, [this] { LB10_DragDrop(); });
    drag_->addTarget(LB11, [this] { LB11_DragDrop(); });
    drag_->addTarget(LB12, [this] { LB12_DragDrop(); });
    drag_->addTarget(LB13, [this] { LB13_DragDrop(); });
    drag_->addTarget(LB14, [this] { LB14_DragDrop(); });
    drag_->addTarget(LB15, [this] { LB15_DragDrop(); });

    const std::array<std::array<Picture *, 15> *, 4> rows{&Im1, &Im2, &Im3, &Im4};
    const std::array<void (Form2::*)(int), 4> clicks{&Form2::Im1_Click, &Form2::Im2_Click,
                                                      &Form2::Im3_Click, &Form2::Im4_Click};
    for (int g = 0; g < 4; ++g)
        for (int k = 0; k < 15; ++k)
            connect((*rows[g])[k], &Picture::clicked, this, [this, click = clicks[g], k] { (this->*click)(k); });
}

std::array<Label *, 10> Form2::answerSlots() const
{
    return {LB6, LB7, LB8, LB9, LB10, LB11, LB12, LB13, LB14, LB15};
}

void Form2::show(const QString &name)
{
    if (!isOpen()) {
        openWindow();
        // The start screen hands the name over as the caption of LB1.
        LB1->setCaption(name);
        Form_Load();
    }
    showWindow();
}

void Form2::Form_Load()
{
    // Every opening is a new game.
    playerName.clear();
    dragDigit.clear();
    clickCount = {};
    loopIndex = 0;
    iconNumber = {};
    groupTop1 = groupTop2 = groupTop3 = groupTop4 = 0;
    pictureTotal = 0;
    enteredAnswer = {};
    clearTick = 0;
    questionNo = 0;
    rightCount = 0;
    wrongCount = 0;

    services_.seedFromClock();
    minutesLeft = 29;
    secondsLeft = 60;
    level = 1;
    LB3->setCaption(quiz::greeting(LB1->caption()));
}

void Form2::Cm1_Click()
{
    Cm1->setEnabled(false);
    Cm4->setEnabled(true);
    playerName = LB1->caption();
    Timer1->start();
    LBS();
    LB3->setCaption(QStringLiteral("กดปุ่มมุมขวาล่าง เพื่อเริ่มทำข้อแรก"));
}

void Form2::Cm4_Click()
{
    for (int k = 0; k < 4; ++k)
        iconNumber[k] = static_cast<Integer>(services_.random() * 30 + 1);
    ++questionNo;
    if (LBS())
        return;
    for (loopIndex = 0; loopIndex <= 9; ++loopIndex)
        LB[loopIndex]->setEnabled(true);
    Cm3->setEnabled(true);
    Cm4->setEnabled(false);
    const QString hint = quiz::levelHint(level);
    if (!hint.isEmpty())
        LB3->setCaption(hint);
    St();
}

void Form2::St()
{
    if (level == 1)
        Lv1();
    if (level == 2)
        Lv2();
    if (level == 3)
        Lv3();
    if (level == 4)
        Lv4();
}

void Form2::Cm3_Click()
{
    Cm3->setEnabled(false);
    Timer2->start();
    for (loopIndex = 0; loopIndex <= 9; ++loopIndex)
        LB[loopIndex]->setEnabled(false);
    Th();
}

void Form2::Cm6_Click() { goToStartScreen(); }

void Form2::goToStartScreen()
{
    start_->show();
    close();
}

} // namespace lumo
