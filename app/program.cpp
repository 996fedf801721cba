// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program.h"

#include "platform/services.h"
#include "settings/server_settings.h"
#include "store/opening.h"

namespace lumo {

ProgramFolders ProgramFolders::standard() {
    return {store::defaultStoreFolder(), SettingsFiles::standard()};
}

quiz::Rules rulesFor(const ClassSettings &settings) {
    return {settings.startLevel, settings.clock ? settings.clockMinutes : 0};
}

Program::Program(Services &services, const ProgramFolders &folders,
                 teacher::TeacherDialogs &dialogs, const store::RecorderOptions &recorderOptions,
                 const sync::SyncOptions &syncOptions)
    : screens(services),
      sounds(screens, voice::VoiceFolders::beside(folders.store, folders.settings.systemFile,
                                                  services.programFolder())),
      recorder(folders.store, recorderOptions), recording(screens.quiz.game(), recorder, services),
      schoolSync(folders.store, readServerSettings(folders.settings), syncOptions),
      teacherAccess(screens, recorder, schoolSync, folders.store, folders.settings, dialogs,
                    services.locale()) {
    applySettings(readClassSettings(folders.settings));
    sounds.setSettings(readSoundSettings(folders.settings));
    // Each game goes to the school's server once its end is in the store:
    // sent any sooner, the server would get the game without its end and
    // hear of the rest only at the next retry.
    QObject::connect(&recorder, &store::GameRecorder::gameEndWritten, &schoolSync,
                     &sync::SchoolSync::syncSoon);
    QObject::connect(&teacherAccess, &TeacherAccess::settingsSaved, &screens,
                     [this](const ClassSettings &saved) { applySettings(saved); });
    QObject::connect(&teacherAccess, &TeacherAccess::soundSettingsSaved, &sounds,
                     &GameSounds::setSettings);
    QObject::connect(&teacherAccess, &TeacherAccess::voiceChanged, &sounds.voice,
                     &voice::Voice::reload);
}

void Program::applySettings(const ClassSettings &settings) {
    settings_ = settings;
    screens.quiz.setRules(rulesFor(settings));
    screens.start.setNameChoices(settings.classList);
    recording.setSettings(settings);
}

void Program::start(bool fullScreen) {
    screens.checkLayouts();
    // Fullscreen is for the start of a run; a later change of the setting
    // waits for the next run, and F11 still switches.
    if (fullScreen || settings_.fullscreen)
        screens.host.placement().setFullScreen(true);
    screens.start.show();
    schoolSync.start();
}

} // namespace lumo
