// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The exports as a spreadsheet program reads them: LibreOffice, headless,
// opens the workbook and the CSV files and writes what it read as flat
// OpenDocument XML. Thai must come back intact, numbers as numbers, times
// as dates, and no name may turn into a formula.
#include "teacher/csv.h"
#include "teacher/export_tables.h"
#include "teacher/workbook.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace lumo;
using namespace lumo::teacher;

namespace {

struct ReadCell {
    QString type;  ///< office:value-type: string, float, date…
    QString value; ///< office:value or office:date-value
    QString text;
    bool formula = false;
};
using Sheet = QList<QList<ReadCell>>;

/// The sheets of a flat OpenDocument spreadsheet, by name.
QMap<QString, Sheet> readFlatOds(const QString &path) {
    QMap<QString, Sheet> sheets;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return sheets;
    QXmlStreamReader xml(&file);
    Sheet *sheet = nullptr;
    ReadCell cell;
    int cellRepeat = 1;
    int paragraphs = 0;
    bool inParagraph = false;
    while (!xml.atEnd()) {
        xml.readNext();
        const QStringView name = xml.name();
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.isStartElement()) {
            if (name == u"table")
                sheet = &sheets[a.value(QStringLiteral("table:name")).toString()];
            else if (name == u"table-row" && sheet)
                sheet->append(QList<ReadCell>());
            else if (name == u"table-cell" || name == u"covered-table-cell") {
                cell = {a.value(QStringLiteral("office:value-type")).toString(),
                        a.hasAttribute(QStringLiteral("office:date-value"))
                            ? a.value(QStringLiteral("office:date-value")).toString()
                            : a.value(QStringLiteral("office:value")).toString(),
                        {},
                        a.hasAttribute(QStringLiteral("table:formula"))};
                cellRepeat =
                    std::max(1, a.value(QStringLiteral("table:number-columns-repeated")).toInt());
                paragraphs = 0;
            } else if (name == u"p") {
                if (paragraphs++ > 0)
                    cell.text += QLatin1Char('\n');
                inParagraph = true;
            } else if (name == u"s") {
                cell.text += QString(std::max(1, a.value(QStringLiteral("text:c")).toInt()), u' ');
            } else if (name == u"tab") {
                cell.text += QLatin1Char('\t');
            } else if (name == u"line-break") {
                cell.text += QLatin1Char('\n');
            }
        } else if (xml.isCharacters() && inParagraph) {
            cell.text += xml.text();
        } else if (xml.isEndElement() && name == u"p") {
            inParagraph = false;
        } else if (xml.isEndElement() && (name == u"table-cell" || name == u"covered-table-cell") &&
                   sheet && !sheet->isEmpty()) {
            // A long run of empty cells closes a row: not kept.
            for (int i = 0; i < std::min(cellRepeat, 64); ++i)
                sheet->last().append(cell);
        }
    }
    // Rows of nothing at the end (LibreOffice writes a few) are not rows.
    for (Sheet &rows : sheets)
        while (!rows.isEmpty() && std::all_of(rows.last().begin(), rows.last().end(),
                                              [](const ReadCell &c) { return c.text.isEmpty(); }))
            rows.removeLast();
    return sheets;
}

/// LibreOffice's headless conversion of `files` into flat XML beside them.
bool convert(const QString &soffice, const QString &profile, const QStringList &files,
             const QString &importFilter, QString &log) {
    QStringList arguments{QStringLiteral("-env:UserInstallation=file://") + profile,
                          QStringLiteral("--headless"), QStringLiteral("--norestore")};
    if (!importFilter.isEmpty())
        arguments << QStringLiteral("--infilter=") + importFilter;
    arguments << QStringLiteral("--convert-to") << QStringLiteral("xml")
              << QStringLiteral("--outdir") << QFileInfo(files.first()).absolutePath() << files;
    QProcess process;
    process.start(soffice, arguments);
    const bool done = process.waitForFinished(240000);
    log = QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError());
    return done && process.exitCode() == 0;
}

store::GameRow game(const QString &player, int day, int answered, int right) {
    store::GameRow g;
    g.id = QStringLiteral("00000000-0000-4000-8000-00000000000%1").arg(day);
    g.player = player;
    g.computer = QStringLiteral("ห้อง-2-เครื่อง-7");
    g.startedUtc = QDateTime(QDate(2026, 12, day), QTime(2, 21, 5), Qt::UTC);
    g.endedUtc = g.startedUtc.addSecs(900);
    g.outcome = store::Outcome::Left;
    g.startLevel = 2;
    g.clockMinutes = 30;
    g.levelReached = 2;
    g.questions = 25 + answered;
    g.answered = answered;
    g.answeredRight = right;
    g.right = right * 4;
    g.wrong = answered - right;
    g.clockSeconds = 1500;
    return g;
}

} // namespace

class Spreadsheets : public QObject {
    Q_OBJECT
  private slots:
    void libreOfficeReadsTheExportsBack_data();
    void libreOfficeReadsTheExportsBack();
};

void Spreadsheets::libreOfficeReadsTheExportsBack_data() {
    QTest::addColumn<bool>("workbook");
    QTest::newRow("the workbook, opened as it is") << true;
    // LibreOffice takes a CSV file for Western text unless told: as a
    // teacher picks "Unicode (UTF-8)" in its import dialog.
    QTest::newRow("the CSV files, read as UTF-8") << false;
}

