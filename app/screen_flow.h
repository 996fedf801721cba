// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/screen.h"
#include "quiz/form2.h"
#include "start/form1.h"

#include <QObject>

namespace lumo {

class Services;

/// The program's two screens and the way between them: the start screen
/// asks for the quiz with a player's name, and the quiz, once it is over,
/// brings the start screen back, unless its window was simply closed.
class ScreenFlow : public QObject {
    Q_OBJECT
  public:
    explicit ScreenFlow(Services &services);

    /// Stops the program if a screen's layout data lacks a control.
    void checkLayouts();

    ScreenHost host;
    Form1 start;
    Form2 quiz;
};

} // namespace lumo
