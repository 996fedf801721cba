// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Playing the quiz with the keyboard alone, as a child without a pointer
// would: keys go to the focused control, Tab moves on, Enter presses.

#include "platform/controls.h"
#include "quiz/form2.h"
#include "quiz/levels.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace lumo::test {

/// The ways a child's keyboard types a digit.
enum class DigitKeys { MainRow, Keypad, ThaiDigits, ThaiLayoutNumberRow };

/// A key pressed and released on the focused control of `window`, as the
/// keyboard sends it (with the key's scan code where one is given).
inline void sendKey(QWidget *window, int key, Qt::KeyboardModifiers modifiers = {},
                    const QString &text = {}, quint32 scanCode = 0) {
    const auto focused = [window] {
        return window->focusWidget() ? window->focusWidget() : window;
    };
    QKeyEvent press(QEvent::KeyPress, key, modifiers, scanCode, 0, 0, text);
    QCoreApplication::sendEvent(focused(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, scanCode, 0, 0, text);
    QCoreApplication::sendEvent(focused(), &release);
}

/// The key event of `digit` as each keyboard gives it on X11: its key, the
/// character it types and the key's scan code.
struct DigitKey {
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
    quint32 scanCode;
};

inline DigitKey digitKey(int digit, DigitKeys keys) {
    // X11 key codes of the number row 1 to 9 and 0, and of the keypad's 0 to 9.
    const quint32 numberRow = digit == 0 ? 19 : 9 + quint32(digit);
    static const quint32 keypad[10] = {90, 87, 88, 89, 83, 84, 85, 79, 80, 81};
    // What the number row 1 to 9, 0 types on the Thai Kedmanee layout.
    static const char16_t kedmanee[10] = {u'\u0E08', u'\u0E45', u'/',      u'-',      u'\u0E20',
                                          u'\u0E16', u'\u0E38', u'\u0E36', u'\u0E04', u'\u0E15'};
    switch (keys) {
    case DigitKeys::MainRow:
        return {Qt::Key_0 + digit, {}, QString::number(digit), numberRow};
    case DigitKeys::Keypad:
        return {Qt::Key_0 + digit, Qt::KeypadModifier, QString::number(digit), keypad[digit]};
    case DigitKeys::ThaiDigits: {
        const QChar thai(char16_t(0x0E50 + digit));
        return {thai.unicode(), Qt::ShiftModifier, QString(thai), 0};
    }
    case DigitKeys::ThaiLayoutNumberRow: {
        const QChar typed(kedmanee[digit]);
        return {typed.unicode(), {}, QString(typed), numberRow};
    }
    }
    return {};
}

inline void typeDigit(QWidget *window, int digit, DigitKeys keys) {
    const DigitKey k = digitKey(digit, keys);
    sendKey(window, k.key, k.modifiers, k.text, k.scanCode);
}

/// Tabs on until `control` has the focus; false if a whole round of the
/// focus chain never reaches it.
inline bool tabTo(QWidget *window, QWidget *control) {
    for (int presses = 0; presses < 40; ++presses) {
        if (window->focusWidget() == control)
            return true;
        sendKey(window, Qt::Key_Tab);
    }
    return window->focusWidget() == control;
}

/// Types the right answer of the question on the board into the shown
/// slots, from the focused first slot on, moving with Tab; a total below
/// ten gets a 0 in its tens slot.
inline void typeRightAnswer(Form2 &quiz, DigitKeys keys) {
    const quiz::Game::Question question = quiz.game().question();
    const auto answerSlots = quiz.answerSlots();
    for (int i = 0; i < 10; ++i) {
        if (answerSlots[std::size_t(i)]->isHidden())
            continue;
        const int number = i < 8 ? question.counts[std::size_t(i / 2)] : question.total;
        typeDigit(quiz.window(), i % 2 == 0 ? number / 10 : number % 10, keys);
        sendKey(quiz.window(), Qt::Key_Tab);
    }
}

} // namespace lumo::test
