// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "voice/phrases.h"

#include "quiz/levels.h"

namespace lumo::voice {

namespace {

const QString startScreen = QStringLiteral("หน้าแรก");

QList<Phrase> makePhrases() {
    QList<Phrase> list{
        {id::welcome, QStringLiteral("สวัสดีครับ พี่ปิโกจะพาน้องเล่นเกมนับเลขกันนะครับ คลิกที่รูปพี่ปิโกได้เลยครับ"),
         startScreen + QStringLiteral(" เมื่อเปิดเกม")},
        {id::hello, QStringLiteral("ยินดีที่ได้รู้จักครับ คลิกที่รูปพี่ปิโกอีกครั้ง เพื่อเริ่มเกมได้เลยครับ"),
         startScreen + QStringLiteral(" หลังใส่ชื่อ")},
        {id::ready, QStringLiteral("พร้อมหรือยังครับ ถ้าพร้อมแล้ว กดปุ่มจับเวลาได้เลยครับ"),
         QStringLiteral("เปิดหน้าทำข้อสอบ")},
        {id::firstQuestion, QStringLiteral("กดปุ่มทำข้อต่อไปที่มุมขวาล่าง เพื่อเริ่มข้อแรกครับ"),
         QStringLiteral("เริ่มจับเวลา")},
        {id::hintRows,
         QStringLiteral("นับรูปในแถว แล้วลากตัวเลขข้างล่างไปใส่ในช่องทางซ้ายนะครับ "
                        "จะคลิกที่รูปเพื่อช่วยนับก็ได้ครับ"),
         QStringLiteral("ข้อแรกของระดับ 1")},
        {id::hintTotal,
         QStringLiteral("ข้อนี้ต้องบอกผลรวมด้วยนะครับ ตอบผลรวมถูกได้คะแนนเพิ่ม "
                        "แต่ถ้าตอบผิดจะถูกหักหนึ่งคะแนนครับ"),
         QStringLiteral("ข้อแรกของระดับ 2 ถึง 4")},
        {id::right, QStringLiteral("เก่งมากครับ ถูกต้องครับ"), QStringLiteral("ตอบถูกทุกช่อง")},
        {id::almost, QStringLiteral("เกือบถูกแล้วครับ สู้ ๆ นะครับ"), QStringLiteral("ตอบถูกบางช่อง")},
        {id::wrong, QStringLiteral("ไม่เป็นไรนะครับ ข้อต่อไปลองใหม่ครับ"), QStringLiteral("ตอบผิดทุกช่อง")},
        {id::answerIs, QStringLiteral("คำตอบที่ถูกคือ"), QStringLiteral("หลังตรวจคำตอบ ก่อนบอกจำนวน")},
    };
    for (int level = quiz::firstLevel + 1; level <= quiz::lastLevel; ++level)
        list.append({id::levelReached(level),
                     QStringLiteral("ยินดีด้วยครับ น้องขึ้นระดับ%1แล้วครับ").arg(thaiNumberWords(level)),
                     QStringLiteral("ขึ้นระดับ %1").arg(level)});
    list.append({id::won, QStringLiteral("จบแล้วครับ เก่งมาก น้องทำครบทุกข้อเลยครับ"),
                 QStringLiteral("ทำครบทุกข้อ")});
    list.append({id::timeUp, QStringLiteral("หมดเวลาแล้วครับ ไม่เป็นไรนะครับ ไว้มาเล่นกันใหม่นะครับ"),
                 QStringLiteral("หมดเวลา")});
    for (int n = 1; n <= mostNumber; ++n)
        list.append({numberId(n), thaiNumberWords(n),
                     n <= quiz::mostPictures ? QStringLiteral("นับรูป และบอกคำตอบ: %1").arg(n)
                                             : QStringLiteral("บอกคำตอบ: %1").arg(n)});
    return list;
}

} // namespace

const QList<Phrase> &phrases() {
    static const QList<Phrase> list = makePhrases();
    return list;
}

const Phrase *findPhrase(QStringView id) {
    for (const Phrase &phrase : phrases())
        if (phrase.id == id)
            return &phrase;
    return nullptr;
}

QString numberId(int number) {
    return QStringLiteral("n") + QString::number(number);
}

QString thaiNumberWords(int number) {
    static const QStringList digits{QString(),
                                    QStringLiteral("หนึ่ง"),
                                    QStringLiteral("สอง"),
                                    QStringLiteral("สาม"),
                                    QStringLiteral("สี่"),
                                    QStringLiteral("ห้า"),
                                    QStringLiteral("หก"),
                                    QStringLiteral("เจ็ด"),
                                    QStringLiteral("แปด"),
                                    QStringLiteral("เก้า")};
    if (number < 1 || number > 99)
        return QString();
    const int tens = number / 10;
    const int units = number % 10;
    QString words;
    if (tens == 2)
        words = QStringLiteral("ยี่สิบ");
    else if (tens > 0)
        words = (tens == 1 ? QString() : digits[tens]) + QStringLiteral("สิบ");
    if (units == 1 && tens > 0)
        words += QStringLiteral("เอ็ด");
    else
        words += digits[units];
    return words;
}

namespace id {
QString levelReached(int level) {
    return QStringLiteral("level_") + QString::number(level);
}
} // namespace id

} // namespace lumo::voice
