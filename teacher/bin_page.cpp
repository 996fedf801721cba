// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/bin_page.h"

#include "store/tables.h"
#include "teacher/dialogs.h"
#include "teacher/look.h"
#include "teacher/plain_label.h"
#include "teacher/read_queue.h"
#include "teacher/texts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <set>

namespace lumo::teacher {

BinPage::BinPage(ReadQueue &reads, TeacherDialogs &dialogs, const QLocale &locale, QWidget *parent)
    : QWidget(parent), reads_(&reads), dialogs_(dialogs), locale_(locale),
      about_(plainLabel({}, this)), table_(new QTableWidget(0, 5, this)),
      restoreOne_(new QPushButton(QStringLiteral("เอาเกมที่เลือกคืน"), this)),
      restoreAll_(new QPushButton(QStringLiteral("เอาคืนทั้งหมด"), this)) {
    about_->setObjectName(QStringLiteral("binAbout"));
    about_->setWordWrap(true);
    table_->setObjectName(QStringLiteral("bin"));
    table_->setHorizontalHeaderLabels({QStringLiteral("ชื่อ"), QStringLiteral("เริ่มเล่นเมื่อ"),
                                       QStringLiteral("ลบเมื่อ"), QStringLiteral("ลบถาวรวันที่"),
                                       QStringLiteral("ลบที่")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->setAlternatingRowColors(true);
    table_->verticalHeader()->hide();
    shareColumnWidths(table_, {22, 17, 17, 13, 18});
    restoreOne_->setObjectName(QStringLiteral("restoreSelected"));
    restoreAll_->setObjectName(QStringLiteral("restoreAll"));
    restoreOne_->setEnabled(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(restoreOne_);
    buttons->addWidget(restoreAll_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(about_);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);

    connect(table_, &QTableWidget::itemSelectionChanged, this,
            [this] { restoreOne_->setEnabled(!table_->selectedItems().isEmpty()); });
    connect(restoreOne_, &QPushButton::clicked, this, &BinPage::restoreSelected);
    connect(restoreAll_, &QPushButton::clicked, this, &BinPage::restoreAll);
    showGames({});
}

void BinPage::setSource(ReadQueue &reads, bool server) {
    if (&reads != reads_)
        showGames({});
    reads_ = &reads;
    server_ = server;
    reload();
}

void BinPage::reload() {
    stale_ = true;
    if (isVisible())
        read();
}

void BinPage::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (stale_)
        read();
}

void BinPage::read() {
    stale_ = false;
    reads_->read([](store::ResultSource &source) { return source.bin(); },
                 [this](const QList<store::BinnedGame> &games) { showGames(games); });
}

void BinPage::showGames(const QList<store::BinnedGame> &games) {
    games_ = games;
    about_->setText(
        games.isEmpty()
            ? QStringLiteral("ถังขยะว่าง: เกมที่ลบจะอยู่ที่นี่ %1 วัน แล้วจึงถูกลบถาวร").arg(store::binDays)
            : QStringLiteral("เกมที่ลบไว้ %1 เกม: เอาคืนได้ภายใน %2 วันหลังลบ แล้วจึงถูกลบถาวร")
                  .arg(locale_.toString(games.size()))
                  .arg(store::binDays));
    table_->setRowCount(int(games.size()));
    for (int r = 0; r < games.size(); ++r) {
        const store::BinnedGame &g = games[r];
        const QString name =
            g.player.trimmed().isEmpty() ? QStringLiteral("(ไม่มีชื่อ)") : oneLineName(g.player);
        QString where = server_ ? (g.byTeacher ? QStringLiteral("หน้าต่างผลการทดสอบ (%1)")
                                               : QStringLiteral("เครื่อง %1"))
                                      .arg(g.deletedBy.isEmpty() ? g.computer : g.deletedBy)
                                : QStringLiteral("เครื่องนี้");
        const QStringList cells{
            name, startedText(g.startedUtc, locale_), startedText(g.deletedUtc, locale_),
            dayText(g.deletedUtc.toLocalTime().date().addDays(store::binDays), locale_), where};
        for (int c = 0; c < cells.size(); ++c)
            table_->setItem(r, c, new QTableWidgetItem(cells[c]));
        table_->item(r, 0)->setData(Qt::UserRole, g.id);
        table_->item(r, 0)->setToolTip(oneLineName(g.player, 500));
    }
    restoreAll_->setEnabled(!games.isEmpty());
    restoreOne_->setEnabled(false);
}

void BinPage::restoreSelected() {
    std::set<int> rows;
    for (const QTableWidgetItem *item : table_->selectedItems())
        rows.insert(item->row());
    QStringList ids;
    for (int row : rows)
        ids << table_->item(row, 0)->data(Qt::UserRole).toString();
    restore(ids);
}

void BinPage::restoreAll() {
    restore({});
}

void BinPage::restore(QStringList ids) {
    if (games_.isEmpty())
        return;
    const bool all = ids.isEmpty();
    reads_->read(
        [ids, all](store::ResultSource &source) {
            int back = 0;
            if (all) {
                back = source.restoreAll();
            } else {
                for (const QString &id : ids) {
                    const int one = source.restoreGame(id);
                    if (one < 0)
                        return std::pair{-1, source.lastError()};
                    back += one;
                }
            }
            return std::pair{back, back < 0 ? source.lastError() : QString()};
        },
        [this](const std::pair<int, QString> &back) {
            if (back.first < 0)
                dialogs_.inform(this, QStringLiteral("เอาคืนไม่ได้: %1").arg(back.second));
            read();
            if (back.first > 0)
                emit restored();
        });
}

} // namespace lumo::teacher
