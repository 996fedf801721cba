// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

class QScreen;
class QTableView;
class QWidget;

namespace lumo::teacher {

/// The pixel size of the window's text: the desktop's own text size (its
/// dots per inch), and larger on a large screen, so that a class reads a
/// whiteboard of 1920 x 1080 from the back of the room.
int teacherFontPixels(const QScreen *screen);
/// The same for a screen whose free area is `available`, at `logicalDpi`.
int teacherFontPixels(QSize available, double logicalDpi);

/// The game's colours on a window for grown-ups: the start screen's light
/// blue, white tables, dark blue text, and the font above. Call it once the
/// window's controls exist.
void applyTeacherLook(QWidget *window, const QScreen *screen);

/// The size a window opens at on `screen`: room for its pages at its text
/// size, never more than the screen's free area less a window frame.
QSize openingSize(const QScreen *screen, int fontPixels);
QSize openingSize(QSize available, int fontPixels);

/// A table's columns share the table's width: each keeps at least its
/// `least` width (in average characters of the table's font), and the
/// width beyond that is shared in proportion to `least`. When the table is
/// narrower than all of them, it scrolls.
void shareColumnWidths(QTableView *table, const QList<int> &least);

} // namespace lumo::teacher
