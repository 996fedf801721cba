// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The texts of the quiz screen, built from the game's numbers.

#include <QString>

#include <array>

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
/// The name, and on the next line the time used (a game with no countdown).
QString timeUsedLine(const QString &name, int secondsUsed);

/// The correct answer of a question: the counts of the groups the level
/// uses (counts[0] = group 1) and, from level 2 on, the total.
QString correctAnswerText(int level, const std::array<int, 4> &counts, int total);

/// The four lines of the message after question 100.
QString wonMessage(const QString &clockCaption, const QString &scoreCaption);
/// The four lines of the message when the time has run out.
QString timeOutMessage(const QString &name, const QString &clockCaption,
                       const QString &scoreCaption);

} // namespace lumo::quiz
