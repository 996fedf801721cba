// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/game_sounds.h"
#include "app/results_recording.h"
#include "app/screen_flow.h"
#include "app/teacher_access.h"
#include "settings/settings_files.h"
#include "store/recorder.h"
#include "sync/school_sync.h"

#include <QString>

namespace lumo {

namespace teacher {
class TeacherDialogs;
}

/// Where the program keeps what outlives it. The program uses the user's
/// own folders; tests hand in temporary ones.
struct ProgramFolders {
    /// The results store's folder.
    QString store;
    /// The computer's and the user's class settings files.
    SettingsFiles settings;

    /// The user's: store::defaultStoreFolder() and SettingsFiles::standard().
    static ProgramFolders standard();
};

/// The whole game as main() puts it together: the two screens, played by
/// the class settings, every game recorded, and the teacher's window
/// reachable from the start screen.
class Program {
  public:
    Program(Services &services, const ProgramFolders &folders, teacher::TeacherDialogs &dialogs,
            const store::RecorderOptions &recorderOptions = {},
            const sync::SyncOptions &syncOptions = {});

    /// Opens the start screen, fullscreen if the settings or `fullScreen` ask.
    void start(bool fullScreen = false);

    /// Makes `settings` the ones the next game is played with.
    void applySettings(const ClassSettings &settings);
    const ClassSettings &settings() const { return settings_; }

    ScreenFlow screens;
    /// What the child hears, as loud as the class's settings allow.
    GameSounds sounds;
    store::GameRecorder recorder;
    ResultsRecording recording;
    /// Sends the recorded games to the school's server, where one is set up.
    sync::SchoolSync schoolSync;
    TeacherAccess teacherAccess;

  private:
    ClassSettings settings_;
};

/// The quiz's rules for a class's settings.
quiz::Rules rulesFor(const ClassSettings &settings);

} // namespace lumo
