// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

namespace lumo {

/// What a platform tells of the key behind a key event (its native scan
/// code), as far as the number row goes.
enum class ScanCodes {
    /// None, or none that we know (the offscreen platform of the tests).
    Unknown,
    /// X11 and Wayland on Linux: evdev key codes plus 8.
    Linux,
    /// Windows: set 1 scan codes.
    Windows,
};

/// The scan codes that the running platform reports.
ScanCodes scanCodesHere();

/// The digit 0 to 9 that a key press stands for, or -1 for none. A child
/// types digits with the number row, the keypad, or the Thai digits ๐ to ๙
/// of a Thai layout. A key of the number row counts as its digit whatever
/// character the layout gives it (on the Thai Kedmanee layout 1 gives ๅ,
/// 2 gives /, 4 gives ภ): by its scan code where the platform reports one,
/// otherwise by the Kedmanee character. Keys held with Ctrl, Alt or Meta
/// type nothing.
int typedDigit(const QKeyEvent &event, ScanCodes codes = scanCodesHere());

/// What the keys do on the controls that take the keyboard focus. Each
/// control gets the actions it has: Enter and Space activate it (a button
/// presses itself on Space already, so only Enter is added there), digits
/// are typed into it, Backspace and Delete erase it, the arrow keys move
/// on from it. A key held down activates or erases once.
class KeyInput : public QObject {
  public:
    struct Actions {
        std::function<void()> activate = nullptr;
        std::function<void(int digit)> digit = nullptr;
        std::function<void()> erase = nullptr;
        std::function<void(int key)> arrow = nullptr;
    };

    explicit KeyInput(QObject *parent = nullptr) : QObject(parent) {}

    void watch(QWidget *control, Actions actions);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    QHash<QObject *, Actions> actions_;
};

} // namespace lumo
