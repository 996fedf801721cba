// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QSet>

#include <functional>

class QWindow;
class QWidget;

namespace lumo {

class Ring;

/// Choosing by tapping, for hands that cannot drag: a tap (or click) makes
/// one of the choices the selected one, clearly marked (its colours swapped
/// and a ring around it); a tap on a target then puts the selected choice
/// to use there. Esc, a press on the window's background, or the selected
/// choice being disabled or hidden clears the selection. Presses on
/// buttons and pictures leave it as it is.
class TapSelection : public QObject {
    Q_OBJECT
  public:
    explicit TapSelection(QWidget *window);
    ~TapSelection() override;

    void addChoice(QWidget *choice);
    /// A target; `onTap` runs when it is tapped while a choice is selected.
    void addTarget(QWidget *target, std::function<void(QWidget *selected)> onTap);

    /// Selects an enabled, shown choice; anything else clears the selection.
    void select(QWidget *choice);
    void clear();
    QWidget *selected() const { return selected_; }

  signals:
    /// The selection changed: the choice selected now, or nullptr.
    void selectionChanged(QWidget *selected);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void windowPressed(QPoint place);

    QWidget *window_;
    QPointer<QWindow> windowHandle_;
    Ring *ring_;
    QPointer<QWidget> selected_;
    QPalette selectedPalette_;
    QSet<QWidget *> choices_;
    QHash<QWidget *, std::function<void(QWidget *)>> targets_;
    QPointer<QWidget> pressedTarget_;
};

} // namespace lumo
