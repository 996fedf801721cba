// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Input that tries to break the game: names full of markup, far too long,
// invisible or written right to left, and picture files that are missing
// or damaged. The game shows names exactly as typed, stands its built-in
// pictures in for files it cannot read, and keeps going.
//
// The time each handler takes is printed for the record (one frame at
// 60 Hz is 16.7 ms); the tests do not judge it.
#include "support/broken_icons.h"
#include "support/modal_answer.h"
#include "support/question_cycle.h"
#include "support/warning_log.h"

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/services.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

#include <functional>
#include <map>

using namespace lumo;
using namespace lumo::test;

Q_DECLARE_METATYPE(lumo::test::Breakage)

namespace {

const QString hello = QStringLiteral("สวัสดีครับ น้อง ");
const QString praise = QStringLiteral("จบแล้วครับ....เก่งมาก");
const QString crlf = QStringLiteral("\r\n");

QString clockLine(const QString &name, int minutes, int seconds) {
    return QStringLiteral("น้อง ") + name + crlf +
           QStringLiteral(" เหลือยเวลา %1 นาที %2 วินาที").arg(minutes).arg(seconds);
}

QString scoreLine(int q, int right, int wrong, int level) {
    return QStringLiteral("ข้อที่ %1 ทำถูก %2 ทำผิด %3 ระดับ %4").arg(q).arg(right).arg(wrong).arg(level);
}

QString timeOutMessage(const QString &name, const QString &score) {
    return QStringLiteral("น้อง ") + name + QStringLiteral(" ทำไม่ทันครับ แพ้แล้วครับ") + crlf +
           clockLine(name, 0, 0) + crlf + score;
}

// A name of 32,767 characters with no space to break a line at.
QString longestName() {
    const QString piece = QStringLiteral("น้องต้น<i>Somchai</i>&amp;");
    return piece.repeated(32767 / piece.size() + 1).left(32767);
}

// What a label draws: its caption with CR LF as a line break, never markup.
// A caption far longer than the label may be drawn cut short with an ellipsis.
QString problemsOfLabel(const Label *label, const QString &expected) {
    QString shown = expected;
    shown.replace(crlf, QStringLiteral("\n"));
    if (label->textFormat() != Qt::PlainText)
        return QStringLiteral("%1 may read its text as markup").arg(label->objectName());
    if (label->caption() != expected)
        return QStringLiteral("%1 holds a caption other than the name as typed")
            .arg(label->objectName());
    // Line by line: each drawn line is the caption's line, or its beginning
    // followed by an ellipsis.
    const QStringList drawn = label->text().split(QLatin1Char('\n'));
    const QStringList lines = shown.split(QLatin1Char('\n'));
    if (drawn.size() != lines.size())
        return QStringLiteral("%1 draws other lines than its caption's").arg(label->objectName());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool cutShort =
            drawn[i].endsWith(QChar(0x2026)) && lines[i].startsWith(drawn[i].chopped(1));
        if (drawn[i] != lines[i] && !cutShort)
            return QStringLiteral("%1 draws a text other than its caption")
                .arg(label->objectName());
    }
    return {};
}

QString problemsOfWindow(const QWidget *window) {
    for (const Label *label : window->findChildren<Label *>())
        if (label->textFormat() != Qt::PlainText)
            return QStringLiteral("%1 may read its text as markup").arg(label->objectName());
    return {};
}

QImage shown(const Picture *picture) {
    return picture->pixmap().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Times the handlers it runs; the slowest run of each is reported.
class HandlerClock {
  public:
    void run(const QString &handler, const std::function<void()> &call) {
        QElapsedTimer timer;
        timer.start();
        call();
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        double &slowest = slowest_[handler];
        slowest = std::max(slowest, ms);
    }
    void report(const QString &what) const {
        for (const auto &[handler, ms] : slowest_)
            qInfo("%s | %-52s %8.2f ms%s", qPrintable(what), qPrintable(handler), ms,
                  ms > 1000.0 / 60 ? "  (longer than a frame at 60 Hz)" : "");
    }

  private:
    std::map<QString, double> slowest_;
};

} // namespace

class HostileInputTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { setUpApplication(*qApp); }
    void cleanup() { settle(); }

    void aNameIsShownExactlyAsTypedOnBothScreensAndInBothEndMessages_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("bold markup") << QStringLiteral("<b>x</b>");
        QTest::newRow("image markup") << QStringLiteral("<img src=\"/etc/passwd\">");
        QTest::newRow("script markup") << QStringLiteral("<script>alert(1)</script>");
        QTest::newRow("entity") << QStringLiteral("&amp;");
        QTest::newRow("32767 characters") << longestName();
        QTest::newRow("only spaces") << QStringLiteral("     ");
        QTest::newRow("only zero-width spaces") << QStringLiteral("\u200B\u200B\u200B");
        QTest::newRow("only right-to-left marks") << QStringLiteral("\u200F\u202E\u200F");
        QTest::newRow("right-to-left override before text") << QStringLiteral("\u202Eต้น abc");
        QTest::newRow("emoji") << QStringLiteral("😀👩‍👩‍👧🇹🇭👍🏽");
        QTest::newRow("Thai marks stacked") << QStringLiteral("ก\u0E34\u0E49\u0E4A\u0E47\u0E4C");
        QTest::newRow("Thai marks on nothing") << QStringLiteral("\u0E31\u0E49\u0E4C");
        QTest::newRow("empty") << QStringLiteral("");
        QTest::newRow("cancelled prompt") << QString();
    }

    void aNameIsShownExactlyAsTypedOnBothScreensAndInBothEndMessages() {
        QFETCH(QString, name);
        HandlerClock clock;
        TestProgram game;
        Form1 &start = game.start;
        Form2 &q = game.quiz;
        game.services.promptAnswers = {name, name};
        // A one-minute clock for the game lost on time.
        q.setRules({1, 1});
        start.show();
        QVERIFY(QTest::qWaitForWindowExposed(start.window()));

        // The greeting on the start screen.
        clock.run(QStringLiteral("Form1::Im1_Click (prompt and greeting)"),
                  [&] { start.Im1_Click(); });
        QCOMPARE(problemsOfLabel(start.LB2, hello + name), QString());
        QCOMPARE(problemsOfWindow(start.window()), QString());
        clock.run(QStringLiteral("painting the start screen"), [&] { start.window()->repaint(); });

        // The quiz's name line and greeting, then the clock line.
        clock.run(QStringLiteral("Form1::Im1_Click (opening the quiz)"),
                  [&] { start.Im1_Click(); });
        settle();
        QVERIFY(q.isOpen() && !start.isOpen());
        QVERIFY(QTest::qWaitForWindowExposed(q.window()));
        QCOMPARE(problemsOfLabel(q.LB1, name), QString());
        QCOMPARE(problemsOfLabel(q.LB3, q.LB3->caption()), QString());
        QVERIFY(q.LB3->caption().startsWith(hello + name + crlf));
        QCOMPARE(problemsOfWindow(q.window()), QString());
        clock.run(QStringLiteral("painting the quiz screen"), [&] { q.window()->repaint(); });
        clock.run(QStringLiteral("Form2::Cm1_Click"), [&] { q.Cm1_Click(); });
        QCOMPARE(q.game().playerName(), name);
        clock.run(QStringLiteral("Form2::Timer1_Timer"), [&] { q.Timer1_Timer(); });
        QCOMPARE(problemsOfLabel(q.LB1, clockLine(name, 0, 59)), QString());
        clock.run(QStringLiteral("painting the quiz screen"), [&] { q.window()->repaint(); });

        // The time runs out: the message names the player twice, as typed.
        while (q.game().secondsLeft() > 1)
            q.Timer1_Timer();
        clock.run(QStringLiteral("Form2::Timer1_Timer (time-out)"), [&] { q.Timer1_Timer(); });
        settle();
        QVERIFY(start.isOpen() && !q.isOpen());
        QCOMPARE(game.services.messages.size(), 1);
        QCOMPARE(game.services.messages.at(0), timeOutMessage(name, scoreLine(0, 0, 0, 1)));

        // A second game, won: the praise names the player as typed.
        q.setRules({4, 30});
        start.Im1_Click();
        QCOMPARE(problemsOfLabel(start.LB2, hello + name), QString());
        start.Im1_Click();
        settle();
        QVERIFY(q.isOpen());
        q.Cm1_Click();
        q.Timer1_Timer();
        playQuestions(q, 25);
        clock.run(QStringLiteral("Form2::Cm4_Click (the won game's end)"), [&] { q.Cm4_Click(); });
        settle();
        QVERIFY(start.isOpen() && !q.isOpen());
        QCOMPARE(game.services.messages.size(), 2);
        QCOMPARE(game.services.messages.at(1),
                 praise + crlf + clockLine(name, 29, 59) + crlf + scoreLine(101, 0, 125, 4));
        QCOMPARE(game.services.endCount, 0);

        clock.report(QString::fromLatin1(QTest::currentDataTag()));
    }

    void theRealMessageBoxShowsItsTextAsPlainTextUnderTheProgramsTitleWithOnlyAnOkButton() {
        RealServices services;
        QWidget parent;
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        const QString name =
            QStringLiteral("<img src=\"/etc/passwd\"><b>x</b>&amp;<script>alert(1)</script>");
        const QString text = timeOutMessage(name, scoreLine(3, 2, 1, 1));
        QString shownText = text;
        shownText.replace(crlf, QStringLiteral("\n"));

        QString problems;
        const auto require = [&](bool ok, const char *what) {
            if (!ok)
                problems += QLatin1String(what) + QStringLiteral("; ");
        };
        ModalAnswer answer([&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            require(box, "the modal window is not a message box");
            if (!box)
                return;
            require(box->textFormat() == Qt::PlainText, "the box may read its text as markup");
            require(box->text() == shownText, "the box's text is not the message as given");
            require(box->informativeText().isEmpty() && box->detailedText().isEmpty(),
                    "the box shows more text");
            require(box->windowTitle() == QStringLiteral("lumo3"), "the box is not titled lumo3");
            require(box->icon() == QMessageBox::NoIcon && box->iconPixmap().isNull(),
                    "the box shows an icon");
            require(box->windowModality() != Qt::NonModal, "the box is not modal");
            const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
            require(label && label->textFormat() == Qt::PlainText && label->text() == shownText,
                    "the box's label does not draw the message as plain text");
            const QList<QAbstractButton *> buttons = box->buttons();
            require(buttons.size() == 1 && box->standardButton(buttons.value(0)) == QMessageBox::Ok,
                    "the box has buttons other than one OK");
            if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                ok->click();
        });
        services.message(&parent, text);
        QVERIFY2(answer.answered(), "no modal message box appeared");
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    void theRealNamePromptGivesBackTheNameAsTypedOrPickedAndNothingWhenCancelled_data() {
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<QString>("typed");
        // The listed name tapped, or -1 to type.
        QTest::addColumn<int>("tapped");
        QTest::newRow("a name to type")
            << QStringList() << QStringLiteral("<b>ต้น</b>&amp;\u202E😀") << -1;
        const QStringList classList{QStringLiteral("ด.ช. สมชาย รักเรียน"),
                                    QStringLiteral("<i>Malee</i> & Co"),
                                    QStringLiteral("Smith, John")};
        // A name that differs from a listed one only in case stays as typed.
        QTest::newRow("a class list, another name typed")
            << classList << QStringLiteral("smith, john") << -1;
        QTest::newRow("a class list, a name tapped") << classList << QString() << 1;
    }

    void theRealNamePromptGivesBackTheNameAsTypedOrPickedAndNothingWhenCancelled() {
        QFETCH(QStringList, choices);
        QFETCH(QString, typed);
        QFETCH(int, tapped);
        RealServices services;
        QWidget parent;
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QString problems;
        const auto answerWith = [&](bool accept) {
            return [&problems, &typed, &choices, tapped, accept](QWidget *modal) {
                auto *dialog = qobject_cast<NamePrompt *>(modal);
                if (!dialog) {
                    problems += QStringLiteral("the modal window is not the name prompt; ");
                    return;
                }
                for (const QLabel *label : dialog->findChildren<QLabel *>())
                    if (label->textFormat() != Qt::PlainText)
                        problems +=
                            QStringLiteral("a label of the prompt may read its text as markup; ");
                if (dialog->field()->text() != QStringLiteral("No Name"))
                    problems += QStringLiteral("the prompt does not offer its default answer; ");
                QStringList offered;
                for (const QPushButton *name : dialog->nameButtons())
                    if (name->isVisible())
                        offered << name->accessibleName();
                if (offered != choices)
                    problems += QStringLiteral("the class list is not offered to pick from; ");
                if (accept && tapped >= 0) {
                    QTest::mouseClick(dialog->nameButtons().at(tapped), Qt::LeftButton);
                    return;
                }
                // Typing replaces the default answer (QtTest types only Latin letters).
                bool latin = true;
                for (const QChar c : typed)
                    latin = latin && c.unicode() < 0x80;
                if (latin)
                    QTest::keyClicks(dialog->field(), typed);
                else
                    dialog->field()->setText(typed);
                // Enter in the field answers the prompt, Esc cancels it.
                QTest::keyClick(dialog->field(), accept ? Qt::Key_Return : Qt::Key_Escape);
            };
        };
        {
            ModalAnswer answer(answerWith(true));
            const QString result = services.prompt(&parent, QStringLiteral("ป้อนชื่อผู้ทำการทดสอบ"),
                                                   QStringLiteral("ชื่อผู้ทำการทดสอบ"),
                                                   QStringLiteral("No Name"), choices);
            QVERIFY(answer.answered());
            QCOMPARE(result, tapped >= 0 ? choices.at(tapped) : typed);
        }
        {
            ModalAnswer answer(answerWith(false));
            const QString result = services.prompt(&parent, QStringLiteral("ป้อนชื่อผู้ทำการทดสอบ"),
                                                   QStringLiteral("ชื่อผู้ทำการทดสอบ"),
                                                   QStringLiteral("No Name"), choices);
            QVERIFY(answer.answered());
            QVERIFY(result.isEmpty());
            QVERIFY(!result.isNull());
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    void brokenPictureFilesShowTheBuiltInPicturesWarnOncePerFileAndTheGameGoesOn_data() {
        QTest::addColumn<Breakage>("breakage");
        QTest::newRow("no icon folder") << Breakage::NoIconFolder;
        QTest::newRow("icon is a file") << Breakage::IconIsAFile;
        QTest::newRow("files missing") << Breakage::Missing;
        QTest::newRow("files empty") << Breakage::Empty;
        QTest::newRow("files cut in half") << Breakage::CutInHalf;
        QTest::newRow("corrupt bytes") << Breakage::CorruptBytes;
        QTest::newRow("folders in their place") << Breakage::FolderInPlace;
        QTest::newRow("files unreadable") << Breakage::Unreadable;
    }

    void brokenPictureFilesShowTheBuiltInPicturesWarnOncePerFileAndTheGameGoesOn() {
        QFETCH(Breakage, breakage);
#ifdef Q_OS_WIN
        if (breakage == Breakage::Unreadable)
            QSKIP("Windows keeps who may read a file in its access lists, which Qt's permissions "
                  "do not change.");
#else
        if (breakage == Breakage::Unreadable && ::geteuid() == 0)
            QSKIP("The tests run as root here, and root reads a file whatever its permissions say; "
                  "run them as an ordinary user to cover unreadable files.");
#endif
        QTemporaryDir programFolder;
        QVERIFY(programFolder.isValid());
        const QString made =
            makeBrokenIconFolder(programFolder.path(), QStringLiteral(LUMO_ICON_DIR), breakage);
        QVERIFY2(made.isEmpty(), qPrintable(made));
        const QDir icons(QDir(programFolder.path()).filePath(QStringLiteral("icon")));

        const QImage host = builtInPicture(QStringLiteral(":/pictures/host.gif"));
        const QImage exitDoor = builtInPicture(QStringLiteral(":/pictures/exit.gif"));
        const QImage placeholder = builtInPicture(QStringLiteral(":/pictures/placeholder.ico"));
        QVERIFY(!host.isNull() && !exitDoor.isNull() && !placeholder.isNull());

        WarningLog log;
        HandlerClock clock;
        QSet<QString> read; // the files the game has tried to read
        TestProgram game;
        game.services.folder = programFolder.path();
        Form1 &start = game.start;
        Form2 &q = game.quiz;
        start.show();
        QVERIFY(QTest::qWaitForWindowExposed(start.window()));

        clock.run(QStringLiteral("Form1::Im1_Click (greeting, c01.gif)"),
                  [&] { start.Im1_Click(); });
        read << QStringLiteral("c01.gif");
        QVERIFY2(shown(start.Im1) == host,
                 "the host does not show his built-in picture in place of c01.gif");
        clock.run(QStringLiteral("Form1::Im1_Click (opening the quiz)"),
                  [&] { start.Im1_Click(); });
        settle();
        QVERIFY(q.isOpen());
        QVERIFY(QTest::qWaitForWindowExposed(q.window()));
        q.Cm1_Click();

        // One question at every level: the last one of the level, so that the game moves up.
        const std::array<const std::array<Picture *, 15> *, 4> rows{&q.Im1, &q.Im2, &q.Im3, &q.Im4};
        for (int level = 1; level <= 4; ++level) {
            QCOMPARE(int(q.game().level()), level);
            while (q.game().questionNo() < 25 * level - 1) {
                q.Cm4_Click();
                for (int g = 0; g < level; ++g)
                    read << QStringLiteral("%1.ico").arg(q.game().iconNumber()[g]);
                finishQuestion(q);
            }
            clock.run(QStringLiteral("Form2::Cm4_Click (a question)"), [&] { q.Cm4_Click(); });
            const std::array<int, 4> tops{q.game().groupTop1(), q.game().groupTop2(),
                                          q.game().groupTop3(), q.game().groupTop4()};
            for (int g = 0; g < level; ++g) {
                read << QStringLiteral("%1.ico").arg(q.game().iconNumber()[g]);
                for (int k = 0; k <= tops[g]; ++k) {
                    const Picture *picture = (*rows[g])[k];
                    QVERIFY(!picture->isHidden());
                    QVERIFY2(
                        shown(picture) == placeholder,
                        qPrintable(QStringLiteral(
                                       "picture %1 of row %2 (%3.ico) is not the built-in stand-in")
                                       .arg(k)
                                       .arg(g + 1)
                                       .arg(q.game().iconNumber()[g])));
                }
            }
            clock.run(QStringLiteral("painting the quiz screen"), [&] { q.window()->repaint(); });
            clock.run(QStringLiteral("Form2::Cm3_Click"), [&] { q.Cm3_Click(); });
            for (int tick = 0; tick < 15; ++tick)
                clock.run(QStringLiteral("Form2::Timer2_Timer"), [&] { q.Timer2_Timer(); });
            QVERIFY(q.Cm4->isEnabled());
        }
        QCOMPARE(int(q.game().level()), 4);
        QCOMPARE(int(q.game().questionNo()), 100);
        clock.run(QStringLiteral("Form2::Cm4_Click (the won game's end)"), [&] { q.Cm4_Click(); });
        settle();
        QVERIFY(start.isOpen() && !q.isOpen());

        // The way out: goodbye, and the animation on the built-in door.
        clock.run(QStringLiteral("Form1::Image1_Click (goodbye, c04.gif)"),
                  [&] { start.Image1_Click(); });
        read << QStringLiteral("c04.gif");
        QVERIFY2(shown(start.Im1) == host,
                 "the host does not show his built-in picture in place of c04.gif");
        for (int tick = 0; tick < 4; ++tick) {
            clock.run(QStringLiteral("Form1::Timer1_Timer (a01.gif, a02.gif)"),
                      [&] { start.Timer1_Timer(); });
            QVERIFY2(shown(start.Image1) == exitDoor,
                     "the exit picture does not show the built-in door");
        }
        read << QStringLiteral("a01.gif") << QStringLiteral("a02.gif");
        QCOMPARE(game.services.endCount, 0);
        start.Image1_Click();
        QCOMPARE(game.services.endCount, 1);

        // One warning for each file the game tried to read, naming it; none about any other.
        for (const QString &file : std::as_const(read))
            QVERIFY2(log.mentioning(icons.filePath(file)) == 1,
                     qPrintable(QStringLiteral("%1 warnings name %2")
                                    .arg(log.mentioning(icons.filePath(file)))
                                    .arg(file)));
        QCOMPARE(log.mentioning(icons.path()), int(read.size()));

        clock.report(QString::fromLatin1(QTest::currentDataTag()));
    }
};

QTEST_MAIN(HostileInputTest)
#include "test_hostile_input.moc"
