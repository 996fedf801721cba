// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/class_page.h"

#include "teacher/class_model.h"
#include "teacher/look.h"
#include "teacher/plain_label.h"
#include "teacher/read_queue.h"
#include "teacher/texts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTableWidget>
#include <QTime>
#include <QVBoxLayout>

namespace lumo::teacher {

namespace {

/// The trend cell: a small bar for each of the last games, then the word.
class TrendDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override {
        const QVariantList shares = index.data(ClassModel::sharesRole).toList();
        if (shares.isEmpty()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        plain.text.clear();
        option.widget->style()->drawControl(QStyle::CE_ItemViewItem, &plain, painter,
                                            option.widget);
        const QRect box = option.rect.adjusted(4, 3, -4, -3);
        const int bar = std::max(3, box.height() / 3);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        for (qsizetype i = 0; i < shares.size(); ++i) {
            const double share = std::clamp(shares[i].toDouble(), 0.0, 1.0);
            const int height = std::max(1, int(share * box.height()));
            const QRect r(box.left() + int(i) * (bar + 2), box.bottom() - height + 1, bar, height);
            painter->fillRect(r, QColor(64, 96, 200));
        }
        painter->setPen(option.state & QStyle::State_Selected
                            ? option.palette.color(QPalette::HighlightedText)
                            : option.palette.color(QPalette::Text));
        const QRect words = box.adjusted(int(shares.size()) * (bar + 2) + 6, 0, 0, 0);
        painter->drawText(
            words, Qt::AlignLeft | Qt::AlignVCenter,
            option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, words.width()));
        painter->restore();
    }
};

} // namespace

