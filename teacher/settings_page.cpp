#include "teacher/settings_page.h"

#include "teacher/dialogs.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace lumo::teacher {

namespace {
QLabel *plainLabel(const QString &text, QWidget *parent) {
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}
} // namespace

SettingsPage::SettingsPage(const SettingsFiles &files, TeacherDialogs &dialogs, QWidget *parent)
    : QWidget(parent), files_(files), dialogs_(dialogs), level_(new QSpinBox(this)),
      firstQuestion_(plainLabel({}, this)),
      clock_(new QCheckBox(QStringLiteral("จับเวลา (ไม่เลือก: ไม่มีหมดเวลา แสดงเวลาที่ใช้ไปแทน)"), this)),
      minutes_(new QSpinBox(this)), fullscreen_(new QCheckBox(QStringLiteral("เปิดเกมเต็มจอ"), this)),
      names_(new QPlainTextEdit(this)) {
    level_->setObjectName(QStringLiteral("startLevel"));
    level_->setRange(ClassSettings::lowestLevel, ClassSettings::highestLevel);
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
    form->addRow(plainLabel(QStringLiteral("ระดับที่เริ่ม"), this), levelRow);
    form->addRow(QString(), clock_);
    form->addRow(plainLabel(QStringLiteral("เวลาเริ่มต้น"), this), minutesRow);
    form->addRow(QString(), fullscreen_);
    form->addRow(plainLabel(QStringLiteral("รายชื่อนักเรียน\n(ให้เลือกตอนใส่ชื่อ)"), this), names_);

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
    layout->addWidget(plainLabel(QStringLiteral("ค่าที่บันทึกที่นี่ใช้กับผู้ใช้นี้ และใช้กับเกมถัดไป "
                                                "ค่าของทุกคนในเครื่องนี้ตั้งได้ในไฟล์ %1")
                                     .arg(files.systemFile),
                                 this));
    layout->addLayout(buttons);

    connect(level_, &QSpinBox::valueChanged, this, &SettingsPage::showFirstQuestion);
    connect(clock_, &QCheckBox::toggled, minutes_, &QWidget::setEnabled);
    connect(saveButton, &QPushButton::clicked, this, &SettingsPage::save);
    connect(computerButton, &QPushButton::clicked, this,
            [this] { show(readSystemClassSettings(files_)); });
    show(readClassSettings(files_));
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
    ClassSettings settings;
    settings.startLevel = level_->value();
    firstQuestion_->setText(
        QStringLiteral("เกมเริ่มที่ข้อ %1 แล้วเล่นต่อจนจบข้อ 100").arg(settings.questionsBefore() + 1));
}

bool SettingsPage::save() {
    const ClassSettings settings = shown();
    if (!writeClassSettings(files_, settings)) {
        dialogs_.inform(this,
                        QStringLiteral("บันทึกการตั้งค่าไม่ได้: เขียนไฟล์ %1 ไม่ได้").arg(files_.userFile));
        return false;
    }
    emit settingsSaved(settings);
    return true;
}

} // namespace lumo::teacher
