// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/screen_flow.h"

namespace lumo {

ScreenFlow::ScreenFlow(Services &services)
    : host(services), start(services, host), quiz(services, host) {
    connect(&start, &Form1::quizRequested, &quiz, &Form2::show);
    connect(&quiz, &Form2::ended, &start, [this](quiz::Game::Outcome how) {
        if (how != quiz::Game::Outcome::WindowClosed)
            start.show();
    });
}

void ScreenFlow::checkLayouts() {
    start.checkLayout();
    quiz.checkLayout();
}

} // namespace lumo
