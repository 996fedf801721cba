// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

namespace lumo {

/// A thick ring drawn over a window around one of its controls, following
/// the control wherever it moves, however it is resized, and hidden with
/// it. It takes no mouse input. The ring is as thick around a small control
/// as around a large one, a hundredth of the window's height, so that it
/// grows with the layout.
class Ring : public QWidget {
  public:
    enum class Look {
        /// Where the keyboard is: yellow between black edges, plain on dark
        /// and on light backgrounds alike.
        Focus,
        /// The chosen control: white between black edges.
        Selection,
    };

    Ring(QWidget *window, Look look);

    /// Draws the ring around `target`, or nowhere for nullptr.
    void follow(QWidget *target);
    QWidget *target() const { return target_; }

    /// The width of the ring on a window of that height, in pixels.
    static int widthOn(int windowHeight);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

  private:
    void place();

    QWidget *window_;
    Look look_;
    QPointer<QWidget> target_;
};

/// Shows where the keyboard focus of one window is, with a ring of the
/// Focus look around the focused control, while the window is active.
class FocusRing : public QObject {
  public:
    explicit FocusRing(QWidget *window);

    Ring *ring() const { return ring_; }

  private:
    void focusChanged(QWidget *now);

    QWidget *window_;
    Ring *ring_;
};

} // namespace lumo
