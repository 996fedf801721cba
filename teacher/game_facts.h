// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a recorded game means for a teacher, read from its row: how it
// ended, how long it took, how many questions were right and wrong.

#include "store/reader_types.h"

#include <QLocale>
#include <QString>

namespace lumo::teacher {

/// How a game ended. All done only when the last question was marked; a
/// game with no end recorded (a power cut, a crash) was cut off.
enum class Ending { AllDone, TimeOut, Left, WindowClosed, CutOff };

Ending endingOf(const store::GameRow &game);
QString endingText(Ending ending);

/// The first question a game asks: the one after those its start level skips.
int firstQuestion(const store::GameRow &game);

/// Seconds of play: by the game's own clock when it ended (its countdown
/// with the minutes each level added, or the time it counted up), and up
/// to its last answer when it was cut off.
int secondsUsed(const store::GameRow &game);

/// "25:03", or "1:05:03" from an hour on.
QString durationText(int seconds);

/// Questions answered with at least one mistake.
inline int answeredWrong(const store::GameRow &game) {
    return game.answered - game.answeredRight;
}

/// Right questions out of those answered, 0 to 1; none when nothing was answered.
std::optional<double> shareRight(const store::GameRow &game);

/// "85%" in the locale's digits.
QString percentText(double share, const QLocale &locale);

} // namespace lumo::teacher
