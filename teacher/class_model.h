// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/class_overview.h"

#include <QAbstractTableModel>
#include <QLocale>

namespace lumo::teacher {

/// The class list as a table: one row per listed child, whether and how
/// the child has played.
class ClassModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Name, Games, Last, Level, Right, Recent, ColumnCount };
    /// The recent shares (QVariantList of double) for drawing the trend.
    static constexpr int sharesRole = Qt::UserRole + 1;

    explicit ClassModel(const QLocale &locale, QObject *parent = nullptr);

    void setChildren(QList<ChildOverview> children);
    const ChildOverview &child(int row) const { return children_.at(row); }
    static QList<int> leastWidths();

    /// A cell's text as shown.
    QString text(int row, int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QLocale locale_;
    QList<ChildOverview> children_;
};

} // namespace lumo::teacher
