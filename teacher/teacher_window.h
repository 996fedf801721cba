// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/server_settings.h"
#include "settings/settings_files.h"
#include "store/status.h"
#include "sync/sync_status.h"

#include <QKeySequence>
#include <QLocale>
#include <QWidget>

#include <memory>

class QLabel;
class QTabWidget;

namespace lumo::store {
class ResultReader;
}

namespace lumo::teacher {

class ChildPage;
class GamesPage;
class ReadQueue;
class SettingsPage;
class SourceBar;
class TeacherDialogs;

/// The start screen's way into the teacher's window: four keys held at
/// once (Ctrl+Alt+Shift+T), which a child does not press by chance.
inline QKeySequence teacherShortcut() {
    return QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_T);
}

/// The teacher's window "ผลการทดสอบ": the recorded games, one child at a
/// time, the class settings, and a line saying whether results are saved.
/// The games come from this computer's store or, when the settings name a
/// school server, from the server: every computer's games, read on a
/// thread of their own while the window says "กำลังโหลด…". Children's
/// names are shown as plain text everywhere.
class TeacherWindow : public QWidget {
    Q_OBJECT
  public:
    TeacherWindow(const QString &storeFolder, const SettingsFiles &settings,
                  TeacherDialogs &dialogs, const QLocale &locale, QWidget *parent = nullptr);
    ~TeacherWindow() override;

    /// The game's recorder knows best whether results are being saved; in
    /// the game's process its status replaces what the window found itself.
    void showStoreStatus(const store::StoreStatus &status);
    /// The school sync's word on what waits to be sent and why; until one
    /// comes, the window counts what waits in the store itself.
    void showSyncStatus(const sync::SyncStatus &status);
    /// Reads every page again from where the games come from.
    void reload();
    void showChild(const QString &name);
    /// Reads from the school's server or from this computer; false when
    /// no server is set up. The server is connected to in the background:
    /// if it cannot be read, the window says why and goes back to this
    /// computer.
    bool readFromServer(bool server);
    /// Reads from the server are waiting to be answered.
    bool loading() const;

    GamesPage *gamesPage() const { return games_; }
    ChildPage *childPage() const { return child_; }
    SettingsPage *settingsPage() const { return settings_; }
    SourceBar *sourceBar() const { return bar_; }
    QTabWidget *tabs() const { return tabs_; }
    QLabel *statusLine() const { return status_; }
    QLabel *syncLine() const { return sync_; }
    /// "กำลังโหลด…", or why the last read from the server failed.
    QLabel *readLine() const { return readLine_; }

  signals:
    void settingsSaved(const lumo::ClassSettings &settings);
    /// The sync should take these from now on.
    void serverSettingsSaved(const lumo::ServerSettings &settings);
    /// Records were deleted from this computer's store: the sync should
    /// tell the server soon.
    void recordsDeleted();

  private:
    ReadQueue &reads() const;
    void useThisComputer();
    void showSource();
    void showReads();
    void applyScope();
    void setPagesScope();
    void useServerSettings(const ServerSettings &settings);
    void countWaiting();
    void deleted();

    TeacherDialogs &dialogs_;
    QLocale locale_;
    ServerSettings server_;
    std::unique_ptr<store::ResultReader> reader_;
    std::unique_ptr<ReadQueue> localReads_;
    /// Made afresh each time the server is chosen: it may have moved on.
    std::unique_ptr<ReadQueue> serverReads_;
    bool fromServer_ = false;
    QString readError_;
    store::StoreStatus storeStatus_;
    bool syncHeard_ = false;
    SourceBar *bar_;
    QTabWidget *tabs_;
    GamesPage *games_;
    ChildPage *child_;
    SettingsPage *settings_;
    QLabel *status_;
    QLabel *sync_;
    QLabel *readLine_;
};

} // namespace lumo::teacher
