// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/tap_selection.h"

#include "platform/controls.h"
#include "platform/focus_ring.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace lumo {

TapSelection::TapSelection(QWidget *window)
    : QObject(window), window_(window), ring_(new Ring(window, Ring::Look::Selection)) {
    window_->installEventFilter(this);
}

TapSelection::~TapSelection() {
    if (windowHandle_)
        windowHandle_->removeEventFilter(this);
}

void TapSelection::addChoice(QWidget *choice) {
    choices_.insert(choice);
    choice->installEventFilter(this);
}

void TapSelection::addTarget(QWidget *target, std::function<void(QWidget *)> onTap) {
    targets_.insert(target, std::move(onTap));
    target->installEventFilter(this);
}

void TapSelection::select(QWidget *choice) {
    if (!choices_.contains(choice) || !choice->isEnabled() || choice->isHidden()) {
        clear();
        return;
    }
    if (choice == selected_)
        return;
    clear();
    selected_ = choice;
    // The choice in its own colours swapped: a tile of dark digits on a
    // light ground turns into a light digit on a dark ground.
    selectedPalette_ = choice->palette();
    QPalette swapped = selectedPalette_;
    swapped.setColor(QPalette::Window, selectedPalette_.color(QPalette::WindowText));
    swapped.setColor(QPalette::WindowText, selectedPalette_.color(QPalette::Window));
    choice->setPalette(swapped);
    ring_->follow(choice);
    // Presses on the background are heard by the window as a whole; its
    // native window exists once it has been shown.
    windowHandle_ = window_->windowHandle();
    if (windowHandle_)
        windowHandle_->installEventFilter(this);
    emit selectionChanged(choice);
}

void TapSelection::clear() {
    if (!selected_)
        return;
    QWidget *choice = selected_;
    selected_ = nullptr;
    choice->setPalette(selectedPalette_);
    ring_->follow(nullptr);
    if (windowHandle_)
        windowHandle_->removeEventFilter(this);
    windowHandle_ = nullptr;
    emit selectionChanged(nullptr);
}

bool TapSelection::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    // A second press soon after one at the same place comes as a double click.
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    if (watched == windowHandle_) {
        if (press)
            windowPressed(static_cast<QMouseEvent *>(event)->scenePosition().toPoint());
        return QObject::eventFilter(watched, event);
    }
    if (watched == window_) {
        // Esc reaches the window when the focused control has no use for it.
        if (type == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape &&
            selected_) {
            clear();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
    if (watched == selected_ && (type == QEvent::EnabledChange || type == QEvent::HideToParent) &&
        (!selected_->isEnabled() || selected_->isHidden())) {
        clear();
        return QObject::eventFilter(watched, event);
    }
    auto *widget = static_cast<QWidget *>(watched);
    const auto target = targets_.constFind(widget);
    if (target == targets_.cend())
        return QObject::eventFilter(watched, event);
    if (press) {
        pressedTarget_ = widget;
    } else if (type == QEvent::MouseButtonRelease) {
        const bool tap =
            pressedTarget_ == widget &&
            widget->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint());
        pressedTarget_ = nullptr;
        if (tap && selected_ && widget->isVisible())
            target.value()(selected_);
    }
    return QObject::eventFilter(watched, event);
}

void TapSelection::windowPressed(QPoint place) {
    for (QWidget *widget = window_->childAt(place); widget && widget != window_;
         widget = widget->parentWidget()) {
        if (choices_.contains(widget) || targets_.contains(widget) ||
            qobject_cast<QAbstractButton *>(widget) || qobject_cast<Picture *>(widget))
            return;
    }
    clear();
}

} // namespace lumo
