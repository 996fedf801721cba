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
class QSpinBox;

namespace lumo::teacher {

class TeacherDialogs;

/// The class settings, saved as this user's own; the computer's file (set
/// up once for a whole room) is named, not edited.
class SettingsPage : public QWidget {
    Q_OBJECT
  public:
    SettingsPage(const SettingsFiles &files, TeacherDialogs &dialogs, QWidget *parent = nullptr);

    ClassSettings shown() const;
    void show(const ClassSettings &settings);
    ServerSettings shownServer() const;
    void showServer(const ServerSettings &settings);
    /// Writes what is shown to the user's settings file.
    bool save();

  signals:
    void settingsSaved(const lumo::ClassSettings &settings);
    void serverSettingsSaved(const lumo::ServerSettings &settings);

  private:
    void showFirstQuestion();

    SettingsFiles files_;
    TeacherDialogs &dialogs_;
    QSpinBox *level_;
    QLabel *firstQuestion_;
    QCheckBox *clock_;
    QSpinBox *minutes_;
    QCheckBox *fullscreen_;
    QPlainTextEdit *names_;
    QLineEdit *host_;
    QSpinBox *port_;
    QLineEdit *database_;
    QLineEdit *user_;
    QLineEdit *service_;
};

} // namespace lumo::teacher
