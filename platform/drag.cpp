// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drag.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

namespace lumo {

namespace {

// The grey dotted rectangle that shows where a dragged tile would land.
class DragOutline : public QWidget {
  public:
    explicit DragOutline(QWidget *parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setObjectName(QStringLiteral("dragOutline"));
        hide();
    }

  protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        // Two pixels round a tile at the design size, thicker as the tile grows.
        const int width = qMax(2, qRound(height() / 24.0));
        const QRect frame =
            rect().adjusted(width / 2, width / 2, -(width + 1) / 2, -(width + 1) / 2);
        QPen pen(Qt::black, width, Qt::DashLine);
        painter.setPen(pen);
        painter.drawRect(frame);
        pen.setColor(Qt::white);
        pen.setDashOffset(4);
        painter.setPen(pen);
        painter.drawRect(frame);
    }
};

bool isPress(QEvent::Type type) {
    // A second press soon after one at the same place comes as a double click.
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
}

bool isMouseButtonOrMove(QEvent::Type type) {
    return isPress(type) || type == QEvent::MouseMove || type == QEvent::MouseButtonRelease;
}

} // namespace

ManualDrag::ManualDrag(QWidget *window)
    : QObject(window), window_(window), outline_(new DragOutline(window)) {}

ManualDrag::~ManualDrag() = default;

void ManualDrag::addSource(QWidget *source) {
    source->installEventFilter(this);
}

void ManualDrag::addTarget(QWidget *target, std::function<void()> onDrop) {
    targets_.insert(target, std::move(onDrop));
}

void ManualDrag::begin(QWidget *source) {
    // A drag that was never released (a second button went down) ends here,
    // so that every drag still ends in one drop.
    if (active())
        end();
    source_ = source;
    if (!source->rect().contains(grabOffset_))
        grabOffset_ = source->rect().center();
    // The window hears the release even when the source no longer can
    // (disabled while the button is held).
    windowHandle_ = window_->windowHandle();
    if (windowHandle_)
        windowHandle_->installEventFilter(this);
    outline_->resize(source->size());
    moveOutline();
    outline_->raise();
    outline_->show();
}

bool ManualDrag::eventFilter(QObject *watched, QEvent *event) {
    // Qt follows a cancelled touch with a release where the finger was;
    // that release must find no drag left to drop.
    if (event->type() == QEvent::TouchCancel && watched == windowHandle_) {
        cancel();
        return QObject::eventFilter(watched, event);
    }
    if (!isMouseButtonOrMove(event->type()))
        return QObject::eventFilter(watched, event);
    const auto *mouse = static_cast<QMouseEvent *>(event);
    // Places in the window's own coordinates: where the window itself is on
    // the screen is not known everywhere (Wayland).
    pointer_ = mouse->scenePosition().toPoint();
    if (watched == windowHandle_) {
        if (active() && event->type() == QEvent::MouseButtonRelease && !source_->isEnabled())
            end();
        else if (active())
            moveOutline();
    } else if (watched->isWidgetType()) {
        // Every watched source keeps the press's place within it, so that
        // a drag begun from a press handler keeps the grip where it was.
        if (isPress(event->type()))
            grabOffset_ = mouse->position().toPoint();
        if (watched == source_)
            moveOutline();
    }
    return QObject::eventFilter(watched, event);
}

void ManualDrag::moveOutline() {
    outline_->move(pointer_ - grabOffset_);
}

void ManualDrag::cancel() {
    source_ = nullptr;
    outline_->hide();
    if (windowHandle_)
        windowHandle_->removeEventFilter(this);
    windowHandle_ = nullptr;
}

ManualDrag::Ending ManualDrag::end() {
    if (!active())
        return Ending::Nothing;
    QWidget *source = source_;
    cancel();

    // A tile that was disabled while it was held drops nothing.
    if (!source->isEnabled())
        return Ending::Nothing;
    if (QRect(source->mapTo(window_, QPoint(0, 0)), source->size()).contains(pointer_))
        return Ending::OnSource;
    for (QWidget *widget = window_->childAt(pointer_); widget && widget != window_;
         widget = widget->parentWidget()) {
        const auto target = targets_.constFind(widget);
        if (target != targets_.cend()) {
            if (!widget->isVisible())
                return Ending::Nothing;
            target.value()();
            return Ending::Dropped;
        }
    }
    return Ending::Nothing;
}

} // namespace lumo
