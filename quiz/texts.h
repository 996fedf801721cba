#pragma once

// The quiz screen's texts and its small pieces of arithmetic, kept apart
// from the widgets so that they can be checked on their own.

#include <QString>

#include <array>
#include <cstdint>

namespace lumo::quiz {

inline const QString crlf = QStringLiteral("\r\n");

/// Greeting and ready text shown when the screen opens.
QString greeting(const QString &name);

/// The hint shown with each new question; empty for a level outside 1 to 4.
QString levelHint(int level);

/// "ข้อที่ 3 ทำถูก 5 ทำผิด 1 ระดับ 1"
QString scoreLine(int questionNo, int rightCount, int wrongCount, int level);

/// The name, and on the next line the time left.
QString clockLine(const QString &name, int minutes, int seconds);

/// The correct answer of a question: the counts of the groups the level
/// uses (counts[0] = group 1) and, from level 2 on, the total.
QString correctAnswerText(int level, const std::array<int, 4> &counts, int total);

/// Points added to the right tally for a right total at a level (2 to 4).
int totalBonus(int level);

/// The number that a pair of answer slots stands for, tens caption first.
int slotNumber(const QString &tens, const QString &units);

/// The clock after one tick: seconds run 59 down to 0, then the next
/// lower minute starts at 59.
struct ClockTime {
    std::int16_t minutes;
    std::int16_t seconds;
};
ClockTime tickClock(ClockTime time);

/// The four lines of the message after question 100.
QString wonMessage(const QString &clockCaption, const QString &scoreCaption);
/// The four lines of the message when the time has run out.
QString timeOutMessage(const QString &name, const QString &clockCaption, const QString &scoreCaption);

} // namespace lumo::quiz
