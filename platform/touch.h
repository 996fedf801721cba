// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>

class QWindow;
class QWidget;

namespace lumo {

/// A finger is not a mouse. Qt turns a touch that no control takes into
/// mouse input, and with it would put up the mouse pointer of the control
/// under the finger (the start screen's pictures have one of their own).
/// From the first touch on, the window's controls show no pointer of their
/// own; the next move of a real mouse gives them back.
class TouchPointers : public QObject {
  public:
    explicit TouchPointers(QWidget *window);
    ~TouchPointers() override;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void touched();
    void mouseMoved();

    QWidget *window_;
    QPointer<QWindow> windowHandle_;
    QList<QPair<QPointer<QWidget>, QCursor>> putAside_;
};

} // namespace lumo
