// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's window on real stores: what it lists and in which order,
// the CSV it exports, dates in the user's locale, deleting only after a yes,
// the class settings it saves, and the store's status.
#include "samples.h"

#include "platform/fonts.h"
#include "settings/name_links.h"
#include "settings/teacher_pin.h"
#include "store/reader.h"
#include "store/recorder.h"
#include "teacher/bar_chart.h"
#include "teacher/bin_page.h"
#include "teacher/child_page.h"
#include "teacher/class_model.h"
#include "teacher/class_page.h"
#include "teacher/csv.h"
#include "teacher/day_picker.h"
#include "teacher/dialogs.h"
#include "teacher/games_model.h"
#include "teacher/games_page.h"
#include "teacher/look.h"
#include "teacher/pin_guard.h"
#include "teacher/settings_page.h"
#include "teacher/source_bar.h"
#include "teacher/teacher_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

using namespace lumo;
using namespace lumo::store;
using namespace lumo::store::test;
using namespace lumo::teacher;

namespace {

class FakeDialogs : public TeacherDialogs {
  public:
    QString exportPath;
    bool answer = false;
    QStringList asked;
    QStringList told;
    /// What the teacher types when asked for the PIN; none: cancels.
    std::optional<QString> pin;
    int pinAsked = 0;
    std::optional<QString> askPin(QWidget *, const QString &) override {
        ++pinAsked;
        return pin;
    }
    QString saveFileName(QWidget *, const QString &) override { return exportPath; }
    bool confirm(QWidget *, const QString &question) override {
        asked << question;
        return answer;
    }
    void inform(QWidget *, const QString &text) override { told << text; }
};

/// Fields of an RFC 4180 document, record by record.
QList<QStringList> parseCsv(const QString &text) {
    QList<QStringList> records{{}};
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                field += c, ++i;
            else if (c == u'"')
                quoted = false;
            else
                field += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            records.last() << field, field.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            records.last() << field, field.clear(), ++i;
            records.append(QStringList());
        } else {
            field += c;
        }
    }
    records.removeLast();
    return records;
}

struct Played {
    QString name;
    int right;
};

/// One short game for each name, with the given points right, a day apart.
void record(const QString &folder, const QList<Played> &games) {
    GameRecorder recorder(folder);
    QDateTime at = firstMorning;
    for (const Played &p : games) {
        const GameStart start = sampleStart(p.name, 1, 30, at);
        recorder.gameStarted(start);
        recorder.answerChecked(sampleAnswer(start, 1, 1, 1));
        recorder.gameEnded(sampleEnd(start, Outcome::Left, 1, p.right, 1));
        at = at.addDays(1);
    }
    QVERIFY(recorder.waitUntilWritten());
}

QStringList namesShown(const GamesPage &page) {
    QStringList names;
    const QList<QStringList> rows = page.shownRows();
    for (qsizetype r = 1; r < rows.size(); ++r)
        names << rows[r][GamesModel::Name];
    return names;
}

} // namespace

class TeacherWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { installFontSubstitutions(); }
    void csvFieldsAreQuotedAndGuardedAgainstFormulas_data();
    void csvFieldsAreQuotedAndGuardedAgainstFormulas();
    void exportWritesTheRowsShownInTheOrderShown();
    void datesAreShownInTheUsersLocale_data();
    void datesAreShownInTheUsersLocale();
    void deletingHappensOnlyAfterAYes_data();
    void deletingHappensOnlyAfterAYes();
    void eachGameSaysWhatHappened_data();
    void eachGameSaysWhatHappened();
    void theClassPageShowsEveryListedChildAndJoinsTypedNames();
    void wrongPinsMakeTheNextTryWait();
    void theWindowFitsTheScreen_data();
    void theWindowFitsTheScreen();
    void oneChildsPageShowsThatChildsMistakes();
    void theSettingsPageSavesTheUsersOwnSettings();
    void theStatusLineSaysWhyResultsCannotBeSaved();
    void aServerThatDoesNotAnswerHoldsNothingUp_data();
    void aServerThatDoesNotAnswerHoldsNothingUp();
};

