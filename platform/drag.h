// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QObject>
#include <QPoint>
#include <QPointer>

#include <functional>

class QWidget;
class QWindow;

namespace lumo {

/// Dragging under program control: begin() at a mouse press on the source,
/// end() at the release. While the drag lasts an outline of the source
/// follows the pointer (the source stays where it is); end() hit-tests the
/// pointer in the window's own coordinates and delivers exactly one drop, to
/// the visible target under it if there is one. A source disabled while it
/// is held drops nothing, and its drag ends at the release the window hears.
/// A touch that the system cancels ends the drag without a drop.
class ManualDrag : public QObject {
  public:
    /// How a drag ended.
    enum class Ending {
        /// No drag was under way, or it ended on no visible target.
        Nothing,
        Dropped,
        /// Released over its own source: a tap or click on it, not a drag.
        OnSource,
    };

    explicit ManualDrag(QWidget *window);
    ~ManualDrag() override;

    /// A control that may be dragged; its mouse events are watched from now on.
    void addSource(QWidget *source);
    void addTarget(QWidget *target, std::function<void()> onDrop);

    void begin(QWidget *source);
    Ending end();
    /// Ends the drag without a drop.
    void cancel();
    bool active() const { return !source_.isNull(); }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void moveOutline();

    QWidget *window_;
    QPointer<QWindow> windowHandle_;
    QWidget *outline_;
    QPointer<QWidget> source_;
    QPoint grabOffset_;
    /// The pointer, in the window's coordinates.
    QPoint pointer_;
    QHash<QWidget *, std::function<void()>> targets_;
};

} // namespace lumo
