// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/class_model.h"

#include "teacher/game_facts.h"
#include "teacher/texts.h"

#include <QBrush>
#include <QColor>

namespace lumo::teacher {

ClassModel::ClassModel(const QLocale &locale, QObject *parent)
    : QAbstractTableModel(parent), locale_(locale) {}

void ClassModel::setChildren(QList<ChildOverview> children) {
    beginResetModel();
    children_ = std::move(children);
    endResetModel();
}

QList<int> ClassModel::leastWidths() {
    return {24, 10, 26, 8, 18, 22};
}

QString ClassModel::text(int row, int column) const {
    const ChildOverview &c = children_.at(row);
    if (c.games == 0)
        return column == Name    ? oneLineName(c.listed)
               : column == Games ? QStringLiteral("ยังไม่ได้เล่น")
                                 : QString();
    switch (column) {
    case Name: {
        QStringList others;
        for (const QString &name : c.names)
            if (name.trimmed() != c.listed)
                others << QStringLiteral("\"%1\"").arg(oneLineName(name, 30));
        return others.isEmpty()
                   ? oneLineName(c.listed)
                   : QStringLiteral("%1 (รวม %2)")
                         .arg(oneLineName(c.listed), others.join(QStringLiteral(", ")));
    }
    case Games:
        return QStringLiteral("%1 ครั้ง").arg(locale_.toString(c.games));
    case Last:
        return QStringLiteral("%1 (%2)").arg(startedText(c.last->startedUtc, locale_),
                                             endingText(endingOf(*c.last)));
    case Level:
        return locale_.toString(c.levelReached);
    case Right:
        if (c.answered == 0)
            return QStringLiteral("ยังไม่ได้ตอบ");
        return QStringLiteral("%1 (%2 จาก %3 ข้อ)")
            .arg(percentText(double(c.answeredRight) / c.answered, locale_),
                 locale_.toString(c.answeredRight), locale_.toString(c.answered));
    case Recent: {
        QStringList shares;
        for (double share : c.recentShares)
            shares << percentText(share, locale_);
        const QString word = trendText(trendOf(c.recentShares));
        return shares.size() < 2
                   ? word
                   : QStringLiteral("%1 (%2)").arg(word, shares.join(QStringLiteral(" → ")));
    }
    }
    return {};
}

int ClassModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(children_.size());
}

int ClassModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ClassModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= children_.size())
        return {};
    const ChildOverview &c = children_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::ToolTipRole:
        if (index.column() == Name)
            return QStringList(c.names.isEmpty() ? QStringList{c.listed} : c.names)
                .replaceInStrings(QStringLiteral("\n"), QStringLiteral(" "))
                .join(QLatin1Char('\n'));
        if (index.column() == Recent)
            return QStringLiteral("ข้อที่ตอบถูกใน %1 ครั้งหลังสุด เก่าไปใหม่").arg(trendGames);
        return {};
    case Qt::BackgroundRole:
        // Who has not played yet stands out.
        return c.games == 0 ? QVariant(QBrush(QColor(255, 236, 204))) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == Level ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                       : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case sharesRole: {
        QVariantList shares;
        for (double share : c.recentShares)
            shares << share;
        return shares;
    }
    default:
        return {};
    }
}

QVariant ClassModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const QStringList titles{QStringLiteral("ชื่อ"),      QStringLiteral("เล่นแล้ว"),
                                    QStringLiteral("ครั้งล่าสุด"), QStringLiteral("ถึงระดับ"),
                                    QStringLiteral("ตอบถูก"),   QStringLiteral("แนวโน้ม")};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount)
        return titles.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace lumo::teacher