void TeacherWindowTest::csvFieldsAreQuotedAndGuardedAgainstFormulas_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");
    QTest::newRow("plain Thai") << QStringLiteral("ด.ญ. มาลี") << QStringLiteral("ด.ญ. มาลี");
    QTest::newRow("comma") << QStringLiteral("Smith, John") << QStringLiteral("\"Smith, John\"");
    QTest::newRow("quotes") << QStringLiteral("say \"hi\"") << QStringLiteral("\"say \"\"hi\"\"\"");
    QTest::newRow("line break") << QStringLiteral("a\r\nb") << QStringLiteral("\"a\r\nb\"");
    QTest::newRow("line feed alone") << QStringLiteral("a\nb") << QStringLiteral("\"a\nb\"");
    QTest::newRow("=") << QStringLiteral("=1+1") << QStringLiteral("'=1+1");
    QTest::newRow("+") << QStringLiteral("+66 81") << QStringLiteral("'+66 81");
    QTest::newRow("-") << QStringLiteral("-2") << QStringLiteral("'-2");
    QTest::newRow("@") << QStringLiteral("@SUM(A1)") << QStringLiteral("'@SUM(A1)");
    QTest::newRow("tab") << QStringLiteral("\t=1") << QStringLiteral("'\t=1");
    QTest::newRow("carriage return") << QStringLiteral("\r=1") << QStringLiteral("\"'\r=1\"");
    QTest::newRow("formula with comma and quotes")
        << QStringLiteral("=HYPERLINK(\"x\",\"y\")")
        << QStringLiteral("\"'=HYPERLINK(\"\"x\"\",\"\"y\"\")\"");
    QTest::newRow("= later in the text") << QStringLiteral("a=1") << QStringLiteral("a=1");
    QTest::newRow("empty") << QString() << QString();
}

void TeacherWindowTest::csvFieldsAreQuotedAndGuardedAgainstFormulas() {
    QFETCH(QString, text);
    QFETCH(QString, field);
    QCOMPARE(csvField(text), field);
}

void TeacherWindowTest::exportWritesTheRowsShownInTheOrderShown() {
    // Filtered by "a", sorted by points right: the file holds exactly those
    // rows in that order, with a BOM, each name whole and harmless.
    QTemporaryDir dir;
    const QString long_ = QString(300, QChar(0x0E01)) + QStringLiteral(" a");
    record(dir.path(), {{QStringLiteral("=cmd|' /C calc'!A0 a"), 30},
                        {QStringLiteral("ด.ญ. มาลี a"), 10},
                        {QStringLiteral("Bob"), 5},
                        {QStringLiteral("<b>a</b>, \"quoted\"\nnext line"), 20},
                        {long_, 40}});
    FakeDialogs dialogs;
    dialogs.exportPath = dir.filePath(QStringLiteral("ผลการทดสอบ.csv"));
    TeacherWindow window(dir.path(), {}, dialogs, QLocale(QLocale::Thai, QLocale::Thailand));
    // The name is read once the typing pauses, not at each key.
    window.gamesPage()->setTypingPause(std::chrono::milliseconds(0));
    QTest::keyClicks(window.findChild<QLineEdit *>(QStringLiteral("nameFilter")),
                     QStringLiteral("a"));
    QCOMPARE(window.gamesPage()->model()->rowCount(), 5);
    QTRY_COMPARE(window.gamesPage()->model()->rowCount(), 4);
    window.gamesPage()->table()->sortByColumn(GamesModel::RightPoints, Qt::AscendingOrder);
    QVERIFY(window.gamesPage()->exportShownRows());

    // Two files: the games, and the answers of those games.
    const auto read = [](const QString &path) {
        QFile file(path);
        const bool opened = file.open(QIODevice::ReadOnly);
        const QByteArray bytes = opened ? file.readAll() : QByteArray();
        return std::pair{bytes.startsWith("\xEF\xBB\xBF"),
                         parseCsv(QString::fromUtf8(bytes.mid(3)))};
    };
    const auto [gamesMarked, records] = read(dialogs.exportPath);
    QVERIFY(gamesMarked);
    QCOMPARE(records.size(), 5);
    QCOMPARE(records[0].first(), QStringLiteral("ชื่อ"));
    const QStringList expected{QStringLiteral("ด.ญ. มาลี a"),
                               QStringLiteral("<b>a</b>, \"quoted\"\nnext line"),
                               QStringLiteral("'=cmd|' /C calc'!A0 a"), long_};
    const int started = int(records[0].indexOf(QStringLiteral("เริ่มเล่นเมื่อ")));
    const int points = int(records[0].indexOf(QStringLiteral("คะแนนถูก")));
    const int seconds = int(records[0].indexOf(QStringLiteral("เวลาที่ใช้ (วินาที)")));
    for (int r = 1; r < records.size(); ++r) {
        QCOMPARE(records[r].size(), records[0].size());
        QCOMPARE(records[r][0], expected[r - 1]);
        // Sortable ISO 8601 local times and plain numbers.
        QCOMPARE(records[r][started], QDateTime(firstMorning.addDays(r == 1   ? 1
                                                                     : r == 2 ? 3
                                                                     : r == 3 ? 0
                                                                              : 4))
                                          .toLocalTime()
                                          .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
    }
    QCOMPARE(records[1][points], QStringLiteral("10"));
    QCOMPARE(records[1][seconds], QStringLiteral("566")); // 30 minutes less 1234 s left
    const auto [answersMarked, answers] =
        read(dir.filePath(QStringLiteral("ผลการทดสอบ-คำตอบ.csv")));
    QVERIFY(answersMarked);
    QCOMPARE(answers.size(), 5); // one answer each
    QCOMPARE(answers[1][0], expected[0]);
    QCOMPARE(answers[3][0], expected[2]);
    QVERIFY(dialogs.told.isEmpty());

    // The table itself shows every name on one line, as plain text.
    const QModelIndex cell = window.gamesPage()->table()->model()->index(1, GamesModel::Name);
    QVERIFY(!cell.data().toString().contains(QLatin1Char('\n')));
    for (const QLabel *label : window.findChildren<QLabel *>())
        QCOMPARE(label->textFormat(), Qt::PlainText);

    // Days narrow the same list: from 2 to 4 June (in Bangkok) leaves two.
    for (const QString &day : {QStringLiteral("fromDay"), QStringLiteral("toDay")}) {
        window.findChild<QCheckBox *>(day + QStringLiteral("On"))->setChecked(true);
        window.findChild<DayPicker *>(day)->setDay(
            QDate(2026, 6, day == QStringLiteral("fromDay") ? 2 : 4));
    }
    QCOMPARE(namesShown(*window.gamesPage()),
             (QStringList{expected[0], QStringLiteral("<b>a</b>, \"quoted\"\nnext line")}));
}

void TeacherWindowTest::datesAreShownInTheUsersLocale_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("shown");
    // 23:30 UTC on 1 June is 06:30 on 2 June in Bangkok.
    QTest::newRow("Thai: Thai month, Buddhist era")
        << QLocale(QLocale::Thai, QLocale::Thailand) << QStringLiteral("2 มิ.ย. 2569 06:30");
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedKingdom)
                             << QStringLiteral("2 Jun 2026 06:30");
}

