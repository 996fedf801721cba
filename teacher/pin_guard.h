// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings_files.h"

#include <QDateTime>
#include <QString>

#include <functional>

class QWidget;

namespace lumo::teacher {

class TeacherDialogs;

/// What the PIN is asked for when the window opens.
inline QString openWindowReason() {
    return QStringLiteral("เปิดหน้าต่างผลการทดสอบ");
}

/// Asks for the teacher's PIN, when one is set, before the teacher's window
/// opens and before every deletion. From the third wrong PIN in a row on,
/// the next try waits: 5 seconds, then twice as long each time, up to five
/// minutes, so that PINs cannot be tried one after another.
class PinGuard {
  public:
    using Clock = std::function<QDateTime()>;

    PinGuard(SettingsFiles files, TeacherDialogs &dialogs,
             Clock clock = &QDateTime::currentDateTimeUtc);

    /// True when no PIN is set or the teacher typed it; `what` says what it
    /// is asked for ("เปิดหน้าต่างผลการทดสอบ").
    bool allow(QWidget *parent, const QString &what);
    /// Whether a PIN is set now.
    bool pinSet() const;
    /// Seconds to wait before the next try; 0 when it may be tried now.
    int waitSeconds() const;

  private:
    SettingsFiles files_;
    TeacherDialogs &dialogs_;
    Clock clock_;
    int failures_ = 0;
    QDateTime notBefore_;
};

} // namespace lumo::teacher
