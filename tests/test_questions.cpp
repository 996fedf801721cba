// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Building a question: how many pictures each group shows and from which
// file, the total, which answer slots and counters are on view, the order of
// the random draws, and picture files that cannot be read.
#include "support/question_cycle.h"
#include "support/shown_pictures.h"

#include "platform/controls.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace lumo;
using namespace lumo::test;

namespace {

using Row = std::array<Picture *, 15>;

// How many pictures a row shows, as elements 0 to n-1; -1 when the shown ones have gaps.
int shownCount(const Row &row) {
    int n = 0;
    while (n < 15 && !row[n]->isHidden())
        ++n;
    for (int k = n; k < 15; ++k)
        if (!row[k]->isHidden())
            return -1;
    return n;
}

QString shownCounts(const Form2 &quiz) {
    return QStringLiteral("%1 %2 %3 %4")
        .arg(shownCount(quiz.Im1))
        .arg(shownCount(quiz.Im2))
        .arg(shownCount(quiz.Im3))
        .arg(shownCount(quiz.Im4));
}

// The answer slots, counters and total caption on view, in a fixed order.
QString visibleSlots(const Form2 &quiz) {
    const std::initializer_list<std::pair<const char *, const Label *>> controls{
        {"LB6", quiz.LB6},   {"LB7", quiz.LB7},   {"LB4", quiz.LB4},
        {"LB8", quiz.LB8},   {"LB9", quiz.LB9},   {"Label6", quiz.Label6},
        {"LB10", quiz.LB10}, {"LB11", quiz.LB11}, {"Label16", quiz.Label16},
        {"LB12", quiz.LB12}, {"LB13", quiz.LB13}, {"Label14", quiz.Label14},
        {"LB14", quiz.LB14}, {"LB15", quiz.LB15}, {"Label18", quiz.Label18}};
    QStringList names;
    for (const auto &[name, control] : controls)
        if (!control->isHidden())
            names << QString::fromLatin1(name);
    return names.join(QLatin1Char(' '));
}

// The same list as the visibility table gives it for a build at `level` with these counts.
QString expectedSlots(int level, const QList<int> &counts) {
    QStringList names;
    const auto group = [&](int g, const char *tens, const char *units, const char *counter) {
        if (counts[g - 1] >= 10)
            names << QString::fromLatin1(tens);
        names << QString::fromLatin1(units) << QString::fromLatin1(counter);
    };
    group(1, "LB6", "LB7", "LB4");
    if (level >= 2)
        group(2, "LB8", "LB9", "Label6");
    if (level >= 3)
        group(3, "LB10", "LB11", "Label16");
    if (level >= 4)
        group(4, "LB12", "LB13", "Label14");
    if (level >= 2)
        names << QStringLiteral("LB14") << QStringLiteral("LB15") << QStringLiteral("Label18");
    return names.join(QLatin1Char(' '));
}

QImage iconFile(int number) {
    return fileImage(QStringLiteral(LUMO_ICON_DIR "/%1.ico").arg(number));
}

bool copyIcon(int from, const QDir &icons, int to) {
    QFile::remove(icons.filePath(QStringLiteral("%1.ico").arg(to)));
    return QFile::copy(QStringLiteral(LUMO_ICON_DIR "/%1.ico").arg(from),
                       icons.filePath(QStringLiteral("%1.ico").arg(to)));
}

} // namespace

class QuestionsTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void levelOneShowsTheDrawnNumberOfPicturesAndTheTensSlotFromTenOn_data() {
        QTest::addColumn<double>("draw");
        QTest::addColumn<int>("count");
        QTest::newRow("lowest draw: 2 pictures") << 0.0 << 2;
        QTest::newRow("9 pictures") << FakeServices::sizeDraw(9) << 9;
        QTest::newRow("10 pictures") << FakeServices::sizeDraw(10) << 10;
        QTest::newRow("highest draw: 15 pictures") << 0.9999999 << 15;
    }

    void levelOneShowsTheDrawnNumberOfPicturesAndTheTensSlotFromTenOn() {
        QFETCH(double, draw);
        QFETCH(int, count);
        TestProgram game;
        startGame(game);
        game.services.scriptedRandoms = {0.0, 0.0, 0.0, 0.0, draw};
        game.quiz.Cm4_Click();

        QCOMPARE(game.quiz.game().count(1), count);
        QCOMPARE(shownCounts(game.quiz), QStringLiteral("%1 0 0 0").arg(count));
        QCOMPARE(visibleSlots(game.quiz), expectedSlots(1, {count}));
        QCOMPARE(game.services.randomCalls, 5);
    }

    void eachLevelBuildsItsGroupsTotalAndSlotsAsTheGameRisesThroughTheLevels_data() {
        QTest::addColumn<QList<QList<int>>>("questions");
        QTest::newRow("tens slots coming and going")
            << QList<QList<int>>{{12}, {9, 10}, {15, 9, 10}, {2, 14, 9, 10}};
        QTest::newRow("small groups, 2 + 3 at level 2, and the largest")
            << QList<QList<int>>{{2}, {2, 3}, {2, 2, 15}, {15, 15, 15, 15}};
    }

    void eachLevelBuildsItsGroupsTotalAndSlotsAsTheGameRisesThroughTheLevels() {
        QFETCH(QList<QList<int>>, questions);
        TestProgram game;
        Form2 &quiz = game.quiz;
        startGame(game);
        for (int level = 1; level <= 4; ++level) {
            // Up to the last question of the level below, then this level's first.
            playQuestions(quiz, quiz::questionsBefore(level) - quiz.game().questionNo());
            QCOMPARE(quiz.game().level(), level);
            const QList<int> &counts = questions[level - 1];
            const int calls = game.services.randomCalls;
            askQuestion(game, counts, {5, 6, 7, 8});
            QCOMPARE(game.services.randomCalls - calls, 4 + level);

            QStringList shown;
            for (int g = 1; g <= 4; ++g)
                shown << QString::number(g <= level ? counts[g - 1] : 0);
            QCOMPARE(shownCounts(quiz), shown.join(QLatin1Char(' ')));
            QCOMPARE(visibleSlots(quiz), expectedSlots(level, counts));
            finishQuestion(quiz);
        }
    }

    void aGameStartedAboveLevelOneShowsTheSlotsOfEveryRowItAsksFor_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<int>>("counts");
        QTest::newRow("level 2") << 2 << QList<int>{12, 3};
        QTest::newRow("level 3") << 3 << QList<int>{4, 11, 9};
        QTest::newRow("level 4") << 4 << QList<int>{9, 10, 2, 15};
    }

    void aGameStartedAboveLevelOneShowsTheSlotsOfEveryRowItAsksFor() {
        QFETCH(int, level);
        QFETCH(QList<int>, counts);
        TestProgram game;
        startGame(game, level);
        askQuestion(game, counts);
        QCOMPARE(visibleSlots(game.quiz), expectedSlots(level, counts));
        QCOMPARE(game.quiz.LB2->caption(), scoreText(25 * (level - 1) + 1, 0, 0, level));
    }

    void everyPictureOfAGroupShowsTheGroupsFileAndGroupsWithOneNumberLookAlike() {
        TestProgram game;
        Form2 &quiz = game.quiz;
        startGame(game, 4);
        QVERIFY(iconFile(3) != iconFile(17));
        askQuestion(game, {2, 3, 4, 15}, {3, 17, 3, 30});

        const std::array<const Row *, 4> rows{&quiz.Im1, &quiz.Im2, &quiz.Im3, &quiz.Im4};
        const std::array<int, 4> numbers{3, 17, 3, 30};
        for (int g = 0; g < 4; ++g) {
            const QImage expected = iconFile(numbers[g]);
            QVERIFY(!expected.isNull());
            for (int k = 0; k < shownCount(*rows[g]); ++k)
                QVERIFY2(shownImage((*rows[g])[k]) == expected,
                         qPrintable(QStringLiteral("group %1, picture %2").arg(g + 1).arg(k)));
        }
        QCOMPARE(shownImage(quiz.Im1[1]), shownImage(quiz.Im3[3]));
        QVERIFY(shownImage(quiz.Im1[0]) != shownImage(quiz.Im2[0]));
    }

    void eachQuestionReadsItsPictureFileAnew() {
        QTemporaryDir folder;
        QDir icons(folder.path());
        QVERIFY(icons.mkdir(QStringLiteral("icon")) && icons.cd(QStringLiteral("icon")));
        QVERIFY(copyIcon(1, icons, 5));
        TestProgram game;
        game.services.folder = folder.path();
        startGame(game);
        askQuestion(game, {3}, {5, 5, 5, 5});
        QCOMPARE(shownImage(game.quiz.Im1[2]), iconFile(1));
        finishQuestion(game.quiz);

        QVERIFY(copyIcon(2, icons, 5));
        askQuestion(game, {3}, {5, 5, 5, 5});
        QCOMPARE(shownImage(game.quiz.Im1[0]), iconFile(2));
        QCOMPARE(shownImage(game.quiz.Im1[2]), iconFile(2));
    }

    void anUnreadablePictureFileShowsThePlaceholderAndTheQuestionGoesOn_data() {
        QTest::addColumn<QString>("fault");
        QTest::newRow("missing") << QStringLiteral("missing");
        QTest::newRow("empty") << QStringLiteral("empty");
        QTest::newRow("corrupt") << QStringLiteral("corrupt");
        QTest::newRow("cut short") << QStringLiteral("cut short");
        QTest::newRow("a folder") << QStringLiteral("folder");
    }

    void anUnreadablePictureFileShowsThePlaceholderAndTheQuestionGoesOn() {
        QFETCH(QString, fault);
        QTemporaryDir folder;
        QDir icons(folder.path());
        QVERIFY(icons.mkdir(QStringLiteral("icon")) && icons.cd(QStringLiteral("icon")));
        QVERIFY(copyIcon(1, icons, 1));
        const QString broken = icons.filePath(QStringLiteral("7.ico"));
        if (fault == QLatin1String("folder")) {
            QVERIFY(icons.mkdir(QStringLiteral("7.ico")));
        } else if (fault != QLatin1String("missing")) {
            QFile good(QStringLiteral(LUMO_ICON_DIR "/7.ico"));
            QFile file(broken);
            QVERIFY(good.open(QIODevice::ReadOnly) && file.open(QIODevice::WriteOnly));
            if (fault == QLatin1String("corrupt"))
                file.write(good.read(30)); // the header and a cut-off directory
            else if (fault == QLatin1String("cut short"))
                file.write(good.read(good.size() * 3 / 4)); // the largest image broken off
        }

        TestProgram game;
        game.services.folder = folder.path();
        Form2 &quiz = game.quiz;
        startGame(game, 2);
        const QRegularExpression warning(QRegularExpression::escape(broken));
        QTest::ignoreMessage(QtWarningMsg, warning);
        QTest::failOnWarning(warning);
        askQuestion(game, {3, 12}, {7, 1, 9, 9});

        const QImage placeholder = fileImage(QStringLiteral(":/pictures/placeholder.ico"));
        QVERIFY(placeholder != iconFile(7) && placeholder != iconFile(1));
        QCOMPARE(shownCounts(quiz), QStringLiteral("3 12 0 0"));
        for (int k = 0; k < 3; ++k)
            QCOMPARE(shownImage(quiz.Im1[k]), placeholder);
        QCOMPARE(shownImage(quiz.Im2[11]), iconFile(1));
        QCOMPARE(visibleSlots(quiz), expectedSlots(2, {3, 12}));

        // The child answers 3, 12 and 15, and all of it is marked right.
        enterNumber(quiz, 1, 3);
        enterNumber(quiz, 2, 12);
        enterNumber(quiz, 5, 15);
        quiz.Cm3_Click();
        QCOMPARE(quiz.LB2->caption(), scoreText(26, 4, 0, 2));
        QCOMPARE(
            quiz.LB3->caption(),
            QStringLiteral("( 3 + 12 ) = 15\r\nคำตอบที่ถูก คือ 3 + 12 ครับ \r\nและผลรวมเท่ากับ 15 ครับ"));

        // The same file in the next question: the placeholder again, no second warning.
        runClearing(quiz);
        askQuestion(game, {4, 2}, {7, 7, 7, 7});
        QCOMPARE(shownImage(quiz.Im2[1]), placeholder);
    }
};

QTEST_MAIN(QuestionsTest)
#include "test_questions.moc"
