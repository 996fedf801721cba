// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/reader.h"

#include <QAbstractTableModel>
#include <QLocale>

namespace lumo::teacher {

/// The recorded games as a table. Cells are formatted when shown, so that
/// ten thousand games open at once; sorting goes by the raw values.
class GamesModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Name, Started, Result, Question, Right, Wrong, Level, Time, ColumnCount };
    static constexpr int sortRole = Qt::UserRole;

    explicit GamesModel(const QLocale &locale, QObject *parent = nullptr);

    void setGames(QList<store::GameRow> games);
    const store::GameRow &game(int row) const { return games_.at(row); }

    /// A cell's whole text, as exported: the name in full and verbatim.
    QString text(int row, int column) const;
    QStringList headers() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QLocale locale_;
    QList<store::GameRow> games_;
};

} // namespace lumo::teacher
