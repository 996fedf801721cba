#pragma once

#include "settings/settings_files.h"
#include "store/status.h"

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
class SettingsPage;
class TeacherDialogs;

/// The start screen's way into the teacher's window: four keys held at
/// once (Ctrl+Alt+Shift+T), which a child does not press by chance.
inline QKeySequence teacherShortcut() {
    return QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_T);
}

/// The teacher's window "ผลการทดสอบ": the recorded games, one child at a
/// time, the class settings, and a line saying whether results are saved.
/// Children's names are shown as plain text everywhere.
class TeacherWindow : public QWidget {
    Q_OBJECT
  public:
    TeacherWindow(const QString &storeFolder, const SettingsFiles &settings,
                  TeacherDialogs &dialogs, const QLocale &locale, QWidget *parent = nullptr);
    ~TeacherWindow() override;

    /// The game's recorder knows best whether results are being saved; in
    /// the game's process its status replaces what the window found itself.
    void showStoreStatus(const store::StoreStatus &status);
    /// Reads every page again from the store.
    void reload();
    void showChild(const QString &name);

    GamesPage *gamesPage() const { return games_; }
    ChildPage *childPage() const { return child_; }
    SettingsPage *settingsPage() const { return settings_; }
    QTabWidget *tabs() const { return tabs_; }
    QLabel *statusLine() const { return status_; }

  signals:
    void settingsSaved(const lumo::ClassSettings &settings);

  private:
    std::unique_ptr<store::ResultReader> reader_;
    QTabWidget *tabs_;
    GamesPage *games_;
    ChildPage *child_;
    SettingsPage *settings_;
    QLabel *status_;
};

} // namespace lumo::teacher