void TeacherWindowTest::datesAreShownInTheUsersLocale() {
    QFETCH(QLocale, locale);
    QFETCH(QString, shown);
    QTemporaryDir dir;
    {
        GameRecorder recorder(dir.path());
        const GameStart start = sampleStart(QStringLiteral("Ann"), 1, 30,
                                            QDateTime(QDate(2026, 6, 1), QTime(23, 30), Qt::UTC));
        recorder.gameStarted(start);
        recorder.gameEnded(sampleEnd(start, Outcome::Won, 100, 250, 0));
        QVERIFY(recorder.waitUntilWritten());
    }
    FakeDialogs dialogs;
    TeacherWindow window(dir.path(), {}, dialogs, locale);
    QCOMPARE(window.gamesPage()->model()->text(0, GamesModel::Started), shown);
    QCOMPARE(window.gamesPage()->model()->text(0, GamesModel::Ending), QStringLiteral("ทำครบทุกข้อ"));
}

void TeacherWindowTest::deletingHappensOnlyAfterAYes_data() {
    QTest::addColumn<int>("what");    // 0: one child, 1: everyone, 2: the game with no name
    QTest::addColumn<QString>("pin"); // empty: no PIN set; else the PIN the teacher types
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QStringList>("left");
    const QStringList all{QString(), QStringLiteral("Ann"), QStringLiteral("Ben")};
    const QString none;
    QTest::newRow("one child, no") << 0 << none << false << all;
    QTest::newRow("one child, yes")
        << 0 << none << true << QStringList{QString(), QStringLiteral("Ben")};
    QTest::newRow("everyone, no") << 1 << none << false << all;
    QTest::newRow("everyone, yes") << 1 << none << true << QStringList{};
    QTest::newRow("a game with no name, yes")
        << 2 << none << true << QStringList{QStringLiteral("Ann"), QStringLiteral("Ben")};
    QTest::newRow("with the PIN typed right")
        << 0 << QStringLiteral("1234") << true << QStringList{QString(), QStringLiteral("Ben")};
    QTest::newRow("with a wrong PIN nothing is asked or deleted")
        << 1 << QStringLiteral("4321") << true << all;
    QTest::newRow("a game with no name, with the PIN")
        << 2 << QStringLiteral("1234") << true
        << QStringList{QStringLiteral("Ann"), QStringLiteral("Ben")};
}

