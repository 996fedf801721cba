// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/name_links.h"
#include "store/result_source.h"

#include <QLocale>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace lumo::teacher {

class DayPicker;
class GamesModel;
class PinGuard;
class ReadQueue;
class TeacherDialogs;

/// Every recorded game in a sortable table, filtered by name and days,
/// with export of the games shown and their answers, and deleting one
/// game or every game.
class GamesPage : public QWidget {
    Q_OBJECT
  public:
    GamesPage(ReadQueue &reads, TeacherDialogs &dialogs, PinGuard &pin, const QLocale &locale,
              QWidget *parent = nullptr);

    /// Reads from another place, within `scope` (a class list, a computer);
    /// on the server, deleting everyone's records is not offered.
    void setSource(ReadQueue &reads, const store::GameFilter &scope, bool server);
    /// The class list and the joined names, for the export's column of listed names.
    void setClassList(const QStringList &names, const NameLinks &links);
    /// Reads the games again with the current filter.
    void reload();
    store::GameFilter filter() const;
    /// How long the name filter waits after the last key before it reads.
    void setTypingPause(std::chrono::milliseconds pause) { typing_.setInterval(pause); }

    GamesModel *model() const { return model_; }
    QTableView *table() const { return table_; }

    /// The header and the rows as shown, in the order shown, names whole.
    QList<QStringList> shownRows() const;
    /// The games as shown, in the order shown.
    QList<store::GameRow> shownGames() const;
    /// Asks for a file and writes the games shown, in the order shown, and
    /// their answers: a workbook with a sheet of each (.xlsx), or two CSV
    /// files (the second named "...-คำตอบ.csv"). False when nothing was
    /// written; the teacher is told why.
    bool exportShownRows();
    /// Deletes the game selected, after the PIN and a yes.
    void deleteSelectedGame();
    /// Deletes every record, after the PIN and a yes.
    void deleteEverything();

  signals:
    /// A game's row was opened: show that child.
    void childChosen(const QString &name);
    void recordsDeleted();
    /// The games read for `filter`, as read.
    void gamesRead(const QList<lumo::store::GameRow> &games, const lumo::store::GameFilter &filter);

  private:
    bool writeExport(const QString &path, const QList<store::GameRow> &games,
                     const QList<store::AnswerRow> &answers);
    void deleteGames(const QString &question, std::function<int(store::ResultSource &)> remove);

    ReadQueue *reads_;
    store::GameFilter scope_;
    bool server_ = false;
    TeacherDialogs &dialogs_;
    PinGuard &pin_;
    QLocale locale_;
    QStringList classList_;
    NameLinks links_;
    GamesModel *model_;
    QSortFilterProxyModel *sorted_;
    QTableView *table_;
    QLineEdit *name_;
    QCheckBox *fromOn_;
    QCheckBox *toOn_;
    DayPicker *from_;
    DayPicker *to_;
    QLabel *count_;
    QPushButton *deleteOne_;
    QPushButton *deleteAll_;
    QTimer typing_;
};

} // namespace lumo::teacher
