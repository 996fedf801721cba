// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/texts.h"

#include "quiz/levels.h"

namespace lumo::quiz {

namespace {
const QString hyphenLine = QString(43, QLatin1Char('-'));
const QString answerIs = QStringLiteral("คำตอบที่ถูก คือ ");
const QString totalIs = QStringLiteral("และผลรวมเท่ากับ ");
const QString politeEnd = QStringLiteral(" ครับ");

QString n(int value) {
    return QString::number(value);
}
} // namespace

QString greeting(const QString &name) {
    return QStringLiteral("สวัสดีครับ น้อง ") + name + crlf +
           QStringLiteral("พร้อมเริ่มบททดสอบ คณิตสาสตร์ หรือยังครับถ้าพร้อมแล้ว "
                          "กดปุ่มเพื่อเริ่มจับเวลา ได้แล้วครับ");
}

QString levelHint(int level) {
    const Level *rules = levelRules(level);
    if (!rules)
        return QString();
    if (!rules->asksTotal())
        return QStringLiteral("นำตัวเลขจากข้างล่างนี้ไปใส่ในกรอบ ซ้ายมือบนครับ "
                              "หรือจะคลิกที่รูป เพื่อนับดูให้แน่ใจว่ามีรูปเท่าไหร่ก็ได้ครับ");
    return QStringLiteral("ถ้าน้อง ตอบผลรวมของทั้งหมดได้ จะได้คะแนนเพิ่มอีก ") + n(rules->totalBonus) +
           QStringLiteral(" คะแนน ครับ แต่ถ้าตอบผิด จะถูกหัก 1 คะแนนครับ");
}

QString scoreLine(int questionNo, int rightCount, int wrongCount, int level) {
    return QStringLiteral("ข้อที่ ") + n(questionNo) + QStringLiteral(" ทำถูก ") + n(rightCount) +
           QStringLiteral(" ทำผิด ") + n(wrongCount) + QStringLiteral(" ระดับ ") + n(level);
}

QString clockLine(const QString &name, int minutes, int seconds) {
    return QStringLiteral("น้อง ") + name + crlf + QStringLiteral(" เหลือยเวลา ") + n(minutes) +
           QStringLiteral(" นาที ") + n(seconds) + QStringLiteral(" วินาที");
}

QString timeUsedLine(const QString &name, int secondsUsed) {
    return QStringLiteral("น้อง ") + name + crlf + QStringLiteral(" ใช้เวลาไป ") +
           n(secondsUsed / 60) + QStringLiteral(" นาที ") + n(secondsUsed % 60) +
           QStringLiteral(" วินาที");
}

QString correctAnswerText(int level, const std::array<int, 4> &c, int total) {
    const QString plus = QStringLiteral(" + ");
    switch (level) {
    case 1:
        return answerIs + n(c[0]) + QStringLiteral(" ครับ ");
    case 2:
        return QStringLiteral("( ") + n(c[0]) + plus + n(c[1]) + QStringLiteral(" ) = ") +
               n(total) + crlf + answerIs + n(c[0]) + plus + n(c[1]) + QStringLiteral(" ครับ ") +
               crlf + totalIs + n(total) + politeEnd;
    case 3:
        return QStringLiteral("( ") + n(c[0]) + plus + n(c[1]) + QStringLiteral(" ) + ") + n(c[2]) +
               QStringLiteral(" = ") + n(total) + crlf + hyphenLine + crlf + answerIs + n(c[0]) +
               plus + n(c[1]) + plus + n(c[2]) + QStringLiteral(" ครับ ") + crlf + totalIs +
               n(total) + politeEnd;
    case 4:
        return QStringLiteral("( ") + n(c[0]) + plus + n(c[1]) + QStringLiteral(" ) + ( ") +
               n(c[2]) + plus + n(c[3]) + QStringLiteral(" ) = ") + n(total) + crlf + hyphenLine +
               crlf + answerIs + n(c[0]) + plus + n(c[1]) + plus + n(c[2]) + plus + n(c[3]) +
               QStringLiteral(" ครับ ") + crlf + totalIs + n(total) + politeEnd;
    default:
        return QString();
    }
}

QString wonMessage(const QString &clockCaption, const QString &scoreCaption) {
    return QStringLiteral("จบแล้วครับ....เก่งมาก") + crlf + clockCaption + crlf + scoreCaption;
}

QString timeOutMessage(const QString &name, const QString &clockCaption,
                       const QString &scoreCaption) {
    return QStringLiteral("น้อง ") + name + QStringLiteral(" ทำไม่ทันครับ แพ้แล้วครับ") + crlf +
           clockCaption + crlf + scoreCaption;
}

} // namespace lumo::quiz
