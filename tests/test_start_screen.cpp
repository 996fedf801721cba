// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The start screen: the welcome, the name prompt and greeting, the way into
// the quiz, the way out of the program, and pictures that cannot be read.
#include "fakes/fake_services.h"
#include "support/modal_answer.h"
#include "support/shown_pictures.h"

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/services.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>

using namespace lumo;
using namespace lumo::test;

namespace {

const QString welcome = QStringLiteral("ยินดีต้อนรับ");
const QString subject = QStringLiteral("คณิตศาสตร์ สำหรับนักเรียน ชั้นประถม 1 - 4");
const QString instruction = QStringLiteral("พี่ 'ปิโก' ดูแลการเล่นในเกมส์นี้ คลิกที่รูป พี่ 'ปิโก' ครับ");
const QString clickToStart = QStringLiteral("ใช้ Mouse คลิกที่รูป พี่ ปิโก ได้เลยครับ เพื่อเริ่มเกมส์");
const QString hello = QStringLiteral("สวัสดีครับ น้อง ");
const QString leaveProgram = QStringLiteral("ออกจากโปรแกรม");
const QString seeYouAgain = QStringLiteral("แล้วพบกันใหม่");
const QString byeBye = QStringLiteral("บ๊าย บาย...แล้วอย่าลืม มาเล่นเกมส์ด้วยกันอีกนะครับ สวัสดีครับ");
const QString readyText =
    QStringLiteral("พร้อมเริ่มบททดสอบ คณิตสาสตร์ หรือยังครับถ้าพร้อมแล้ว กดปุ่มเพื่อเริ่มจับเวลา ได้แล้วครับ");

QImage iconFile(const QString &name) {
    return fileImage(QStringLiteral(LUMO_ICON_DIR "/") + name);
}
QImage builtIn(const QString &name) {
    return fileImage(QStringLiteral(":/pictures/") + name);
}

// A click as the player makes it: routed by the window to the control under the pointer.
void clickOn(QWidget *control) {
    QWidget *window = control->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      control->mapTo(window, control->rect().center()));
}

// The warning about `path` must come exactly once from now on in this test.
void expectOneWarningAbout(const QString &path, const QString &reason = QString()) {
    const QString escaped = QRegularExpression::escape(path);
    QTest::ignoreMessage(
        QtWarningMsg,
        QRegularExpression(reason.isEmpty()
                               ? escaped
                               : QStringLiteral("^(?=.*%1)(?=.*(?i:%2))").arg(escaped, reason)));
    QTest::failOnWarning(QRegularExpression(escaped));
}

} // namespace

class StartScreenTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void openingShowsTheWelcomeTextsAndTheDesignPictures() {
        TestProgram game;
        game.start.show();
        Form1 &start = game.start;
        QVERIFY(start.isOpen());
        QCOMPARE(start.window()->windowTitle(), QStringLiteral("Form1"));
        QVERIFY(start.Label2->caption().startsWith(QStringLiteral("For Lumo Ver 3.1\r\n")));
        QVERIFY(start.Label2->caption().size() > QStringLiteral("For Lumo Ver 3.1\r\n").size());
        QCOMPARE(start.LB1->caption(), welcome);
        QCOMPARE(start.LB2->caption(), subject);
        QCOMPARE(start.Label4->caption(), instruction);
        QCOMPARE(start.Label5->caption(), leaveProgram);
        QCOMPARE(shownImage(start.Im1), builtIn(QStringLiteral("host.gif")));
        QCOMPARE(shownImage(start.Image1), builtIn(QStringLiteral("exit.gif")));
        QVERIFY(start.Im1->isEnabled());
        QVERIFY(!start.Timer1->isActive());
        QCOMPARE(start.Timer1->interval(), 500);
        QCOMPARE(start.hostClicks(), 0);
        QCOMPARE(start.exitClicks(), 0);
        QCOMPARE(start.animPhase(), 0);
        QVERIFY(game.services.prompts.empty());
        QVERIFY(!game.quiz.isOpen());
    }

    void theFirstHostClickAsksForTheNameAndGreetsThePlayer() {
        TestProgram game;
        game.services.promptAnswers.push_back(QStringLiteral("ต้น"));
        game.start.show();
        Form1 &start = game.start;
        clickOn(start.Im1);

        QCOMPARE(game.services.prompts.size(), size_t(1));
        QCOMPARE(game.services.prompts[0].text, QStringLiteral("ป้อนชื่อผู้ทำการทดสอบ"));
        QCOMPARE(game.services.prompts[0].title, QStringLiteral("ชื่อผู้ทำการทดสอบ"));
        QCOMPARE(game.services.prompts[0].defaultAnswer, QStringLiteral("No Name"));
        QCOMPARE(start.typedName(), QStringLiteral("ต้น"));
        QCOMPARE(start.LB2->caption(), hello + QStringLiteral("ต้น"));
        QCOMPARE(start.Label4->caption(), clickToStart);
        QCOMPARE(start.greetTime(), game.services.fixedNow);
        QCOMPARE(shownImage(start.Im1), iconFile(QStringLiteral("c01.gif")));
        QCOMPARE(start.hostClicks(), 1);
        QVERIFY(start.isOpen());
        QVERIFY(!game.quiz.isOpen());
    }

    // The test runs on two screens (tests/support/whiteboard_and_laptop.json):
    // a 1920 x 1080 whiteboard and a 1024 x 768 laptop beside it.
    void theNamePromptAndTheMessagesGrowWithTheWindowAndStayOnItsScreen_data() {
        QTest::addColumn<bool>("prompt");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("fullScreen");
        QTest::addColumn<QStringList>("choices");
        QStringList classList;
        for (int i = 1; i <= 40; ++i)
            classList << QStringLiteral("ด.ญ. นักเรียน คนที่ %1").arg(i);
        const QStringList longName{QString(2000, QChar(0x0E01)), QStringLiteral("ต้น")};
        QTest::newRow("name prompt, the window at its design size")
            << true << "whiteboard" << false << QStringList();
        QTest::newRow("name prompt, fullscreen on 1920 x 1080")
            << true << "whiteboard" << true << QStringList();
        QTest::newRow("name prompt with 40 names, fullscreen on 1920 x 1080")
            << true << "whiteboard" << true << classList;
        QTest::newRow("name prompt with a 2,000-character name, on 1024 x 768")
            << true << "laptop" << false << longName;
        QTest::newRow("name prompt with a 2,000-character name, fullscreen on 1024 x 768")
            << true << "laptop" << true << longName;
        QTest::newRow("end message, the window at its design size")
            << false << "whiteboard" << false << QStringList();
        QTest::newRow("end message, fullscreen on 1920 x 1080")
            << false << "whiteboard" << true << QStringList();
        QTest::newRow("end message with a 2,000-character name, on 1024 x 768")
            << false << "laptop" << false << longName;
    }

    void theNamePromptAndTheMessagesGrowWithTheWindowAndStayOnItsScreen() {
        QFETCH(bool, prompt);
        QFETCH(QString, screen);
        QFETCH(bool, fullScreen);
        QFETCH(QStringList, choices);
        QScreen *where = nullptr;
        for (QScreen *s : QGuiApplication::screens())
            if (s->name() == screen)
                where = s;
        if (!where)
            QSKIP("Not on the test's two screens (tests/support/whiteboard_and_laptop.json).");
        TestProgram game;
        game.services.settingsFile.setValue(QStringLiteral("window/geometry"),
                                            QRect(where->geometry().topLeft(), QSize(793, 593)));
        game.host.placement().setFullScreen(fullScreen);
        game.start.show();
        ScreenWindow *window = game.start.window();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const double scale = ScreenWindow::scaleFor(window->size(), window->designSize());
        QCOMPARE(window->scale(), scale);
        QCOMPARE(window->size(), fullScreen ? where->size() : QSize(793, 593));

        QString problems;
        const auto require = [&](bool ok, const QString &what) {
            if (!ok)
                problems += what + QStringLiteral("; ");
        };
        const QRect screenArea = where->availableGeometry();
        ModalAnswer answer([&](QWidget *dialog) {
#ifdef Q_OS_WIN
            // Qt's message box on Windows takes the whole width of a small
            // screen for a line that cannot wrap; its frame's border then
            // overhangs on the right by its own width (two pixels here).
            const QRect shown = qobject_cast<QMessageBox *>(dialog)
                                    ? QRect(dialog->frameGeometry().topLeft(), dialog->size())
                                    : dialog->frameGeometry();
#else
            const QRect shown = dialog->frameGeometry();
#endif
            require(screenArea.contains(shown),
                    QStringLiteral("the dialog at %1,%2 %3 x %4 (with its frame %5 x %6) leaves "
                                   "its screen's %7 x %8 at %9,%10")
                        .arg(dialog->x())
                        .arg(dialog->y())
                        .arg(dialog->width())
                        .arg(dialog->height())
                        .arg(dialog->frameGeometry().width())
                        .arg(dialog->frameGeometry().height())
                        .arg(screenArea.width())
                        .arg(screenArea.height())
                        .arg(screenArea.x())
                        .arg(screenArea.y()));
            // Text and buttons as large as the window's layout, in Thai.
            const auto *label = dialog->findChild<QLabel *>();
            require(label && label->font().pixelSize() == qRound(20 * scale),
                    QStringLiteral("the text is %1 pixels high")
                        .arg(label ? label->font().pixelSize() : 0));
            QStringList texts;
            for (const QPushButton *button : dialog->findChildren<QPushButton *>()) {
                if (!button->isVisible() ||
                    qobject_cast<QDialogButtonBox *>(button->parentWidget()) == nullptr)
                    continue;
                texts << button->text();
                require(button->height() >= qRound(44 * scale) &&
                            button->width() >= qRound(120 * scale),
                        button->text() + QStringLiteral(" is too small"));
                require(dialog->rect().contains(
                            QRect(button->mapTo(dialog, QPoint(0, 0)), button->size())),
                        button->text() + QStringLiteral(" is outside its dialog"));
            }
            texts.sort();
            require(texts == (prompt ? QStringList{QStringLiteral("ตกลง"), QStringLiteral("ยกเลิก")}
                                     : QStringList{QStringLiteral("ตกลง")}),
                    QStringLiteral("the buttons read ") + texts.join(QLatin1Char(',')));
            if (prompt) {
                // As wide as most of the layout, or of the screen where that is narrower.
                require(dialog->width() >= std::min(0.5 * 793 * scale, 0.9 * screenArea.width()),
                        QStringLiteral("the prompt is only %1 pixels wide").arg(dialog->width()));
                auto *names = qobject_cast<NamePrompt *>(dialog);
                require(names && names->nameButtons().size() == choices.size(),
                        QStringLiteral("the names are not offered"));
                for (const QPushButton *name :
                     names ? names->nameButtons() : QList<QPushButton *>())
                    require(name->width() <= dialog->width() &&
                                name->height() >= qRound(44 * scale),
                            QStringLiteral("a name's button is %1 x %2")
                                .arg(name->width())
                                .arg(name->height()));
            }
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        RealServices services;
        if (prompt)
            services.prompt(window, QStringLiteral("ป้อนชื่อผู้ทำการทดสอบ"),
                            QStringLiteral("ชื่อผู้ทำการทดสอบ"), QStringLiteral("No Name"), choices);
        else
            services.message(window, QStringLiteral("น้อง ") +
                                         choices.value(0, QStringLiteral("ต้น")) +
                                         QStringLiteral(" ทำไม่ทันครับ แพ้แล้วครับ\r\nน้อง ต้น\r\n "
                                                        "เหลือยเวลา 0 นาที 0 วินาที\r\nข้อที่ 3 "
                                                        "ทำถูก 2 ทำผิด 1 ระดับ 1"));
        QVERIFY(answer.answered());
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    void theDateLineShowsTheMomentOfTheFirstClickInTheDesktopsLocale_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("line");
        QTest::newRow("Thai desktop")
            << QLocale(QLocale::Thai, QLocale::Thailand)
            << QStringLiteral("วันนี้ 07 ธันวาคม 2569 เวลา 14 นาฬิกา 05 นาที 09 วินาที");
        QTest::newRow("English desktop") << QLocale(QLocale::English, QLocale::UnitedStates)
                                         << QStringLiteral("วันนี้ 07 December 2026 เวลา 2:05:09 PM");
    }

    void theDateLineShowsTheMomentOfTheFirstClickInTheDesktopsLocale() {
        QFETCH(QLocale, locale);
        QFETCH(QString, line);
        TestProgram game;
        game.services.fixedLocale = locale;
        game.start.show();
        clickOn(game.start.Im1);
        QCOMPARE(game.start.LB1->caption(), line);

        // The line is not refreshed while the screen stays open.
        game.services.fixedNow = game.services.fixedNow.addSecs(75);
        clickOn(game.start.Image1);
        QCOMPARE(game.start.LB1->caption(), line);
    }

    void theSecondHostClickOpensTheQuizWithTheNameAndClosesTheStartScreen() {
        TestProgram game;
        game.services.promptAnswers.push_back(QStringLiteral("ต้น"));
        game.start.show();
        clickOn(game.start.Im1);
        clickOn(game.start.Im1);

        QCOMPARE(game.services.prompts.size(), size_t(1));
        QVERIFY(!game.start.isOpen());
        QCOMPARE(game.start.hostClicks(), 0);
        QVERIFY(game.quiz.isOpen());
        QVERIFY(game.quiz.window()->isVisible());
        QVERIFY(!game.quiz.window()->isModal());
        QCOMPARE(game.quiz.LB1->caption(), QStringLiteral("ต้น"));
        QCOMPARE(game.quiz.LB3->caption(), hello + QStringLiteral("ต้น\r\n") + readyText);
        QTest::qWait(20);
        QCOMPARE(game.services.endCount, 0);
    }

    void theNameReachesTheGreetingAndTheQuizExactlyAsTyped_data() {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("name");
        QTest::newRow("typed") << QStringList{QStringLiteral("มะลิ")} << QStringLiteral("มะลิ");
        QTest::newRow("default accepted") << QStringList{} << QStringLiteral("No Name");
        QTest::newRow("prompt cancelled") << QStringList{QString()} << QString();
        QTest::newRow("blanks kept")
            << QStringList{QStringLiteral("  มะลิ ")} << QStringLiteral("  มะลิ ");
        QTest::newRow("markup shown literally")
            << QStringList{QStringLiteral("<b>x</b>")} << QStringLiteral("<b>x</b>");
    }

    void theNameReachesTheGreetingAndTheQuizExactlyAsTyped() {
        QFETCH(QStringList, answers);
        QFETCH(QString, name);
        TestProgram game;
        for (const QString &answer : answers)
            game.services.promptAnswers.push_back(answer);
        game.start.show();
        clickOn(game.start.Im1);
        QCOMPARE(game.start.typedName(), name);
        // Even no answer at all is a text, which the results store can keep.
        QVERIFY(!game.start.typedName().isNull());
        QCOMPARE(game.start.LB2->caption(), hello + name);
        QCOMPARE(game.start.LB2->textFormat(), Qt::PlainText);
        QCOMPARE(game.start.LB2->text(), hello + name);

        clickOn(game.start.Im1);
        Form2 &quiz = game.quiz;
        QVERIFY(quiz.isOpen());
        QCOMPARE(quiz.LB1->caption(), name);
        QCOMPARE(quiz.LB1->textFormat(), Qt::PlainText);
        QCOMPARE(quiz.LB1->text(), name);
        QCOMPARE(quiz.LB3->caption(), hello + name + QStringLiteral("\r\n") + readyText);
        QCOMPARE(quiz.LB3->textFormat(), Qt::PlainText);
    }

    void theFirstExitClickSaysGoodbyeAndStartsTheAnimation() {
        TestProgram game;
        game.start.show();
        Form1 &start = game.start;
        clickOn(start.Image1);

        QVERIFY(!start.Im1->isEnabled());
        QVERIFY(!start.Im1->isHidden());
        QVERIFY(start.Timer1->isActive());
        QCOMPARE(start.exitClicks(), 1);
        QCOMPARE(start.Label5->caption(), seeYouAgain);
        QCOMPARE(start.Label4->caption(), byeBye);
        QCOMPARE(shownImage(start.Im1), iconFile(QStringLiteral("c04.gif")));
        QCOMPARE(shownImage(start.Image1), builtIn(QStringLiteral("exit.gif")));
        QCOMPARE(start.animPhase(), 0);
        QCOMPARE(game.services.endCount, 0);

        // The exit picture alternates a01.gif and a02.gif, one per tick.
        start.Timer1_Timer();
        QCOMPARE(start.animPhase(), 1);
        QCOMPARE(shownImage(start.Image1), iconFile(QStringLiteral("a01.gif")));
        start.Timer1_Timer();
        QCOMPARE(start.animPhase(), 0);
        QCOMPARE(shownImage(start.Image1), iconFile(QStringLiteral("a02.gif")));
        start.Timer1_Timer();
        QCOMPARE(start.animPhase(), 1);
        QCOMPARE(shownImage(start.Image1), iconFile(QStringLiteral("a01.gif")));
        start.Timer1_Timer();
        QCOMPARE(start.animPhase(), 0);

        // And the running timer drives it by itself.
        QTRY_COMPARE_WITH_TIMEOUT(start.animPhase(), Form2::Integer(1), 2000);
        QCOMPARE(shownImage(start.Image1), iconFile(QStringLiteral("a01.gif")));
    }

    void afterAnExitClickTheHostIsDeafAndTheSecondExitClickEndsTheProgramOnce() {
        TestProgram game;
        game.services.promptAnswers.push_back(QStringLiteral("ต้น"));
        game.start.show();
        Form1 &start = game.start;
        clickOn(start.Im1);
        const QString dateLine = start.LB1->caption();
        clickOn(start.Image1);

        clickOn(start.Im1);
        clickOn(start.Im1);
        QCOMPARE(start.hostClicks(), 1);
        QCOMPARE(game.services.prompts.size(), size_t(1));
        QVERIFY(!game.quiz.isOpen());
        QCOMPARE(start.LB1->caption(), dateLine);

        clickOn(start.Image1);
        QCOMPARE(start.exitClicks(), 2);
        QVERIFY(!start.Timer1->isActive());
        QCOMPARE(game.services.endCount, 1);
        QVERIFY(!game.quiz.isOpen());
        QTest::qWait(50);
        QCOMPARE(game.services.endCount, 1);
    }

    void leavingTheQuizReopensTheStartScreenAfreshWithItsStateKept() {
        TestProgram game;
        game.services.promptAnswers = {QStringLiteral("ต้น"), QStringLiteral("มะลิ")};
        game.start.show();
        Form1 &start = game.start;
        clickOn(start.Im1);
        clickOn(start.Im1);
        QVERIFY(game.quiz.isOpen());
        clickOn(game.quiz.Cm6);

        QVERIFY(start.isOpen());
        QVERIFY(start.window()->isVisible());
        QVERIFY(!game.quiz.isOpen());
        QVERIFY(start.Label2->caption().startsWith(QStringLiteral("For Lumo Ver 3.1\r\n")));
        QCOMPARE(start.LB1->caption(), welcome);
        QCOMPARE(start.LB2->caption(), subject);
        QCOMPARE(start.Label4->caption(), instruction);
        QCOMPARE(start.Label5->caption(), leaveProgram);
        QCOMPARE(shownImage(start.Im1), builtIn(QStringLiteral("host.gif")));
        QCOMPARE(shownImage(start.Image1), builtIn(QStringLiteral("exit.gif")));
        QVERIFY(start.Im1->isEnabled());
        QVERIFY(!start.Timer1->isActive());
        QCOMPARE(start.typedName(), QStringLiteral("ต้น"));
        QCOMPARE(start.greetTime(), game.services.fixedNow);
        QCOMPARE(start.hostClicks(), 0);
        QCOMPARE(start.exitClicks(), 0);
        QCOMPARE(start.animPhase(), 0);

        clickOn(start.Im1);
        QCOMPARE(game.services.prompts.size(), size_t(2));
        QCOMPARE(start.LB2->caption(), hello + QStringLiteral("มะลิ"));
        QTest::qWait(20);
        QCOMPARE(game.services.endCount, 0);
    }

    void closingTheWindowFromItsFrameEndsTheProgramOnlyWhenNoScreenIsLeft() {
        TestProgram game;
        game.openQuiz();
        game.start.show();
        clickOn(game.start.Image1);
        const QPointer<QTimer> animation = game.start.Timer1;

        game.start.window()->close();
        QVERIFY(!game.start.isOpen());
        QVERIFY(!animation || !animation->isActive());
        QTest::qWait(600);
        QCOMPARE(game.start.animPhase(), 0);
        QCOMPARE(game.services.endCount, 0);

        game.quiz.window()->close();
        QVERIFY(!game.quiz.isOpen());
        QCOMPARE(game.services.endCount, 0); // not before the closing event is over
        QTRY_COMPARE(game.services.endCount, 1);
        QTest::qWait(50);
        QCOMPARE(game.services.endCount, 1);
    }

    void unreadablePictureFilesShowTheDesignPicturesAndTheGameGoesOn() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QDir icons(folder.path());
        QVERIFY(icons.mkdir(QStringLiteral("icon")) && icons.cd(QStringLiteral("icon")));
        // c01.gif is missing, c04.gif empty, a01.gif cut short, a02.gif a folder.
        QFile empty(icons.filePath(QStringLiteral("c04.gif")));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        QFile good(QStringLiteral(LUMO_ICON_DIR "/a01.gif"));
        QVERIFY(good.open(QIODevice::ReadOnly));
        QFile corrupt(icons.filePath(QStringLiteral("a01.gif")));
        QVERIFY(corrupt.open(QIODevice::WriteOnly));
        corrupt.write(good.read(40));
        corrupt.close();
        QVERIFY(icons.mkdir(QStringLiteral("a02.gif")));

        TestProgram game;
        game.services.folder = folder.path();
        Form1 &start = game.start;
        start.show();

        expectOneWarningAbout(icons.filePath(QStringLiteral("c01.gif")),
                              QStringLiteral("not found"));
        clickOn(start.Im1);
        QCOMPARE(shownImage(start.Im1), builtIn(QStringLiteral("host.gif")));
        QCOMPARE(start.LB2->caption(), hello + QStringLiteral("No Name"));
        clickOn(start.Im1);
        QVERIFY(game.quiz.isOpen());
        clickOn(game.quiz.Cm6);
        QVERIFY(start.isOpen());

        expectOneWarningAbout(icons.filePath(QStringLiteral("c04.gif")));
        clickOn(start.Image1);
        QCOMPARE(shownImage(start.Im1), builtIn(QStringLiteral("host.gif")));
        QCOMPARE(start.Label4->caption(), byeBye);

        expectOneWarningAbout(icons.filePath(QStringLiteral("a01.gif")));
        expectOneWarningAbout(icons.filePath(QStringLiteral("a02.gif")),
                              QStringLiteral("folder|directory"));
        for (int tick = 1; tick <= 4; ++tick) {
            start.Timer1_Timer();
            QCOMPARE(shownImage(start.Image1), builtIn(QStringLiteral("exit.gif")));
        }
        clickOn(start.Image1);
        QCOMPARE(game.services.endCount, 1);
    }

    void aGifFileCutShortInItsPictureDataIsUnreadableToo() {
        QTemporaryDir folder;
        QDir icons(folder.path());
        QVERIFY(icons.mkdir(QStringLiteral("icon")) && icons.cd(QStringLiteral("icon")));
        QFile good(QStringLiteral(LUMO_ICON_DIR "/c01.gif"));
        QVERIFY(good.open(QIODevice::ReadOnly));
        QFile cut(icons.filePath(QStringLiteral("c01.gif")));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(good.read(good.size() / 2)); // as a copy that broke off halfway
        cut.close();

        TestProgram game;
        game.services.folder = folder.path();
        game.start.show();
        expectOneWarningAbout(cut.fileName());
        clickOn(game.start.Im1);
        QCOMPARE(shownImage(game.start.Im1), builtIn(QStringLiteral("host.gif")));
        QCOMPARE(game.start.LB2->caption(), hello + QStringLiteral("No Name"));
    }
};

QTEST_MAIN(StartScreenTest)
#include "test_start_screen.moc"
