// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QRect>
#include <QSize>

class QSettings;
class QWidget;

namespace lumo {

/// Where, how large and in which state the screens' windows open. Both
/// screens share one window state, kept in the user's settings with Qt's
/// own saveGeometry(): size and place, and whether the desktop had the
/// window maximised or fullscreen. Going from one screen to the other does
/// not jump, and the next start opens as the last window was left. The
/// first time, a window opens as large as fits comfortably on the screen.
class WindowPlacement {
  public:
    explicit WindowPlacement(QSettings &settings) : settings_(settings) {}

    /// The window's client area the first time: the largest size with the
    /// layout's aspect that fits in 85 % of the screen's available area,
    /// never below the design size unless the screen is smaller, never
    /// larger than the available area; centred on it.
    static QRect firstOpening(const QRect &available, QSize design);

    /// Gives a window about to open the size, place and state the last one
    /// had. Returns the size of the client area it will show at, as far as
    /// can be known (maximised or fullscreen, the desktop decides), so that
    /// its layout is made at that size once.
    QSize place(QWidget *window, QSize design) const;
    /// Shows a placed window in its state.
    void show(QWidget *window) const;
    /// Notes a shown window's size, place and state for the next opening.
    void remember(const QWidget *window);

    /// Whether windows open fullscreen (the last one was, or the start asked for it).
    bool fullScreen() const { return fullScreen_; }
    /// Asks for fullscreen from the next opening on (the class settings
    /// or the command line at the start).
    void setFullScreen(bool on) { fullScreen_ = on; }
    /// F11: fullscreen on or off for this window and those opened after it.
    void toggleFullScreen(QWidget *window);

  private:
    QSettings &settings_;
    bool fullScreen_ = false;
};

/// The client area (geometry()) a window had when `state` was saved by
/// QWidget::saveGeometry(); an invalid rectangle if `state` does not say.
QRect savedClientArea(const QByteArray &state);

} // namespace lumo
