// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/games_model.h"

#include "teacher/game_facts.h"
#include "teacher/texts.h"

namespace lumo::teacher {

namespace {

struct Heading {
    const char16_t *title;
    const char16_t *tip;
    int least;
};

constexpr Heading headings[GamesModel::ColumnCount] = {
    {u"ชื่อ", u"ชื่อตามที่พิมพ์ตอนเริ่มเกม", 20},
    {u"วันและเวลา", u"วันและเวลาที่เริ่มเล่น", 17},
    {u"เริ่มระดับ", u"ระดับที่เกมเริ่ม", 7},
    {u"ตอบ (ข้อ)", u"จำนวนข้อที่ตรวจคำตอบแล้ว", 7},
    {u"ถูก (ข้อ)", u"ข้อที่ตอบถูกทุกช่อง", 7},
    {u"ผิด (ข้อ)", u"ข้อที่ตอบผิดอย่างน้อยหนึ่งช่อง", 7},
    {u"คะแนนถูก", u"คะแนน \"ทำถูก\" ที่เกมแสดง", 7},
    {u"คะแนนผิด", u"คะแนน \"ทำผิด\" ที่เกมแสดง", 7},
    {u"ถึงระดับ", u"ระดับสูงสุดที่ไปถึง", 7},
    {u"จบเกม",
     u"ทำครบทุกข้อ หมดเวลา ออกก่อนจบ ปิดหน้าต่างก่อนจบ หรือถูกตัดกลางคัน "
     u"(เช่น ไฟดับ)",
     13},
    {u"เวลาที่ใช้", u"นาที:วินาที", 8},
};

bool isNumber(int column) {
    return column >= GamesModel::StartLevel && column <= GamesModel::Level;
}

} // namespace

GamesModel::GamesModel(const QLocale &locale, QObject *parent)
    : QAbstractTableModel(parent), locale_(locale) {}

void GamesModel::setGames(QList<store::GameRow> games) {
    beginResetModel();
    games_ = std::move(games);
    endResetModel();
}

void GamesModel::setNameLinks(const NameLinks &links) {
    links_ = links;
    if (!games_.isEmpty())
        emit dataChanged(index(0, Name), index(int(games_.size()) - 1, Name));
}

QStringList GamesModel::headers() const {
    QStringList titles;
    for (const Heading &h : headings)
        titles << QString::fromUtf16(h.title);
    return titles;
}

QList<int> GamesModel::leastWidths() {
    QList<int> widths;
    for (const Heading &h : headings)
        widths << h.least;
    return widths;
}

QString GamesModel::text(int row, int column) const {
    const store::GameRow &g = games_.at(row);
    switch (column) {
    case Name:
        return g.player;
    case Started:
        return startedText(g.startedUtc, locale_);
    case StartLevel:
        return locale_.toString(g.startLevel);
    case Answered:
        return locale_.toString(g.answered);
    case RightQuestions:
        return locale_.toString(g.answeredRight);
    case WrongQuestions:
        return locale_.toString(answeredWrong(g));
    case RightPoints:
        return locale_.toString(g.right);
    case WrongPoints:
        return locale_.toString(g.wrong);
    case Level:
        return locale_.toString(g.levelReached);
    case Ending:
        return endingText(endingOf(g));
    case Time:
        return durationText(secondsUsed(g));
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
        return index.column() == Name ? oneLineName(g.player) : text(index.row(), index.column());
    case Qt::ToolTipRole:
        if (index.column() == Name) {
            const QString listed = links_.listedFor(g.player);
            QString tip = oneLineName(g.player, 500);
            if (!listed.isEmpty())
                tip += QStringLiteral("\n(นับรวมกับ %1 ในรายชื่อห้องเรียน)").arg(oneLineName(listed));
            return tip;
        }
        if (index.column() == Ending && endingOf(g) == teacher::Ending::CutOff)
            return QStringLiteral("ไม่มีบันทึกการจบเกม เช่น ไฟดับหรือเครื่องค้าง: "
                                  "นับเวลาถึงข้อสุดท้ายที่ตรวจ");
        return {};
    case Qt::TextAlignmentRole:
        return isNumber(index.column()) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                        : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case sortRole:
        switch (index.column()) {
        case Name:
            return g.player;
        case Started:
            return g.startedUtc.toMSecsSinceEpoch();
        case StartLevel:
            return g.startLevel;
        case Answered:
            return g.answered;
        case RightQuestions:
            return g.answeredRight;
        case WrongQuestions:
            return answeredWrong(g);
        case RightPoints:
            return g.right;
        case WrongPoints:
            return g.wrong;
        case Level:
            return g.levelReached;
        case Ending:
            return static_cast<int>(endingOf(g));
        case Time:
            return secondsUsed(g);
        }
        break;
    default:
        break;
    }
    return {};
}

QVariant GamesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section >= 0 && section < ColumnCount) {
        if (role == Qt::DisplayRole)
            return QString::fromUtf16(headings[section].title);
        if (role == Qt::ToolTipRole)
            return QString::fromUtf16(headings[section].tip);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace lumo::teacher