void TeacherWindowTest::deletingHappensOnlyAfterAYes() {
    QFETCH(int, what);
    QFETCH(QString, pin);
    QFETCH(bool, answer);
    QFETCH(QStringList, left);
    QTemporaryDir dir;
    record(dir.path(), {{QStringLiteral("Ann"), 1},
                        {QStringLiteral("Ben"), 2},
                        {QStringLiteral("Ann"), 3},
                        {QString(), 4}});
    const SettingsFiles files{dir.filePath(QStringLiteral("system.conf")),
                              dir.filePath(QStringLiteral("user.conf"))};
    if (!pin.isEmpty())
        QVERIFY(writeTeacherPin(files, hashPin(QStringLiteral("1234"), 1000)));
    FakeDialogs dialogs;
    dialogs.answer = answer;
    dialogs.pin = pin;
    TeacherWindow window(dir.path(), files, dialogs, QLocale(QLocale::Thai, QLocale::Thailand));
    window.showChild(QStringLiteral("Ann"));
    QCOMPARE(window.childPage()->child(), QStringLiteral("Ann"));
    QObject *page = what == 0 ? static_cast<QObject *>(window.childPage()) : window.gamesPage();
    QSignalSpy deleted(page, SIGNAL(recordsDeleted()));
    if (what == 0) {
        window.childPage()->deleteChild();
    } else if (what == 1) {
        window.gamesPage()->deleteEverything();
    } else {
        // A game recorded with an empty name is deleted on its own.
        const int row = int(namesShown(*window.gamesPage()).indexOf(QString()));
        window.gamesPage()->table()->selectRow(row);
        window.gamesPage()->deleteSelectedGame();
    }
    const bool pinRight = pin.isEmpty() || pin == QStringLiteral("1234");
    QCOMPARE(deleted.size(), answer && pinRight ? 1 : 0);
    QCOMPARE(dialogs.pinAsked, pin.isEmpty() ? 0 : pinRight ? 1 : 3);
    QCOMPARE(dialogs.asked.size(), pinRight ? 1 : 0);
    if (pinRight)
        QVERIFY(dialogs.asked.first().contains(what == 1   ? QStringLiteral("4 เกม")
                                               : what == 0 ? QStringLiteral("\"Ann\" (2 เกม)")
                                                           : QStringLiteral("(ไม่มีชื่อ)")));

    // Both pages and the file agree on what is left.
    const auto names = [&] {
        QStringList shown = namesShown(*window.gamesPage());
        shown.removeDuplicates();
        shown.sort();
        return shown;
    };
    QCOMPARE(names(), left);
    QCOMPARE(window.findChild<QComboBox *>(QStringLiteral("child"))->count(), left.size());
    QCOMPARE(ResultReader(dir.path()).players(), left);

    // What went waits in the bin, and the notice takes it back.
    QCOMPARE(window.notice()->isVisibleTo(&window), deleted.size() == 1);
    if (deleted.size() == 1) {
        QCOMPARE(ResultReader(dir.path()).bin().size(),
                 4 - ResultReader(dir.path()).games().size());
        window.undoDeletion();
        QCOMPARE(names(), (QStringList{QString(), QStringLiteral("Ann"), QStringLiteral("Ben")}));
        QVERIFY(ResultReader(dir.path()).bin().isEmpty());
    }
}

void TeacherWindowTest::eachGameSaysWhatHappened_data() {
    QTest::addColumn<int>("startLevel");
    QTest::addColumn<int>("clock");    // minutes; 0: no clock
    QTest::addColumn<int>("answered"); // questions marked, from the first of the level
    QTest::addColumn<int>("outcome");  // -1: no end recorded
    QTest::addColumn<int>("levelReached");
    QTest::addColumn<int>("clockSeconds"); // at the end: left, or used without a clock
    QTest::addColumn<QString>("ending");
    QTest::addColumn<int>("right"); // questions without a mistake: all but every third
    QTest::addColumn<QString>("time");
    const auto won = int(Outcome::Won), left = int(Outcome::Left);
    QTest::newRow("started at level 4, all 25 answered")
        << 4 << 30 << 25 << won << 4 << 300 << QStringLiteral("ทำครบทุกข้อ") << 17
        << QStringLiteral("25:00");
    QTest::newRow("left after five questions")
        << 1 << 30 << 5 << left << 1 << 1500 << QStringLiteral("ออกก่อนจบ") << 4
        << QStringLiteral("5:00");
    QTest::newRow("the last question marked, then the time ran out")
        << 3 << 30 << 50 << int(Outcome::TimeOut) << 4 << 0 << QStringLiteral("ทำครบทุกข้อ") << 34
        << QStringLiteral("1:00:00");
    QTest::newRow("time out at level 2: the minutes level 1 added count")
        << 1 << 30 << 40 << int(Outcome::TimeOut) << 2 << 0 << QStringLiteral("หมดเวลา") << 27
        << QStringLiteral("1:00:00");
    QTest::newRow("window closed, no clock: the time used")
        << 1 << 0 << 3 << int(Outcome::WindowClosed) << 1 << 95 << QStringLiteral("ปิดหน้าต่างก่อนจบ")
        << 2 << QStringLiteral("1:35");
    QTest::newRow("cut off by a power cut: up to the last answer")
        << 2 << 30 << 12 << -1 << 2 << 0 << QStringLiteral("ถูกตัดกลางคัน") << 8
        << QStringLiteral("6:10"); // question 37 was checked 370 s after the start
    QTest::newRow("cut off after question 99: not all done")
        << 1 << 30 << 99 << -1 << 4 << 0 << QStringLiteral("ถูกตัดกลางคัน") << 66
        << QStringLiteral("16:30");
}

