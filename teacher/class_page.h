// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/name_links.h"
#include "settings/settings_files.h"
#include "teacher/class_overview.h"

#include <QLocale>
#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;
class QTableWidget;

namespace lumo::teacher {

class ClassModel;
class ReadQueue;

/// The class at a glance: one row per child on the class list, who has not
/// played yet, their last game, the level reached, the share of questions
/// right and the trend over their last games. Names typed that are on no
/// list are shown below it, with a way to join each to a listed child;
/// the games keep the name as it was typed.
class ClassPage : public QWidget {
    Q_OBJECT
  public:
    ClassPage(ReadQueue &reads, const SettingsFiles &files, const QLocale &locale,
              QWidget *parent = nullptr);

    /// Reads from another place, within `scope`'s computer.
    void setSource(ReadQueue &reads, const store::GameFilter &scope);
    void setClassList(const QStringList &names);
    /// Games another page read with this page's scope and nothing more:
    /// taken instead of reading them again.
    void offerGames(const QList<store::GameRow> &games, const store::GameFilter &filter);
    /// Reads the games if nothing was offered since the source changed.
    void readIfStale();

    /// Joins the name typed to a listed child and keeps the join in the
    /// user's settings; false if it could not be saved.
    bool join(const QString &typed, const QString &listed);
    bool separate(const QString &typed);

    const ClassOverview &overview() const { return overview_; }
    const NameLinks &links() const { return links_; }
    ClassModel *model() const { return model_; }
    QTableView *table() const { return table_; }

  signals:
    /// A listed child's row was opened.
    void childChosen(const QString &listed);
    /// Names were joined or separated.
    void linksChanged(const lumo::NameLinks &links);
    /// The names on no list (and their games) may have changed.
    void overviewChanged();

  private:
    void takeGames(const QList<store::GameRow> &games);
    void refresh();
    void showLinks();
    bool saveLinks(const NameLinks &links);

    ReadQueue *reads_;
    SettingsFiles files_;
    QLocale locale_;
    store::GameFilter scope_;
    QStringList classList_;
    NameLinks links_;
    QList<store::GameRow> games_;
    ClassOverview overview_;
    bool stale_ = true;
    ClassModel *model_;
    QTableView *table_;
    QLabel *empty_;
    QLabel *counts_;
    QGroupBox *unlistedBox_;
    QTableWidget *unlisted_;
    QComboBox *joinTo_;
    QPushButton *joinButton_;
    QGroupBox *joinedBox_;
    QListWidget *joined_;
    QPushButton *separateButton_;
    QLabel *saved_;
};

} // namespace lumo::teacher
