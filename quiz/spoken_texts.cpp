// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/spoken_texts.h"

#include "quiz/texts.h"

#include <QStringList>

namespace lumo::quiz {

QString spokenCaption(const QString &caption) {
    QStringList heard;
    for (const QString &line :
         QString(caption).replace(crlf, QStringLiteral("\n")).split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && trimmed.count(QLatin1Char('-')) != trimmed.size())
            heard.append(trimmed);
    }
    return heard.join(QLatin1Char('\n'));
}

QString spokenSlot(const QString &slotName, const QString &caption) {
    return slotName + QStringLiteral(": ") + (caption.isEmpty() ? QStringLiteral("ว่าง") : caption);
}

QString spokenCounter(const QString &counterName, int count) {
    return counterName + QStringLiteral(": ") + QString::number(count);
}

QString spokenQuestion(const Game::Question &question) {
    QStringList lines{QStringLiteral("ข้อที่ %1").arg(question.number)};
    for (int g = 1; g <= question.groups; ++g)
        lines.append(QStringLiteral("แถวที่ %1: %2 รูป").arg(g).arg(question.counts[g - 1]));
    if (question.number == questionsBefore(question.level) + 1)
        lines.append(levelHint(question.level));
    return lines.join(QLatin1Char('\n'));
}

QString spokenClock(const Game &game) {
    const auto minutesAndSeconds = [](int minutes, int seconds) {
        // The countdown shows a whole minute as "m 60" before its first tick.
        if (seconds >= 60) {
            minutes += seconds / 60;
            seconds %= 60;
        }
        QString text = QStringLiteral("%1 นาที").arg(minutes);
        if (seconds > 0)
            text += QStringLiteral(" %1 วินาที").arg(seconds);
        return text;
    };
    if (!game.rules().countsDown())
        return QStringLiteral("ใช้เวลาไป ") +
               minutesAndSeconds(game.secondsUsed() / 60, game.secondsUsed() % 60);
    return QStringLiteral("เหลือเวลา ") + minutesAndSeconds(game.minutesLeft(), game.secondsLeft());
}

QString spokenClockRaised(const Game &game, int minutesAdded) {
    return QStringLiteral("ได้เวลาเพิ่ม %1 นาที").arg(minutesAdded) + QLatin1Char('\n') +
           spokenClock(game);
}

QString spokenMark(int g, const Game::Mark &mark) {
    const QString where = g <= 4 ? QStringLiteral("แถวที่ %1").arg(g) : QStringLiteral("ผลรวม");
    if (mark.right)
        return where + QStringLiteral(": ถูก");
    return where + QStringLiteral(": ผิด คำตอบที่ถูกคือ %1").arg(mark.expected);
}

QString spokenSelection(const QString &tileName) {
    return QStringLiteral("เลือก ") + tileName;
}

} // namespace lumo::quiz