void TeacherWindowTest::eachGameSaysWhatHappened() {
    // Questions answered, right and wrong as questions and as points, the
    // start level, how it ended and the time used, whatever way it ended.
    QFETCH(int, startLevel);
    QFETCH(int, clock);
    QFETCH(int, answered);
    QFETCH(int, outcome);
    QFETCH(int, levelReached);
    QFETCH(int, clockSeconds);
    QFETCH(QString, ending);
    QFETCH(int, right);
    QFETCH(QString, time);
    QTemporaryDir dir;
    int points = 0, lost = 0;
    {
        GameRecorder recorder(dir.path());
        const GameStart start = sampleStart(QStringLiteral("Ann"), startLevel,
                                            clock ? std::optional<int>(clock) : std::nullopt);
        recorder.gameStarted(start);
        const int first = 25 * (startLevel - 1) + 1;
        for (int q = first; q < first + answered; ++q) {
            const int level = std::min(4, 1 + (q - 1) / 25);
            const AnswerCheck a = sampleAnswer(start, q, level, (q - first) % 3 == 2 ? 1 : 0);
            points += a.pointsRight;
            lost += a.pointsWrong;
            recorder.answerChecked(a);
        }
        if (outcome >= 0) {
            GameEnd end = sampleEnd(start, Outcome(outcome), first + answered, points, lost);
            end.levelReached = levelReached;
            end.clockSeconds = clockSeconds;
            recorder.gameEnded(end);
        }
        QVERIFY(recorder.waitUntilWritten());
    }
    FakeDialogs dialogs;
    TeacherWindow window(dir.path(), {}, dialogs, QLocale(QLocale::Thai, QLocale::Thailand));
    const GamesModel &model = *window.gamesPage()->model();
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.text(0, GamesModel::StartLevel), QString::number(startLevel));
    QCOMPARE(model.text(0, GamesModel::Answered), QString::number(answered));
    QCOMPARE(model.text(0, GamesModel::RightQuestions), QString::number(right));
    QCOMPARE(model.text(0, GamesModel::WrongQuestions), QString::number(answered - right));
    QCOMPARE(model.text(0, GamesModel::RightPoints), QString::number(points));
    QCOMPARE(model.text(0, GamesModel::WrongPoints), QString::number(lost));
    QCOMPARE(model.text(0, GamesModel::Ending), ending);
    QCOMPARE(model.text(0, GamesModel::Time), time);
}

void TeacherWindowTest::theClassPageShowsEveryListedChildAndJoinsTypedNames() {
    // A class of three: Ann played, Ben has not, and ภูมิ typed his short
    // name. The class page opens first and shows all three; the class
    // list's choice says it leaves ภูมิ's game out; joined to his listed
    // name, his game counts as his and keeps the name he typed.
    QTemporaryDir dir;
    record(dir.path(), {{QStringLiteral("Ann"), 5}, {QStringLiteral("ภูมิ"), 7}});
    const SettingsFiles files{dir.filePath(QStringLiteral("system.conf")),
                              dir.filePath(QStringLiteral("user.conf"))};
    const QString longName(2000, QChar(0x0E01));
    ClassSettings settings;
    settings.classList = {QStringLiteral("Ann"), QStringLiteral("Ben"),
                          QStringLiteral("ด.ช. ภูมิ รักเรียน"), longName};
    QVERIFY(writeClassSettings(files, settings));
    FakeDialogs dialogs;
    TeacherWindow window(dir.path(), files, dialogs, QLocale(QLocale::Thai, QLocale::Thailand));
    QCOMPARE(window.tabs()->currentWidget(), window.classPage());
    const ClassModel &model = *window.classPage()->model();
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(model.text(0, ClassModel::Games), QStringLiteral("1 ครั้ง"));
    QCOMPARE(model.text(1, ClassModel::Games), QStringLiteral("ยังไม่ได้เล่น"));
    QCOMPARE(model.text(2, ClassModel::Games), QStringLiteral("ยังไม่ได้เล่น"));
    QCOMPARE(window.classPage()->overview().unlisted.size(), 1);
    QCOMPARE(window.classPage()->overview().unlisted.first().name, QStringLiteral("ภูมิ"));

    window.findChild<QCheckBox *>(QStringLiteral("classOnly"))->setChecked(true);
    QCOMPARE(window.gamesPage()->model()->rowCount(), 1);
    QVERIFY(window.sourceBar()->hiddenLine()->isVisibleTo(&window));
    QVERIFY(window.sourceBar()->hiddenLine()->text().contains(QStringLiteral("ไม่แสดง 1 เกม")));

    QVERIFY(window.classPage()->join(QStringLiteral("ภูมิ"), QStringLiteral("ด.ช. ภูมิ รักเรียน")));
    QCOMPARE(readNameLinks(files).listedFor(QStringLiteral("ภูมิ")),
             QStringLiteral("ด.ช. ภูมิ รักเรียน"));
    QCOMPARE(window.gamesPage()->model()->rowCount(), 2);
    QVERIFY(!window.sourceBar()->hiddenLine()->isVisibleTo(&window));
    QCOMPARE(model.text(2, ClassModel::Games), QStringLiteral("1 ครั้ง"));
    QVERIFY(window.classPage()->overview().unlisted.isEmpty());
    QCOMPARE(namesShown(*window.gamesPage()).first(), QStringLiteral("ภูมิ"));
    window.showChild(QStringLiteral("ภูมิ"));
    QCOMPARE(window.childPage()->child(), QStringLiteral("ด.ช. ภูมิ รักเรียน"));
    QCOMPARE(window.childPage()->childNames(), QStringList{QStringLiteral("ภูมิ")});

    // A 2,000-character name pushes no control off a 1024-pixel screen.
    for (QWidget *page :
         {static_cast<QWidget *>(window.classPage()), static_cast<QWidget *>(window.childPage()),
          static_cast<QWidget *>(window.settingsPage())}) {
        window.tabs()->setCurrentWidget(page);
        QVERIFY2(window.minimumSizeHint().width() <= 1024,
                 qPrintable(QString::number(window.minimumSizeHint().width())));
    }
    // Separated again, the name is on no list again.
    QVERIFY(window.classPage()->separate(QStringLiteral("ภูมิ")));
    QCOMPARE(window.classPage()->overview().unlisted.size(), 1);
}

