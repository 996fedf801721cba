// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>

class QSettings;
class QWidget;

namespace lumo {

/// Where and how large the screens' windows open. Both screens share one
/// size and place, kept in the user's settings, so that going from one to
/// the other does not jump; the first time a window opens as large as fits
/// comfortably on the screen. Fullscreen lasts for the run.
class WindowPlacement {
  public:
    explicit WindowPlacement(QSettings &settings) : settings_(settings) {}

    /// The window's client area the first time: the largest size with the
    /// layout's aspect that fits in 85 % of the screen's available area,
    /// never below the design size unless the screen is smaller, never
    /// larger than the available area; centred on it.
    static QRect firstOpening(const QRect &available, QSize design);

    /// Gives a window about to open the size and place the last one had.
    void place(QWidget *window, QSize design) const;
    /// Shows a placed window, fullscreen if that is the run's choice.
    void show(QWidget *window) const;
    /// Notes a window's size and place for the next opening.
    void remember(const QWidget *window);

    bool fullScreen() const { return fullScreen_; }
    void setFullScreen(bool on) { fullScreen_ = on; }
    /// F11: fullscreen on or off for this window and those opened after it.
    void toggleFullScreen(QWidget *window, QSize design);

  private:
    QSettings &settings_;
    bool fullScreen_ = false;
};

} // namespace lumo
