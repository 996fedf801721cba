// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/focus_group.h"

#include <QKeyEvent>

namespace lumo {

FocusGroup::FocusGroup(QWidget *parent) : QAbstractButton(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::TabFocus);
    hide();
}

void FocusGroup::addMember(QWidget *member) {
    members_.append(member);
    member->installEventFilter(this);
    cover();
}

bool FocusGroup::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::Move:
    case QEvent::Resize:
        cover();
        break;
    default:
        break;
    }
    return QAbstractButton::eventFilter(watched, event);
}

void FocusGroup::cover() {
    QRect shown;
    for (const QWidget *member : members_)
        if (!member->isHidden())
            shown |= member->geometry();
    if (shown.isEmpty()) {
        hide();
        return;
    }
    setGeometry(shown);
    // Below its members, so that it never stands between them and the pointer.
    lower();
    show();
}

void FocusGroup::keyPressEvent(QKeyEvent *event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !event->isAutoRepeat()) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void FocusGroup::paintEvent(QPaintEvent *) {}

} // namespace lumo
