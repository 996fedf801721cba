// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/touch.h"

#include <QMouseEvent>
#include <QPointingDevice>
#include <QWidget>
#include <QWindow>

namespace lumo {

TouchPointers::TouchPointers(QWidget *window) : QObject(window), window_(window) {
    window_->installEventFilter(this);
}

TouchPointers::~TouchPointers() {
    if (windowHandle_)
        windowHandle_->removeEventFilter(this);
}

bool TouchPointers::eventFilter(QObject *watched, QEvent *event) {
    if (watched == window_) {
        // The native window, which hears touches first, exists once the window is shown.
        if (event->type() == QEvent::Show && !windowHandle_) {
            windowHandle_ = window_->windowHandle();
            if (windowHandle_)
                windowHandle_->installEventFilter(this);
        }
        return QObject::eventFilter(watched, event);
    }
    if (watched != windowHandle_)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::TouchBegin) {
        touched();
    } else if (event->type() == QEvent::MouseMove && !putAside_.isEmpty()) {
        // Qt's own mouse input made from a touch is no mouse.
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->source() == Qt::MouseEventNotSynthesized &&
            mouse->device()->type() == QInputDevice::DeviceType::Mouse)
            mouseMoved();
    }
    return QObject::eventFilter(watched, event);
}

void TouchPointers::touched() {
    for (QWidget *widget : window_->findChildren<QWidget *>()) {
        if (!widget->testAttribute(Qt::WA_SetCursor))
            continue;
        putAside_.append({widget, widget->cursor()});
        widget->unsetCursor();
    }
}

void TouchPointers::mouseMoved() {
    for (const auto &[widget, cursor] : std::as_const(putAside_))
        if (widget)
            widget->setCursor(cursor);
    putAside_.clear();
}

} // namespace lumo
