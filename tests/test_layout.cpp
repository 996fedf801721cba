// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Both screens as they open: every control where the layout puts it, with
// its caption, font, colours, visibility and enabled state.
#include "fakes/fake_services.h"
#include "platform/controls.h"
#include "platform/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace lumo;
using lumo::test::TestProgram;

namespace {

// A rectangle given in twips, as the layout tables give it.
QRect twips(int left, int top, int width, int height) {
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

QColor back(QWidget *w) {
    return w->palette().color(w->backgroundRole());
}
QColor fore(QWidget *w) {
    return w->palette().color(QPalette::Active, w->foregroundRole());
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void theQuizScreenHasItsNinetyEightElementsNamedAsInTheLayout() {
        TestProgram game;
        game.openQuiz();
        QWidget *window = game.quiz.window();
        QCOMPARE(window->objectName(), QStringLiteral("Form2"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Form2"));

        QStringList expected{
            QStringLiteral("Cm1"),    QStringLiteral("Cm3"),     QStringLiteral("Cm4"),
            QStringLiteral("Cm6"),    QStringLiteral("Frame1"),  QStringLiteral("Frame2"),
            QStringLiteral("Frame3"), QStringLiteral("Frame4"),  QStringLiteral("LB1"),
            QStringLiteral("LB2"),    QStringLiteral("LB3"),     QStringLiteral("LB4"),
            QStringLiteral("Label6"), QStringLiteral("Label14"), QStringLiteral("Label16"),
            QStringLiteral("Label18")};
        for (int n = 6; n <= 15; ++n)
            expected << QStringLiteral("LB%1").arg(n);
        for (int i = 0; i < 10; ++i)
            expected << QStringLiteral("LB_%1").arg(i);
        for (int g = 1; g <= 4; ++g)
            for (int k = 0; k < 15; ++k)
                expected << QStringLiteral("Im%1_%2").arg(g).arg(k);
        QCOMPARE(expected.size(), 96);
        for (const QString &name : expected)
            QVERIFY2(window->findChild<QWidget *>(name), qPrintable(name));
        QVERIFY(window->findChild<QTimer *>(QStringLiteral("Timer1")));
        QVERIFY(window->findChild<QTimer *>(QStringLiteral("Timer2")));
        QCOMPARE(game.quiz.Timer1->interval(), 1000);
        QCOMPARE(game.quiz.Timer2->interval(), 200);
        QVERIFY(!game.quiz.Timer1->isActive() && !game.quiz.Timer2->isActive());
        QCOMPARE(game.quiz.Timer1->timerType(), Qt::PreciseTimer);
    }

    void aControlMissingFromTheLayoutIsNamedBeforeAnyWindowOpens() {
        TestProgram game;
        QCOMPARE(game.start.missingControls(), QStringList());
        QCOMPARE(game.quiz.missingControls(), QStringList());

        // The quiz's layout without LB7, with fourteen pictures in row 4, and LB4 as a picture.
        QJsonObject layout = readLayout(QStringLiteral(":/layout/form2.json"));
        QJsonArray controls;
        for (const QJsonValue &value : layout.value(QStringLiteral("controls")).toArray()) {
            QJsonObject entry = value.toObject();
            const QString name = entry.value(QStringLiteral("name")).toString();
            if (name == QLatin1String("LB7"))
                continue;
            if (name == QLatin1String("Im4"))
                entry.insert(QStringLiteral("count"), 14);
            if (name == QLatin1String("LB4"))
                entry.insert(QStringLiteral("kind"), QStringLiteral("picture"));
            controls.append(entry);
        }
        layout.insert(QStringLiteral("controls"), controls);
        QTemporaryDir folder;
        QFile file(folder.filePath(QStringLiteral("form2.json")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(layout).toJson());
        file.close();

        Form2 broken(game.services, game.host, file.fileName());
        QCOMPARE(broken.missingControls(),
                 (QStringList{QStringLiteral("LB4 (a picture, not a label)"), QStringLiteral("LB7"),
                              QStringLiteral("Im4_14")}));
        QVERIFY(!broken.isOpen());
        QCOMPARE(broken.LB6, nullptr);
    }

    void closingAScreenForgetsItsControls() {
        TestProgram game;
        Form2 &q = game.quiz;
        game.openQuiz();
        QVERIFY(q.Cm1 && q.LB1 && q.LB[9] && q.Im4[14] && q.Timer2);
        q.close();
        QCOMPARE(q.Cm1, nullptr);
        QCOMPARE(q.LB1, nullptr);
        QCOMPARE(q.LB[9], nullptr);
        QCOMPARE(q.Im4[14], nullptr);
        QCOMPARE(q.Timer2, nullptr);
        game.start.show();
        game.start.close();
        QCOMPARE(game.start.Im1, nullptr);
        QCOMPARE(game.start.Timer1, nullptr);
    }

    void quizControlsSitWhereTheTwipsPutThem() {
        TestProgram game;
        game.openQuiz();
        Form2 &q = game.quiz;
        QCOMPARE(q.Cm1->geometry(), twips(120, 120, 1215, 1815));
        QCOMPARE(q.Cm6->geometry(), twips(10680, 120, 1215, 1815));
        QCOMPARE(q.Cm3->geometry(), twips(120, 7080, 1215, 1815));
        QCOMPARE(q.Cm4->geometry(), twips(10680, 7080, 1215, 1815));
        QCOMPARE(q.Frame3->geometry(), twips(1440, 120, 9135, 2175));
        QCOMPARE(q.Frame2->geometry(), twips(1440, 2280, 9135, 3015));
        QCOMPARE(q.Frame1->geometry(), twips(1440, 5280, 9135, 2535));
        QCOMPARE(q.Frame4->geometry(), twips(1440, 7680, 9135, 1215));

        // Inside the frames, places are relative to the frame.
        QCOMPARE(q.LB1->parentWidget(), q.Frame3);
        QCOMPARE(q.LB1->geometry(), twips(120, 120, 8895, 1215));
        QCOMPARE(q.LB2->geometry(), twips(120, 1440, 8895, 615));
        QCOMPARE(q.LB3->parentWidget(), q.Frame1);
        QCOMPARE(q.LB3->geometry(), twips(120, 120, 8895, 2295));
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(q.LB[i]->parentWidget(), q.Frame4);
            QCOMPARE(q.LB[i]->geometry(), twips(480 + 840 * i, 240, 615, 735));
        }
        const std::array<std::array<Picture *, 15> *, 4> rows{&q.Im1, &q.Im2, &q.Im3, &q.Im4};
        for (int g = 0; g < 4; ++g)
            for (int k = 0; k < 15; ++k) {
                Picture *p = (*rows[g])[k];
                QCOMPARE(p->parentWidget(), q.Frame2);
                QCOMPARE(p->geometry(), twips(120 + 600 * k, 240 + 720 * g, 480, 480));
            }

        const std::array<Label *, 10> answer = q.answerSlots();
        const int slotTops[5] = {2040, 2760, 3480, 4200, 5760};
        for (int row = 0; row < 5; ++row) {
            QCOMPARE(answer[2 * row]->parentWidget(), q.window()->stage());
            QCOMPARE(answer[2 * row]->geometry(), twips(120, slotTops[row], 615, 735));
            QCOMPARE(answer[2 * row + 1]->geometry(), twips(720, slotTops[row], 615, 735));
        }
        QCOMPARE(q.Label18->geometry(), twips(120, 5040, 1215, 615));
        QCOMPARE(q.LB4->geometry(), twips(10680, 2040, 1215, 735));
        QCOMPARE(q.Label6->geometry(), twips(10680, 2760, 1215, 735));
        QCOMPARE(q.Label16->geometry(), twips(10680, 3480, 1215, 735));
        QCOMPARE(q.Label14->geometry(), twips(10680, 4200, 1215, 735));

        // The window offers at least 11895 x 8895 twips.
        QVERIFY(q.window()->width() >= 11895 / 15);
        QVERIFY(q.window()->height() >= 8895 / 15);
    }

    void quizCaptionsFontsAndColoursFollowTheLayout() {
        TestProgram game;
        game.openQuiz();
        Form2 &q = game.quiz;
        QCOMPARE(q.Cm1->text(), QStringLiteral("จับเวลา"));
        QCOMPARE(q.Cm6->text(), QStringLiteral("ออกจากห้องสอบ"));
        QCOMPARE(q.Cm3->text(), QStringLiteral("ตรวจคำตอบ"));
        QCOMPARE(q.Cm4->text(), QStringLiteral("ทำข้อต่อไป"));
        for (Button *b : {q.Cm1, q.Cm3, q.Cm4, q.Cm6}) {
            QCOMPARE(b->iconSize(), QSize(70, 97));
            QCOMPARE(back(b), QColor(192, 192, 192));
        }
        QCOMPARE(q.LB2->caption(), QStringLiteral("ถ้าพร้อมแล้ว กดปุ่มเพื่อเริ่มจับเวลา ได้แล้วค่ะ"));
        QCOMPARE(q.Label18->caption(), QStringLiteral("ผลรวม"));
        QCOMPARE(q.Frame1->title(), QStringLiteral("Frame1"));
        QVERIFY(q.Frame2->title().isEmpty());
        for (int i = 0; i < 10; ++i)
            QCOMPARE(q.LB[i]->caption(), QString::number(i));
        for (Label *slot : q.answerSlots())
            QVERIFY(slot->caption().isEmpty());
        QVERIFY(q.LB4->caption().isEmpty());

        QCOMPARE(q.LB[4]->designFont().family(), QStringLiteral("Tahoma"));
        QCOMPARE(q.LB[4]->designFont().pixelSize(), 37); // 27.75 pt
        QVERIFY(q.LB[4]->designFont().bold());
        QCOMPARE(q.LB3->designFont().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(q.LB3->designFont().pixelSize(), 32);     // 24 pt
        QCOMPARE(q.Label18->designFont().pixelSize(), 24); // 18 pt

        QCOMPARE(fore(q.LB2), QColor(255, 255, 0));
        QCOMPARE(back(q.LB2), QColor(0, 0, 0));
        QCOMPARE(back(q.LB1), QColor(0, 0, 255));
        QCOMPARE(fore(q.LB[0]), QColor(255, 128, 0));
        QCOMPARE(back(q.LB[0]), QColor(255, 224, 192));
        QCOMPARE(back(q.LB10), QColor(0, 0, 192));
        QCOMPARE(fore(q.LB14), QColor(255, 0, 0));
        QCOMPARE(back(q.Label14), QColor(0, 0, 128));
        QCOMPARE(back(q.Frame2), QColor(128, 128, 255));
        QCOMPARE(back(q.window()), QColor(0, 0, 64));
        for (Label *label : q.window()->findChildren<Label *>())
            QCOMPARE(label->textFormat(), Qt::PlainText);
    }

    void quizOpensWithOnlyTheFirstRowsSlotsShownAndTheBottomButtonsOff() {
        TestProgram game;
        game.openQuiz();
        Form2 &q = game.quiz;
        for (QWidget *w : {static_cast<QWidget *>(q.LB6), static_cast<QWidget *>(q.LB7),
                           static_cast<QWidget *>(q.LB4)})
            QVERIFY(!w->isHidden());
        for (QWidget *w : {q.LB8, q.LB9, q.LB10, q.LB11, q.LB12, q.LB13, q.LB14, q.LB15, q.Label6,
                           q.Label16, q.Label14, q.Label18})
            QVERIFY2(w->isHidden(), qPrintable(w->objectName()));
        for (const auto &row : {q.Im1, q.Im2, q.Im3, q.Im4})
            for (Picture *p : row) {
                QVERIFY(p->isHidden());
                QVERIFY(!p->isEmpty()); // the placeholder icon
            }
        QVERIFY(q.Cm1->isEnabled());
        QVERIFY(q.Cm6->isEnabled());
        QVERIFY(!q.Cm3->isEnabled());
        QVERIFY(!q.Cm4->isEnabled());
        for (Label *tile : q.LB)
            QVERIFY(!tile->isEnabled());
    }

    void tabOrderRunsCm4Cm3Cm6Cm1AndFocusStartsOnCm6() {
        TestProgram game;
        game.openQuiz();
        Form2 &q = game.quiz;
        QCOMPARE(game.quiz.controls().tabOrder(),
                 QStringList({QStringLiteral("Cm4"), QStringLiteral("Cm3"), QStringLiteral("Cm6"),
                              QStringLiteral("Cm1")}));
        // The next control that Tab reaches, ignoring ones that take no focus.
        const auto nextTabStop = [](QWidget *w) {
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus));
            return w;
        };
        QCOMPARE(nextTabStop(q.Cm4), q.Cm3);
        QCOMPARE(nextTabStop(q.Cm3), q.Cm6);
        QCOMPARE(nextTabStop(q.Cm6), q.Cm1);
        QCOMPARE(q.window()->focusWidget(), q.Cm6);
    }

    void theStartScreenLaysOutItsTextsAndPictures() {
        TestProgram game;
        game.start.show();
        Form1 &s = game.start;
        QWidget *window = s.window();
        QCOMPARE(window->windowTitle(), QStringLiteral("Form1"));
        QCOMPARE(back(window), QColor(192, 192, 255));
        QVERIFY(window->width() >= 11895 / 15 && window->height() >= 8895 / 15);
        const QList<QSize> iconSizes = window->windowIcon().availableSizes();
        QVERIFY(iconSizes.contains(QSize(32, 32)));
        QVERIFY(iconSizes.contains(QSize(16, 16)));

        QCOMPARE(s.Frame3->geometry(), twips(120, 0, 11775, 2175));
        QCOMPARE(s.Label2->parentWidget(), s.Frame3);
        QCOMPARE(s.Label2->geometry(), twips(120, 240, 11535, 1815));
        QCOMPARE(s.Frame1->geometry(), twips(1680, 2160, 8655, 1815));
        QCOMPARE(s.LB1->geometry(), twips(120, 240, 8415, 615));
        QCOMPARE(s.LB2->geometry(), twips(120, 1080, 8415, 615));
        QCOMPARE(s.Im1->geometry(), twips(5760, 4080, 1050, 1455)); // 70 x 97
        QCOMPARE(s.Label4->geometry(), twips(120, 5520, 11775, 615));
        QCOMPARE(s.Frame2->geometry(), twips(1680, 6120, 10215, 2775));
        QCOMPARE(s.Label1->parentWidget(), s.Frame2);
        QCOMPARE(s.Label1->geometry(), twips(120, 240, 9975, 1695));
        QCOMPARE(s.Label3->geometry(), twips(120, 2040, 9975, 615));
        QCOMPARE(s.Image1->geometry(), twips(120, 6840, 975, 1530)); // 65 x 102
        QCOMPARE(s.Label5->geometry(), twips(120, 8520, 1455, 375));
        QCOMPARE(s.Timer1->interval(), 500);
        QVERIFY(!s.Timer1->isActive());

        QCOMPARE(s.LB1->caption(), QStringLiteral("ยินดีต้อนรับ"));
        QCOMPARE(s.LB2->caption(), QStringLiteral("คณิตศาสตร์ สำหรับนักเรียน ชั้นประถม 1 - 4"));
        QCOMPARE(s.Label4->caption(),
                 QStringLiteral("พี่ 'ปิโก' ดูแลการเล่นในเกมส์นี้ คลิกที่รูป พี่ 'ปิโก' ครับ"));
        QCOMPARE(s.Label1->caption(), QStringLiteral("For Lumo Ver 3.1 ได้ปรับปรุงแก้ไข ให้นักเรียนได้ทำ "
                                                     "บททดสอบถึง 100 ข้อ ซึ่งจะแยกเป็น บทล่ะ 25 ข้อ"));
        QCOMPARE(s.Label5->caption(), QStringLiteral("ออกจากโปรแกรม"));
        QVERIFY(s.Label2->caption().startsWith(QStringLiteral("For Lumo Ver 3.1\r\n")));
        QVERIFY(!s.Label3->caption().isEmpty());

        QCOMPARE(s.Label2->designFont().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(s.Label2->designFont().pixelSize(), 48);
        QCOMPARE(fore(s.Label2), QColor(255, 128, 0));
        QCOMPARE(back(s.LB1), QColor(255, 192, 192));
        QCOMPARE(fore(s.Label1), QColor(0, 128, 0));
        QCOMPARE(back(s.Label3), QColor(255, 255, 192));

        // Both pictures take the custom pointer with its hot spot at 5, 12.
        for (Picture *p : {s.Im1, s.Image1}) {
            QCOMPARE(p->cursor().shape(), Qt::BitmapCursor);
            QCOMPARE(p->cursor().hotSpot(), QPoint(5, 12));
            QCOMPARE(p->cursor().pixmap().size(), QSize(32, 32));
            QVERIFY(p->isEnabled());
        }
    }

    void picturesTilesAndSlotsHaveThaiNamesForAScreenReader() {
        TestProgram game;
        game.openQuiz();
        Form2 &q = game.quiz;
        QCOMPARE(q.LB[3]->accessibleName(), QStringLiteral("ตัวเลข 3"));
        QCOMPARE(q.LB[3]->accessibleDescription(), QStringLiteral("3"));
        QCOMPARE(q.Im2[14]->accessibleName(), QStringLiteral("รูปแถวที่ 2 รูปที่ 15"));
        QCOMPARE(q.LB7->accessibleName(), QStringLiteral("ช่องหลักหน่วย แถวที่ 1"));
        // A slot tells what it holds.
        q.LB7->setCaption(QStringLiteral("5"));
        QCOMPARE(q.LB7->accessibleDescription(), QStringLiteral("5"));
        // A plain label is known by its text.
        QVERIFY(q.LB2->accessibleName().isEmpty());
    }

    void thaiTextRendersWithAThaiFontRatherThanBoxes() {
        // Each family of the layout is mapped to one that has Thai glyphs,
        // and that scales with the window: not a bitmap font such as
        // Windows' own "MS Sans Serif".
        for (const QString &family : {QStringLiteral("Tahoma"), QStringLiteral("MS Sans Serif"),
                                      QStringLiteral("Times New Roman")}) {
            QFont font = layoutFont(family);
            font.setPixelSize(24);
            const QFontMetrics metrics(font);
            for (const QChar c : QStringLiteral("สวัสดีครับน้องปิโก"))
                QVERIFY2(metrics.inFont(c), qPrintable(family + QStringLiteral(": ") + c));
            const QString drawnWith = QFontInfo(font).family();
            QVERIFY2(QFontDatabase::isScalable(drawnWith),
                     qPrintable(family + QStringLiteral(" is drawn with ") + drawnWith));
        }
    }
};

QTEST_MAIN(LayoutTest)
#include "test_layout.moc"