void Spreadsheets::libreOfficeReadsTheExportsBack() {
    QFETCH(bool, workbook);
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (libreoffice-calc-nogui) is not installed; tools/test.sh installs it");
    const QStringList names{QStringLiteral("ด.ญ. มาลี ใจดี"),
                            QStringLiteral("=1+1"),
                            QStringLiteral("=HYPERLINK(\"http://example.org\",\"คลิก\")"),
                            QStringLiteral("+66 81 234 5678"),
                            QStringLiteral("-2"),
                            QStringLiteral("@SUM(A1:A9)"),
                            QStringLiteral("<b>ภูมิ</b>, \"อ้าง\"")};
    QList<store::GameRow> games;
    QList<store::AnswerRow> answers;
    for (int i = 0; i < names.size(); ++i) {
        games << game(names[i], i + 1, 3, 2);
        for (int q = 26; q <= 28; ++q) {
            store::AnswerRow a;
            a.gameId = games.last().id;
            a.question = q;
            a.level = 2;
            a.counts = {7, 9};
            a.answers = {7, q == 27 ? 10 : 9};
            a.total = 16;
            a.answerTotal = 16;
            a.pointsRight = q == 27 ? 3 : 4;
            a.pointsWrong = q == 27 ? 1 : 0;
            a.seconds = 9.5;
            a.checkedUtc = games.last().startedUtc.addSecs(10 * q);
            answers << a;
        }
    }
    const QStringList classList{names.first()};
    const GamesTable gameTable(games, classList, {});
    const AnswersTable answerTable(games, answers);

    QTemporaryDir dir;
    QTemporaryDir profile;
    QString error, log;
    QStringList written;
    if (workbook) {
        written << dir.filePath(QStringLiteral("ผลการทดสอบ.xlsx"));
        QVERIFY2(writeWorkbook(written.first(), {&gameTable, &answerTable}, error),
                 qPrintable(error));
    } else {
        written << dir.filePath(QStringLiteral("ผลการทดสอบ.csv"))
                << dir.filePath(QStringLiteral("ผลการทดสอบ-คำตอบ.csv"));
        QVERIFY2(writeCsv(written[0], gameTable, error), qPrintable(error));
        QVERIFY2(writeCsv(written[1], answerTable, error), qPrintable(error));
    }
    QVERIFY2(convert(soffice, profile.path(), written,
                     workbook ? QString() : QStringLiteral("CSV:44,34,76,1"), log),
             qPrintable(log));

    // One sheet of games and one of answers, whichever way they came.
    Sheet gamesRead, answersRead;
    if (workbook) {
        const auto sheets = readFlatOds(dir.filePath(QStringLiteral("ผลการทดสอบ.xml")));
        gamesRead = sheets.value(QStringLiteral("เกม"));
        answersRead = sheets.value(QStringLiteral("คำตอบ"));
    } else {
        gamesRead = readFlatOds(dir.filePath(QStringLiteral("ผลการทดสอบ.xml"))).first();
        answersRead = readFlatOds(dir.filePath(QStringLiteral("ผลการทดสอบ-คำตอบ.xml"))).first();
    }
    QCOMPARE(gamesRead.size(), games.size() + 1);
    QCOMPARE(answersRead.size(), answers.size() + 1);
    const QList<ExportColumn> columns = gameTable.columns();
    for (int c = 0; c < columns.size(); ++c)
        QCOMPARE(gamesRead[0][c].text, columns[c].title); // Thai intact
    QCOMPARE(answersRead[0][0].text, answerTable.columns().first().title);

    QList<Cell> cells;
    for (int r = 0; r < games.size(); ++r) {
        gameTable.row(r, cells);
        const QList<ReadCell> &row = gamesRead[r + 1];
        for (int c = 0; c < cells.size(); ++c) {
            const ReadCell &read = row.value(c);
            QVERIFY2(!read.formula, qPrintable(read.text)); // nothing runs
            if (const auto *text = std::get_if<QString>(&cells[c])) {
                if (text->isEmpty())
                    continue;
                QCOMPARE(read.type, QStringLiteral("string"));
                // The CSV file guards a text that looks like a formula
                // with a ', which the spreadsheet shows as it is.
                const bool guarded = !workbook && QStringLiteral("=+-@").contains(text->front());
                QCOMPARE(read.text, guarded ? QLatin1Char('\'') + *text : *text);
            } else if (const auto *number = std::get_if<double>(&cells[c])) {
                QCOMPARE(read.type, QStringLiteral("float"));
                QCOMPARE(read.value.toDouble(), *number);
            } else if (const auto *moment = std::get_if<QDateTime>(&cells[c])) {
                QCOMPARE(read.type, QStringLiteral("date"));
                QCOMPARE(QDateTime::fromString(read.value, Qt::ISODate), *moment);
            }
        }
    }
    // The answers' numbers, decimals included, are numbers too.
    const int seconds = int(answerTable.columns().size()) - 3;
    QCOMPARE(answersRead[1][seconds].type, QStringLiteral("float"));
    QCOMPARE(answersRead[1][seconds].value.toDouble(), 9.5);
    QCOMPARE(answersRead[1][0].text, names.first());
}

QTEST_GUILESS_MAIN(Spreadsheets)
#include "test_spreadsheets.moc"
