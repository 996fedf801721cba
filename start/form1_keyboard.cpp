// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The start screen without a pointer: the host and the door take the focus
// (the host first), and Enter or Space on them is a click.
#include "start/form1.h"

#include "platform/controls.h"
#include "platform/keyboard.h"

namespace lumo {

void Form1::connectKeyboard() {
    auto *keys = new KeyInput(window());
    Im1->setFocusPolicy(Qt::TabFocus);
    Image1->setFocusPolicy(Qt::TabFocus);
    keys->watch(Im1, {.activate = [this] { Im1_Click(); }});
    keys->watch(Image1, {.activate = [this] { Image1_Click(); }});
}

} // namespace lumo
