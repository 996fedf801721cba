// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/game_facts.h"

#include "quiz/levels.h"

#include <cmath>

namespace lumo::teacher {

int firstQuestion(const store::GameRow &game) {
    return quiz::questionsBefore(std::clamp(game.startLevel, quiz::firstLevel, quiz::lastLevel)) +
           1;
}

Ending endingOf(const store::GameRow &game) {
    // Questions are marked in order, one after another, from the first.
    const bool lastMarked = firstQuestion(game) - 1 + game.answered >= quiz::lastQuestion;
    if (lastMarked || game.outcome == store::Outcome::Won)
        return Ending::AllDone;
    if (!game.outcome)
        return Ending::CutOff;
    switch (*game.outcome) {
    case store::Outcome::TimeOut:
        return Ending::TimeOut;
    case store::Outcome::Left:
        return Ending::Left;
    case store::Outcome::WindowClosed:
    case store::Outcome::Won:
        break;
    }
    return Ending::WindowClosed;
}

QString endingText(Ending ending) {
    switch (ending) {
    case Ending::AllDone:
        return QStringLiteral("ทำครบทุกข้อ");
    case Ending::TimeOut:
        return QStringLiteral("หมดเวลา");
    case Ending::Left:
        return QStringLiteral("ออกก่อนจบ");
    case Ending::WindowClosed:
        return QStringLiteral("ปิดหน้าต่างก่อนจบ");
    case Ending::CutOff:
        return QStringLiteral("ถูกตัดกลางคัน");
    }
    return {};
}

int secondsUsed(const store::GameRow &game) {
    if (!game.outcome || !game.clockSeconds) {
        // Nothing but the records tell: up to the last answer checked.
        const QDateTime last = game.lastAnswerUtc.isValid() ? game.lastAnswerUtc : game.endedUtc;
        return last.isValid() ? std::max<int>(0, int(game.startedUtc.secsTo(last))) : 0;
    }
    if (!game.clockMinutes)
        return std::max(0, *game.clockSeconds);
    // The countdown started at its minutes and gained each finished level's.
    int minutes = *game.clockMinutes;
    for (int level = std::max(game.startLevel, quiz::firstLevel);
         level < std::min(game.levelReached, quiz::lastLevel + 1); ++level)
        minutes += quiz::levels[level - 1].minutesAdded;
    return std::max(0, minutes * 60 - *game.clockSeconds);
}

QString durationText(int seconds) {
    seconds = std::max(0, seconds);
    const QString minutesAndSeconds = QStringLiteral("%1:%2")
                                          .arg(seconds / 3600 ? (seconds / 60) % 60 : seconds / 60,
                                               seconds / 3600 ? 2 : 1, 10, QLatin1Char('0'))
                                          .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return seconds / 3600 ? QStringLiteral("%1:%2").arg(seconds / 3600).arg(minutesAndSeconds)
                          : minutesAndSeconds;
}

std::optional<double> shareRight(const store::GameRow &game) {
    if (game.answered <= 0)
        return std::nullopt;
    return double(game.answeredRight) / game.answered;
}

QString percentText(double share, const QLocale &locale) {
    return locale.toString(int(std::lround(share * 100))) + QLatin1Char('%');
}

} // namespace lumo::teacher
