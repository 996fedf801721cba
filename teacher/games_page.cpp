// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/games_page.h"

#include "teacher/csv.h"
#include "teacher/day_picker.h"
#include "teacher/dialogs.h"
#include "teacher/games_model.h"
#include "teacher/plain_label.h"
#include "teacher/read_queue.h"

#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace lumo::teacher {

GamesPage::GamesPage(ReadQueue &reads, TeacherDialogs &dialogs, const QLocale &locale,
                     QWidget *parent)
    : QWidget(parent), reads_(&reads), dialogs_(dialogs), locale_(locale),
      model_(new GamesModel(locale, this)), sorted_(new QSortFilterProxyModel(this)),
      table_(new QTableView(this)), name_(new QLineEdit(this)),
      fromOn_(new QCheckBox(QStringLiteral("ตั้งแต่วันที่"), this)),
      toOn_(new QCheckBox(QStringLiteral("ถึงวันที่"), this)), from_(new DayPicker(locale, this)),
      to_(new DayPicker(locale, this)), count_(plainLabel({}, this)),
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
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setColumnWidth(GamesModel::Name, 210);
    table_->setColumnWidth(GamesModel::Started, 200);
    table_->setColumnWidth(GamesModel::Result, 165);
    for (int c = GamesModel::Question; c <= GamesModel::Level; ++c)
        table_->setColumnWidth(c, 62);

    auto *exportButton = new QPushButton(QStringLiteral("ส่งออกเป็น CSV…"), this);
    exportButton->setObjectName(QStringLiteral("export"));
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
    connect(deleteAll_, &QPushButton::clicked, this, &GamesPage::deleteEverything);
    connect(table_, &QTableView::activated, this, [this](const QModelIndex &index) {
        emit childChosen(model_->game(sorted_->mapToSource(index).row()).player);
    });
}

void GamesPage::setSource(ReadQueue &reads, const store::GameFilter &scope, bool server) {
    if (&reads != reads_)
        model_->setGames({}); // nothing of the other place while this one is read
    reads_ = &reads;
    scope_ = scope;
    server_ = server;
    // The whole school's results are not the teacher's to delete at a click;
    // one child's are.
    deleteAll_->setEnabled(!server);
    deleteAll_->setToolTip(server ? QStringLiteral("บนเซิร์ฟเวอร์ของโรงเรียนลบได้ทีละคน "
                                                   "ที่หน้า \"รายบุคคล\"")
                                  : QString());
    reload();
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
                 [this](QList<store::GameRow> games) {
                     model_->setGames(std::move(games));
                     count_->setText(
                         QStringLiteral("แสดง %1 เกม").arg(locale_.toString(model_->rowCount())));
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

bool GamesPage::exportShownRows() {
    const QString suggested = QDir::home().filePath(
        QStringLiteral("ผลการทดสอบ-%1.csv").arg(QDate::currentDate().toString(Qt::ISODate)));
    const QString path = dialogs_.saveFileName(this, suggested);
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csvDocument(shownRows())) < 0 ||
        !file.commit()) {
        dialogs_.inform(this, QStringLiteral("บันทึกไฟล์ %1 ไม่ได้: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

void GamesPage::deleteEverything() {
    if (server_)
        return;
    ReadQueue &reads = *reads_;
    reads.read([](store::ResultSource &source) { return source.games().size(); },
               [this, &reads](qsizetype games) {
                   if (games == 0 ||
                       !dialogs_.confirm(
                           this, QStringLiteral("ลบผลการทดสอบของนักเรียนทุกคน (%1 เกม) ใช่หรือไม่?\n"
                                                "ลบแล้วเอาคืนไม่ได้")
                                     .arg(locale_.toString(games))))
                       return;
                   reads.read(
                       [](store::ResultSource &source) {
                           const int removed = source.deleteAll();
                           return std::pair{removed, source.lastError()};
                       },
                       [this](const std::pair<int, QString> &deleted) {
                           if (!dialogs_.deletionWent(this, deleted.first, deleted.second))
                               return;
                           reload();
                           emit recordsDeleted();
                       });
               });
}

} // namespace lumo::teacher
