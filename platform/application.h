// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

namespace lumo {

/// Look and behaviour shared by the program and its tests: the Thai font
/// families, one widget style on every desktop, the default font, and the
/// program ending when its last screen closes (counted by ScreenHost, not by Qt).
void setUpApplication(QApplication &app);

} // namespace lumo
