// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the quiz screen and the four buttons that drive a game:
// start the clock, next question, check, leave.
#include "quiz/form2.h"

#include "platform/controls.h"
#include "platform/drag.h"
#include "platform/services.h"
#include "quiz/spoken_texts.h"
#include "quiz/texts.h"

#include <QTimer>

namespace lumo {

Form2::Form2(Services &services, ScreenHost &host, const QString &layoutPath)
    : Screen(services, host, layoutPath), game_([&services] { return services.random(); }) {}

Form2::~Form2() = default;

std::array<Label *, 10> Form2Controls::answerSlots() const {
    return {LB6, LB7, LB8, LB9, LB10, LB11, LB12, LB13, LB14, LB15};
}

void Form2::bindControls(ControlBinder &bind) {
    bind(Cm1, QStringLiteral("Cm1"));
    bind(Cm3, QStringLiteral("Cm3"));
    bind(Cm4, QStringLiteral("Cm4"));
    bind(Cm6, QStringLiteral("Cm6"));
    bind(Frame1, QStringLiteral("Frame1"));
    bind(Frame2, QStringLiteral("Frame2"));
    bind(Frame3, QStringLiteral("Frame3"));
    bind(Frame4, QStringLiteral("Frame4"));
    bind(LB1, QStringLiteral("LB1"));
    bind(LB2, QStringLiteral("LB2"));
    bind(LB3, QStringLiteral("LB3"));
    bind(LB4, QStringLiteral("LB4"));
    bind(LB6, QStringLiteral("LB6"));
    bind(LB7, QStringLiteral("LB7"));
    bind(LB8, QStringLiteral("LB8"));
    bind(LB9, QStringLiteral("LB9"));
    bind(LB10, QStringLiteral("LB10"));
    bind(LB11, QStringLiteral("LB11"));
    bind(LB12, QStringLiteral("LB12"));
    bind(LB13, QStringLiteral("LB13"));
    bind(LB14, QStringLiteral("LB14"));
    bind(LB15, QStringLiteral("LB15"));
    bind(Label6, QStringLiteral("Label6"));
    bind(Label14, QStringLiteral("Label14"));
    bind(Label16, QStringLiteral("Label16"));
    bind(Label18, QStringLiteral("Label18"));
    bind(LB, QStringLiteral("LB"));
    bind(Im1, QStringLiteral("Im1"));
    bind(Im2, QStringLiteral("Im2"));
    bind(Im3, QStringLiteral("Im3"));
    bind(Im4, QStringLiteral("Im4"));
    bind(Timer1, QStringLiteral("Timer1"));
    bind(Timer2, QStringLiteral("Timer2"));
}

void Form2::unbindControls() {
    static_cast<Form2Controls &>(*this) = Form2Controls{};
    drag_ = nullptr;
    keys_ = nullptr;
    taps_ = nullptr;
    pictureRows_ = {};
    marks_ = {};
}

Form2::Drop Form2::dropHandler(int slot) {
    static constexpr std::array<Drop, 10> drops{
        &Form2::LB6_DragDrop,  &Form2::LB7_DragDrop,  &Form2::LB8_DragDrop,  &Form2::LB9_DragDrop,
        &Form2::LB10_DragDrop, &Form2::LB11_DragDrop, &Form2::LB12_DragDrop, &Form2::LB13_DragDrop,
        &Form2::LB14_DragDrop, &Form2::LB15_DragDrop};
    return drops[std::size_t(slot)];
}

Form2::PictureClick Form2::pictureClick(int g) {
    static constexpr std::array<PictureClick, 4> clicks{&Form2::Im1_Click, &Form2::Im2_Click,
                                                        &Form2::Im3_Click, &Form2::Im4_Click};
    return clicks[std::size_t(g - 1)];
}

void Form2::connectControls() {
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
    const auto answerSlotList = answerSlots();
    for (int i = 0; i < int(answerSlotList.size()); ++i)
        drag_->addTarget(answerSlotList[std::size_t(i)],
                         [this, drop = dropHandler(i)] { (this->*drop)(); });

    for (int g = 1; g <= 4; ++g)
        for (int k = 0; k < quiz::mostPictures; ++k)
            connect(group(g).row[k], &Picture::clicked, this,
                    [this, click = pictureClick(g), k] { (this->*click)(k); });

    connectTaps();
    connectKeyboard();
    connectAnnouncements();
    makeMarks();
}

void Form2::show(const QString &name) {
    if (!isOpen()) {
        openWindow();
        // The name arrives as the caption of LB1, where the greeting reads it.
        LB1->setCaption(name);
        Form_Load();
    }
    showWindow();
}

void Form2::Form_Load() {
    // Every opening is a new game.
    game_.newGame(rules_);
    dragDigit_.clear();
    clickCount_ = {};
    clearTick_ = 0;
    services_.seedFromClock();
    LB3->setCaption(quiz::greeting(LB1->caption()));
    announce(quiz::spokenCaption(LB3->caption()));
}

void Form2::Cm1_Click() {
    if (!game_.startClock(LB1->caption()))
        return;
    Cm4->setEnabled(true);
    passFocus(Cm1, Cm4);
    Cm1->setEnabled(false);
    Timer1->start();
    LBS();
    LB3->setCaption(QStringLiteral("กดปุ่มมุมขวาล่าง เพื่อเริ่มทำข้อแรก"));
    announce(LB3->caption() + QLatin1Char('\n') + quiz::spokenClock(game_));
}

void Form2::Cm4_Click() {
    if (!game_.nextQuestion())
        return;
    if (LBS())
        return;
    for (Label *tile : LB)
        tile->setEnabled(true);
    Cm3->setEnabled(true);
    LB3->setCaption(quiz::levelHint(game_.level()));
    St();
    // From the button to the answer, so that a second Enter checks nothing yet.
    passFocus(Cm4, firstShownSlot());
    Cm4->setEnabled(false);
}

void Form2::St() {
    switch (game_.level()) {
    case 1:
        Lv1();
        break;
    case 2:
        Lv2();
        break;
    case 3:
        Lv3();
        break;
    case 4:
        Lv4();
        break;
    default:
        break;
    }
}

void Form2::Cm3_Click() {
    // Not on to the leave button, where a second Enter would end the game.
    passFocus(Cm3, firstShownSlot());
    Cm3->setEnabled(false);
    Timer2->start();
    for (Label *tile : LB)
        tile->setEnabled(false);
    Th();
}

void Form2::Cm6_Click() {
    finish(Outcome::Left);
}

void Form2::closedFromFrame() {
    finish(Outcome::WindowClosed);
}

void Form2::finish(Outcome how) {
    if (!isOpen())
        return;
    // A game won or out of time has ended itself; leaving ends it here.
    game_.leave(how);
    // The start screen comes back before this screen closes, except after
    // a time-out and when the window itself was closed: then this screen
    // is gone first. The program keeps running between the two because the
    // host looks for open screens only after the event.
    const bool closeFirst = how == Outcome::TimeOut || how == Outcome::WindowClosed;
    if (closeFirst)
        close();
    emit ended(how);
    if (!closeFirst)
        close();
}

} // namespace lumo
