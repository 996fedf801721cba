// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's window on real stores: what it lists and in which order,
// the CSV it exports, dates in the user's locale, deleting only after a yes,
// the class settings it saves, and the store's status.
#include "samples.h"

#include "platform/fonts.h"
#include "store/reader.h"
#include "store/recorder.h"
#include "teacher/child_page.h"
#include "teacher/csv.h"
#include "teacher/day_picker.h"
#include "teacher/dialogs.h"
#include "teacher/games_model.h"
#include "teacher/games_page.h"
#include "teacher/settings_page.h"
#include "teacher/source_bar.h"
#include "teacher/teacher_window.h"
#include "teacher/wrong_chart.h"

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
    window.gamesPage()->table()->sortByColumn(GamesModel::Right, Qt::AscendingOrder);
    QVERIFY(window.gamesPage()->exportShownRows());

    QFile file(dialogs.exportPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QList<QStringList> records = parseCsv(QString::fromUtf8(bytes.mid(3)));
    QCOMPARE(records.size(), 5);
    QCOMPARE(records[0], window.gamesPage()->model()->headers());
    const QStringList expected{QStringLiteral("ด.ญ. มาลี a"),
                               QStringLiteral("<b>a</b>, \"quoted\"\nnext line"),
                               QStringLiteral("'=cmd|' /C calc'!A0 a"), long_};
    for (int r = 1; r < records.size(); ++r) {
        QCOMPARE(records[r].size(), int(GamesModel::ColumnCount));
        QCOMPARE(records[r][GamesModel::Name], expected[r - 1]);
    }
    QCOMPARE(records[1][GamesModel::Right], QStringLiteral("10"));
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
        << QLocale(QLocale::Thai, QLocale::Thailand) << QStringLiteral("02 มิถุนายน 2569 06:30");
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedKingdom)
                             << QStringLiteral("02 June 2026 06:30");
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
    QCOMPARE(window.gamesPage()->model()->text(0, GamesModel::Result),
             QStringLiteral("ทำครบ 100 ข้อ"));
}

void TeacherWindowTest::deletingHappensOnlyAfterAYes_data() {
    QTest::addColumn<bool>("everyone");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QStringList>("left");
    const QStringList both{QStringLiteral("Ann"), QStringLiteral("Ben")};
    QTest::newRow("one child, no") << false << false << both;
    QTest::newRow("one child, yes") << false << true << QStringList{QStringLiteral("Ben")};
    QTest::newRow("everyone, no") << true << false << both;
    QTest::newRow("everyone, yes") << true << true << QStringList{};
}

void TeacherWindowTest::deletingHappensOnlyAfterAYes() {
    QFETCH(bool, everyone);
    QFETCH(bool, answer);
    QFETCH(QStringList, left);
    QTemporaryDir dir;
    record(dir.path(),
           {{QStringLiteral("Ann"), 1}, {QStringLiteral("Ben"), 2}, {QStringLiteral("Ann"), 3}});
    FakeDialogs dialogs;
    dialogs.answer = answer;
    TeacherWindow window(dir.path(), {}, dialogs, QLocale(QLocale::Thai, QLocale::Thailand));
    window.showChild(QStringLiteral("Ann"));
    QCOMPARE(window.childPage()->child(), QStringLiteral("Ann"));
    QSignalSpy deleted(everyone ? static_cast<QObject *>(window.gamesPage()) : window.childPage(),
                       SIGNAL(recordsDeleted()));
    everyone ? window.gamesPage()->deleteEverything() : window.childPage()->deleteChild();
    QCOMPARE(deleted.size(), answer ? 1 : 0);
    QCOMPARE(dialogs.asked.size(), 1);
    QVERIFY(dialogs.asked.first().contains(everyone ? QStringLiteral("3 เกม")
                                                    : QStringLiteral("\"Ann\" (2 เกม)")));

    // Both pages and the file agree on what is left.
    QStringList shown = namesShown(*window.gamesPage());
    shown.removeDuplicates();
    shown.sort();
    QCOMPARE(shown, left);
    QCOMPARE(window.findChild<QComboBox *>(QStringLiteral("child"))->count(), left.size());
    QCOMPARE(ResultReader(dir.path()).players(), left);
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

    // Questions 1 and 29 show 7 in group 1; question 29 adds 10, total 17.
    QList<BarChart::Bar> counts;
    for (int n = 2; n <= 15; ++n)
        counts.append({QString::number(n), n == 7 ? 2 : 0});
    QCOMPARE(window.childPage()->countsChart()->bars(), counts);
    QCOMPARE(window.childPage()->totalsChart()->bars(),
             (QList<BarChart::Bar>{{QStringLiteral("17"), 1}}));
    // Her one game, unfinished: 2 points right and 3 wrong; level 1 has two
    // items (one right), level 2 three (one right).
    QCOMPARE(window.childPage()->summary()->text(),
             QStringLiteral("เล่นทั้งหมด 1 ครั้ง (จบเกม 0 ครั้ง)\nทำถูกมากที่สุดในเกมเดียว 2 คะแนน\n"
                            "เฉลี่ยต่อเกม: ทำถูก 2.0 ทำผิด 3.0"));
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("levels"))->text(),
             QStringLiteral("ระดับ 1: ตอบถูก 50% (1 จาก 2)\nระดับ 2: ตอบถูก 33% (1 จาก 3)"));
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
    QCOMPARE(expected.questionsBefore(), 50);
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
