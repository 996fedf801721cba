// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTimer>
#include <QWidget>

namespace lumo {

namespace {

// One notification: a widget too small to see that a screen reader is
// told about when it appears.
class Notice : public QWidget {
    Q_OBJECT
  public:
    explicit Notice(QWidget *window) : QWidget(window) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(0, 0, 1, 1);
        hide();
    }
};

QAccessibleInterface *noticeInterface(const QString &className, QObject *object) {
    if (className == QLatin1String(Notice::staticMetaObject.className()) && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget *window) : QObject(window), window_(window) {
    window_->installEventFilter(this);
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(noticeInterface);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    for (QWidget *&notice : notices_) {
        notice = new Notice(window);
        notice->setObjectName(QStringLiteral("notice"));
    }
}

void Announcer::say(const QString &text) {
    if (text.isEmpty())
        return;
    waiting_.append(text);
    flushSoon();
}

bool Announcer::eventFilter(QObject *watched, QEvent *event) {
    // Told after the activation has been handled, when the screen reader
    // has heard which window and control have the focus.
    if (event->type() == QEvent::WindowActivate && !waiting_.isEmpty())
        flushSoon();
    return QObject::eventFilter(watched, event);
}

void Announcer::flushSoon() {
    if (flushQueued_)
        return;
    flushQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        flushQueued_ = false;
        if (window_->isActiveWindow())
            flush();
    });
}

void Announcer::flush() {
    if (waiting_.isEmpty())
        return;
    const QString text = waiting_.join(QLatin1Char('\n'));
    waiting_.clear();
    QWidget *notice = notices_[next_];
    next_ = (next_ + 1) % notices_.size();
    // Hidden and shown again, so that the screen reader hears it appear.
    notice->hide();
    notice->setAccessibleName(text);
    notice->show();
    emit announced(text);
}

} // namespace lumo

#include "announcer.moc"
