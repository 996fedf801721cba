// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/teacher_access.h"

#include "app/screen_flow.h"
#include "settings/server_settings.h"
#include "store/opening.h"
#include "store/recorder.h"
#include "sync/school_sync.h"
#include "teacher/dialogs.h"
#include "teacher/qt_thai.h"
#include "teacher/teacher_window.h"
#include "teacher/voice_page.h"

#include <QApplication>
#include <QShortcut>

namespace lumo {

TeacherAccess::TeacherAccess(ScreenFlow &screens, store::GameRecorder &recorder,
                             sync::SchoolSync &schoolSync, QString storeFolder,
                             SettingsFiles settingsFiles, teacher::TeacherDialogs &dialogs,
                             QLocale locale, QObject *parent)
    : QObject(parent), screens_(screens), recorder_(recorder), schoolSync_(schoolSync),
      storeFolder_(std::move(storeFolder)), settingsFiles_(std::move(settingsFiles)),
      dialogs_(dialogs), locale_(std::move(locale)), pin_(settingsFiles_, dialogs_) {
    connect(&screens_.start, &Screen::windowOpened, this, &TeacherAccess::addShortcutToStartScreen);
    if (screens_.start.isOpen())
        addShortcutToStartScreen();
}

TeacherAccess::~TeacherAccess() {
    // The program is ending: the window goes without being counted out.
    if (window_) {
        window_->disconnect(this);
        delete window_.data();
    }
}

void TeacherAccess::addShortcutToStartScreen() {
    // Made afresh with each start screen window, and gone with it: only the
    // start screen opens the teacher's window, never a game in progress.
    auto *shortcut = new QShortcut(teacher::teacherShortcut(), screens_.start.window());
    connect(shortcut, &QShortcut::activated, this, &TeacherAccess::open);
}

void TeacherAccess::open() {
    if (window_) {
        window_->showNormal();
        window_->raise();
        window_->activateWindow();
        return;
    }
    teacher::installQtThai(locale_);
    if (!pin_.allow(screens_.start.window(), teacher::openWindowReason()))
        return;
    window_ = new teacher::TeacherWindow(storeFolder_, settingsFiles_, dialogs_, locale_);
    window_->setAttribute(Qt::WA_DeleteOnClose);
    // What the game's writer found out is newer than what the window read.
    if (recorder_.status().state != store::StoreStatus::State::Opening)
        window_->showStoreStatus(recorder_.status());
    connect(&recorder_, &store::GameRecorder::statusChanged, window_.data(),
            &teacher::TeacherWindow::showStoreStatus);
    connect(window_.data(), &teacher::TeacherWindow::settingsSaved, this,
            &TeacherAccess::settingsSaved);
    connectSchoolSync(*window_, schoolSync_);
    if (auto *voicePage = window_->findChild<teacher::VoicePage *>()) {
        connect(voicePage, &teacher::VoicePage::soundSettingsSaved, this,
                &TeacherAccess::soundSettingsSaved);
        connect(voicePage, &teacher::VoicePage::voiceChanged, this, &TeacherAccess::voiceChanged);
    }
    screens_.host.opened();
    connect(window_.data(), &QObject::destroyed, this, [this] { screens_.host.closed(); });
    window_->show();
}

void connectSchoolSync(teacher::TeacherWindow &window, sync::SchoolSync &schoolSync) {
    window.showSyncStatus(schoolSync.status());
    QObject::connect(&schoolSync, &sync::SchoolSync::statusChanged, &window,
                     &teacher::TeacherWindow::showSyncStatus);
    QObject::connect(&window, &teacher::TeacherWindow::recordsDeleted, &schoolSync,
                     &sync::SchoolSync::syncSoon);
}

int runTeacherWindowAlone(QApplication &app) {
    teacher::RealTeacherDialogs dialogs;
    const SettingsFiles settings = SettingsFiles::standard();
    teacher::installQtThai(QLocale::system());
    teacher::PinGuard pin(settings, dialogs);
    if (!pin.allow(nullptr, teacher::openWindowReason()))
        return 1;
    // What waits to be sent to the school's server goes while the window is open.
    sync::SchoolSync schoolSync(store::defaultStoreFolder(), readServerSettings(settings));
    teacher::TeacherWindow window(store::defaultStoreFolder(), settings, dialogs,
                                  QLocale::system());
    connectSchoolSync(window, schoolSync);
    schoolSync.start();
    // The game's screens keep the program running themselves; here the one
    // window is the program.
    app.setQuitOnLastWindowClosed(true);
    window.show();
    return app.exec();
}

} // namespace lumo
