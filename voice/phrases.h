// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Everything ปิโก can say, in one list: each phrase has an id (the name of
// its clip, "<id>.wav"), the Thai words the teacher reads aloud when
// recording it, and when the game says it.

#include <QList>
#include <QString>
#include <QStringView>

namespace lumo::voice {

struct Phrase {
    QString id;
    QString text;
    /// When the game says it, as the recording page shows it.
    QString when;
};

/// The language of the voice; its clips are in a folder of that name.
inline const QString language = QStringLiteral("th");

/// The largest number said: a row holds at most 15 pictures, and four rows
/// of 15 make 60.
inline constexpr int mostNumber = 60;

/// Every phrase, in the order the recording page lists them.
const QList<Phrase> &phrases();
/// The phrase with this id, or null.
const Phrase *findPhrase(QStringView id);

/// The id of the number 1 to mostNumber: "n1" to "n60".
QString numberId(int number);
/// A number of 1 to 99 in Thai words: "หนึ่ง", "สิบเอ็ด", "ยี่สิบสอง".
QString thaiNumberWords(int number);

// The phrases the game says besides the numbers.
namespace id {
inline const QString welcome = QStringLiteral("welcome");
inline const QString hello = QStringLiteral("hello");
inline const QString ready = QStringLiteral("ready");
inline const QString firstQuestion = QStringLiteral("first_question");
inline const QString hintRows = QStringLiteral("hint_rows");
inline const QString hintTotal = QStringLiteral("hint_total");
inline const QString right = QStringLiteral("right");
inline const QString almost = QStringLiteral("almost");
inline const QString wrong = QStringLiteral("wrong");
inline const QString answerIs = QStringLiteral("answer_is");
inline const QString won = QStringLiteral("won");
inline const QString timeUp = QStringLiteral("time_up");
/// "level_2" to "level_4": the level reached.
QString levelReached(int level);
} // namespace id

} // namespace lumo::voice
