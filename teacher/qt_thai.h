// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

namespace lumo::teacher {

/// Qt ships no Thai for its own dialogs, buttons and menus (the file
/// dialog, OK and Cancel, a text field's menu); the program carries its
/// own. Installed once in the application when `locale` is Thai; true when
/// it is installed.
bool installQtThai(const QLocale &locale);

} // namespace lumo::teacher
