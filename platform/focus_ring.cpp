// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/focus_ring.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace lumo {

Ring::Ring(QWidget *window, Look look) : QWidget(window), window_(window), look_(look) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setObjectName(look == Look::Focus ? QStringLiteral("focusRing")
                                      : QStringLiteral("selectionRing"));
    hide();
}

int Ring::widthOn(int windowHeight) {
    // 6 pixels on the screens at their layout's own size; never thinner than 3.
    return std::max(3, qRound(windowHeight / 100.0));
}

void Ring::follow(QWidget *target) {
    if (target == target_)
        return;
    if (target_)
        target_->removeEventFilter(this);
    target_ = target;
    if (target_)
        target_->installEventFilter(this);
    place();
}

bool Ring::eventFilter(QObject *watched, QEvent *event) {
    if (watched == target_) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            place();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Ring::place() {
    if (!target_ || target_->isHidden() || !target_->isVisibleTo(window_)) {
        hide();
        return;
    }
    // Half of the ring lies outside the control, half over its edge, so
    // that a control close to the window's edge keeps most of its ring.
    const int outside = (widthOn(window_->height()) + 1) / 2;
    const QRect control(target_->mapTo(window_, QPoint(0, 0)), target_->size());
    setGeometry(control.adjusted(-outside, -outside, outside, outside));
    raise();
    show();
    update();
}

void Ring::paintEvent(QPaintEvent *) {
    if (!target_)
        return;
    const int width = widthOn(window_->height());
    const int edge = std::max(1, width / 4);
    const double half = width / 2.0;
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(half, half, -half, -half), half, half);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.strokePath(path, QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QColor core = look_ == Look::Focus ? QColor(255, 214, 0) : QColor(Qt::white);
    painter.strokePath(path,
                       QPen(core, width - 2 * edge, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

FocusRing::FocusRing(QWidget *window)
    : QObject(window), window_(window), ring_(new Ring(window, Ring::Look::Focus)) {
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { focusChanged(now); });
}

void FocusRing::focusChanged(QWidget *now) {
    // Only controls that the keyboard can reach: a window's own focus
    // (no control chosen) shows no ring.
    const bool ours =
        now && now != window_ && now->window() == window_ && (now->focusPolicy() & Qt::TabFocus);
    ring_->follow(ours ? now : nullptr);
}

} // namespace lumo
