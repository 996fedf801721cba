// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the exports hold, described once for the CSV files and the
// workbook alike: typed cells (text, numbers, local date-times), one table
// of games and one of their answers.

#include "settings/name_links.h"
#include "store/reader_types.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include <variant>

namespace lumo::teacher {

/// Empty, a person's or the program's text, a number, or a local date and time.
using Cell = std::variant<std::monostate, QString, double, QDateTime>;

struct ExportColumn {
    QString title;
    /// In characters, for the workbook.
    int width;
};

class ExportTable {
  public:
    virtual ~ExportTable() = default;
    /// The workbook's sheet, and the end of the CSV file's name.
    virtual QString name() const = 0;
    virtual QList<ExportColumn> columns() const = 0;
    virtual qsizetype rowCount() const = 0;
    /// The cells of row `r`, one per column.
    virtual void row(qsizetype r, QList<Cell> &cells) const = 0;
};

/// One row per game, in the order given.
class GamesTable final : public ExportTable {
  public:
    /// `classList` and `links` fill the column of the listed name each game counts for.
    GamesTable(const QList<store::GameRow> &games, const QStringList &classList,
               const NameLinks &links);

    QString name() const override;
    QList<ExportColumn> columns() const override;
    qsizetype rowCount() const override { return games_.size(); }
    void row(qsizetype r, QList<Cell> &cells) const override;

  private:
    const QList<store::GameRow> &games_;
    QHash<QString, QString> listed_;
};

/// One row per answer, the games in the order given, each game's answers
/// in question order; answers of other games are left out.
class AnswersTable final : public ExportTable {
  public:
    AnswersTable(const QList<store::GameRow> &games, const QList<store::AnswerRow> &answers);

    QString name() const override;
    QList<ExportColumn> columns() const override;
    qsizetype rowCount() const override { return order_.size(); }
    void row(qsizetype r, QList<Cell> &cells) const override;

  private:
    const QList<store::AnswerRow> &answers_;
    /// Each answer to write: its index in `answers_` and its game's.
    QList<std::pair<qsizetype, qsizetype>> order_;
    const QList<store::GameRow> &games_;
};

/// The listed name a player counts for: the name itself when it is on the
/// class list (spaces at either end aside), the name it is joined to, or
/// empty.
QString listedNameOf(const QString &player, const QStringList &classList, const NameLinks &links);

} // namespace lumo::teacher
