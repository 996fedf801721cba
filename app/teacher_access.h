// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings_files.h"
#include "settings/sound_settings.h"
#include "teacher/teacher_window.h"

#include <QLocale>
#include <QObject>
#include <QPointer>

class QApplication;

namespace lumo {

class ScreenFlow;

namespace store {
class GameRecorder;
}
namespace sync {
class SchoolSync;
}
namespace teacher {
class TeacherDialogs;
}

/// The teacher's window beside the game, opened from the start screen with
/// teacher::teacherShortcut(). It is a window of its own: it counts as an
/// open screen, so the program goes on while it is open even with no game
/// screen, and its closing takes no game screen with it. It shows what the
/// game's recorder knows about the store.
class TeacherAccess : public QObject {
    Q_OBJECT
  public:
    TeacherAccess(ScreenFlow &screens, store::GameRecorder &recorder, sync::SchoolSync &schoolSync,
                  QString storeFolder, SettingsFiles settingsFiles,
                  teacher::TeacherDialogs &dialogs, QLocale locale, QObject *parent = nullptr);
    ~TeacherAccess() override;

    /// Opens the window, or brings it to the front if it is open. With a
    /// teacher's PIN set, the window opens only once it is typed.
    void open();
    /// The open window; null while it is closed.
    teacher::TeacherWindow *window() const { return window_; }

  signals:
    /// The teacher saved class settings: they are for the next game.
    void settingsSaved(const lumo::ClassSettings &settings);
    /// The teacher turned the sounds on or off or changed their volume.
    void soundSettingsSaved(const lumo::SoundSettings &settings);
    /// A clip of ปิโก's voice was recorded, deleted or imported.
    void voiceChanged();

  private:
    void addShortcutToStartScreen();

    ScreenFlow &screens_;
    store::GameRecorder &recorder_;
    sync::SchoolSync &schoolSync_;
    QString storeFolder_;
    SettingsFiles settingsFiles_;
    teacher::TeacherDialogs &dialogs_;
    QLocale locale_;
    /// Kept while the program runs: wrong PINs slow the next try.
    teacher::PinGuard pin_;
    QPointer<teacher::TeacherWindow> window_;
};

/// `lumo3 --results`: the teacher's window alone, on the user's store and
/// settings, once the teacher's PIN (when one is set) is typed; returns
/// when it is closed, with the program's exit code (1 when the PIN was not
/// typed).
int runTeacherWindowAlone(QApplication &app);

/// The teacher's window told what the sync to the school's server is doing,
/// and the sync told of deleted records and of another server.
void connectSchoolSync(teacher::TeacherWindow &window, sync::SchoolSync &schoolSync);

} // namespace lumo
