// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/server_settings.h"
#include "settings/settings_files.h"
#include "store/status.h"
#include "sync/sync_status.h"
#include "teacher/pin_guard.h"

#include <QKeySequence>
#include <QLocale>
#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;
class QTabWidget;

namespace lumo::store {
class ResultReader;
}

namespace lumo::teacher {

class BinPage;
class ChildPage;
class ClassPage;
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

/// The teacher's window "ผลการทดสอบ": the class at a glance (its first page
/// when a class list is set), the recorded games, one child at a time, the
/// bin of deleted games, the class settings, and a line saying whether
/// results are saved. The games come from this computer's store or, when
/// the settings name a school server, from the server: every computer's
/// games, read on a thread of their own while the window says
/// "กำลังโหลด…". Children's names are shown as plain text everywhere. With
/// a teacher's PIN set, every deletion asks for it.
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
    /// Takes back the games the last deletion put in the bin.
    void undoDeletion();

    ClassPage *classPage() const { return class_; }
    GamesPage *gamesPage() const { return games_; }
    ChildPage *childPage() const { return child_; }
    BinPage *binPage() const { return bin_; }
    SettingsPage *settingsPage() const { return settings_; }
    SourceBar *sourceBar() const { return bar_; }
    QTabWidget *tabs() const { return tabs_; }
    QLabel *statusLine() const { return status_; }
    QLabel *syncLine() const { return sync_; }
    /// "กำลังโหลด…", or why the last read from the server failed.
    QLabel *readLine() const { return readLine_; }
    /// What the last deletion put in the bin, with a button to take it back.
    QWidget *notice() const { return notice_; }
    QLabel *noticeLine() const { return noticeLine_; }

  signals:
    void settingsSaved(const lumo::ClassSettings &settings);
    /// Records were deleted from this computer's store, or taken back from
    /// its bin: the sync should tell the server soon.
    void recordsDeleted();

  private:
    ReadQueue &reads() const;
    void useThisComputer();
    void showSource();
    void showReads();
    void applyScope();
    void setPagesScope();
    void countWaiting();
    void deleted();
    void restored();
    void showClassList(const QStringList &names);

    TeacherDialogs &dialogs_;
    QLocale locale_;
    SettingsFiles files_;
    ServerSettings server_;
    PinGuard pin_;
    std::unique_ptr<store::ResultReader> reader_;
    std::unique_ptr<ReadQueue> localReads_;
    /// Made afresh each time the server is chosen: it may have moved on.
    std::unique_ptr<ReadQueue> serverReads_;
    bool fromServer_ = false;
    QString readError_;
    store::StoreStatus storeStatus_;
    bool syncHeard_ = false;
    QStringList classList_;
    /// The games the last deletion put in the bin.
    QStringList lastDeleted_;
    SourceBar *bar_;
    QTabWidget *tabs_;
    ClassPage *class_;
    GamesPage *games_;
    ChildPage *child_;
    BinPage *bin_;
    SettingsPage *settings_;
    QWidget *notice_;
    QLabel *noticeLine_;
    QPushButton *undo_;
    QLabel *status_;
    QLabel *sync_;
    QLabel *readLine_;
};

} // namespace lumo::teacher
