// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/games_page.h"

#include "store/tables.h"
#include "teacher/csv.h"
#include "teacher/day_picker.h"
#include "teacher/dialogs.h"
#include "teacher/export_tables.h"
#include "teacher/games_model.h"
#include "teacher/look.h"
#include "teacher/pin_guard.h"
#include "teacher/plain_label.h"
#include "teacher/read_queue.h"
#include "teacher/texts.h"
#include "teacher/workbook.h"

#include <QCheckBox>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace lumo::teacher {

namespace {

/// The second CSV file beside the first: "ผล.csv" gives "ผล-คำตอบ.csv".
QString answersPath(const QString &gamesPath) {
    QString base = gamesPath;
    if (base.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        base.chop(4);
    return base + QStringLiteral("-คำตอบ.csv");
}

bool isWorkbook(const QString &path) {
    return path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive);
}

/// A wait cursor while a long write runs on the window's thread.
class Busy {
  public:
    Busy() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Busy() { QGuiApplication::restoreOverrideCursor(); }
};

} // namespace

GamesPage::GamesPage(ReadQueue &reads, TeacherDialogs &dialogs, PinGuard &pin,
                     const QLocale &locale, QWidget *parent)
    : QWidget(parent), reads_(&reads), dialogs_(dialogs), pin_(pin), locale_(locale),
      model_(new GamesModel(locale, this)), sorted_(new QSortFilterProxyModel(this)),
      table_(new QTableView(this)), name_(new QLineEdit(this)),
      fromOn_(new QCheckBox(QStringLiteral("ตั้งแต่วันที่"), this)),
      toOn_(new QCheckBox(QStringLiteral("ถึงวันที่"), this)), from_(new DayPicker(locale, this)),
      to_(new DayPicker(locale, this)), count_(plainLabel({}, this)),
      deleteOne_(new QPushButton(QStringLiteral("ลบเกมที่เลือก…"), this)),
      deleteAll_(new QPushButton(QStringLiteral("ลบผลของทุกคน…"), this)) {
    name_->setObjectName(QStringLiteral("nameFilter"));
    name_->setPlaceholderText(QStringLiteral("พิมพ์ชื่อหรือบางส่วนของชื่อ"));
    name_->setClearButtonEnabled(true);
    fromOn_->setObjectName(QStringLiteral("fromDayOn"));
    toOn_->setObjectName(QStringLiteral("toDayOn"));
    from_->setObjectName(QStringLiteral("fromDay"));
    to_->setObjectName(QStringLiteral("toDay"));
    from_->setEnabled(false);
    to_->setEnabled(false);

    sorted_->setSourceModel(model_);
    sorted_->setSortRole(GamesModel::sortRole);
    sorted_->setSortLocaleAware(true);
    table_->setObjectName(QStringLiteral("games"));
    table_->setModel(sorted_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(GamesModel::Started, Qt::DescendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    shareColumnWidths(table_, GamesModel::leastWidths());

    auto *exportButton = new QPushButton(QStringLiteral("ส่งออก…"), this);
    exportButton->setObjectName(QStringLiteral("export"));
    exportButton->setToolTip(QStringLiteral("บันทึกเกมที่แสดงและคำตอบทุกข้อของเกมเหล่านั้น "
                                            "เป็นสมุดงาน Excel (.xlsx) หรือเป็นไฟล์ CSV สองไฟล์"));
    deleteOne_->setObjectName(QStringLiteral("deleteGame"));
    deleteOne_->setEnabled(false);
    deleteAll_->setObjectName(QStringLiteral("deleteAll"));

    auto *filters = new QHBoxLayout;
    filters->addWidget(plainLabel(QStringLiteral("ชื่อ"), this));
    filters->addWidget(name_, 1);
    filters->addSpacing(12);
    filters->addWidget(fromOn_);
    filters->addWidget(from_);
    filters->addSpacing(12);
    filters->addWidget(toOn_);
    filters->addWidget(to_);
    auto *actions = new QHBoxLayout;
    actions->addWidget(count_, 1);
    actions->addWidget(exportButton);
    actions->addWidget(deleteOne_);
    actions->addWidget(deleteAll_);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(table_, 1);
    layout->addLayout(actions);

    // A name is read once the typing pauses, not at every key.
    typing_.setSingleShot(true);
    typing_.setInterval(std::chrono::milliseconds(300));
    connect(name_, &QLineEdit::textChanged, &typing_, qOverload<>(&QTimer::start));
    connect(&typing_, &QTimer::timeout, this, &GamesPage::reload);
    for (auto [on, picker] : {std::pair{fromOn_, from_}, std::pair{toOn_, to_}}) {
        connect(on, &QCheckBox::toggled, picker, &QWidget::setEnabled);
        connect(on, &QCheckBox::toggled, this, &GamesPage::reload);
        connect(picker, &DayPicker::dayChanged, this, &GamesPage::reload);
    }
    connect(exportButton, &QPushButton::clicked, this, &GamesPage::exportShownRows);
    connect(deleteOne_, &QPushButton::clicked, this, &GamesPage::deleteSelectedGame);
    connect(deleteAll_, &QPushButton::clicked, this, &GamesPage::deleteEverything);
    connect(table_, &QTableView::activated, this, [this](const QModelIndex &index) {
        emit childChosen(model_->game(sorted_->mapToSource(index).row()).player);
    });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { deleteOne_->setEnabled(table_->selectionModel()->hasSelection()); });
    connect(model_, &QAbstractItemModel::modelReset, this,
            [this] { deleteOne_->setEnabled(false); });
}

void GamesPage::setSource(ReadQueue &reads, const store::GameFilter &scope, bool server) {
    if (&reads != reads_)
        model_->setGames({}); // nothing of the other place while this one is read
    reads_ = &reads;
    scope_ = scope;
    server_ = server;
    // The whole school's results are not the teacher's to delete at a click;
    // one child's or one game's are.
    deleteAll_->setEnabled(!server);
    deleteAll_->setToolTip(server ? QStringLiteral("บนเซิร์ฟเวอร์ของโรงเรียนลบได้ทีละเกม "
                                                   "หรือทีละคนที่หน้า \"รายบุคคล\"")
                                  : QString());
    reload();
}

void GamesPage::setClassList(const QStringList &names, const NameLinks &links) {
    classList_ = names;
    links_ = links;
    model_->setNameLinks(links);
}

store::GameFilter GamesPage::filter() const {
    store::GameFilter filter = scope_;
    filter.nameContains = name_->text();
    filter.firstDay = fromOn_->isChecked() ? from_->day() : QDate();
    filter.lastDay = toOn_->isChecked() ? to_->day() : QDate();
    return filter;
}

void GamesPage::reload() {
    typing_.stop();
    reads_->read([filter = filter()](store::ResultSource &source) { return source.games(filter); },
                 [this, filter = filter()](QList<store::GameRow> games) {
                     model_->setGames(std::move(games));
                     count_->setText(
                         QStringLiteral("แสดง %1 เกม").arg(locale_.toString(model_->rowCount())));
                     emit gamesRead(model_->games(), filter);
                 });
}

QList<QStringList> GamesPage::shownRows() const {
    QList<QStringList> rows{model_->headers()};
    for (int r = 0; r < sorted_->rowCount(); ++r) {
        const int source = sorted_->mapToSource(sorted_->index(r, 0)).row();
        QStringList row;
        for (int c = 0; c < GamesModel::ColumnCount; ++c)
            row.append(model_->text(source, c));
        rows.append(row);
    }
    return rows;
}

QList<store::GameRow> GamesPage::shownGames() const {
    QList<store::GameRow> games;
    games.reserve(sorted_->rowCount());
    for (int r = 0; r < sorted_->rowCount(); ++r)
        games.append(model_->game(sorted_->mapToSource(sorted_->index(r, 0)).row()));
    return games;
}

bool GamesPage::writeExport(const QString &path, const QList<store::GameRow> &games,
                            const QList<store::AnswerRow> &answers) {
    const Busy busy;
    const GamesTable gameTable(games, classList_, links_);
    const AnswersTable answerTable(games, answers);
    QString error;
    QString file = path;
    bool written = false;
    if (isWorkbook(path)) {
        written = writeWorkbook(path, {&gameTable, &answerTable}, error);
    } else {
        file = answersPath(path);
        written = writeCsv(file, answerTable, error);
    }
    if (!written)
        dialogs_.inform(this, QStringLiteral("บันทึกไฟล์ %1 ไม่ได้: %2").arg(file, error));
    return written;
}

bool GamesPage::exportShownRows() {
    const QString suggested = QDir::home().filePath(
        QStringLiteral("ผลการทดสอบ-%1.xlsx").arg(QDate::currentDate().toString(Qt::ISODate)));
    const QString path = dialogs_.saveFileName(this, suggested);
    if (path.isEmpty())
        return false;
    const QList<store::GameRow> games = shownGames();
    if (!isWorkbook(path)) {
        // The games at once; their answers when they have been read.
        QString error;
        const Busy busy;
        if (!writeCsv(path, GamesTable(games, classList_, links_), error)) {
            dialogs_.inform(this, QStringLiteral("บันทึกไฟล์ %1 ไม่ได้: %2").arg(path, error));
            return false;
        }
    }
    auto written = std::make_shared<bool>(true);
    reads_->read(
        [filter = filter()](store::ResultSource &source) {
            return std::pair{source.answersOf(filter), source.lastError()};
        },
        [this, path, games, written](const std::pair<QList<store::AnswerRow>, QString> &read) {
            if (!read.second.isEmpty()) {
                dialogs_.inform(this, QStringLiteral("อ่านคำตอบเพื่อบันทึกไม่ได้: %1").arg(read.second));
                *written = false;
                return;
            }
            *written = writeExport(path, games, read.first);
        });
    // On the school's server the answers come later: only what failed so
    // far counts here.
    return *written;
}

void GamesPage::deleteGames(const QString &question,
                            std::function<int(store::ResultSource &)> remove) {
    if (!pin_.allow(this, QStringLiteral("ลบผลการทดสอบ")) || !dialogs_.confirm(this, question))
        return;
    reads_->read(
        [remove = std::move(remove)](store::ResultSource &source) {
            const int removed = remove(source);
            return std::pair{removed, source.lastError()};
        },
        [this](const std::pair<int, QString> &deleted) {
            if (!dialogs_.deletionWent(this, deleted.first, deleted.second))
                return;
            reload();
            emit recordsDeleted();
        });
}

void GamesPage::deleteSelectedGame() {
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    const store::GameRow game = model_->game(sorted_->mapToSource(rows.first()).row());
    const QString name =
        game.player.trimmed().isEmpty() ? QStringLiteral("(ไม่มีชื่อ)") : oneLineName(game.player, 200);
    deleteGames(QStringLiteral("ลบเกมของ \"%1\" ที่เริ่มเมื่อ %2 ใช่หรือไม่?\n"
                               "เกมที่ลบจะอยู่ในถังขยะ %3 วัน เอาคืนได้ก่อนถูกลบถาวร")
                    .arg(name, startedText(game.startedUtc, locale_))
                    .arg(store::binDays),
                [id = game.id](store::ResultSource &source) { return source.deleteGame(id); });
}

void GamesPage::deleteEverything() {
    if (server_)
        return;
    ReadQueue &reads = *reads_;
    reads.read([](store::ResultSource &source) { return source.games().size(); },
               [this](qsizetype games) {
                   if (games == 0)
                       return;
                   deleteGames(QStringLiteral("ลบผลการทดสอบของนักเรียนทุกคน (%1 เกม) ใช่หรือไม่?\n"
                                              "เกมที่ลบจะอยู่ในถังขยะ %2 วัน เอาคืนได้ก่อนถูกลบถาวร")
                                   .arg(locale_.toString(games))
                                   .arg(store::binDays),
                               [](store::ResultSource &source) { return source.deleteAll(); });
               });
}

} // namespace lumo::teacher
