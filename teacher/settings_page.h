// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/server_settings.h"
#include "settings/settings_files.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace lumo::teacher {

class PinGuard;
class TeacherDialogs;

/// The class settings, saved as this user's own; the computer's file (set
/// up once for a whole room) is named, not edited. The teacher's PIN is
/// set or removed here. Where results are sent is the school's IT
/// person's, in the computer's file: it is only named here.
class SettingsPage : public QWidget {
    Q_OBJECT
  public:
    SettingsPage(const SettingsFiles &files, TeacherDialogs &dialogs, PinGuard &pin,
                 QWidget *parent = nullptr);

    ClassSettings shown() const;
    void show(const ClassSettings &settings);
    /// Writes what is shown to the user's settings file, and says so.
    bool save();
    /// Reads names from a text file chosen by the teacher into the class
    /// list shown (not saved yet): UTF-8, UTF-16 or Thai TIS-620, one name
    /// a line.
    bool importNames();
    /// Sets the PIN typed twice, or removes the user's PIN; the PIN set
    /// before is asked for first.
    bool setPin();
    bool removePin();

    /// "บันทึกแล้ว…", or why not.
    QLabel *savedLine() const { return saved_; }
    QLabel *pinLine() const { return pinState_; }

  signals:
    void settingsSaved(const lumo::ClassSettings &settings);

  private:
    void showFirstQuestion();
    void showPin();
    void showServer();

    SettingsFiles files_;
    TeacherDialogs &dialogs_;
    PinGuard &pin_;
    QSpinBox *level_;
    QLabel *firstQuestion_;
    QCheckBox *clock_;
    QSpinBox *minutes_;
    QCheckBox *fullscreen_;
    QPlainTextEdit *names_;
    QLabel *saved_;
    QLabel *pinState_;
    QLineEdit *newPin_;
    QLineEdit *repeatPin_;
    QPushButton *setPin_;
    QPushButton *removePin_;
    QLabel *server_;
};

} // namespace lumo::teacher
