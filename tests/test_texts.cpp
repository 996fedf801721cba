// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The quiz screen's texts and clock arithmetic, byte for byte.
#include "platform/controls.h"
#include "platform/dates.h"
#include "quiz/texts.h"

#include <QtTest>

using namespace lumo;
using namespace lumo::quiz;

class TextsTest : public QObject {
    Q_OBJECT
  private slots:
    void levelHintsAreTheFourStoredTextsAndNothingElse() {
        QCOMPARE(levelHint(1), QStringLiteral("นำตัวเลขจากข้างล่างนี้ไปใส่ในกรอบ ซ้ายมือบนครับ หรือจะคลิกที่รูป "
                                              "เพื่อนับดูให้แน่ใจว่ามีรูปเท่าไหร่ก็ได้ครับ"));
        QCOMPARE(
            levelHint(2),
            QStringLiteral(
                "ถ้าน้อง ตอบผลรวมของทั้งหมดได้ จะได้คะแนนเพิ่มอีก 2 คะแนน ครับ แต่ถ้าตอบผิด จะถูกหัก 1 คะแนนครับ"));
        QCOMPARE(
            levelHint(3),
            QStringLiteral(
                "ถ้าน้อง ตอบผลรวมของทั้งหมดได้ จะได้คะแนนเพิ่มอีก 3 คะแนน ครับ แต่ถ้าตอบผิด จะถูกหัก 1 คะแนนครับ"));
        QCOMPARE(
            levelHint(4),
            QStringLiteral(
                "ถ้าน้อง ตอบผลรวมของทั้งหมดได้ จะได้คะแนนเพิ่มอีก 4 คะแนน ครับ แต่ถ้าตอบผิด จะถูกหัก 1 คะแนนครับ"));
        QVERIFY(levelHint(0).isEmpty());
        QVERIFY(levelHint(5).isEmpty());
    }

    void greetingPutsTheNameBeforeTheLineBreakEvenWhenEmpty() {
        const QString ready =
            QStringLiteral("พร้อมเริ่มบททดสอบ คณิตสาสตร์ หรือยังครับถ้าพร้อมแล้ว กดปุ่มเพื่อเริ่มจับเวลา ได้แล้วครับ");
        QCOMPARE(greeting(QStringLiteral("ต้น")), QStringLiteral("สวัสดีครับ น้อง ต้น\r\n") + ready);
        QCOMPARE(greeting(QString()), QStringLiteral("สวัสดีครับ น้อง \r\n") + ready);
    }

    void scoreAndClockLinesWritePlainDecimals() {
        QCOMPARE(scoreLine(0, 0, 0, 1), QStringLiteral("ข้อที่ 0 ทำถูก 0 ทำผิด 0 ระดับ 1"));
        QCOMPARE(scoreLine(101, 450, 325, 4), QStringLiteral("ข้อที่ 101 ทำถูก 450 ทำผิด 325 ระดับ 4"));
        QCOMPARE(clockLine(QStringLiteral("ต้น"), 29, 59),
                 QStringLiteral("น้อง ต้น\r\n เหลือยเวลา 29 นาที 59 วินาที"));
        QCOMPARE(clockLine(QString(), 0, 0), QStringLiteral("น้อง \r\n เหลือยเวลา 0 นาที 0 วินาที"));
    }

    void correctAnswerTextsFollowTheirLevelsLayout() {
        QCOMPARE(correctAnswerText(1, {7, 0, 0, 0}, 0), QStringLiteral("คำตอบที่ถูก คือ 7 ครับ "));
        QCOMPARE(
            correctAnswerText(2, {7, 12, 0, 0}, 19),
            QStringLiteral("( 7 + 12 ) = 19\r\nคำตอบที่ถูก คือ 7 + 12 ครับ \r\nและผลรวมเท่ากับ 19 ครับ"));
        const QString hyphens = QStringLiteral("-------------------------------------------");
        QCOMPARE(hyphens.size(), 43);
        QCOMPARE(correctAnswerText(3, {2, 3, 15, 0}, 20),
                 QStringLiteral("( 2 + 3 ) + 15 = 20\r\n") + hyphens +
                     QStringLiteral("\r\nคำตอบที่ถูก คือ 2 + 3 + 15 ครับ \r\nและผลรวมเท่ากับ 20 ครับ"));
        QCOMPARE(
            correctAnswerText(4, {15, 14, 2, 9}, 40),
            QStringLiteral("( 15 + 14 ) + ( 2 + 9 ) = 40\r\n") + hyphens +
                QStringLiteral("\r\nคำตอบที่ถูก คือ 15 + 14 + 2 + 9 ครับ \r\nและผลรวมเท่ากับ 40 ครับ"));
    }

    void endMessagesHaveFourLines() {
        const QString clock = clockLine(QStringLiteral("ต้น"), 3, 7);
        const QString score = scoreLine(101, 300, 20, 4);
        QCOMPARE(wonMessage(clock, score),
                 QStringLiteral("จบแล้วครับ....เก่งมาก\r\n") + clock + QStringLiteral("\r\n") + score);
        QCOMPARE(wonMessage(clock, score).split(QStringLiteral("\r\n")).size(), 4);
        QCOMPARE(timeOutMessage(QStringLiteral("ต้น"), clock, score),
                 QStringLiteral("น้อง ต้น ทำไม่ทันครับ แพ้แล้วครับ\r\n") + clock + QStringLiteral("\r\n") +
                     score);
    }

    void onlyOverlongLinesAreCutAndNeverInsideALetterWithItsMarks() {
        const QString ellipsis(QChar(0x2026));
        QCOMPARE(shortenLongLines(QStringLiteral("short\nlines"), 10),
                 QStringLiteral("short\nlines"));
        QCOMPARE(shortenLongLines(QStringLiteral("abcdefghij\nxy"), 4),
                 QStringLiteral("abcd") + ellipsis + QStringLiteral("\nxy"));
        // "น้ำ" is one letter with two marks: a cut after 2 characters keeps
        // only what comes before it.
        QCOMPARE(shortenLongLines(QStringLiteral("กน้ำ"), 2), QStringLiteral("ก") + ellipsis);
        // An emoji is two UTF-16 units; it is never split.
        const QString smiles = QString::fromUcs4(U"\U0001F600\U0001F600\U0001F600");
        QCOMPARE(shortenLongLines(smiles, 3), smiles.left(2) + ellipsis);
    }

    void theDateLineUsesThaiMonthsAndTheBuddhistEraOnAThaiDesktop() {
        const QDateTime moment(QDate(2026, 3, 5), QTime(9, 4, 3));
        const QLocale thai(QLocale::Thai, QLocale::Thailand);
        QCOMPARE(formatDayMonthYear(moment, thai), QStringLiteral("05 มีนาคม 2569"));
        QCOMPARE(formatLongTime(moment, thai), QStringLiteral("9 นาฬิกา 04 นาที 03 วินาที"));

        const QLocale english(QLocale::English, QLocale::UnitedStates);
        QCOMPARE(formatDayMonthYear(moment, english), QStringLiteral("05 March 2026"));
        QCOMPARE(formatLongTime(moment, english), QStringLiteral("9:04:03 AM"));
        const QLocale german(QLocale::German, QLocale::Germany);
        QCOMPARE(formatDayMonthYear(moment, german), QStringLiteral("05 März 2026"));
        QCOMPARE(formatLongTime(moment, german), QStringLiteral("09:04:03"));
    }
};

QTEST_GUILESS_MAIN(TextsTest)
#include "test_texts.moc"
