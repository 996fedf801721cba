// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/reader_types.h"

#include <QLocale>
#include <QTimer>
#include <QWidget>

#include <chrono>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace lumo::teacher {

class DayPicker;
class GamesModel;
class ReadQueue;
class TeacherDialogs;

/// Every recorded game in a sortable table, filtered by name and days,
/// with export of the rows shown and deleting every record.
class GamesPage : public QWidget {
    Q_OBJECT
  public:
    GamesPage(ReadQueue &reads, TeacherDialogs &dialogs, const QLocale &locale,
              QWidget *parent = nullptr);

    /// Reads from another place, within `scope` (a class list, a computer);
    /// on the server, deleting everyone's records is not offered.
    void setSource(ReadQueue &reads, const store::GameFilter &scope, bool server);
    /// Reads the games again with the current filter.
    void reload();
    store::GameFilter filter() const;
    /// How long the name filter waits after the last key before it reads.
    void setTypingPause(std::chrono::milliseconds pause) { typing_.setInterval(pause); }

    GamesModel *model() const { return model_; }
    QTableView *table() const { return table_; }

    /// The header and the rows as shown, in the order shown, names whole.
    QList<QStringList> shownRows() const;
    /// Asks for a file and writes the rows shown to it as CSV.
    bool exportShownRows();
    /// Deletes every record after the teacher confirms.
    void deleteEverything();

  signals:
    /// A game's row was opened: show that child.
    void childChosen(const QString &name);
    void recordsDeleted();

  private:
    ReadQueue *reads_;
    store::GameFilter scope_;
    bool server_ = false;
    TeacherDialogs &dialogs_;
    QLocale locale_;
    GamesModel *model_;
    QSortFilterProxyModel *sorted_;
    QTableView *table_;
    QLineEdit *name_;
    QCheckBox *fromOn_;
    QCheckBox *toOn_;
    DayPicker *from_;
    DayPicker *to_;
    QLabel *count_;
    QPushButton *deleteAll_;
    QTimer typing_;
};

} // namespace lumo::teacher
