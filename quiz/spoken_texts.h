// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a screen reader says when something changes on the quiz screen:
// the same things the screen shows, worded to be heard.

#include "quiz/game.h"

#include <QString>

namespace lumo::quiz {

/// A caption as it is heard: line breaks kept, lines of dashes left out.
QString spokenCaption(const QString &caption);

/// "ช่องหลักหน่วย แถวที่ 1: 7", or ": ว่าง" for an empty slot.
QString spokenSlot(const QString &slotName, const QString &caption);

/// "ตัวนับ แถวที่ 1: 3"
QString spokenCounter(const QString &counterName, int count);

/// The question's number and its rows: "ข้อที่ 3", "แถวที่ 1: 7 รูป" ...;
/// the first question of a level adds the level's hint.
QString spokenQuestion(const Game::Question &question);

/// The time on the clock as the game stands: "เหลือเวลา 29 นาที" (with
/// the seconds unless they are none), or the time used without a countdown.
QString spokenClock(const Game &game);

/// The clock raised at a level-up: the minutes gained and the time now.
QString spokenClockRaised(const Game &game, int minutesAdded);

/// Whether row g (1 to 4) or the total (5) was right after a check:
/// "แถวที่ 1: ถูก", "ผลรวม: ผิด คำตอบที่ถูกคือ 19".
QString spokenMark(int g, const Game::Mark &mark);

/// "เลือก ตัวเลข 7": a tile chosen by a tap.
QString spokenSelection(const QString &tileName);

} // namespace lumo::quiz