void TeacherWindowTest::wrongPinsMakeTheNextTryWait() {
    // Two wrong PINs may be tried again at once; from the third on, the
    // next try waits 5 seconds, then 10; the right PIN opens and starts the
    // count again.
    QTemporaryDir dir;
    const SettingsFiles files{dir.filePath(QStringLiteral("system.conf")),
                              dir.filePath(QStringLiteral("user.conf"))};
    FakeDialogs dialogs;
    QDateTime now = firstMorning;
    PinGuard guard(files, dialogs, [&now] { return now; });
    QVERIFY(guard.allow(nullptr, QStringLiteral("ลบ"))); // no PIN: nothing asked
    QCOMPARE(dialogs.pinAsked, 0);
    QVERIFY(writeTeacherPin(files, hashPin(QStringLiteral("1234"), 1000)));
    dialogs.pin = QStringLiteral("0000");
    QVERIFY(!guard.allow(nullptr, QStringLiteral("ลบ")));
    QCOMPARE(dialogs.pinAsked, 3);
    QCOMPARE(guard.waitSeconds(), 5);
    QVERIFY(!guard.allow(nullptr, QStringLiteral("ลบ")));
    QCOMPARE(dialogs.pinAsked, 3); // not even asked while it waits
    QVERIFY(dialogs.told.last().contains(QStringLiteral("5 วินาที")));
    now = now.addSecs(5);
    QVERIFY(!guard.allow(nullptr, QStringLiteral("ลบ")));
    QCOMPARE(guard.waitSeconds(), 10);
    now = now.addSecs(10);
    dialogs.pin = QStringLiteral("1234");
    QVERIFY(guard.allow(nullptr, QStringLiteral("ลบ")));
    QCOMPARE(guard.waitSeconds(), 0);
    dialogs.pin.reset(); // cancelled: no, and no wait
    QVERIFY(!guard.allow(nullptr, QStringLiteral("ลบ")));
    QCOMPARE(guard.waitSeconds(), 0);
}

void TeacherWindowTest::theWindowFitsTheScreen_data() {
    QTest::addColumn<QSize>("screen"); // the free area
    QTest::addColumn<double>("dpi");
    QTest::addColumn<int>("fewestPixels"); // of the text
    QTest::newRow("1366 x 768 laptop") << QSize(1366, 740) << 96.0 << 14;
    QTest::newRow("1920 x 1080 whiteboard") << QSize(1920, 1050) << 96.0 << 19;
    QTest::newRow("a desktop set to larger text") << QSize(1366, 740) << 144.0 << 22;
    QTest::newRow("1024 x 600 netbook") << QSize(1024, 576) << 96.0 << 13;
}

void TeacherWindowTest::theWindowFitsTheScreen() {
    QFETCH(QSize, screen);
    QFETCH(double, dpi);
    QFETCH(int, fewestPixels);
    const int pixels = teacherFontPixels(screen, dpi);
    QVERIFY(pixels >= fewestPixels);
    const QSize size = openingSize(screen, pixels);
    QVERIFY(size.width() <= screen.width() - 16 && size.height() <= screen.height() - 48);
    // And no smaller than the pages need at that text size.
    QVERIFY(size.width() >= std::min(screen.width() - 16, pixels * 60));
}

