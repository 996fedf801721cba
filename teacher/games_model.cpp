// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/games_model.h"

#include "platform/controls.h"
#include "teacher/texts.h"

namespace lumo::teacher {

namespace {
// A name is shown on one line and cut short if it is very long; the
// export keeps it whole.
QString shownName(const QString &name) {
    QString line = name;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return shortenLongLines(line, 60);
}
} // namespace

GamesModel::GamesModel(const QLocale &locale, QObject *parent)
    : QAbstractTableModel(parent), locale_(locale) {}

void GamesModel::setGames(QList<store::GameRow> games) {
    beginResetModel();
    games_ = std::move(games);
    endResetModel();
}

QStringList GamesModel::headers() const {
    return {QStringLiteral("ชื่อ"),   QStringLiteral("วันและเวลา"), QStringLiteral("ผล"),
            QStringLiteral("ข้อที่"),  QStringLiteral("ทำถูก"),      QStringLiteral("ทำผิด"),
            QStringLiteral("ระดับ"), QStringLiteral("เวลา")};
}

QString GamesModel::text(int row, int column) const {
    const store::GameRow &g = games_.at(row);
    switch (column) {
    case Name:
        return g.player;
    case Started:
        return startedText(g.startedUtc, locale_);
    case Result:
        return outcomeText(g.outcome);
    case Question:
        return locale_.toString(g.questions);
    case Right:
        return locale_.toString(g.right);
    case Wrong:
        return locale_.toString(g.wrong);
    case Level:
        return locale_.toString(g.levelReached);
    case Time:
        return clockText(g);
    }
    return {};
}

int GamesModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(games_.size());
}

int GamesModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant GamesModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= games_.size())
        return {};
    const store::GameRow &g = games_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == Name ? shownName(g.player) : text(index.row(), index.column());
    case Qt::ToolTipRole:
        return index.column() == Name ? QVariant(shortenLongLines(g.player, 500)) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() >= Question && index.column() <= Level
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case sortRole:
        switch (index.column()) {
        case Name:
            return g.player;
        case Started:
            return g.startedUtc.toMSecsSinceEpoch();
        case Result:
            return g.outcome ? static_cast<int>(*g.outcome) : -1;
        case Question:
            return g.questions;
        case Right:
            return g.right;
        case Wrong:
            return g.wrong;
        case Level:
            return g.levelReached;
        case Time:
            return g.clockSeconds.value_or(-1);
        }
        break;
    default:
        break;
    }
    return {};
}

QVariant GamesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount)
        return headers().at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace lumo::teacher
