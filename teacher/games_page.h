#pragma once

#include "store/reader.h"

#include <QLocale>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QTableView;

namespace lumo::teacher {

class DayPicker;
class GamesModel;
class TeacherDialogs;

/// Every recorded game in a sortable table, filtered by name and days,
/// with export of the rows shown and deleting every record.
class GamesPage : public QWidget {
    Q_OBJECT
  public:
    GamesPage(store::ResultReader &reader, TeacherDialogs &dialogs, const QLocale &locale,
              QWidget *parent = nullptr);

    /// Reads the games again with the current filter.
    void reload();
    store::GameFilter filter() const;

    GamesModel *model() const { return model_; }
    QTableView *table() const { return table_; }

    /// The header and the rows as shown, in the order shown, names whole.
    QList<QStringList> shownRows() const;
    /// Asks for a file and writes the rows shown to it as CSV.
    bool exportShownRows();
    /// Deletes every record after the teacher confirms.
    bool deleteEverything();

  signals:
    /// A game's row was opened: show that child.
    void childChosen(const QString &name);
    void recordsDeleted();

  private:
    store::ResultReader &reader_;
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
};

} // namespace lumo::teacher
