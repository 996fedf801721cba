// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

class QKeyEvent;

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

/// Whether the child plays with the keyboard: from a key that moves the
/// focus or acts on a control, until the next mouse press or touch. One
/// for the whole program, so that a quiz opened from the keyboard shows
/// where the keyboard is at once.
class KeyboardUse : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    bool inUse() const { return inUse_; }
    void setInUse(bool inUse);

    /// Keys that move the focus or act on the focused control: Tab, the
    /// arrows, Home, End, Page Up and Down, Enter, Space, Backspace,
    /// Delete and digits; none held with Ctrl, Alt or Meta.
    static bool movesOrActs(const QKeyEvent &event);

  signals:
    void changed(bool inUse);

  private:
    bool inUse_ = false;
};

/// Shows where the keyboard focus of one window is, with a ring of the
/// Focus look around the focused control, while the keyboard is in use.
/// A key pressed in the window puts it in use, a mouse press or a touch
/// anywhere takes it out; the focus itself stays where it is.
class FocusRing : public QObject {
  public:
    FocusRing(QWidget *window, KeyboardUse &keyboard);

    Ring *ring() const { return ring_; }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void follow(QWidget *focus);

    QWidget *window_;
    KeyboardUse &keyboard_;
    Ring *ring_;
};

} // namespace lumo
