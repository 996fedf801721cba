// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/settings_page.h"

#include "quiz/levels.h"
#include "settings/settings_text.h"
#include "settings/teacher_pin.h"
#include "teacher/dialogs.h"
#include "teacher/pin_guard.h"
#include "teacher/plain_label.h"

#include <QCheckBox>
#include <QCursor>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTime>
#include <QVBoxLayout>

namespace lumo::teacher {

namespace {

QLabel *wrappedLabel(const QString &text, QWidget *parent) {
    auto *label = plainLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QString now() {
    return QTime::currentTime().toString(QStringLiteral("HH:mm"));
}

} // namespace

SettingsPage::SettingsPage(const SettingsFiles &files, TeacherDialogs &dialogs, PinGuard &pin,
                           QWidget *parent)
    : QWidget(parent), files_(files), dialogs_(dialogs), pin_(pin), level_(new QSpinBox),
      firstQuestion_(wrappedLabel({}, nullptr)),
      clock_(new QCheckBox(QStringLiteral("จับเวลา (ถ้าไม่เลือก จะไม่มีหมดเวลา และแสดงเวลาที่ใช้ไปแทน)"))),
      minutes_(new QSpinBox), fullscreen_(new QCheckBox(QStringLiteral("เปิดเกมเต็มจอ"))),
      names_(new QPlainTextEdit), saved_(wrappedLabel({}, nullptr)),
      pinState_(wrappedLabel({}, nullptr)), newPin_(new QLineEdit), repeatPin_(new QLineEdit),
      setPin_(new QPushButton(QStringLiteral("ตั้งรหัส PIN"))),
      removePin_(new QPushButton(QStringLiteral("เลิกใช้รหัส PIN…"))),
      server_(wrappedLabel({}, nullptr)) {
    level_->setObjectName(QStringLiteral("startLevel"));
    firstQuestion_->setObjectName(QStringLiteral("firstQuestion"));
    level_->setRange(quiz::firstLevel, quiz::lastLevel);
    clock_->setObjectName(QStringLiteral("clock"));
    minutes_->setObjectName(QStringLiteral("clockMinutes"));
    minutes_->setRange(ClassSettings::fewestClockMinutes, ClassSettings::mostClockMinutes);
    minutes_->setSuffix(QStringLiteral(" นาที"));
    fullscreen_->setObjectName(QStringLiteral("fullscreen"));
    names_->setObjectName(QStringLiteral("classList"));
    names_->setPlaceholderText(QStringLiteral("บรรทัดละหนึ่งชื่อ เช่น\nด.ช. ภูมิ รักเรียน\nด.ญ. มาลี ใจดี"));
    names_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    saved_->setObjectName(QStringLiteral("saved"));
    pinState_->setObjectName(QStringLiteral("pinState"));
    newPin_->setObjectName(QStringLiteral("newPin"));
    repeatPin_->setObjectName(QStringLiteral("repeatPin"));
    for (QLineEdit *field : {newPin_, repeatPin_}) {
        field->setEchoMode(QLineEdit::Password);
        field->setMaxLength(longestPin);
    }
    setPin_->setObjectName(QStringLiteral("setPin"));
    removePin_->setObjectName(QStringLiteral("removePin"));
    server_->setObjectName(QStringLiteral("serverPlace"));

    auto *levelRow = new QHBoxLayout;
    levelRow->addWidget(level_);
    levelRow->addSpacing(8);
    levelRow->addWidget(firstQuestion_, 1);
    auto *minutesRow = new QHBoxLayout;
    minutesRow->addWidget(minutes_);
    minutesRow->addStretch(1);
    auto *importButton = new QPushButton(QStringLiteral("อ่านรายชื่อจากไฟล์…"));
    importButton->setObjectName(QStringLiteral("importNames"));
    auto *namesColumn = new QVBoxLayout;
    namesColumn->addWidget(names_, 1);
    namesColumn->addWidget(importButton, 0, Qt::AlignLeft);
    auto *classBox = new QGroupBox(QStringLiteral("การเล่นของห้องเรียน"));
    auto *form = new QFormLayout(classBox);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(wrappedLabel(QStringLiteral("ระดับที่เริ่ม"), classBox), levelRow);
    form->addRow(QString(), clock_);
    form->addRow(wrappedLabel(QStringLiteral("เวลาเริ่มต้น"), classBox), minutesRow);
    form->addRow(QString(), fullscreen_);
    form->addRow(wrappedLabel(QStringLiteral("รายชื่อนักเรียน\n(ให้เลือกตอนใส่ชื่อ)"), classBox),
                 namesColumn);
    auto *saveButton = new QPushButton(QStringLiteral("บันทึกการตั้งค่า"));
    saveButton->setObjectName(QStringLiteral("saveSettings"));
    auto *computerButton = new QPushButton(QStringLiteral("ใช้ค่าของเครื่องนี้"));
    computerButton->setObjectName(QStringLiteral("computerSettings"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(saved_, 1);
    buttons->addWidget(computerButton);
    buttons->addWidget(saveButton);
    form->addRow(wrappedLabel(QStringLiteral("ค่าที่บันทึกที่นี่ใช้กับผู้ใช้นี้ และใช้กับเกมถัดไป "
                                             "ค่าของทุกคนในเครื่องนี้ตั้งได้ในไฟล์ %1")
                                  .arg(files.systemFile),
                              classBox));
    form->addRow(buttons);

    auto *pinBox = new QGroupBox(QStringLiteral("รหัส PIN ของครู"));
    auto *pinForm = new QFormLayout(pinBox);
    pinForm->addRow(pinState_);
    pinForm->addRow(wrappedLabel(QStringLiteral("รหัส PIN ใหม่"), pinBox), newPin_);
    pinForm->addRow(wrappedLabel(QStringLiteral("พิมพ์อีกครั้ง"), pinBox), repeatPin_);
    auto *pinButtons = new QHBoxLayout;
    pinButtons->addStretch(1);
    pinButtons->addWidget(removePin_);
    pinButtons->addWidget(setPin_);
    pinForm->addRow(pinButtons);

    auto *serverBox = new QGroupBox(QStringLiteral("เซิร์ฟเวอร์ของโรงเรียน"));
    auto *serverLayout = new QVBoxLayout(serverBox);
    serverLayout->addWidget(server_);

    auto *content = new QWidget;
    auto *columns = new QHBoxLayout(content);
    auto *right = new QVBoxLayout;
    right->addWidget(pinBox);
    right->addWidget(serverBox);
    right->addStretch(1);
    columns->addWidget(classBox, 3);
    columns->addLayout(right, 2);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);

    connect(level_, &QSpinBox::valueChanged, this, &SettingsPage::showFirstQuestion);
    connect(clock_, &QCheckBox::toggled, minutes_, &QWidget::setEnabled);
    connect(saveButton, &QPushButton::clicked, this, &SettingsPage::save);
    connect(importButton, &QPushButton::clicked, this, &SettingsPage::importNames);
    connect(setPin_, &QPushButton::clicked, this, &SettingsPage::setPin);
    connect(removePin_, &QPushButton::clicked, this, &SettingsPage::removePin);
    connect(computerButton, &QPushButton::clicked, this,
            [this] { show(readSystemClassSettings(files_)); });
    show(readClassSettings(files_));
    showPin();
    showServer();
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
    firstQuestion_->setText(QStringLiteral("เกมเริ่มที่ข้อ %1 แล้วเล่นต่อจนจบข้อ %2")
                                .arg(quiz::questionsBefore(level_->value()) + 1)
                                .arg(quiz::lastQuestion));
}

void SettingsPage::showServer() {
    const ServerSettings server = readServerSettings(files_);
    server_->setText(server.enabled()
                         ? QStringLiteral("ผลของเครื่องนี้ส่งไปเก็บที่เซิร์ฟเวอร์ของโรงเรียน %1 ด้วย "
                                          "ผู้ดูแลระบบตั้งค่านี้ในไฟล์ %2")
                               .arg(server.place(), files_.systemFile)
                         : QStringLiteral("ผลเก็บไว้ในเครื่องนี้เท่านั้น ไม่ส่งไปที่ใด "
                                          "ถ้าโรงเรียนมีเซิร์ฟเวอร์เก็บผล ผู้ดูแลระบบตั้งได้ในไฟล์ %1")
                               .arg(files_.systemFile));
}

bool SettingsPage::save() {
    const ClassSettings settings = shown();
    if (!writeClassSettings(files_, settings)) {
        saved_->setText(QStringLiteral("บันทึกไม่ได้"));
        dialogs_.inform(this,
                        QStringLiteral("บันทึกการตั้งค่าไม่ได้: เขียนไฟล์ %1 ไม่ได้").arg(files_.userFile));
        return false;
    }
    saved_->setText(QStringLiteral("บันทึกแล้ว เวลา %1 ใช้กับเกมถัดไป").arg(now()));
    emit settingsSaved(settings);
    return true;
}

bool SettingsPage::importNames() {
    const QString path = dialogs_.openFileName(this, QStringLiteral("อ่านรายชื่อนักเรียนจากไฟล์"));
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs_.inform(this, QStringLiteral("อ่านไฟล์ %1 ไม่ได้: %2").arg(path, file.errorString()));
        return false;
    }
    const DecodedText text = decodeTextFile(file.readAll());
    QStringList names;
    for (const QString &line : text.lines)
        if (!line.trimmed().isEmpty() && !names.contains(line.trimmed()))
            names << line.trimmed();
    names_->setPlainText(names.join(QLatin1Char('\n')));
    saved_->setText(
        QStringLiteral("อ่านรายชื่อ %1 ชื่อแล้ว กด \"บันทึกการตั้งค่า\" เพื่อใช้รายชื่อนี้").arg(names.size()));
    if (!text.badLines.isEmpty()) {
        QStringList lines;
        for (int line : text.badLines)
            lines << QString::number(line);
        dialogs_.inform(this, QStringLiteral("บรรทัดที่ %1 ของไฟล์ %2 อ่านไม่ออก จึงข้ามไป "
                                             "ลองบันทึกไฟล์เป็น UTF-8 แล้วอ่านใหม่")
                                  .arg(lines.join(QStringLiteral(", ")), path));
    }
    return true;
}

void SettingsPage::showPin() {
    const auto pin = readTeacherPin(files_);
    const bool computerWide = pin && pin->computerWide;
    pinState_->setText(!pin ? QStringLiteral("ยังไม่ได้ตั้งรหัส PIN: ใครก็เปิดหน้าต่างนี้และลบผลได้ "
                                             "ตั้งรหัส PIN เพื่อให้ต้องใส่รหัสก่อนเปิดหน้าต่างนี้และก่อนลบผลทุกครั้ง")
                       : computerWide
                           ? QStringLiteral("ผู้ดูแลระบบตั้งรหัส PIN ไว้สำหรับทุกคนในเครื่องนี้ "
                                            "(เปลี่ยนหรือเลิกใช้ได้ในไฟล์ %1)")
                                 .arg(files_.systemFile)
                           : QStringLiteral("ตั้งรหัส PIN แล้ว: ต้องใส่รหัสก่อนเปิดหน้าต่างนี้และก่อนลบผลทุกครั้ง"));
    for (QWidget *w : std::initializer_list<QWidget *>{newPin_, repeatPin_, setPin_})
        w->setEnabled(!computerWide);
    setPin_->setText(pin ? QStringLiteral("เปลี่ยนรหัส PIN") : QStringLiteral("ตั้งรหัส PIN"));
    removePin_->setEnabled(pin && !computerWide);
}

bool SettingsPage::setPin() {
    const QString pin = newPin_->text();
    QString problem;
    if (!isAcceptablePin(pin))
        problem = QStringLiteral("รหัส PIN ต้องยาว %1 ถึง %2 ตัวอักษร และไม่ขึ้นต้นหรือลงท้ายด้วยเว้นวรรค")
                      .arg(shortestPin)
                      .arg(longestPin);
    else if (repeatPin_->text() != pin)
        problem = QStringLiteral("รหัส PIN ที่พิมพ์สองครั้งไม่ตรงกัน");
    if (!problem.isEmpty()) {
        dialogs_.inform(this, problem);
        return false;
    }
    // A PIN already set is asked for before it is changed.
    if (!pin_.allow(this, QStringLiteral("เปลี่ยนรหัส PIN")))
        return false;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QString hash = hashPin(pin);
    QGuiApplication::restoreOverrideCursor();
    newPin_->clear();
    repeatPin_->clear();
    if (hash.isEmpty() || !writeTeacherPin(files_, hash)) {
        dialogs_.inform(this,
                        QStringLiteral("ตั้งรหัส PIN ไม่ได้: เขียนไฟล์ %1 ไม่ได้").arg(files_.userFile));
        return false;
    }
    showPin();
    saved_->setText(QStringLiteral("ตั้งรหัส PIN แล้ว เวลา %1").arg(now()));
    return true;
}

bool SettingsPage::removePin() {
    const auto pin = readTeacherPin(files_);
    if (!pin || pin->computerWide || !pin_.allow(this, QStringLiteral("เลิกใช้รหัส PIN")))
        return false;
    if (!writeTeacherPin(files_, QString())) {
        dialogs_.inform(this,
                        QStringLiteral("เลิกใช้รหัส PIN ไม่ได้: เขียนไฟล์ %1 ไม่ได้").arg(files_.userFile));
        return false;
    }
    showPin();
    saved_->setText(QStringLiteral("เลิกใช้รหัส PIN แล้ว เวลา %1").arg(now()));
    return true;
}

} // namespace lumo::teacher
