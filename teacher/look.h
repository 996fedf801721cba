// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace lumo::teacher {

/// The game's colours on a window for grown-ups: the start screen's light
/// blue, white tables, dark blue text, and a font a little larger than the
/// game's controls so that long lists stay readable. Call it once the
/// window's controls exist.
void applyTeacherLook(QWidget *window);

} // namespace lumo::teacher
