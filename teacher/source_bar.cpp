// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/source_bar.h"

#include "teacher/plain_label.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

namespace lumo::teacher {

SourceBar::SourceBar(QWidget *parent)
    : QWidget(parent), source_(new QComboBox(this)), classOnly_(new QCheckBox(this)),
      computer_(new QComboBox(this)), computerLabel_(nullptr), hidden_(plainLabel({}, this)) {
    hidden_->setObjectName(QStringLiteral("hiddenGames"));
    hidden_->setWordWrap(true);
    hidden_->hide();
    source_->setObjectName(QStringLiteral("source"));
    classOnly_->setObjectName(QStringLiteral("classOnly"));
    computer_->setObjectName(QStringLiteral("computer"));
    source_->addItem(QStringLiteral("เครื่องนี้"), ThisComputer);
    computer_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    setClassList({});

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plainLabel(QStringLiteral("ผลจาก"), this));
    layout->addWidget(source_);
    layout->addSpacing(12);
    layout->addWidget(classOnly_);
    layout->addWidget(hidden_, 1);
    layout->addSpacing(12);
    computerLabel_ = plainLabel(QStringLiteral("เครื่อง"), this);
    layout->addWidget(computerLabel_);
    layout->addWidget(computer_);
    layout->addStretch(1);
    setComputers({});

    connect(source_, &QComboBox::currentIndexChanged, this,
            [this] { emit sourceChosen(source()); });
    connect(classOnly_, &QCheckBox::toggled, this, [this] {
        setUnlisted(unlistedNames_, unlistedGames_);
        emit scopeChanged();
    });
    connect(computer_, &QComboBox::currentIndexChanged, this, &SourceBar::scopeChanged);
}

SourceBar::Source SourceBar::source() const {
    return static_cast<Source>(source_->currentData().toInt());
}

void SourceBar::setSource(Source source) {
    source_->setCurrentIndex(std::max(0, source_->findData(source)));
}

void SourceBar::setServer(const QString &place) {
    const QSignalBlocker blocker(source_);
    const int index = source_->findData(SchoolServer);
    if (place.isEmpty()) {
        if (index >= 0)
            source_->removeItem(index);
        source_->setCurrentIndex(0);
    } else if (index >= 0) {
        source_->setItemText(index, QStringLiteral("เซิร์ฟเวอร์ของโรงเรียน (%1)").arg(place));
    } else {
        source_->addItem(QStringLiteral("เซิร์ฟเวอร์ของโรงเรียน (%1)").arg(place), SchoolServer);
    }
    source_->setEnabled(source_->count() > 1);
}

void SourceBar::setClassList(const QStringList &names, const NameLinks &links) {
    classList_ = names;
    links_ = links;
    const QSignalBlocker blocker(classOnly_);
    classOnly_->setText(QStringLiteral("เฉพาะนักเรียนในรายชื่อห้องเรียน (%1 คน)").arg(names.size()));
    classOnly_->setEnabled(!names.isEmpty());
    if (names.isEmpty())
        classOnly_->setChecked(false);
    setUnlisted(unlistedNames_, unlistedGames_);
}

void SourceBar::setUnlisted(int names, int games) {
    unlistedNames_ = names;
    unlistedGames_ = games;
    hidden_->setText(QStringLiteral("ไม่แสดง %1 เกมของ %2 ชื่อที่ไม่อยู่ในรายชื่อ (ดูที่หน้า \"ห้องเรียน\")")
                         .arg(games)
                         .arg(names));
    hidden_->setVisible(classOnly_->isChecked() && games > 0);
}

void SourceBar::setComputers(const QStringList &computers) {
    const QString current = computer_->currentData().toString();
    const QSignalBlocker blocker(computer_);
    computer_->clear();
    computer_->addItem(QStringLiteral("ทุกเครื่อง"), QString());
    for (const QString &name : computers)
        computer_->addItem(name, name);
    computer_->setCurrentIndex(std::max(0, computer_->findData(current)));
    computer_->setVisible(!computers.isEmpty());
    computerLabel_->setVisible(!computers.isEmpty());
}

store::GameFilter SourceBar::scope() const {
    store::GameFilter filter;
    if (classOnly_->isChecked()) {
        filter.players = classList_;
        for (const NameLink &link : links_.links())
            if (classList_.contains(link.listed))
                filter.players << link.typed;
    }
    filter.computer = computer_->currentData().toString();
    return filter;
}

} // namespace lumo::teacher