void TeacherWindowTest::oneChildsPageShowsThatChildsMistakes() {
    // Ann miscounts 7 twice and a total of 17 once; Ben's 12 must not show on her page.
    QTemporaryDir dir;
    {
        GameRecorder recorder(dir.path());
        const GameStart ann = sampleStart(QStringLiteral("Ann"));
        const GameStart ben = sampleStart(QStringLiteral("Ben"));
        recorder.gameStarted(ann);
        recorder.gameStarted(ben);
        for (const AnswerCheck &a : {sampleAnswer(ann, 1, 1, 1), sampleAnswer(ann, 29, 2, 1, true),
                                     sampleAnswer(ann, 3, 1), sampleAnswer(ben, 2, 1, 1)})
            recorder.answerChecked(a);
        QVERIFY(recorder.waitUntilWritten());
    }
    FakeDialogs dialogs;
    TeacherWindow window(dir.path(), {}, dialogs, QLocale(QLocale::Thai, QLocale::Thailand));
    window.show();
    QVERIFY(!window.childPage()->countsChart()); // made and filled when the page is seen
    window.showChild(QStringLiteral("Ann"));
    QCOMPARE(window.tabs()->currentWidget(), window.childPage());

    // Questions 1 and 29 show 7 in group 1, both answered 8; question 29
    // adds 10, total 17, answered 16; question 3 shows 3, answered right.
    QList<BarChart::Bar> counts;
    for (int n = 2; n <= 15; ++n)
        counts.append({QString::number(n), n == 7 ? 2 : 0, n == 7 ? 2 : n == 3 || n == 10 ? 1 : 0});
    QCOMPARE(window.childPage()->countsChart()->bars(), counts);
    QCOMPARE(window.childPage()->totalsChart()->bars(),
             (QList<BarChart::Bar>{{QStringLiteral("17"), 1, 1}}));
    // One game, cut off after three questions, one of them right: 33%.
    QCOMPARE(window.childPage()->progressChart()->bars().size(), 1);
    QCOMPARE(window.childPage()->progressChart()->bars().first().value, 33);
    const QString summary = window.childPage()->summary()->text();
    for (const QString &fact :
         {QStringLiteral("เล่นทั้งหมด 1 ครั้ง: ถูกตัดกลางคัน 1 ครั้ง"),
          QStringLiteral("ตอบ 3 ข้อ ถูกทั้งข้อ 1 ข้อ (33%) ผิด 2 ข้อ"), QStringLiteral("ทำถูก 2.0 ทำผิด 3.0"),
          QStringLiteral("ใช้เวลารวม 4:50")}) // up to her last answer
        QVERIFY2(summary.contains(fact), qPrintable(summary));
    const QString numbers = window.childPage()->numbers()->text();
    for (const QString &fact : {QStringLiteral("ระดับ 1: ตอบถูก 50% ของช่องที่ตอบ (1 จาก 2)"),
                                QStringLiteral("ระดับ 2: ตอบถูก 33% ของช่องที่ตอบ (1 จาก 3)"),
                                QStringLiteral("จำนวนรูปที่นับผิดบ่อย: 7 (ผิด 2 จาก 2 ครั้ง)"),
                                QStringLiteral("นับรูปผิด: ตอบมากเกินไป 2 ครั้ง น้อยเกินไป 0 ครั้ง"),
                                QStringLiteral("ผลรวมผิด: ตอบมากเกินไป 0 ครั้ง น้อยเกินไป 1 ครั้ง")})
        QVERIFY2(numbers.contains(fact), qPrintable(numbers));

    // Ben played level 1 only: no total was asked of him, and his chart
    // of totals says so instead of drawing an empty axis.
    window.showChild(QStringLiteral("Ben"));
    QTRY_VERIFY(window.childPage()->totalsChart()->isEmpty());
    QVERIFY(window.childPage()->totalsChart()->emptyText().contains(QStringLiteral("ระดับ 2")));
    QVERIFY(!window.childPage()->countsChart()->isEmpty());
}

void TeacherWindowTest::theSettingsPageSavesTheUsersOwnSettings() {
    QTemporaryDir dir;
    const SettingsFiles files{dir.filePath(QStringLiteral("system.conf")),
                              dir.filePath(QStringLiteral("user.conf"))};
    QFile system(files.systemFile);
    QVERIFY(system.open(QIODevice::WriteOnly));
    system.write("[class]\nstart_level=2\nnames=Ann, Ben\n");
    system.close();
    FakeDialogs dialogs;
    TeacherWindow window(dir.filePath(QStringLiteral("store")), files, dialogs,
                         QLocale(QLocale::Thai));
    QCOMPARE(window.settingsPage()->shown(), readClassSettings(files));

    QSignalSpy saved(&window, &TeacherWindow::settingsSaved);
    window.findChild<QSpinBox *>(QStringLiteral("startLevel"))->setValue(3);
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("firstQuestion"))->text(),
             QStringLiteral("เกมเริ่มที่ข้อ 51 แล้วเล่นต่อจนจบข้อ 100"));
    window.findChild<QCheckBox *>(QStringLiteral("clock"))->setChecked(false);
    window.findChild<QCheckBox *>(QStringLiteral("fullscreen"))->setChecked(true);
    window.findChild<QPlainTextEdit *>(QStringLiteral("classList"))
        ->setPlainText(QStringLiteral("  ด.ญ. มาลี \n\n=1+1\nด.ญ. มาลี\n"));
    QVERIFY(window.settingsPage()->save());

    ClassSettings expected;
    expected.startLevel = 3;
    expected.clock = false;
    expected.fullscreen = true;
    expected.classList = QStringList{QStringLiteral("ด.ญ. มาลี"), QStringLiteral("=1+1")};
    QCOMPARE(readClassSettings(files), expected);
    QCOMPARE(saved.size(), 1);
    // Saving says so.
    QVERIFY(window.settingsPage()->savedLine()->text().startsWith(QStringLiteral("บันทึกแล้ว")));

    // A PIN typed twice is kept as a hash; the computer's wins and cannot be changed here.
    window.findChild<QLineEdit *>(QStringLiteral("newPin"))->setText(QStringLiteral("2468"));
    window.findChild<QLineEdit *>(QStringLiteral("repeatPin"))->setText(QStringLiteral("2468"));
    QVERIFY(window.settingsPage()->setPin());
    const auto pin = readTeacherPin(files);
    QVERIFY(pin && pinMatches(QStringLiteral("2468"), pin->hash) && !pin->computerWide);
    QVERIFY(window.findChild<QLineEdit *>(QStringLiteral("newPin"))->text().isEmpty());

    // Qt's own buttons and menus speak Thai too.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("ยกเลิก"));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "File &name:"),
             QStringLiteral("ชื่อไฟล์ (&N):"));
}

