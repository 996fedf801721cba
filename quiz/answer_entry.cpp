// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Answering: digit tiles dragged onto the answer slots (or tapped, then
// the slot tapped), and pictures clicked away to count them.
#include "quiz/form2.h"

#include "platform/controls.h"
#include "platform/drag.h"
#include "platform/tap_selection.h"
#include "quiz/spoken_texts.h"

namespace lumo {

void Form2::LB_MouseDown(int index) {
    // A disabled tile receives no mouse events, so no drag starts from it.
    drag_->begin(LB[index]);
    dragDigit_ = LB[index]->caption();
    emit tilePicked();
}

void Form2::LB_MouseUp(int index) {
    // Released over the tile it was pressed on: a tap, which selects the
    // tile. A drag, dropped or not, leaves no selection behind.
    if (drag_->end() == ManualDrag::Ending::OnSource)
        taps_->select(LB[index]);
    else
        taps_->clear();
}

void Form2::dropOnSlot(Label *slot) {
    slot->setCaption(dragDigit_);
    announceSlot(slot);
    emit tileDropped();
}

void Form2::LB6_DragDrop() {
    dropOnSlot(LB6);
}
void Form2::LB7_DragDrop() {
    dropOnSlot(LB7);
}
void Form2::LB8_DragDrop() {
    dropOnSlot(LB8);
}
void Form2::LB9_DragDrop() {
    dropOnSlot(LB9);
}
void Form2::LB10_DragDrop() {
    dropOnSlot(LB10);
}
void Form2::LB11_DragDrop() {
    dropOnSlot(LB11);
}
void Form2::LB12_DragDrop() {
    dropOnSlot(LB12);
}
void Form2::LB13_DragDrop() {
    dropOnSlot(LB13);
}
void Form2::LB14_DragDrop() {
    dropOnSlot(LB14);
}
void Form2::LB15_DragDrop() {
    dropOnSlot(LB15);
}

bool Form2::placeDigit(int digit, int slot) {
    if (!isOpen() || digit < 0 || digit > 9 || slot < 0 || slot > 9 || !LB[digit]->isEnabled())
        return false;
    dragDigit_ = LB[digit]->caption();
    (this->*dropHandler(slot))();
    return true;
}

bool Form2::emptySlot(int slot) {
    // The tiles are enabled and disabled together: while they are, the slots may change.
    if (!isOpen() || slot < 0 || slot > 9 || !LB[0]->isEnabled())
        return false;
    Label *answerSlot = answerSlots()[std::size_t(slot)];
    answerSlot->setCaption(QString());
    announceSlot(answerSlot);
    return true;
}

void Form2::clickPicture(int g, int index) {
    Group grp = group(g);
    // A hidden picture has been counted already (or belongs to no question).
    if (grp.row[index]->isHidden())
        return;
    grp.row[index]->hide();
    ++clickCount_[g - 1];
    grp.counter->setCaption(QString::number(clickCount_[g - 1]));
    announce(quiz::spokenCounter(grp.counter->accessibleName(), clickCount_[g - 1]));
    emit pictureCounted(g, clickCount_[g - 1]);
}

void Form2::Im1_Click(int index) {
    clickPicture(1, index);
}
void Form2::Im2_Click(int index) {
    clickPicture(2, index);
}
void Form2::Im3_Click(int index) {
    clickPicture(3, index);
}
void Form2::Im4_Click(int index) {
    clickPicture(4, index);
}

} // namespace lumo
