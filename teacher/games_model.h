// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/name_links.h"
#include "store/reader_types.h"

#include <QAbstractTableModel>
#include <QLocale>

namespace lumo::teacher {

/// The recorded games as a table. Cells are formatted when shown, so that
/// ten thousand games open at once; sorting goes by the raw values.
class GamesModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column {
        Name,
        Started,
        StartLevel,
        Answered,
        RightQuestions,
        WrongQuestions,
        RightPoints,
        WrongPoints,
        Level,
        Ending,
        Time,
        ColumnCount
    };
    static constexpr int sortRole = Qt::UserRole;

    explicit GamesModel(const QLocale &locale, QObject *parent = nullptr);

    void setGames(QList<store::GameRow> games);
    const QList<store::GameRow> &games() const { return games_; }
    const store::GameRow &game(int row) const { return games_.at(row); }
    /// Joined names are shown with the listed name they count as.
    void setNameLinks(const NameLinks &links);

    /// A cell's whole text: the name in full and verbatim.
    QString text(int row, int column) const;
    QStringList headers() const;
    /// The least width of each column, in average characters.
    static QList<int> leastWidths();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QLocale locale_;
    QList<store::GameRow> games_;
    NameLinks links_;
};

} // namespace lumo::teacher