ClassPage::ClassPage(ReadQueue &reads, const SettingsFiles &files, const QLocale &locale,
                     QWidget *parent)
    : QWidget(parent), reads_(&reads), files_(files), locale_(locale), links_(readNameLinks(files)),
      model_(new ClassModel(locale, this)), table_(new QTableView(this)),
      empty_(plainLabel({}, this)), counts_(plainLabel({}, this)),
      unlistedBox_(new QGroupBox(this)), unlisted_(new QTableWidget(0, 3, this)),
      joinTo_(new QComboBox(this)),
      joinButton_(new QPushButton(QStringLiteral("นับเป็นคนเดียวกัน"), this)),
      joinedBox_(new QGroupBox(QStringLiteral("ชื่อที่นับรวมกับนักเรียนในรายชื่อแล้ว"), this)),
      joined_(new QListWidget(this)),
      separateButton_(new QPushButton(QStringLiteral("แยกชื่อที่เลือกออก"), this)),
      saved_(plainLabel({}, this)) {
    table_->setObjectName(QStringLiteral("classTable"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->setItemDelegateForColumn(ClassModel::Recent, new TrendDelegate(table_));
    shareColumnWidths(table_, ClassModel::leastWidths());
    empty_->setObjectName(QStringLiteral("noClassList"));
    empty_->setWordWrap(true);
    empty_->setText(QStringLiteral("ยังไม่มีรายชื่อนักเรียน: ใส่รายชื่อได้ที่หน้า \"ตั้งค่าสำหรับห้องเรียน\" "
                                   "(บรรทัดละหนึ่งชื่อ) แล้วหน้านี้จะแสดงว่าใครเล่นแล้ว ใครยังไม่ได้เล่น"));
    counts_->setObjectName(QStringLiteral("classCounts"));
    counts_->setWordWrap(true);

    unlistedBox_->setObjectName(QStringLiteral("unlistedNames"));
    unlisted_->setObjectName(QStringLiteral("unlisted"));
    unlisted_->setHorizontalHeaderLabels(
        {QStringLiteral("ชื่อที่พิมพ์"), QStringLiteral("เล่นแล้ว"), QStringLiteral("ครั้งล่าสุด")});
    unlisted_->setSelectionBehavior(QAbstractItemView::SelectRows);
    unlisted_->setSelectionMode(QAbstractItemView::SingleSelection);
    unlisted_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    unlisted_->setWordWrap(false);
    unlisted_->verticalHeader()->hide();
    shareColumnWidths(unlisted_, {24, 10, 18});
    joinTo_->setObjectName(QStringLiteral("joinTo"));
    joinTo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    joinTo_->setMinimumContentsLength(16);
    joinButton_->setObjectName(QStringLiteral("join"));
    joined_->setObjectName(QStringLiteral("joined"));
    separateButton_->setObjectName(QStringLiteral("separate"));
    saved_->setObjectName(QStringLiteral("linksSaved"));

    auto *joinRow = new QHBoxLayout;
    joinRow->addWidget(plainLabel(QStringLiteral("ชื่อที่เลือกเป็นคนเดียวกับ"), this));
    joinRow->addWidget(joinTo_, 1);
    joinRow->addWidget(joinButton_);
    auto *unlistedLayout = new QVBoxLayout(unlistedBox_);
    auto *unlistedNote =
        plainLabel(QStringLiteral("เด็กอาจพิมพ์ชื่อเองแทนการเลือกจากรายชื่อ "
                                  "ถ้าเป็นนักเรียนในห้อง ให้เลือกชื่อนั้นแล้วนับเป็นคนเดียวกับชื่อในรายชื่อ "
                                  "ผลเดิมยังเก็บชื่อตามที่พิมพ์"),
                   unlistedBox_);
    unlistedNote->setWordWrap(true);
    unlistedLayout->addWidget(unlistedNote);
    unlistedLayout->addWidget(unlisted_);
    unlistedLayout->addLayout(joinRow);
    auto *joinedRow = new QHBoxLayout(joinedBox_);
    joinedRow->addWidget(joined_, 1);
    joined_->setMaximumHeight(joined_->fontMetrics().height() * 6);
    joinedRow->addWidget(separateButton_, 0, Qt::AlignTop);

    auto *lower = new QHBoxLayout;
    lower->addWidget(unlistedBox_, 3);
    lower->addWidget(joinedBox_, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(empty_);
    layout->addWidget(counts_);
    layout->addWidget(table_, 1);
    layout->addLayout(lower);
    layout->addWidget(saved_);

    connect(table_, &QTableView::activated, this, [this](const QModelIndex &index) {
        emit childChosen(model_->child(index.row()).listed);
    });
    connect(joinButton_, &QPushButton::clicked, this, [this] {
        const int row = unlisted_->currentRow();
        if (row < 0 || row >= overview_.unlisted.size() || joinTo_->currentIndex() < 0)
            return;
        join(overview_.unlisted[row].name, joinTo_->currentData().toString());
    });
    connect(separateButton_, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem *item = joined_->currentItem())
            separate(item->data(Qt::UserRole).toString());
    });
    connect(unlisted_, &QTableWidget::itemSelectionChanged, this, [this] {
        joinButton_->setEnabled(unlisted_->currentRow() >= 0 && joinTo_->count() > 0);
    });
    connect(joined_, &QListWidget::currentRowChanged, this,
            [this](int row) { separateButton_->setEnabled(row >= 0); });
    showLinks();
    refresh();
}

void ClassPage::setSource(ReadQueue &reads, const store::GameFilter &scope) {
    if (&reads != reads_) {
        games_.clear();
        refresh();
    }
    reads_ = &reads;
    scope_ = store::GameFilter{};
    scope_.computer = scope.computer;
    stale_ = true;
}

void ClassPage::setClassList(const QStringList &names) {
    classList_ = names;
    refresh();
}

void ClassPage::offerGames(const QList<store::GameRow> &games, const store::GameFilter &filter) {
    const bool mine = filter.nameContains.isEmpty() && !filter.firstDay.isValid() &&
                      !filter.lastDay.isValid() && filter.players.isEmpty() &&
                      filter.computer == scope_.computer;
    if (!mine)
        return;
    stale_ = false;
    takeGames(games);
}

void ClassPage::readIfStale() {
    if (!stale_)
        return;
    stale_ = false;
    reads_->read([scope = scope_](store::ResultSource &source) { return source.games(scope); },
                 [this](const QList<store::GameRow> &games) { takeGames(games); });
}

void ClassPage::takeGames(const QList<store::GameRow> &games) {
    games_ = games;
    refresh();
}

void ClassPage::refresh() {
    overview_ = classOverview(games_, classList_, links_);
    model_->setChildren(overview_.children);
    const bool listed = !classList_.isEmpty();
    empty_->setVisible(!listed);
    table_->setVisible(listed);
    counts_->setVisible(listed);
    int notYet = 0;
    for (const ChildOverview &child : overview_.children)
        notYet += child.games == 0;
    counts_->setText(notYet == 0
                         ? QStringLiteral("นักเรียนในรายชื่อ %1 คน เล่นแล้วทุกคน")
                               .arg(locale_.toString(classList_.size()))
                         : QStringLiteral("นักเรียนในรายชื่อ %1 คน ยังไม่ได้เล่น %2 คน (แถวสีส้ม)")
                               .arg(locale_.toString(classList_.size()), locale_.toString(notYet)));

    unlisted_->setRowCount(int(overview_.unlisted.size()));
    for (int r = 0; r < overview_.unlisted.size(); ++r) {
        const UnlistedName &u = overview_.unlisted[r];
        auto *name = new QTableWidgetItem(oneLineName(u.name));
        name->setToolTip(oneLineName(u.name, 500));
        unlisted_->setItem(r, 0, name);
        unlisted_->setItem(
            r, 1, new QTableWidgetItem(QStringLiteral("%1 ครั้ง").arg(locale_.toString(u.games))));
        unlisted_->setItem(r, 2, new QTableWidgetItem(startedText(u.lastUtc, locale_)));
    }
    // As tall as its names, up to five; more scroll.
    const int rows = std::clamp(int(overview_.unlisted.size()), 1, 5);
    unlisted_->setFixedHeight(unlisted_->horizontalHeader()->sizeHint().height() +
                              rows * unlisted_->verticalHeader()->defaultSectionSize() +
                              2 * unlisted_->frameWidth() + 2);
    if (unlisted_->currentRow() < 0 && !overview_.unlisted.isEmpty())
        unlisted_->selectRow(0);
    unlistedBox_->setTitle(QStringLiteral("ชื่อที่ไม่อยู่ในรายชื่อห้องเรียน: %1 ชื่อ %2 เกม")
                               .arg(locale_.toString(overview_.unlisted.size()),
                                    locale_.toString(overview_.unlistedGames)));
    unlistedBox_->setVisible(listed && !overview_.unlisted.isEmpty());
    const QString chosen = joinTo_->currentData().toString();
    joinTo_->clear();
    for (const QString &name : classList_)
        joinTo_->addItem(oneLineName(name, 40), name);
    joinTo_->setCurrentIndex(std::max(0, joinTo_->findData(chosen)));
    joinButton_->setEnabled(unlisted_->currentRow() >= 0 && joinTo_->count() > 0);
    emit overviewChanged();
}

void ClassPage::showLinks() {
    joined_->clear();
    for (const NameLink &link : links_.links()) {
        auto *item =
            new QListWidgetItem(QStringLiteral("\"%1\" นับเป็น %2")
                                    .arg(oneLineName(link.typed, 40), oneLineName(link.listed, 40)),
                                joined_);
        item->setData(Qt::UserRole, link.typed);
    }
    joinedBox_->setVisible(!links_.isEmpty());
    separateButton_->setEnabled(joined_->currentRow() >= 0);
}

bool ClassPage::saveLinks(const NameLinks &links) {
    if (!writeNameLinks(files_, links)) {
        saved_->setText(QStringLiteral("บันทึกไม่ได้: เขียนไฟล์ %1 ไม่ได้").arg(files_.userFile));
        return false;
    }
    links_ = links;
    saved_->setText(QStringLiteral("บันทึกแล้ว เวลา %1")
                        .arg(QTime::currentTime().toString(QStringLiteral("HH:mm"))));
    showLinks();
    refresh();
    emit linksChanged(links_);
    return true;
}

bool ClassPage::join(const QString &typed, const QString &listed) {
    NameLinks links = links_;
    links.join(typed, listed);
    return saveLinks(links);
}

bool ClassPage::separate(const QString &typed) {
    NameLinks links = links_;
    if (!links.separate(typed))
        return false;
    return saveLinks(links);
}

} // namespace lumo::teacher