void TeacherWindowTest::theStatusLineSaysWhyResultsCannotBeSaved() {
    QTemporaryDir dir;
    QFile notAFolder(dir.filePath(QStringLiteral("file")));
    QVERIFY(notAFolder.open(QIODevice::WriteOnly));
    FakeDialogs dialogs;
    TeacherWindow window(dir.filePath(QStringLiteral("file/store")), {}, dialogs,
                         QLocale(QLocale::Thai));
    QVERIFY(window.statusLine()->text().startsWith(
        QStringLiteral("ไม่สามารถบันทึกผลได้: cannot create the folder")));
    QCOMPARE(window.gamesPage()->model()->rowCount(), 0);

    // In the game's process the recorder's word counts.
    StoreStatus locked;
    locked.state = StoreStatus::State::Locked;
    locked.pending = 12;
    window.showStoreStatus(locked);
    QVERIFY(window.statusLine()->text().contains(QStringLiteral("ผลที่รอบันทึก 12 รายการ")));
}

void TeacherWindowTest::aServerThatDoesNotAnswerHoldsNothingUp_data() {
    QTest::addColumn<bool>("backFirst");
    QTest::newRow("it hangs up while it is chosen") << false;
    QTest::newRow("the teacher went back to this computer first") << true;
}

void TeacherWindowTest::aServerThatDoesNotAnswerHoldsNothingUp() {
    // A server that takes the connection and says nothing, as a machine that
    // hangs: choosing it returns at once while the window says it is loading,
    // and when the server finally hangs up, that counts only if it is still
    // the place chosen.
    QFETCH(bool, backFirst);
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    QTemporaryDir dir;
    record(dir.path(), {{QStringLiteral("Ann"), 1}});
    const SettingsFiles files{dir.filePath(QStringLiteral("system.conf")),
                              dir.filePath(QStringLiteral("user.conf"))};
    ServerSettings server;
    server.host = QStringLiteral("127.0.0.1");
    server.port = silent.serverPort();
    QVERIFY(writeServerSettings(files, server));
    FakeDialogs dialogs;
    TeacherWindow window(dir.path(), files, dialogs, QLocale(QLocale::Thai));
    QCOMPARE(window.gamesPage()->model()->rowCount(), 1);

    QElapsedTimer clock;
    clock.start();
    QVERIFY(window.readFromServer(true));
    QVERIFY(clock.elapsed() < 2000); // the connection alone may wait 5 s
    QVERIFY(window.loading());
    QCOMPARE(window.readLine()->text(), QStringLiteral("กำลังโหลด…"));
    QVERIFY(!window.readLine()->isHidden());
    QCOMPARE(window.gamesPage()->model()->rowCount(),
             0); // not this computer's under the server's name
    QTRY_VERIFY(silent.hasPendingConnections());
    if (backFirst) {
        QVERIFY(window.readFromServer(false));
        QVERIFY(!window.loading());
        QVERIFY(window.readLine()->isHidden());
    }

    int hungUp = 0;
    const auto hangUp = [&] {
        while (QTcpSocket *socket = silent.nextPendingConnection()) {
            socket->abort();
            ++hungUp;
        }
    };
    connect(&silent, &QTcpServer::newConnection, this, hangUp);
    hangUp();
    if (backFirst) {
        QTest::qWait(500); // what the server's thread hands back comes in this time
        QVERIFY(dialogs.told.isEmpty());
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(dialogs.told.size(), 1, 10000);
        QVERIFY(dialogs.told.first().startsWith(
            QStringLiteral("อ่านผลจากเซิร์ฟเวอร์ของโรงเรียนไม่ได้ เพราะติดต่อเซิร์ฟเวอร์ไม่ได้")));
    }
    QVERIFY(!window.loading());
    QCOMPARE(window.sourceBar()->source(), SourceBar::ThisComputer);
    QCOMPARE(window.gamesPage()->model()->rowCount(), 1);
}

QTEST_MAIN(TeacherWindowTest)
#include "test_teacher_window.moc"
