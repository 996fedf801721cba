// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/focus_ring.h"

#include "platform/keyboard.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
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

void KeyboardUse::setInUse(bool inUse) {
    if (inUse == inUse_)
        return;
    inUse_ = inUse;
    emit changed(inUse_);
}

bool KeyboardUse::movesOrActs(const QKeyEvent &event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        return true;
    default:
        return typedDigit(event) >= 0;
    }
}

FocusRing::FocusRing(QWidget *window, KeyboardUse &keyboard)
    : QObject(window), window_(window), keyboard_(keyboard),
      ring_(new Ring(window, Ring::Look::Focus)) {
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { follow(now); });
    connect(&keyboard_, &KeyboardUse::changed, this, [this] { follow(window_->focusWidget()); });
    qApp->installEventFilter(this);
}

bool FocusRing::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        // Keys typed into a dialog (a name) are not the keyboard at play.
        if (watched->isWidgetType() && static_cast<QWidget *>(watched)->window() == window_ &&
            KeyboardUse::movesOrActs(*static_cast<QKeyEvent *>(event)))
            keyboard_.setInUse(true);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::TouchBegin:
        keyboard_.setInUse(false);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void FocusRing::follow(QWidget *focus) {
    // Only controls that the keyboard can reach: a window's own focus
    // (no control chosen) shows no ring.
    const bool ours = keyboard_.inUse() && focus && focus != window_ &&
                      focus->window() == window_ && (focus->focusPolicy() & Qt::TabFocus);
    ring_->follow(ours ? focus : nullptr);
}

} // namespace lumo
