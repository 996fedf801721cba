// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/pin_guard.h"

#include "settings/teacher_pin.h"
#include "teacher/dialogs.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

namespace lumo::teacher {

namespace {
constexpr int freeTries = 2;
constexpr int firstWait = 5;
constexpr int longestWait = 300;

QString waitText(int seconds) {
    return seconds >= 60
               ? QStringLiteral("ใส่รหัส PIN ผิดหลายครั้ง ลองใหม่ได้ในอีก %1 นาที").arg((seconds + 59) / 60)
               : QStringLiteral("ใส่รหัส PIN ผิดหลายครั้ง ลองใหม่ได้ในอีก %1 วินาที").arg(seconds);
}
} // namespace

PinGuard::PinGuard(SettingsFiles files, TeacherDialogs &dialogs, Clock clock)
    : files_(std::move(files)), dialogs_(dialogs), clock_(std::move(clock)) {}

bool PinGuard::pinSet() const {
    return readTeacherPin(files_).has_value();
}

int PinGuard::waitSeconds() const {
    if (!notBefore_.isValid())
        return 0;
    return int(std::max<qint64>(0, (clock_().msecsTo(notBefore_) + 999) / 1000));
}

bool PinGuard::allow(QWidget *parent, const QString &what) {
    const auto pin = readTeacherPin(files_);
    if (!pin)
        return true;
    QString prompt = QStringLiteral("%1: ใส่รหัส PIN ของครู").arg(what);
    for (;;) {
        if (const int wait = waitSeconds()) {
            dialogs_.inform(parent, waitText(wait));
            return false;
        }
        const std::optional<QString> typed = dialogs_.askPin(parent, prompt);
        if (!typed)
            return false;
        bool right = false;
        {
            // The hash is slow on purpose: a moment of waiting, shown.
            const bool gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
            if (gui)
                QGuiApplication::setOverrideCursor(Qt::WaitCursor);
            right = pinMatches(*typed, pin->hash);
            if (gui)
                QGuiApplication::restoreOverrideCursor();
        }
        if (right) {
            failures_ = 0;
            notBefore_ = QDateTime();
            return true;
        }
        ++failures_;
        if (failures_ > freeTries) {
            const int wait =
                std::min(longestWait, firstWait << std::min(failures_ - freeTries - 1, 8));
            notBefore_ = clock_().addSecs(wait);
        }
        prompt = QStringLiteral("รหัส PIN ไม่ถูกต้อง ลองอีกครั้ง\n%1: ใส่รหัส PIN ของครู").arg(what);
    }
}

} // namespace lumo::teacher
