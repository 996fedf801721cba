// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/export_tables.h"

#include "teacher/game_facts.h"

namespace lumo::teacher {

namespace {

Cell number(double value) {
    return value;
}

Cell local(const QDateTime &utc) {
    return utc.isValid() ? Cell(utc.toLocalTime()) : Cell();
}

} // namespace

QString listedNameOf(const QString &player, const QStringList &classList, const NameLinks &links) {
    const QString trimmed = player.trimmed();
    if (classList.contains(trimmed))
        return trimmed;
    const QString joined = links.listedFor(player);
    return classList.contains(joined) ? joined : QString();
}

GamesTable::GamesTable(const QList<store::GameRow> &games, const QStringList &classList,
                       const NameLinks &links)
    : games_(games) {
    for (const store::GameRow &game : games)
        if (!listed_.contains(game.player))
            listed_.insert(game.player, listedNameOf(game.player, classList, links));
}

QString GamesTable::name() const {
    return QStringLiteral("เกม");
}

QList<ExportColumn> GamesTable::columns() const {
    return {{QStringLiteral("ชื่อ"), 24},
            {QStringLiteral("ชื่อในรายชื่อห้องเรียน"), 24},
            {QStringLiteral("เครื่อง"), 14},
            {QStringLiteral("เริ่มเล่นเมื่อ"), 20},
            {QStringLiteral("จบเมื่อ"), 20},
            {QStringLiteral("ระดับที่เริ่ม"), 10},
            {QStringLiteral("ข้อแรก"), 8},
            {QStringLiteral("ข้อที่ตอบ"), 10},
            {QStringLiteral("ข้อที่ถูก"), 10},
            {QStringLiteral("ข้อที่ผิด"), 10},
            {QStringLiteral("คะแนนถูก"), 10},
            {QStringLiteral("คะแนนผิด"), 10},
            {QStringLiteral("ระดับที่ถึง"), 10},
            {QStringLiteral("จบเกม"), 18},
            {QStringLiteral("เวลาที่ใช้ (วินาที)"), 12},
            {QStringLiteral("จับเวลา (นาที)"), 12},
            {QStringLiteral("รหัสเกม"), 38}};
}

void GamesTable::row(qsizetype r, QList<Cell> &cells) const {
    const store::GameRow &g = games_.at(r);
    cells = {g.player,
             listed_.value(g.player),
             g.computer,
             local(g.startedUtc),
             local(g.endedUtc),
             number(g.startLevel),
             number(firstQuestion(g)),
             number(g.answered),
             number(g.answeredRight),
             number(answeredWrong(g)),
             number(g.right),
             number(g.wrong),
             number(g.levelReached),
             endingText(endingOf(g)),
             number(secondsUsed(g)),
             g.clockMinutes ? number(*g.clockMinutes) : Cell(),
             g.id};
}

AnswersTable::AnswersTable(const QList<store::GameRow> &games,
                           const QList<store::AnswerRow> &answers)
    : answers_(answers), games_(games) {
    QHash<QString, QList<qsizetype>> byGame;
    for (qsizetype a = 0; a < answers.size(); ++a)
        byGame[answers[a].gameId].append(a);
    for (qsizetype g = 0; g < games.size(); ++g) {
        QList<qsizetype> mine = byGame.value(games[g].id);
        std::stable_sort(mine.begin(), mine.end(), [&](qsizetype x, qsizetype y) {
            return answers[x].question < answers[y].question;
        });
        for (qsizetype a : mine)
            order_.append({a, g});
    }
}

QString AnswersTable::name() const {
    return QStringLiteral("คำตอบ");
}

QList<ExportColumn> AnswersTable::columns() const {
    QList<ExportColumn> list{{QStringLiteral("ชื่อ"), 24},
                             {QStringLiteral("เริ่มเล่นเมื่อ"), 20},
                             {QStringLiteral("ข้อที่"), 8},
                             {QStringLiteral("ระดับ"), 8}};
    for (int g = 1; g <= 4; ++g)
        list << ExportColumn{QStringLiteral("แถว %1 มีรูป").arg(g), 10}
             << ExportColumn{QStringLiteral("แถว %1 ตอบ").arg(g), 10};
    list << ExportColumn{QStringLiteral("ผลรวม"), 8}
         << ExportColumn{QStringLiteral("ผลรวมที่ตอบ"), 10}
         << ExportColumn{QStringLiteral("ถูกทั้งข้อ"), 10}
         << ExportColumn{QStringLiteral("คะแนนถูก"), 10}
         << ExportColumn{QStringLiteral("คะแนนผิด"), 10}
         << ExportColumn{QStringLiteral("เวลาที่ใช้ (วินาที)"), 12}
         << ExportColumn{QStringLiteral("ตรวจเมื่อ"), 20}
         << ExportColumn{QStringLiteral("รหัสเกม"), 38};
    return list;
}

void AnswersTable::row(qsizetype r, QList<Cell> &cells) const {
    const auto [a, g] = order_.at(r);
    const store::AnswerRow &answer = answers_.at(a);
    const store::GameRow &game = games_.at(g);
    cells = {game.player, local(game.startedUtc), number(answer.question), number(answer.level)};
    for (int i = 0; i < 4; ++i) {
        if (i < answer.counts.size())
            cells << number(answer.counts[i])
                  << (i < answer.answers.size() ? number(answer.answers[i]) : Cell());
        else
            cells << Cell() << Cell();
    }
    cells << (answer.total ? number(*answer.total) : Cell())
          << (answer.answerTotal ? number(*answer.answerTotal) : Cell())
          << number(answer.pointsWrong == 0 ? 1 : 0) << number(answer.pointsRight)
          << number(answer.pointsWrong) << number(answer.seconds) << local(answer.checkedUtc)
          << game.id;
}

} // namespace lumo::teacher
