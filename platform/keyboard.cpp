// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/keyboard.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>

namespace lumo {

namespace {

// The number row's keys 1 to 9 and 0, as their platforms number them.
constexpr quint32 linuxKeyOne = 10; // evdev KEY_1 (2) + 8
constexpr quint32 windowsKeyOne = 0x02;

// What the number row's keys 1 to 9 and 0 give on the Thai Kedmanee layout.
constexpr char16_t kedmaneeNumberRow[10] = {u'\u0E45', u'/',      u'-',      u'\u0E20', u'\u0E16',
                                            u'\u0E38', u'\u0E36', u'\u0E04', u'\u0E15', u'\u0E08'};

int numberRowDigit(quint32 scanCode, ScanCodes codes) {
    const quint32 one = codes == ScanCodes::Linux ? linuxKeyOne : windowsKeyOne;
    if (scanCode < one || scanCode > one + 9)
        return -1;
    // Keys 1 to 9, then 0.
    return int(scanCode - one + 1) % 10;
}

int kedmaneeDigit(const QString &text) {
    if (text.size() != 1)
        return -1;
    for (int key = 0; key < 10; ++key)
        if (text.at(0) == QChar(kedmaneeNumberRow[key]))
            return (key + 1) % 10;
    return -1;
}

} // namespace

ScanCodes scanCodesHere() {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland")))
        return ScanCodes::Linux;
    if (platform == QLatin1String("windows"))
        return ScanCodes::Windows;
    return ScanCodes::Unknown;
}

int typedDigit(const QKeyEvent &event, ScanCodes codes) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return -1;
    if (event.key() >= Qt::Key_0 && event.key() <= Qt::Key_9)
        return event.key() - Qt::Key_0;
    // Any decimal digit the layout types: ๐ to ๙ among them.
    const QString text = event.text();
    if (text.size() == 1 && text.at(0).category() == QChar::Number_DecimalDigit)
        return text.at(0).digitValue();
    if (codes != ScanCodes::Unknown && event.nativeScanCode() != 0)
        return numberRowDigit(event.nativeScanCode(), codes);
    return kedmaneeDigit(text);
}

void KeyInput::watch(QWidget *control, Actions actions) {
    actions_.insert(control, std::move(actions));
    control->installEventFilter(this);
    connect(control, &QObject::destroyed, this, [this](QObject *gone) { actions_.remove(gone); });
}

bool KeyInput::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto found = actions_.constFind(watched);
    if (found == actions_.cend())
        return QObject::eventFilter(watched, event);
    const Actions &actions = found.value();
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool once = !key->isAutoRepeat();

    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!actions.activate)
            break;
        // A button presses itself on Space, at the key's release.
        if (key->key() == Qt::Key_Space && qobject_cast<QAbstractButton *>(watched))
            break;
        if (once)
            actions.activate();
        return true;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        if (!actions.erase)
            break;
        if (once)
            actions.erase();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!actions.arrow)
            break;
        actions.arrow(key->key());
        return true;
    default:
        if (!actions.digit)
            break;
        if (const int digit = typedDigit(*key); digit >= 0) {
            actions.digit(digit);
            return true;
        }
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace lumo
