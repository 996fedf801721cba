// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Playing without a pointer. The focus runs through the four buttons, then
// the shown answer slots (tens before units, row by row, the total last),
// then the picture rows. A digit typed into a slot is a drop of that tile;
// Backspace or Delete empties the slot; the arrow keys move between the
// slots. Space or Enter on a picture row counts its next picture; Enter
// presses a button as Space does.
#include "quiz/form2.h"

#include "platform/controls.h"
#include "platform/focus_group.h"
#include "platform/keyboard.h"

#include <algorithm>

namespace lumo {

void Form2::connectKeyboard() {
    keys_ = new KeyInput(window());
    for (Button *button : {Cm1, Cm3, Cm4, Cm6})
        keys_->watch(button, {.activate = [button] { button->click(); }});

    QWidget *previous = Cm1;
    const auto answerSlotList = answerSlots();
    for (int i = 0; i < int(answerSlotList.size()); ++i) {
        Label *slot = answerSlotList[std::size_t(i)];
        slot->setFocusPolicy(Qt::TabFocus);
        keys_->watch(slot, {.digit = [this, i](int digit) { placeDigit(digit, i); },
                            .erase = [this, i] { emptySlot(i); },
                            .arrow = [this, i](int key) { moveFromSlot(i, key); }});
        QWidget::setTabOrder(previous, slot);
        previous = slot;
    }
    for (int g = 1; g <= 4; ++g) {
        auto *row = new FocusGroup(Frame2);
        row->setObjectName(QStringLiteral("Row%1").arg(g));
        row->setAccessibleName(QStringLiteral("รูปแถวที่ %1").arg(g));
        for (Picture *picture : group(g).row)
            row->addMember(picture);
        connect(row, &QAbstractButton::clicked, this, [this, g] { countNextPicture(g); });
        QWidget::setTabOrder(previous, row);
        previous = row;
        pictureRows_[std::size_t(g - 1)] = row;
    }
}

void Form2::moveFromSlot(int slot, int key) {
    const auto answerSlotList = answerSlots();
    const auto shown = [&](int i) {
        return i >= 0 && i < 10 && !answerSlotList[std::size_t(i)]->isHidden();
    };
    const auto focus = [&](int i) { answerSlotList[std::size_t(i)]->setFocus(Qt::TabFocusReason); };
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        const int step = key == Qt::Key_Left ? -1 : 1;
        for (int i = slot + step; i >= 0 && i < 10; i += step)
            if (shown(i))
                return focus(i);
        return;
    }
    // Up and down: the same column of the next row that shows a slot, or
    // that row's other slot where the column's is hidden.
    const int step = key == Qt::Key_Up ? -2 : 2;
    for (int i = slot + step; i >= 0 && i < 10; i += step) {
        if (shown(i))
            return focus(i);
        if (shown(i ^ 1))
            return focus(i ^ 1);
    }
}

void Form2::countNextPicture(int g) {
    const Group grp = group(g);
    const auto next =
        std::find_if(grp.row.begin(), grp.row.end(), [](Picture *p) { return !p->isHidden(); });
    if (next == grp.row.end())
        return;
    // The row goes away with its last picture; the child goes on to write
    // down what was counted, not to whatever button comes next.
    const bool last =
        std::none_of(next + 1, grp.row.end(), [](Picture *p) { return !p->isHidden(); });
    if (last)
        passFocus(pictureRows_[std::size_t(g - 1)], grp.tens->isHidden() ? grp.units : grp.tens);
    (this->*pictureClick(g))(int(next - grp.row.begin()));
}

Label *Form2::firstShownSlot() const {
    for (Label *slot : answerSlots())
        if (!slot->isHidden())
            return slot;
    return nullptr;
}

void Form2::passFocus(QWidget *from, QWidget *to) {
    if (to && window()->focusWidget() == from && to->isEnabled() && !to->isHidden())
        to->setFocus(Qt::TabFocusReason);
}

void Form2::focusNextQuestion() {
    QWidget *focus = window()->focusWidget();
    const auto answerSlotList = answerSlots();
    const bool inAnswer =
        !focus ||
        std::find(answerSlotList.begin(), answerSlotList.end(), focus) != answerSlotList.end() ||
        std::find(pictureRows_.begin(), pictureRows_.end(), focus) != pictureRows_.end();
    if (inAnswer && Cm4->isEnabled())
        Cm4->setFocus(Qt::TabFocusReason);
}

} // namespace lumo
