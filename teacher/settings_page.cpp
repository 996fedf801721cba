// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/settings_page.h"

#include "teacher/dialogs.h"
#include "teacher/plain_label.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace lumo::teacher {

namespace {
QLabel *wrappedLabel(const QString &text, QWidget *parent) {
    auto *label = plainLabel(text, parent);
    label->setWordWrap(true);
    return label;
}
} // namespace

SettingsPage::SettingsPage(const SettingsFiles &files, TeacherDialogs &dialogs, QWidget *parent)
    : QWidget(parent), files_(files), dialogs_(dialogs), level_(new QSpinBox(this)),
      firstQuestion_(wrappedLabel({}, this)),
      clock_(new QCheckBox(QStringLiteral("จับเวลา (ไม่เลือก: ไม่มีหมดเวลา แสดงเวลาที่ใช้ไปแทน)"), this)),
      minutes_(new QSpinBox(this)), fullscreen_(new QCheckBox(QStringLiteral("เปิดเกมเต็มจอ"), this)),
      names_(new QPlainTextEdit(this)), host_(new QLineEdit(this)), port_(new QSpinBox(this)),
      database_(new QLineEdit(this)), user_(new QLineEdit(this)), service_(new QLineEdit(this)) {
    level_->setObjectName(QStringLiteral("startLevel"));
    level_->setRange(quiz::firstLevel, quiz::lastLevel);
    clock_->setObjectName(QStringLiteral("clock"));
    minutes_->setObjectName(QStringLiteral("clockMinutes"));
    minutes_->setRange(ClassSettings::fewestClockMinutes, ClassSettings::mostClockMinutes);
    minutes_->setSuffix(QStringLiteral(" นาที"));
    fullscreen_->setObjectName(QStringLiteral("fullscreen"));
    names_->setObjectName(QStringLiteral("classList"));
    names_->setPlaceholderText(QStringLiteral("หนึ่งชื่อต่อหนึ่งบรรทัด"));

    auto *levelRow = new QHBoxLayout;
    levelRow->addWidget(level_);
    levelRow->addSpacing(8);
    levelRow->addWidget(firstQuestion_, 1);
    auto *minutesRow = new QHBoxLayout;
    minutesRow->addWidget(minutes_);
    minutesRow->addStretch(1);
    auto *form = new QFormLayout;
    form->addRow(wrappedLabel(QStringLiteral("ระดับที่เริ่ม"), this), levelRow);
    form->addRow(QString(), clock_);
    form->addRow(wrappedLabel(QStringLiteral("เวลาเริ่มต้น"), this), minutesRow);
    form->addRow(QString(), fullscreen_);
    form->addRow(wrappedLabel(QStringLiteral("รายชื่อนักเรียน\n(ให้เลือกตอนใส่ชื่อ)"), this), names_);

    // The school's server: where it is; its password never goes in here.
    host_->setObjectName(QStringLiteral("serverHost"));
    host_->setPlaceholderText(QStringLiteral("ว่างไว้: ไม่ส่งผลไปที่ใด"));
    port_->setObjectName(QStringLiteral("serverPort"));
    port_->setRange(0, 65535);
    port_->setSpecialValueText(QStringLiteral("ตามบริการ"));
    database_->setObjectName(QStringLiteral("serverDatabase"));
    user_->setObjectName(QStringLiteral("serverUser"));
    service_->setObjectName(QStringLiteral("serverService"));
    service_->setPlaceholderText(QStringLiteral("ชื่อบริการใน pg_service.conf (ไม่บังคับ)"));
    auto *server = new QGroupBox(QStringLiteral("เซิร์ฟเวอร์ของโรงเรียน (PostgreSQL)"), this);
    auto *serverForm = new QFormLayout(server);
    serverForm->addRow(wrappedLabel(QStringLiteral("เครื่องเซิร์ฟเวอร์"), server), host_);
    serverForm->addRow(wrappedLabel(QStringLiteral("พอร์ต"), server), port_);
    serverForm->addRow(wrappedLabel(QStringLiteral("ฐานข้อมูล"), server), database_);
    serverForm->addRow(wrappedLabel(QStringLiteral("ผู้ใช้"), server), user_);
    serverForm->addRow(wrappedLabel(QStringLiteral("บริการ"), server), service_);
    serverForm->addRow(wrappedLabel(QStringLiteral("รหัสผ่านไม่เก็บในไฟล์ตั้งค่านี้: ใส่ไว้ในไฟล์ ~/.pgpass "
                                                   "หรือในบริการของ pg_service.conf ตามที่ README บอก"),
                                    server));

    auto *saveButton = new QPushButton(QStringLiteral("บันทึกการตั้งค่า"), this);
    saveButton->setObjectName(QStringLiteral("saveSettings"));
    auto *computerButton = new QPushButton(QStringLiteral("ใช้ค่าของเครื่องนี้"), this);
    computerButton->setObjectName(QStringLiteral("computerSettings"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(computerButton);
    buttons->addWidget(saveButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form, 1);
    layout->addWidget(server);
    layout->addWidget(wrappedLabel(QStringLiteral("ค่าที่บันทึกที่นี่ใช้กับผู้ใช้นี้ และใช้กับเกมถัดไป "
                                                  "ค่าของทุกคนในเครื่องนี้ตั้งได้ในไฟล์ %1")
                                       .arg(files.systemFile),
                                   this));
    layout->addLayout(buttons);

    connect(level_, &QSpinBox::valueChanged, this, &SettingsPage::showFirstQuestion);
    connect(clock_, &QCheckBox::toggled, minutes_, &QWidget::setEnabled);
    connect(saveButton, &QPushButton::clicked, this, &SettingsPage::save);
    connect(computerButton, &QPushButton::clicked, this, [this] {
        show(readSystemClassSettings(files_));
        showServer(readSystemServerSettings(files_));
    });
    show(readClassSettings(files_));
    showServer(readServerSettings(files_));
}

ServerSettings SettingsPage::shownServer() const {
    ServerSettings settings;
    settings.host = host_->text().trimmed();
    settings.port = port_->value();
    settings.database = database_->text().trimmed();
    settings.user = user_->text().trimmed();
    settings.service = service_->text().trimmed();
    return settings;
}

void SettingsPage::showServer(const ServerSettings &settings) {
    host_->setText(settings.host);
    port_->setValue(settings.port);
    database_->setText(settings.database);
    user_->setText(settings.user);
    service_->setText(settings.service);
}

ClassSettings SettingsPage::shown() const {
    ClassSettings settings;
    settings.startLevel = level_->value();
    settings.clock = clock_->isChecked();
    settings.clockMinutes = minutes_->value();
    settings.fullscreen = fullscreen_->isChecked();
    for (const QString &line : names_->toPlainText().split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty() && !settings.classList.contains(line.trimmed()))
            settings.classList.append(line.trimmed());
    return settings;
}

void SettingsPage::show(const ClassSettings &settings) {
    level_->setValue(settings.startLevel);
    clock_->setChecked(settings.clock);
    minutes_->setValue(settings.clockMinutes);
    minutes_->setEnabled(settings.clock);
    fullscreen_->setChecked(settings.fullscreen);
    names_->setPlainText(settings.classList.join(QLatin1Char('\n')));
    showFirstQuestion();
}

void SettingsPage::showFirstQuestion() {
    firstQuestion_->setText(QStringLiteral("เกมเริ่มที่ข้อ %1 แล้วเล่นต่อจนจบข้อ 100")
                                .arg(quiz::questionsBefore(level_->value()) + 1));
}

bool SettingsPage::save() {
    const ClassSettings settings = shown();
    const ServerSettings server = shownServer();
    if (!writeClassSettings(files_, settings) || !writeServerSettings(files_, server)) {
        dialogs_.inform(this,
                        QStringLiteral("บันทึกการตั้งค่าไม่ได้: เขียนไฟล์ %1 ไม่ได้").arg(files_.userFile));
        return false;
    }
    emit settingsSaved(settings);
    emit serverSettingsSaved(readServerSettings(files_));
    return true;
}

} // namespace lumo::teacher
